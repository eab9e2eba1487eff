#include "ui/Dpi.h"

#include "ui/Form.h"
#include "ui/Handles.h"

namespace ui {

int ScaleToDpi(int pixels, int dpi) { return MulDiv(pixels, dpi, kBaseDpi); }

int RescaleDpi(int pixels, int from, int to) { return from > 0 ? MulDiv(pixels, to, from) : pixels; }

int PointsToPixels(int points, int dpi) { return MulDiv(points, dpi, 72); }

int SystemDpi() {
  static const int dpi = [] {
    TWindowDC screen(nullptr);
    const int caps = GetDeviceCaps(screen.Get(), LOGPIXELSY);
    return caps > 0 ? caps : kBaseDpi;
  }();
  return dpi;
}

int WindowDpi(HWND window) {
  // Looked up at run time: older Windows (and Wine) lack it.
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (window && getDpiForWindow) {
    if (const UINT dpi = getDpiForWindow(window)) return static_cast<int>(dpi);
  }
  return SystemDpi();
}

int DpiOf(const TControl& control) {
  if (const TForm* form = const_cast<TControl&>(control).ParentForm()) return form->Dpi();
  return SystemDpi();
}

TScale::TScale(const TControl& control) : dpi_(DpiOf(control)) {}

}  // namespace ui
