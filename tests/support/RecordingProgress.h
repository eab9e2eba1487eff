// A progress window that records what a scan did with it, for native tests.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "data/Progress.h"

struct ProgressRecord {
  int initialMaximum = 0;
  std::wstring initialCaption;
  bool shown = false;
  std::vector<std::wstring> captions;  // every caption it carried, in order
  int maximum = 0;                     // the bar's maximum as last set
  int steps = 0;
  bool destroyed = false;
};

// Installs itself as the progress factory while it lives. Each window made
// meanwhile gets a record; its Show and StepIt let window messages run, as
// the real window's do.
class RecordingProgress {
 public:
  RecordingProgress();
  ~RecordingProgress();
  RecordingProgress(const RecordingProgress&) = delete;
  RecordingProgress& operator=(const RecordingProgress&) = delete;

  const std::vector<std::shared_ptr<ProgressRecord>>& Windows() const { return windows_; }
  int Count() const { return static_cast<int>(windows_.size()); }
  const ProgressRecord& Last() const { return *windows_.back(); }

 private:
  std::vector<std::shared_ptr<ProgressRecord>> windows_;
  TProgressFactory previous_;
};
