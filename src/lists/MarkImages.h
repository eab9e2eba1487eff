// The pictures of the font list's row marks, drawn here rather than kept as
// resource files: 9 x 16 marks and the 2 x 16 blank, on a see-through
// background of RGB(128, 0, 128).
#pragma once

#include "ui/ImageList.h"

inline constexpr COLORREF kMarkTransparent = RGB(128, 0, 128);

// INSTALLEDMARK, BODGEYMARK, BADMARK, LOADEDMARK, in that order (TFontMark).
TImageList MakeMarkImages();
// UNINSTALLEDMARK alone: the mark column shrinks to 2 pixels with it.
TImageList MakeNoMarkImages();

// The two above, made once for all the lists of the program, which share them.
const TImageList& SharedMarkImages();
const TImageList& SharedNoMarkImages();
