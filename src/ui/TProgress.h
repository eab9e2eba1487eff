// The small progress window of long scans: a tool window with a caption and
// a bar, centred over the main window's client area or else on the screen.
#pragma once

#include <chrono>
#include <memory>
#include <string_view>
#include <type_traits>

#include "data/Progress.h"
#include "ui/Handles.h"
#include "ui/Win.h"

class TProgress final : public TProgressBase {
 public:
  static constexpr int kWidth = 213;
  static constexpr int kHeight = 50;

  // `owner` may be null; a negative maximum leaves the bar's default range.
  TProgress(HWND owner, int maximum, std::wstring_view caption);
  ~TProgress() override;
  TProgress(const TProgress&) = delete;
  TProgress& operator=(const TProgress&) = delete;

  void SetText(std::wstring_view caption, int maximum) override;
  void Show() override;
  void StepIt() override;

  HWND Handle() const { return window_.Get(); }
  HWND Bar() const { return bar_; }

  // The window progress windows are centred over; null: the screen.
  static void SetMainWindow(HWND window);

 private:
  // How far the bar's fill reaches at `position`, in pixels.
  int Fill(int position) const;

  TWindowHandle window_;
  HWND bar_ = nullptr;  // a child: destroyed with the window
  int maximum_ = 100;   // the control's own default range is 0 to 100
  int barWidth_ = 0;
  int position_ = 0;    // steps taken
  int shown_ = 0;       // the position the control holds
  std::chrono::steady_clock::time_point frame_;  // when the bar and the queue were last seen to
};

// Lets scans show real progress windows from now on.
inline void InstallProgressWindows() {
  SetProgressFactory([](int maximum, std::wstring_view caption) -> std::unique_ptr<TProgressBase> {
    return std::make_unique<TProgress>(nullptr, maximum, caption);
  });
}
