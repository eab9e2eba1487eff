// Every test of the program starts as a user who has no saved layout: the
// frame of an earlier test, closed, must not shape the next one's windows.
#include <gtest/gtest.h>

#include "app/VLMStatus.h"
#include "sys/sys.h"

namespace {

class TForgetLayout : public testing::EmptyTestEventListener {
  // A suite's shared frame is made before its first test starts.
  void OnTestSuiteStart(const testing::TestSuite&) override { Forget(); }
  void OnTestStart(const testing::TestInfo&) override { Forget(); }
  static void Forget() { DeleteKeyTree(sys::Hive::CurrentUser, SaveStatusKey()); }
};

const bool kInstalled = [] {
  testing::UnitTest::GetInstance()->listeners().Append(new TForgetLayout);
  return true;
}();

}  // namespace
