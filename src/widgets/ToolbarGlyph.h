// A tool bar button's picture, made once from the bitmap it is given: a
// 32-bit bitmap with an alpha channel keeps it; any other has its
// bottom-left pixel's colour made transparent. Drawn blended, as it is or
// greyed for a disabled button.
#pragma once

#include "ui/Handles.h"

namespace toolbar97 {

class TGlyph {
 public:
  // Takes the bitmap and frees it.
  explicit TGlyph(HBITMAP bitmap);
  int Width() const { return width_; }
  int Height() const { return height_; }
  // True when the bitmap brought its own alpha channel.
  bool HadAlpha() const { return hadAlpha_; }
  void Draw(HDC dc, int x, int y, bool enabled) const;

 private:
  TBitmapHandle normal_;    // 32-bit, premultiplied alpha
  TBitmapHandle disabled_;  // the same, grey and faint
  int width_ = 0;
  int height_ = 0;
  bool hadAlpha_ = false;
};

}  // namespace toolbar97
