// The progress window of long scans, as a real window.
#include <gtest/gtest.h>

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

TEST(ProgressWindow, IsASmallCaptionedToolWindowWithABar) {
  TProgress progress(nullptr, 41, L"正在读 41 种字体...");
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
}

TEST(ProgressWindow, StepsByOneAndTakesNewCaptionsAndMaximums) {
  TProgress progress(nullptr, -1, L"正在搜索字体文件夹...");
  const int defaultHigh = BarRange(progress.Bar()).iHigh;
  progress.Show();
  EXPECT_TRUE(::IsWindowVisible(progress.Handle()));

  progress.SetText(L"正在读 7 种字体...", 7);
  EXPECT_EQ(BarRange(progress.Bar()).iHigh, 7);
  progress.StepIt();
  progress.StepIt();
  progress.StepIt();
  EXPECT_EQ(BarPos(progress.Bar()), 3);
  progress.SetText(L"x", -1);
  EXPECT_EQ(BarRange(progress.Bar()).iHigh, 7) << "a negative maximum keeps the range";
  EXPECT_EQ(defaultHigh, 100);
}

int g_barPaints = 0;
WNDPROC g_barProc = nullptr;
LRESULT CALLBACK CountingBarProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_PAINT) ++g_barPaints;
  return ::CallWindowProcW(g_barProc, window, message, w, l);
}

TEST(ProgressWindow, RepaintsAsItsFillGrowsNotOnceAStep) {
  TProgress progress(nullptr, 3000, L"正在读 3000 种字体...");
  progress.Show();
  const HWND bar = progress.Bar();
  RECT inside{};
  ::GetClientRect(bar, &inside);
  g_barProc = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrW(bar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountingBarProc)));
  g_barPaints = 0;
  for (int i = 0; i < 1500; ++i) progress.StepIt();
  EXPECT_LE(1500 - BarPos(bar), 3000 / inside.right + 1) << "behind by less than a pixel";
  for (int i = 0; i < 1500; ++i) progress.StepIt();
  EXPECT_EQ(BarPos(bar), 3000) << "exact at the end";
  EXPECT_GE(g_barPaints, 10);
  EXPECT_LE(g_barPaints, inside.right + 2);
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

TEST(ProgressWindow, DestroysItsWindow) {
  HWND window;
  {
    TProgress progress(nullptr, 3, L"c");
    window = progress.Handle();
    ASSERT_TRUE(::IsWindow(window));
  }
  EXPECT_FALSE(::IsWindow(window));
}

}  // namespace
