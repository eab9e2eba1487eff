#include "views/model/CodePointText.h"

#include <cstdio>

namespace {

constexpr char32_t kLastCodePoint = 0x10FFFF;

int HexDigit(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  return -1;
}

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\x3000'; }

std::optional<char32_t> ParseHex(std::u16string_view digits) {
  if (digits.empty() || digits.size() > 6) return std::nullopt;
  char32_t value = 0;
  for (char16_t c : digits) {
    const int d = HexDigit(c);
    if (d < 0) return std::nullopt;
    value = value * 16 + char32_t(d);
  }
  if (value > kLastCodePoint) return std::nullopt;
  return value;
}

}  // namespace

std::string CodePointLabel(char32_t c) {
  char text[16];
  std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(c));
  return text;
}

std::string HexBytes(std::string_view bytes) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char b : bytes) {
    out += kDigits[b >> 4];
    out += kDigits[b & 0xF];
  }
  return out;
}

std::u16string Utf16Of(char32_t c) {
  if (c < 0x10000) return std::u16string(1, char16_t(c));
  c -= 0x10000;
  return {char16_t(0xD800 + (c >> 10)), char16_t(0xDC00 + (c & 0x3FF))};
}

std::optional<char32_t> ParseGoTo(std::u16string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  if (text.size() > 2 && (text[0] == u'U' || text[0] == u'u') && text[1] == u'+') return ParseHex(text.substr(2));
  if (text.size() >= 2) {
    if (text.size() == 2 && text[0] >= 0xD800 && text[0] <= 0xDBFF && text[1] >= 0xDC00 && text[1] <= 0xDFFF)
      return 0x10000 + ((char32_t(text[0]) - 0xD800) << 10) + (char32_t(text[1]) - 0xDC00);
    return ParseHex(text);
  }
  if (text.size() == 1 && (text[0] < 0xD800 || text[0] > 0xDFFF)) return char32_t(text[0]);
  return std::nullopt;
}
