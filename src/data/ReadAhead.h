// Reader threads that read font files (all their faces) names-only ahead of a folder scan, so
// that several reads are in flight while the scan takes the results in its
// own order. They are given file names, never records: a record belongs to
// its list, which a window message handled during the scan may clear.
#pragma once

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "data/FontFileInfo.h"
#include "data/ThreadStarter.h"

class TReadAhead {
 public:
  // Starts `readers` threads over `files` from `first` on, read in their
  // order. Readers that fail to start leave their files to the others, and
  // with none running every Take is none. `start` (tests) stands in for
  // starting a thread.
  TReadAhead(const std::vector<std::string>& files, int readers, const TThreadStarter& start = {},
             size_t first = 0);
  // Stops the readers; a read under way is finished and dropped.
  ~TReadAhead();
  TReadAhead(const TReadAhead&) = delete;
  TReadAhead& operator=(const TReadAhead&) = delete;

  // What the names-only read of files[index] (`first` or later) gave, every
  // face of a collection, waiting for it; none when the reader failed, and
  // the caller reads the file itself.
  std::optional<std::vector<TFontFields>> Take(size_t index);

 private:
  // Reads never run further than this ahead of the last result taken.
  static constexpr size_t kAhead = 256;

  void Work();

  static constexpr size_t kNobody = static_cast<size_t>(-1);

  const std::vector<std::string>& files_;
  // Each written once, then flagged; empty when the read failed. Made by the
  // readers, so that a scan pays for the results it gets, not for all at once.
  std::vector<std::unique_ptr<std::vector<TFontFields>>> results_;
  std::vector<std::atomic<bool>> done_;
  std::mutex mutex_;
  std::condition_variable ready_;  // the result the scan waits for is in
  std::condition_variable room_;   // readers may go on
  std::atomic<size_t> next_{0};    // the next file to read
  std::atomic<size_t> taken_{0};   // results taken so far
  std::atomic<size_t> waiting_{kNobody};  // the result the scan waits for
  std::atomic<int> sleepers_{0};   // readers waiting for room
  std::atomic<bool> stop_{false};
  std::vector<std::thread> threads_;
};

// Whether a scan's own reads wait on the disk, so that reader threads would
// pay: the median of each stretch of reads against a bound, the median so
// that the few reads a busy machine's scheduler holds up do not count. Reads
// of a warm cache are quicker done by the scan alone; under Wine every wait
// and wake of a thread is a round trip to its server, which also answers the
// opens of all threads one at a time.
class TReadPace {
 public:
  static constexpr size_t kStretch = 32;

  explicit TReadPace(std::chrono::microseconds slow) : slow_(slow) {}
  // Counts one read; true when it ends a stretch whose median read took
  // `slow` or more.
  bool Slow(std::chrono::nanoseconds took) {
    took_[reads_++] = took;
    if (reads_ < kStretch) return false;
    reads_ = 0;
    std::nth_element(took_, took_ + kStretch / 2, took_ + kStretch);
    return took_[kStretch / 2] >= slow_;
  }

 private:
  std::chrono::nanoseconds slow_;
  std::chrono::nanoseconds took_[kStretch];
  size_t reads_ = 0;
};
