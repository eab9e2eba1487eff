// The shell's properties sheet of a file. Here (Wine) the sheet is modal, so a
// timer closes whatever window the call puts up; on Windows the call returns
// at once and the sheet lives on its own.
#include <gtest/gtest.h>

#include <windows.h>

#include "sys/win32/Win32Backend.h"
#include "tests/win32/fileops_scratch.h"

namespace {

int g_windowsClosed = 0;

BOOL CALLBACK CloseShown(HWND window, LPARAM) {
  if (IsWindowVisible(window)) {
    PostMessageW(window, WM_CLOSE, 0, 0);
    ++g_windowsClosed;
  }
  return TRUE;
}

void CALLBACK CloseSheet(HWND, UINT, UINT_PTR, DWORD) {
  EnumThreadWindows(GetCurrentThreadId(), CloseShown, 0);
}

TEST(Win32Shell, ThePropertiesSheetOfAFileShowsAndTheCallReturns) {
  scratch::Folder folder("VelmaraProperties");
  const std::string file = folder.Path() + "a.ttf";
  ASSERT_TRUE(scratch::WriteAll(file, "font"));
  g_windowsClosed = 0;
  const UINT_PTR timer = SetTimer(nullptr, 0, 500, CloseSheet);
  sys::Win32Backend backend;
  const bool shown = backend.ShowFileProperties(file);
  KillTimer(nullptr, timer);
  EXPECT_TRUE(shown);
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

}  // namespace
