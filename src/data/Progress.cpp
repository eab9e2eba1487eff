#include "data/Progress.h"

#include <utility>

namespace {

class TSilentProgress final : public TProgressBase {
 public:
  void SetText(std::wstring_view, int) override {}
  void Show() override {}
  void StepIt() override {}
};

TProgressFactory& Factory() {
  static TProgressFactory factory;
  return factory;
}

}  // namespace

std::unique_ptr<TProgressBase> MakeProgress(int maximum, std::wstring_view caption) {
  if (Factory()) {
    if (auto progress = Factory()(maximum, caption)) return progress;
  }
  return std::make_unique<TSilentProgress>();
}

TProgressFactory SetProgressFactory(TProgressFactory factory) {
  return std::exchange(Factory(), std::move(factory));
}
