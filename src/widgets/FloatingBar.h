// The small tool window a floating tool bar sits in. Its caption drags the
// bar (onto a dock, or just elsewhere), a double-click on it docks the bar
// back, its close box hides the bar, and a right-click shows the bar's menu.
#pragma once

#include "ui/Control.h"

class TToolbar97;

class TFloatingBar : public TControl {
 public:
  static constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  static constexpr DWORD kExStyle = WS_EX_TOOLWINDOW;

  // Owned by `owner` (the frame), so it stays above it and goes with it.
  TFloatingBar(TToolbar97& bar, HWND owner);
  ~TFloatingBar() override;
  // The window's size for a client area of `client`.
  static SIZE OuterSize(SIZE client);
  void Place(const TRect& screen);

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  TToolbar97& bar_;
};
