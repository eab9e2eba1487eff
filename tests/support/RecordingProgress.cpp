#include "tests/support/RecordingProgress.h"

#include "sys/sys.h"

namespace {

class RecordedWindow final : public TProgressBase {
 public:
  explicit RecordedWindow(std::shared_ptr<ProgressRecord> record) : record_(std::move(record)) {}
  ~RecordedWindow() override { record_->destroyed = true; }

  void SetText(std::wstring_view caption, int maximum) override {
    record_->captions.emplace_back(caption);
    if (maximum >= 0) record_->maximum = maximum;
  }
  void Show() override {
    record_->shown = true;
    sys::Current().ProcessMessages();
  }
  void StepIt() override {
    ++record_->steps;
    sys::Current().ProcessMessages();
  }

 private:
  std::shared_ptr<ProgressRecord> record_;
};

}  // namespace

RecordingProgress::RecordingProgress() {
  previous_ = SetProgressFactory([this](int maximum, std::wstring_view caption) {
    auto record = std::make_shared<ProgressRecord>();
    record->initialMaximum = maximum;
    record->initialCaption = caption;
    record->captions.emplace_back(caption);
    if (maximum >= 0) record->maximum = maximum;
    windows_.push_back(record);
    return std::make_unique<RecordedWindow>(record);
  });
}

RecordingProgress::~RecordingProgress() { SetProgressFactory(std::move(previous_)); }
