// Every test of the program starts as a user who has no saved layout: the
// frame of an earlier test, closed, must not shape the next one's windows.
// These tests delete the layout and the collection-file registration, so
// they run only in the prefix scripts/wine-run prepares, never on a real
// Windows or in someone's own Wine prefix, where both belong to a user.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "app/VLMStatus.h"
#include "sys/sys.h"

namespace {

// The prefix is known by the stamp scripts/wine-run leaves in it once it has
// set it up: a property of the prefix itself, which no variable carried over
// from a shell can fake. Wine's own exports tell that this is Wine at all.
bool InProjectPrefix() {
  if (!GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version")) return false;
  using DosFileName = WCHAR*(__cdecl*)(const char*);
  const auto toDos = reinterpret_cast<DosFileName>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_dos_file_name")));
  char prefix[4096] = {};
  const DWORD length = GetEnvironmentVariableA("WINEPREFIX", prefix, sizeof prefix);
  if (!toDos || length == 0 || length >= sizeof prefix) return false;
  WCHAR* stamp = toDos((std::string(prefix) + "/.vlm-settings").c_str());
  if (!stamp) return false;
  const bool found = GetFileAttributesW(stamp) != INVALID_FILE_ATTRIBUTES;
  HeapFree(GetProcessHeap(), 0, stamp);
  return found;
}

class TProjectPrefixOnly : public testing::Environment {
  void SetUp() override {
    ASSERT_TRUE(InProjectPrefix())
        << "refused: these tests delete the saved layout and the .VLM registration; "
           "run them through scripts/wine-run";
  }
};

class TForgetLayout : public testing::EmptyTestEventListener {
  // A suite's shared frame is made before its first test starts.
  void OnTestSuiteStart(const testing::TestSuite&) override { Forget(); }
  void OnTestStart(const testing::TestInfo&) override { Forget(); }
  static void Forget() {
    if (InProjectPrefix()) DeleteKeyTree(sys::Hive::CurrentUser, SaveStatusKey());
  }
};

const bool kInstalled = [] {
  testing::AddGlobalTestEnvironment(new TProjectPrefixOnly);
  testing::UnitTest::GetInstance()->listeners().Append(new TForgetLayout);
  return true;
}();

}  // namespace
