#include "sys/PathText.h"

#include <algorithm>

namespace sys {

namespace {
char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
}  // namespace

std::string UpperAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = Upper(c);
  return out;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Upper(a[i]) != Upper(b[i])) return false;
  return true;
}

bool LessNoCase(std::string_view a, std::string_view b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const auto x = static_cast<unsigned char>(Upper(a[i]));
    const auto y = static_cast<unsigned char>(Upper(b[i]));
    if (x != y) return x < y;
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
