// The progress window of long scans, as a real window.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>

#include "ui/TProgress.h"

namespace {

int BarPos(HWND bar) { return static_cast<int>(::SendMessageW(bar, PBM_GETPOS, 0, 0)); }
PBRANGE BarRange(HWND bar) {
  PBRANGE range{};
  ::SendMessageW(bar, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
  return range;
}
RECT WindowBounds(HWND window) {
  RECT rect{};
  ::GetWindowRect(window, &rect);
  return rect;
}

TEST(ProgressWindow, IsASmallCaptionedToolWindowWithABarThatStepsByOneAndGoesWithIt) {
  auto owned = std::make_unique<TProgress>(nullptr, 41, L"正在读 41 种字体...");
  TProgress& progress = *owned;
  const HWND window = progress.Handle();
  ASSERT_TRUE(::IsWindow(window));
  EXPECT_FALSE(::IsWindowVisible(window)) << "built, not shown";

  const RECT bounds = WindowBounds(window);
  EXPECT_EQ(bounds.right - bounds.left, 213);
  EXPECT_EQ(bounds.bottom - bounds.top, 50);
  const LONG_PTR style = ::GetWindowLongPtrW(window, GWL_STYLE);
  EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
  EXPECT_EQ(style & WS_SYSMENU, 0) << "no border icons";
  EXPECT_NE(::GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
  wchar_t caption[64] = {};
  ::GetWindowTextW(window, caption, 64);
  EXPECT_STREQ(caption, L"正在读 41 种字体...");

  const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
  EXPECT_EQ(bounds.left, (screenWidth - 213) / 2);
  EXPECT_EQ(bounds.top, (screenHeight - 50) / 2);

  const HWND bar = progress.Bar();
  ASSERT_TRUE(::IsWindow(bar));
  RECT barRect = WindowBounds(bar);
  ::MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&barRect), 2);
  EXPECT_EQ(barRect.left, 5);
  EXPECT_EQ(barRect.top, 8);
  EXPECT_EQ(barRect.right - barRect.left, 195);
  EXPECT_EQ(barRect.bottom - barRect.top, 13);
  EXPECT_EQ(BarRange(bar).iLow, 0);
  EXPECT_EQ(BarRange(bar).iHigh, 41);
  EXPECT_EQ(BarPos(bar), 0);

  // Shown, it steps by one and takes new captions and maximums.
  progress.Show();
  EXPECT_TRUE(::IsWindowVisible(window));
  progress.SetText(L"正在读 7 种字体...", 7);
  EXPECT_EQ(BarRange(bar).iHigh, 7);
  for (int i = 0; i < 7; ++i) progress.StepIt();
  EXPECT_EQ(BarPos(bar), 7) << "the last step always shows";
  progress.SetText(L"x", -1);
  EXPECT_EQ(BarRange(bar).iHigh, 7) << "a negative maximum keeps the range";
  EXPECT_EQ(BarRange(TProgress(nullptr, -1, L"正在搜索字体文件夹...").Bar()).iHigh, 100) << "the range with no maximum";

  owned.reset();
  EXPECT_FALSE(::IsWindow(window));
}

int g_barPaints = 0;
WNDPROC g_barProc = nullptr;
LRESULT CALLBACK CountingBarProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_PAINT) ++g_barPaints;
  return ::CallWindowProcW(g_barProc, window, message, w, l);
}

bool QueueHolds(UINT message) {
  MSG msg;
  return ::PeekMessageW(&msg, nullptr, message, message, PM_NOREMOVE | PM_NOYIELD) != 0;
}

TEST(ProgressWindow, RepaintsAndLetsMessagesRunOnceAFrameNotOnceAStep) {
  using Clock = std::chrono::steady_clock;
  TProgress progress(nullptr, 3000, L"正在读 3000 种字体...");
  progress.Show();
  const HWND bar = progress.Bar();
  g_barProc = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrW(bar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountingBarProc)));
  g_barPaints = 0;
  const Clock::time_point start = Clock::now();
  for (int i = 0; i < 1500; ++i) progress.StepIt();
  const auto frames = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count() / 16;
  EXPECT_LE(g_barPaints, frames + 1);

  // A frame later the next step shows the bar as far as the steps have come and lets
  // the message posted meanwhile run.
  ::PostThreadMessageW(::GetCurrentThreadId(), WM_APP + 7, 0, 0);
  ::Sleep(20);
  progress.StepIt();
  RECT inside{};
  ::GetClientRect(bar, &inside);
  EXPECT_LE(1501 - BarPos(bar), 3000 / inside.right + 1) << "behind by less than a pixel";
  EXPECT_FALSE(QueueHolds(WM_APP + 7));

  for (int i = 0; i < 1499; ++i) progress.StepIt();
  EXPECT_EQ(BarPos(bar), 3000) << "exact at the end";
  ::SetWindowLongPtrW(bar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_barProc));
}

TEST(ProgressWindow, CentresOverTheMainWindowsClientArea) {
  HWND main = ::CreateWindowExW(0, L"STATIC", L"main", WS_OVERLAPPEDWINDOW, 100, 120, 640, 480,
                                nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
  ASSERT_TRUE(main);
  TProgress::SetMainWindow(main);
  RECT client{};
  ::GetClientRect(main, &client);
  POINT expected{(client.right - 213) / 2, (client.bottom - 50) / 2};
  ::ClientToScreen(main, &expected);
  {
    TProgress progress(nullptr, 10, L"c");
    const RECT bounds = WindowBounds(progress.Handle());
    EXPECT_EQ(bounds.left, expected.x);
    EXPECT_EQ(bounds.top, expected.y);
  }
  TProgress::SetMainWindow(nullptr);
  ::DestroyWindow(main);
}

}  // namespace
