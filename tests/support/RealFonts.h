// Fonts from Debian's packages with what their tables say, for integration
// tests natively (Linux paths) and under Wine (the same files on drive Z:).
#pragma once

#include <string>

#include "data/FontFileInfo.h"

struct RealFont {
  const char* unixPath;
  const char* fontName;
  const char* familyName;
  const char* subfamilyName;
  const char* postScriptName;
  int unitsPerEm;
  int ascender;
  int descender;
  int weightClass;
  int avgCharWidth;
  int winHeight;
  TFontKind kind;
};

inline constexpr RealFont kDejaVuSans = {
    "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", "DejaVu Sans", "DejaVu Sans", "Book",
    "DejaVuSans", 2048, 1901, -483, 400, 1038, 1901 + 483, fkSansSerif};
inline constexpr RealFont kDejaVuSansMono = {
    "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf", "DejaVu Sans Mono", "DejaVu Sans Mono",
    "Book", "DejaVuSansMono", 2048, 1901, -483, 400, 1233, 1901 + 483, fkMonospaced};
inline constexpr RealFont kLiberationSerif = {
    "/usr/share/fonts/truetype/liberation/LiberationSerif-Regular.ttf", "Liberation Serif",
    "Liberation Serif", "Regular", "LiberationSerif", 2048, 1825, -443, 400, 1163, 1825 + 443, fkSerif};
inline constexpr const RealFont* kRealFonts[] = {&kDejaVuSans, &kDejaVuSansMono, &kLiberationSerif};

// "Z:\usr\share\..." for a Linux path.
std::string WinePath(const char* unixPath);
// The path the current platform's backend opens the font by.
std::string NativePath(const RealFont& font);
bool RealFontPresent(const RealFont& font);

// Checks every value of `font` in `record`, reading all tables.
void ExpectRealFont(TFontFileInfo& record, const RealFont& font);
