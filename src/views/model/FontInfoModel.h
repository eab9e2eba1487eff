// What the font information panel shows: its sections in display order, the
// captions, the values of a record formatted for them, which sections are
// left out, and the keys that scroll it. Portable; the panel only places it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "data/FontFileInfo.h"

namespace fontinfo {

enum class TSectionKind {
  Rows,    // captions with a value each; always shown
  Single,  // one wrapped value; left out when empty
  Linked,  // a wrapped value and a web address; left out when both are empty
};

struct TSectionDef {
  std::wstring_view header;
  TSectionKind kind;
  std::vector<std::wstring_view> captions;  // Rows only, without the ":"
  int group;           // the tag of the captions: 1 names, 2 typographic, 3 Windows; 0 none
  size_t gapBefore;    // a row index before which the rows part with an extra gap; 0 none
};

// The ten sections, in the order they are shown.
const std::vector<TSectionDef>& Sections();
inline constexpr size_t kSectionCount = 10;

struct TSectionValues {
  std::vector<std::string> values;  // one per caption; one for Single and Linked
  std::string link;                 // Linked only
};

// The values of every section, formatted, for a record's fields. ANSI text.
std::vector<TSectionValues> SectionValues(const TFontFields& fields);
bool SectionShown(const TSectionDef& section, const TSectionValues& values);

// A caption as the panel shows it: with ":" appended.
std::wstring CaptionText(std::wstring_view caption);
// No grouping, a leading minus when negative.
std::string FormatDecimal(int64_t value);
std::string WeightClassName(int32_t weightClass);
std::string WidthClassName(int32_t widthClass);
std::string YesNo(bool value);
// The face's outlines and, for a face of a collection, which face of how many.
std::string FormatText(const TFontFields& fields);
// Without the blanks and control characters around it.
std::string TrimBlanks(std::string_view text);

// Scroll codes a key sends to the panel (SB_LINEUP...), or -1 for a key
// that does nothing. `noModifiers`: no Shift, Ctrl or Alt; `ctrlAlone`:
// Ctrl and neither of the others.
int ScrollCodeForKey(unsigned virtualKey, bool noModifiers, bool ctrlAlone);

}  // namespace fontinfo
