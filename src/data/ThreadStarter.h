// How a worker thread is started: by the system or, in tests, by a stand-in,
// which may throw as the system does when it has no thread to give.
#pragma once

#include <functional>
#include <thread>
#include <utility>

using TThreadStarter = std::function<std::thread(std::function<void()> work)>;

// `work` running on a thread of its own, started by `start` when given.
inline std::thread StartThread(const TThreadStarter& start, std::function<void()> work) {
  return start ? start(std::move(work)) : std::thread(std::move(work));
}
