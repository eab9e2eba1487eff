#include "sys/PathText.h"

#include <algorithm>

#include "sys/codepage.h"

namespace sys {

namespace {
char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
}  // namespace

AnsiLeadBytes::AnsiLeadBytes() {
  switch (CodePage()) {
    case 932:
      low_ = 0x81, high_ = 0x9F, low2_ = 0xE0, high2_ = 0xFC;
      break;
    case 936:
    case 949:
    case 950:
      low_ = 0x81, high_ = 0xFE;
      break;
    default:
      break;
  }
}

namespace {
// Moves the ASCII letters First..Last of out[start..] by Delta, stepping over
// the second bytes of double-byte characters.
template <char First, char Last, int Delta>
void ShiftAsciiLetters(std::string& out, size_t start) {
  const AnsiLeadBytes lead;
  // Local copies: a store through char* could change the string's own fields
  // as far as the compiler knows, which would reload them on every byte.
  char* const bytes = out.data();
  const size_t size = out.size();
  for (size_t i = start; i < size; ++i) {
    const char c = bytes[i];
    if (c >= First && c <= Last) {
      bytes[i] = static_cast<char>(c + Delta);
    } else if (static_cast<unsigned char>(c) >= 0x80 && lead(c)) {  // no lead byte is ASCII
      ++i;
    }
  }
}
}  // namespace

std::string UpperAscii(std::string_view text) {
  std::string result;
  AppendUpperAscii(result, text);
  return result;
}

void AppendUpperAscii(std::string& out, std::string_view text) {
  const size_t start = out.size();
  out.append(text);
  ShiftAsciiLetters<'a', 'z', 'A' - 'a'>(out, start);
}

std::string LowerAscii(std::string_view text) {
  std::string result(text);
  ShiftAsciiLetters<'A', 'Z', 'a' - 'A'>(result, 0);
  return result;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  const AnsiLeadBytes lead;
  for (size_t i = 0; i < a.size(); ++i) {
    if (Upper(a[i]) != Upper(b[i])) return false;
    if (static_cast<unsigned char>(a[i]) >= 0x80 && lead(a[i]) && ++i < a.size() && a[i] != b[i]) {
      return false;
    }
  }
  return true;
}

bool LessNoCase(std::string_view a, std::string_view b) {
  // While the two agree, a lead byte in one is one in the other: lead bytes
  // are not letters, so they agree only where they are equal.
  const size_t n = std::min(a.size(), b.size());
  // Names in one listing share long beginnings: equal ASCII bytes need no
  // case or lead-byte test, and leave no trail byte pending.
  size_t i = 0;
  while (i < n && a[i] == b[i] && static_cast<unsigned char>(a[i]) < 0x80) ++i;
  const AnsiLeadBytes lead;
  bool trail = false;
  for (; i < n; ++i) {
    const auto x = static_cast<unsigned char>(trail ? a[i] : Upper(a[i]));
    const auto y = static_cast<unsigned char>(trail ? b[i] : Upper(b[i]));
    if (x != y) return x < y;
    trail = !trail && x >= 0x80 && lead(a[i]);
  }
  return a.size() < b.size();
}

bool HasWildcard(std::string_view text) { return text.find_first_of("*?") != std::string_view::npos; }

bool MatchWildcard(std::string_view pattern, std::string_view name) {
  if (pattern == "*.*") pattern = "*";
  // "*.TTF", the pattern of every folder scan: a plain ending.
  if (!pattern.empty() && pattern[0] == '*' && !HasWildcard(pattern.substr(1))) {
    const std::string_view ending = pattern.substr(1);
    return name.size() >= ending.size() &&
           EqualNoCase(name.substr(name.size() - ending.size()), ending);
  }
  // Iterative matcher with one backtrack point: linear in practice and never
  // exponential on patterns such as "*a*a*a*b".
  size_t p = 0, n = 0;
  size_t starP = std::string_view::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starN = n;
    } else if (p < pattern.size() && (pattern[p] == '?' || Upper(pattern[p]) == Upper(name[n]))) {
      ++p;
      ++n;
    } else if (starP != std::string_view::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

void SplitPath(std::string_view path, std::string_view& folder, std::string_view& name) {
  size_t slash = path.find_last_of("\\/");
  if (slash == std::string_view::npos) {
    folder = {};
    name = path;
  } else {
    folder = path.substr(0, slash);
    name = path.substr(slash + 1);
  }
}

std::vector<std::string> SplitNulList(std::string_view list) {
  std::vector<std::string> names;
  size_t start = 0;
  while (start < list.size()) {
    size_t end = list.find('\0', start);
    if (end == std::string_view::npos) end = list.size();
    if (end == start) break;
    names.emplace_back(list.substr(start, end - start));
    start = end + 1;
  }
  return names;
}

}  // namespace sys
