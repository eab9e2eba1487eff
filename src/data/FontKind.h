#pragma once

#include <cstdint>

enum TFontKind : uint8_t {
  fkUnknown = 0,
  fkSerif = 1,
  fkSansSerif = 2,
  fkMonospaced = 3,
  fkScript = 4,
  fkDecorative = 5,
  fkPictorial = 6,
};

inline constexpr int kFontKindCount = 7;

// A set of font kinds, one bit per kind in enumeration order; 127 is all.
using TFontKinds = uint8_t;
inline constexpr TFontKinds kAllFontKinds = 0x7F;

constexpr bool KindInSet(TFontKinds set, TFontKind kind) { return (set >> kind) & 1; }
constexpr TFontKinds KindBit(TFontKind kind) { return TFontKinds(1u << kind); }

// The kind a font's PANOSE family type, serif style and proportion give.
TFontKind FontKindFromPanose(uint8_t familyType, uint8_t serifStyle, uint8_t proportion);

const char* FontKindName(TFontKind kind);  // "fkSerif"...
