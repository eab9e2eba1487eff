#include "data/FontKind.h"

TFontKind FontKindFromPanose(uint8_t familyType, uint8_t serifStyle, uint8_t proportion) {
  constexpr uint8_t kLatinText = 2, kHandWritten = 3, kDecorative = 4, kSymbol = 5;
  constexpr uint8_t kMonospaced = 9;
  switch (familyType) {
    case kLatinText:
      if (proportion == kMonospaced) return fkMonospaced;
      // Normal, obtuse and perpendicular sans, and rounded.
      if (serifStyle == 11 || serifStyle == 12 || serifStyle == 13 || serifStyle == 15)
        return fkSansSerif;
      return fkSerif;
    case kHandWritten:
      return fkScript;
    case kDecorative:
      return fkDecorative;
    case kSymbol:
      return fkPictorial;
    default:
      return fkUnknown;
  }
}

const char* FontKindName(TFontKind kind) {
  static const char* const kNames[kFontKindCount] = {
      "fkUnknown", "fkSerif", "fkSansSerif", "fkMonospaced", "fkScript", "fkDecorative", "fkPictorial"};
  return kind < kFontKindCount ? kNames[kind] : "fkUnknown";
}
