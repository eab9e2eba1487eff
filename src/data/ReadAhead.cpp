#include "data/ReadAhead.h"

#include <algorithm>
#include <exception>

// The scan and the readers meet on the mutex only to sleep and to wake: a
// result is published through its flag, and a reader takes the next file by
// counting, so a warm scan whose readers keep ahead costs no system call.

TReadAhead::TReadAhead(const std::vector<std::string>& files, int readers, const TThreadStarter& start,
                       size_t first)
    : files_(files), results_(files.size()), done_(files.size()), next_(first), taken_(first) {
  // Out of threads or memory, the readers that run do all the reading; an
  // exception here would leave them running on a reader that never was.
  try {
    threads_.reserve(static_cast<size_t>(std::max(readers, 0)));
    for (int i = 0; i < readers; ++i) {
      std::function<void()> work = [this] { Work(); };
      threads_.push_back(StartThread(start, std::move(work)));
    }
  } catch (const std::exception&) {
  }
}

TReadAhead::~TReadAhead() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stop_ = true;
  }
  room_.notify_all();
  for (std::thread& thread : threads_) thread.join();
}

void TReadAhead::Work() {
  for (;;) {
    const size_t index = next_++;
    if (index >= files_.size()) return;
    if (index >= taken_ + kAhead) {
      std::unique_lock<std::mutex> lock(mutex_);
      ++sleepers_;
      room_.wait(lock, [&] { return stop_ || index < taken_ + kAhead; });
      --sleepers_;
    }
    if (stop_) return;
    std::unique_ptr<std::vector<TFontFields>> read;
    try {
      read = std::make_unique<std::vector<TFontFields>>(ReadFileFaces(files_[index]));
    } catch (...) {
      read.reset();  // left to the scan, which reads the file itself
    }
    results_[index] = std::move(read);
    done_[index].store(true);
    if (waiting_ == index) {
      std::lock_guard<std::mutex> lock(mutex_);
      ready_.notify_one();
    }
  }
}

std::optional<std::vector<TFontFields>> TReadAhead::Take(size_t index) {
  if (threads_.empty()) return std::nullopt;  // no reader started: the scan reads
  if (!done_[index].load()) {
    std::unique_lock<std::mutex> lock(mutex_);
    waiting_ = index;
    ready_.wait(lock, [&] { return done_[index].load(); });
    waiting_ = kNobody;
  }
  std::optional<std::vector<TFontFields>> result;
  if (results_[index]) result = std::move(*results_[index]);
  results_[index].reset();
  taken_ = index + 1;
  // Readers waiting for room are woken in batches, not once a file.
  if (sleepers_ > 0 && (index + 1) % (kAhead / 4) == 0) {
    std::lock_guard<std::mutex> lock(mutex_);
    room_.notify_all();
  }
  return result;
}
