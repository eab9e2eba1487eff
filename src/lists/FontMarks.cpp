#include "lists/FontMarks.h"

#include "data/VLMUtil.h"

TLoadedFontSet::TLoadedFontSet(const std::vector<std::string>* loadedFonts) {
  if (!loadedFonts) return;
  // Entries are stored upper-cased; upper-casing again guards against one
  // written by hand.
  for (const std::string& name : *loadedFonts) names_.insert(UpperAscii(name));
}

bool TLoadedFontSet::Contains(std::string_view fileName) const {
  return !names_.empty() && names_.count(UpperAscii(fileName)) != 0;
}
