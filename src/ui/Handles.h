// Owners of the window layer's handles, all of the one family
// sys::UniqueHandle: GDI objects, memory DCs, image lists, menus, windows,
// icons. And the brackets around a DC: a window's DC, a paint DC and an
// object selected into a DC, each undone when it goes, exceptions included.
#pragma once

#include <utility>

#include "sys/UniqueHandle.h"
#include "ui/Win.h"

namespace ui {

// Traits of a handle whose invalid value is null, closed by `close`.
template <typename H, auto close>
struct NullHandleTraits {
  using Handle = H;
  static Handle Invalid() { return nullptr; }
  static bool Close(Handle h) { return close(h) != 0; }
};

template <typename H>
using GdiObjectTraits = NullHandleTraits<H, &DeleteObject>;
using MemoryDCTraits = NullHandleTraits<HDC, &DeleteDC>;
using ImageListTraits = NullHandleTraits<HIMAGELIST, &ImageList_Destroy>;
using MenuTraits = NullHandleTraits<HMENU, &DestroyMenu>;
using WindowTraits = NullHandleTraits<HWND, &DestroyWindow>;
using IconTraits = NullHandleTraits<HICON, &DestroyIcon>;

}  // namespace ui

using TFontHandle = sys::UniqueHandle<ui::GdiObjectTraits<HFONT>>;
using TBrushHandle = sys::UniqueHandle<ui::GdiObjectTraits<HBRUSH>>;
using TPenHandle = sys::UniqueHandle<ui::GdiObjectTraits<HPEN>>;
using TBitmapHandle = sys::UniqueHandle<ui::GdiObjectTraits<HBITMAP>>;
using TRegionHandle = sys::UniqueHandle<ui::GdiObjectTraits<HRGN>>;
using TImageListHandle = sys::UniqueHandle<ui::ImageListTraits>;
using TMenuHandle = sys::UniqueHandle<ui::MenuTraits>;
using TWindowHandle = sys::UniqueHandle<ui::WindowTraits>;
using TIconHandle = sys::UniqueHandle<ui::IconTraits>;

// A memory DC compatible with `like` (the screen by default).
class TMemoryDC {
 public:
  explicit TMemoryDC(HDC like = nullptr) : dc_(CreateCompatibleDC(like)) {}
  HDC Get() const { return dc_.Get(); }

 private:
  sys::UniqueHandle<ui::MemoryDCTraits> dc_;
};

// A window's DC for painting outside WM_PAINT (the screen's for null).
class TWindowDC {
 public:
  explicit TWindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~TWindowDC() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  TWindowDC(const TWindowDC&) = delete;
  TWindowDC& operator=(const TWindowDC&) = delete;
  HDC Get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// BeginPaint / EndPaint for one WM_PAINT.
class TPaintDC {
 public:
  explicit TPaintDC(HWND window) : window_(window) { dc_ = BeginPaint(window, &paint_); }
  ~TPaintDC() { EndPaint(window_, &paint_); }
  TPaintDC(const TPaintDC&) = delete;
  TPaintDC& operator=(const TPaintDC&) = delete;
  HDC Get() const { return dc_; }
  const RECT& UpdateRect() const { return paint_.rcPaint; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_ = nullptr;
};

// Selects an object into a DC and puts the old one back when it goes.
class TSelectObject {
 public:
  TSelectObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  ~TSelectObject() {
    if (old_) SelectObject(dc_, old_);
  }
  TSelectObject(const TSelectObject&) = delete;
  TSelectObject& operator=(const TSelectObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};
