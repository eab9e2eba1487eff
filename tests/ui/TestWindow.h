// A plain top-level form to put controls on in the window-layer tests.
#pragma once

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

