#include "views/FontInfoPanelThread.h"

#include <chrono>
#include <exception>
#include <utility>

bool TInfoChannel::Post(TInfoStep step) {
  std::lock_guard lock(lock_);
  if (closed_) return false;
  steps_.push_back(std::move(step));
  // Posted under the lock: Close cannot slip in between, so nothing is posted
  // to a window that is going.
  PostMessageW(window_, message_, 0, 0);
  return true;
}

std::deque<TInfoStep> TInfoChannel::Take() {
  std::lock_guard lock(lock_);
  return std::exchange(steps_, {});
}

void TInfoChannel::Close() {
  {
    std::lock_guard lock(lock_);
    closed_ = true;
    steps_.clear();
  }
  wake_.notify_all();
}

bool TInfoChannel::Closed() const {
  std::lock_guard lock(lock_);
  return closed_;
}

bool TInfoChannel::Pause(int ms) {
  std::unique_lock lock(lock_);
  return !wake_.wait_for(lock, std::chrono::milliseconds(ms), [this] { return closed_; });
}

TFontInfoPanelThread::TFontInfoPanelThread(std::shared_ptr<TInfoChannel> channel, TJob job,
                                           const TThreadStarter& start) {
  std::function<void()> work = [channel = std::move(channel), job = std::move(job), finished = finished_] {
    Run(channel, job, finished);
  };
  thread_ = StartThread(start, std::move(work));
}

TFontInfoPanelThread::~TFontInfoPanelThread() {
  if (thread_.joinable()) thread_.join();
}

void TFontInfoPanelThread::Run(std::shared_ptr<TInfoChannel> channel, TJob job,
                               std::shared_ptr<std::atomic<bool>> finished) try {
  const uint64_t ticket = job.ticket;
  if (channel->Post({ticket, TInfoStepKind::Clear, {}}) && job.font) {
    std::optional<TFontFields> read;
    // Into a copy of the values: the record they came from may be freed or
    // changed meanwhile. A bad record is shown as it stands, not mended
    // behind its row's back.
    if (TablesUnread(*job.font) && !channel->Closed()) {
      read = std::move(job.font);
      ReadFontFields(*read, true);
    }
    if (channel->Pause(kPauseMs)) channel->Post({ticket, TInfoStepKind::Fill, std::move(read)});
  }
  channel->Post({ticket, TInfoStepKind::Layout, {}});
  finished->store(true);
} catch (const std::exception&) {
  // Out of memory, say: an exception leaving the thread would end the
  // program. The window thread fills the panel itself, as for a record no
  // worker read, and lays it out.
  for (TInfoStepKind kind : {TInfoStepKind::Fill, TInfoStepKind::Layout}) {
    try {
      channel->Post({job.ticket, kind, {}});
    } catch (const std::exception&) {
    }
  }
  finished->store(true);
}
