// What the Windows benchmarks share: a clock in milliseconds or microseconds
// and a plain top-level window to put the measured controls on.
#pragma once

#include <chrono>
#include <string_view>

#include "ui/Form.h"

namespace bench {

using Clock = std::chrono::steady_clock;

inline double Millis(Clock::time_point from) {
  return std::chrono::duration<double, std::milli>(Clock::now() - from).count();
}
inline double Micros(Clock::time_point from) {
  return std::chrono::duration<double, std::micro>(Clock::now() - from).count();
}

class TBenchForm : public TForm {
 public:
  explicit TBenchForm(std::wstring_view caption, int width = 640, int height = 480) {
    CreateForm(caption, WS_OVERLAPPEDWINDOW, 0, TRect{0, 0, width, height});
  }
};

}  // namespace bench
