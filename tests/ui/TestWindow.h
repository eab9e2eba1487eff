// A plain top-level form to put controls on in the window-layer tests.
#pragma once

#include <string>

#include "ui/Controls.h"

class TTestWindow : public TForm {
 public:
  TTestWindow(int width = 400, int height = 300) {
    ui::InitControls();
    CreateForm(L"test", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, TRect{0, 0, width, height});
  }
  ~TTestWindow() override { DestroyHandle(); }
  // Sizes the client area exactly.
  void SetClientSize(int width, int height) {
    RECT r{0, 0, width, height};
    AdjustWindowRectEx(&r, GetWindowLongW(Handle(), GWL_STYLE), FALSE, 0);
    SetBounds(0, 0, r.right - r.left, r.bottom - r.top);
  }
  using TControl::Perform;
};

namespace test_window_detail {
struct TClassSearch {
  const wchar_t* className;
  HWND found = nullptr;
};
inline BOOL CALLBACK NoteShown(HWND window, LPARAM data) {
  auto& search = *reinterpret_cast<TClassSearch*>(data);
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (!IsWindowVisible(window) || std::wstring(name) != search.className) return TRUE;
  search.found = window;
  return FALSE;
}
}  // namespace test_window_detail

// A shown top-level window of that class of the thread's, or null.
inline HWND ShownWindowOfClass(DWORD thread, const wchar_t* className) {
  test_window_detail::TClassSearch search{className};
  EnumThreadWindows(thread, test_window_detail::NoteShown, reinterpret_cast<LPARAM>(&search));
  return search.found;
}
