// The state mark in front of a font list row, and the names of the pictures
// that show them. The numbers are the marks' places in the mark image list.
#pragma once

#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

enum TFontMark : int {
  fmNone = -1,
  fmInstalled = 0,
  fmBodgey = 1,
  fmBad = 2,
  fmLoaded = 3,
};
inline constexpr int kFontMarkCount = 4;

// Names of the mark pictures, in image-list order.
inline constexpr std::string_view kMarkImageNames[kFontMarkCount] = {
    "INSTALLEDMARK", "BODGEYMARK", "BADMARK", "LOADEDMARK"};
// The blank that narrows the mark column when no row has a mark.
inline constexpr std::string_view kNoMarkImageName = "UNINSTALLEDMARK";

// The first rule that holds wins: bad, bodgey, installed, loaded.
constexpr TFontMark MarkFor(bool bad, bool bodgey, bool installed, bool loaded) {
  if (bad) return fmBad;
  if (bodgey) return fmBodgey;
  if (installed) return fmInstalled;
  if (loaded) return fmLoaded;
  return fmNone;
}

// The session's loaded fonts (upper-cased full file names) as a set, so that
// marking a long list costs one look-up per row.
class TLoadedFontSet {
 public:
  explicit TLoadedFontSet(const std::vector<std::string>* loadedFonts);
  bool Empty() const { return names_.empty(); }
  bool Contains(std::string_view fileName) const;

 private:
  std::unordered_set<std::string> names_;
};
