// Owned GDI objects and the interface font.
#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "ui/Win.h"

// One owned GDI object (font, brush, pen, bitmap). Movable, not copyable.
template <typename Handle>
class TGdiObject {
 public:
  TGdiObject() = default;
  explicit TGdiObject(Handle handle) : handle_(handle) {}
  ~TGdiObject() { Reset(); }
  TGdiObject(const TGdiObject&) = delete;
  TGdiObject& operator=(const TGdiObject&) = delete;
  TGdiObject(TGdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  TGdiObject& operator=(TGdiObject&& other) noexcept {
    if (this != &other) {
      Reset();
      handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
  }
  Handle Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  void Reset(Handle handle = nullptr) {
    if (handle_) DeleteObject(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_ = nullptr;
};

using TFontHandle = TGdiObject<HFONT>;
using TBrushHandle = TGdiObject<HBRUSH>;
using TBitmapHandle = TGdiObject<HBITMAP>;

// Selects an object into a DC and puts the old one back when it goes.
class TSelectObject {
 public:
  TSelectObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  ~TSelectObject() { SelectObject(dc_, old_); }
  TSelectObject(const TSelectObject&) = delete;
  TSelectObject& operator=(const TSelectObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// A window's DC for painting outside WM_PAINT, released when it goes.
class TWindowDC {
 public:
  explicit TWindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~TWindowDC() { ReleaseDC(window_, dc_); }
  TWindowDC(const TWindowDC&) = delete;
  TWindowDC& operator=(const TWindowDC&) = delete;
  HDC Get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

namespace ui {

// True when a font family of that name is installed.
bool FontFamilyExists(std::wstring_view face);

// A font of `pixelHeight` pixels (character height) in the first installed
// family of the list; the system's interface font when none is installed.
TFontHandle CreateFontByNames(std::initializer_list<std::wstring_view> faces, int pixelHeight,
                              int weight = FW_NORMAL);

// The interface font every control starts with: a family that has the
// Chinese glyphs of the captions. Lives as long as the process.
HFONT DefaultFont();

// Average character width and line height of a font on the screen.
SIZE FontCharSize(HFONT font);

}  // namespace ui
