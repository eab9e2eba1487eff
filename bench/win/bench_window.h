// What the Windows benchmarks share: a clock in milliseconds or microseconds
// and a plain top-level window to put the measured controls on.
#pragma once

#include <chrono>
#include <string_view>

#include "ui/Application.h"
#include "ui/Form.h"

namespace bench {

using Clock = std::chrono::steady_clock;

inline double Millis(Clock::time_point from) {
  return std::chrono::duration<double, std::milli>(Clock::now() - from).count();
}
inline double Micros(Clock::time_point from) {
  return std::chrono::duration<double, std::micro>(Clock::now() - from).count();
}

// Lets messages run until `done` or `limitMs`; false on the limit.
template <typename Done>
bool PumpUntil(Done done, double limitMs) {
  const Clock::time_point start = Clock::now();
  while (!done()) {
    if (Millis(start) > limitMs) return false;
    ui::ProcessMessages();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
  }
  return true;
}

class TBenchForm : public TForm {
 public:
  explicit TBenchForm(std::wstring_view caption, int width = 640, int height = 480) {
    CreateForm(caption, WS_OVERLAPPEDWINDOW, 0, TRect{0, 0, width, height});
  }
};

}  // namespace bench
