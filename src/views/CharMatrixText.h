// What the character map and its magnifier draw a code with: a font by its
// ANSI face name at a point size, and the character a byte stands for in
// that font's own character set.
#pragma once

#include <string>
#include <string_view>

#include "ui/Handles.h"
#include "ui/Win.h"

namespace charmap {

// The weight and slant a face is asked for with, beside its name.
struct TFaceStyle {
  int weight = FW_NORMAL;
  bool italic = false;
  bool operator==(const TFaceStyle&) const = default;
};

// `face` in the ANSI code page, cut to what a LOGFONT holds; `points` at the
// screen's resolution. The system substitutes a face it does not know.
TFontHandle CreatePointFont(std::string_view face, int points, TFaceStyle style = {});

// The face name and point size of a font the program already has.
std::string FaceName(HFONT font);
int PointSize(HFONT font);

// The character of byte `code` (0 .. 255) in the charset of the font
// selected into `dc`; empty when that charset has none (a lone lead byte).
std::wstring CharOfCode(HDC dc, int code);

// One code point as wide text: a surrogate pair past the BMP.
std::wstring WideOf(char32_t c);

// The text of an ASCII label.
std::wstring WideLabel(const std::string& label);

}  // namespace charmap
