// TFontInfoPanelThread: reads one font file's tables away from the window
// thread and hands the panel its steps (clear, fill, lay out) in order.
//
// The worker never touches the record or the panel: it gets the file's name
// and what the record held by value, reads into its own copy, and hands its
// steps to a channel it owns together with the panel. The panel closes the
// channel when its window goes; a closed channel drops whatever arrives, and
// the panel joins its workers before it is gone, so no worker outlives what
// it reports to.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "data/FontFileInfo.h"
#include "data/ThreadStarter.h"
#include "ui/Win.h"

enum class TInfoStepKind { Clear, Fill, Layout };

struct TInfoStep {
  uint64_t ticket = 0;  // the ShowFont it belongs to
  TInfoStepKind kind = TInfoStepKind::Clear;
  std::optional<TFontFields> read;  // Fill: what the worker read, when it read the file
};

class TInfoChannel {
 public:
  // Steps are announced to `window` by posting `message` to it.
  TInfoChannel(HWND window, UINT message) : window_(window), message_(message) {}
  // False when the channel is closed; the step is dropped.
  bool Post(TInfoStep step);
  std::deque<TInfoStep> Take();
  // Nothing reaches the window from now on; sleeping workers wake up.
  void Close();
  bool Closed() const;
  // Sleeps `ms` unless the channel closes first; false when it closed.
  bool Pause(int ms);

 private:
  mutable std::mutex lock_;
  std::condition_variable wake_;
  HWND window_;
  UINT message_;
  bool closed_ = false;
  std::deque<TInfoStep> steps_;
};

class TFontInfoPanelThread {
 public:
  // What the worker needs of a record, taken on the window thread.
  struct TJob {
    uint64_t ticket = 0;
    std::optional<TFontFields> font;  // the record's fields as they stood; none for no record
  };
  // The pause between reading the file and handing over the fill step.
  static constexpr int kPauseMs = 100;

  // Starts running at once; `start` (tests) stands in for starting the
  // thread. Throws when no thread could be started.
  TFontInfoPanelThread(std::shared_ptr<TInfoChannel> channel, TJob job, const TThreadStarter& start = {});
  // Waits for the worker to end (the channel closed first makes it quick).
  ~TFontInfoPanelThread();
  TFontInfoPanelThread(const TFontInfoPanelThread&) = delete;
  TFontInfoPanelThread& operator=(const TFontInfoPanelThread&) = delete;

  bool Finished() const { return finished_->load(); }

 private:
  static void Run(std::shared_ptr<TInfoChannel> channel, TJob job,
                  std::shared_ptr<std::atomic<bool>> finished);

  std::shared_ptr<std::atomic<bool>> finished_ = std::make_shared<std::atomic<bool>>(false);
  std::thread thread_;
};
