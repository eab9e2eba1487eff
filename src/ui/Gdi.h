// The interface font and font helpers.
#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "ui/Dpi.h"
#include "ui/Handles.h"
#include "ui/Win.h"

namespace ui {

// True when a font family of that name is installed.
bool FontFamilyExists(std::wstring_view face);

// A font of `pixelHeight` pixels (character height) in the first installed
// family of the list; the system's interface font when none is installed.
TFontHandle CreateFontByNames(std::initializer_list<std::wstring_view> faces, int pixelHeight,
                              int weight = FW_NORMAL);

// The interface font every control starts with: a family that has the
// Chinese glyphs of the captions, 9 points at `dpi`. Lives as long as the
// process.
HFONT DefaultFont(int dpi = SystemDpi());

// Song at 9 points (12 pixels at 96 dpi), or a family with the same glyphs:
// the font of the font windows and the dialogs. Lives as long as the process.
HFONT SongFont(int dpi = SystemDpi());
// The same in bold: headings on dialog pages.
HFONT SongBoldFont(int dpi = SystemDpi());

// The same interface font as `font` at another dpi; null when `font` is none
// of them.
HFONT InterfaceFontAtDpi(HFONT font, int dpi);

// A colour as the settings store it: an RGB value, or 0x80000000 plus a
// system colour index.
COLORREF ColourToRGB(int32_t colour);

// Average character width and line height of a font on the screen.
SIZE FontCharSize(HFONT font);

}  // namespace ui
