// A timer that runs OnTimer every Interval milliseconds while enabled.
#pragma once

#include <functional>

#include "ui/Win.h"

class TTimer {
 public:
  explicit TTimer(unsigned interval = 1000, bool enabled = false);
  ~TTimer();
  TTimer(const TTimer&) = delete;
  TTimer& operator=(const TTimer&) = delete;

  unsigned Interval() const { return interval_; }
  void SetInterval(unsigned interval);
  bool Enabled() const { return id_ != 0; }
  // Enabling again restarts the count.
  void SetEnabled(bool enabled);
  std::function<void()> OnTimer;

 private:
  static void CALLBACK Fired(HWND, UINT, UINT_PTR id, DWORD);
  void Start();
  void Stop();

  unsigned interval_;
  UINT_PTR id_ = 0;
};
