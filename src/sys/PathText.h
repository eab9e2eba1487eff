// The one set of case helpers of the program, and the path helpers shared by
// the backends. Names are compared by upper-casing ASCII letters only; the
// second byte of a double-byte character (a letter's code in the East Asian
// code pages) is left as it is.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace sys {

// Tells the lead bytes of double-byte characters in the current ANSI code
// page. Asked once a byte over every listed file name: the test is inline.
class AnsiLeadBytes {
 public:
  AnsiLeadBytes();
  bool operator()(char ch) const {
    const auto c = static_cast<unsigned char>(ch);
    return (c >= low_ && c <= high_) || (c >= low2_ && c <= high2_);
  }
  // Whether the code page has double-byte characters at all.
  bool DoubleByte() const { return low_ <= high_; }

 private:
  // Lead bytes are low_..high_ and low2_..high2_; an empty range has low > high.
  unsigned char low_ = 1, high_ = 0, low2_ = 1, high2_ = 0;
};

std::string UpperAscii(std::string_view text);
void AppendUpperAscii(std::string& out, std::string_view text);
std::string LowerAscii(std::string_view text);
bool EqualNoCase(std::string_view a, std::string_view b);
// UpperAscii(a) < UpperAscii(b), bytes compared unsigned, without building
// either string.
bool LessNoCase(std::string_view a, std::string_view b);

// True when `name` matches the wildcard pattern (byte by byte). "*.*" matches every name, as
// it does on Windows.
bool MatchWildcard(std::string_view pattern, std::string_view name);
bool HasWildcard(std::string_view text);

// Splits "C:\X\*.TTF" into "C:\X" and "*.TTF"; a name without folder gives an
// empty folder.
void SplitPath(std::string_view path, std::string_view& folder, std::string_view& name);

// The names of a shell operation's list: each ended by NUL, the list by an
// empty name. A missing final terminator ends the list as well.
std::vector<std::string> SplitNulList(std::string_view list);

}  // namespace sys
