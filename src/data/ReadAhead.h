// Reader threads that read font files names-only ahead of a folder scan, so
// that several reads are in flight while the scan takes the results in its
// own order. They are given file names, never records: a record belongs to
// its list, which a window message handled during the scan may clear.
#pragma once

#include <atomic>
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

class TReadAhead {
 public:
  // Starts one reader thread running `work`; may throw when the system has
  // no thread to give.
  using TStarter = std::function<std::thread(std::function<void()> work)>;

  // Starts `readers` threads over `files`, read in their order. Readers that
  // fail to start leave their files to the others, and with none running
  // every Take is none. `start` (tests) stands in for starting a thread.
  TReadAhead(const std::vector<std::string>& files, int readers, const TStarter& start = {});
  // Stops the readers; a read under way is finished and dropped.
  ~TReadAhead();
  TReadAhead(const TReadAhead&) = delete;
  TReadAhead& operator=(const TReadAhead&) = delete;

  // What the names-only read of files[index] gave, waiting for it; none when
  // the reader failed, and the caller reads the file itself.
  std::optional<TFontFields> Take(size_t index);

 private:
  // Reads never run further than this ahead of the last result taken.
  static constexpr size_t kAhead = 256;

  void Work();

  static constexpr size_t kNobody = static_cast<size_t>(-1);

  const std::vector<std::string>& files_;
  // Each written once, then flagged; empty when the read failed. Made by the
  // readers, so that a scan pays for the results it gets, not for all at once.
  std::vector<std::unique_ptr<TFontFields>> results_;
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
