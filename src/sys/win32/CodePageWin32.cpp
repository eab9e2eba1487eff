// Code page conversions through the system. Characters the code page lacks
// become its default character.
#include <windows.h>

#include <atomic>
#include <climits>

#include "sys/Utf8.h"
#include "sys/codepage.h"

namespace sys {

namespace {
static_assert(sizeof(wchar_t) == sizeof(char16_t));

std::atomic<unsigned> g_codePage{0};  // 0: the system's ANSI code page

int Clamp(size_t size) { return size > INT_MAX ? INT_MAX : static_cast<int>(size); }
}  // namespace

unsigned CodePage() {
  unsigned codePage = g_codePage.load();
  return codePage ? codePage : ::GetACP();
}

void SetCodePage(unsigned codePage) { g_codePage.store(codePage); }

std::string Utf16ToAnsi(std::u16string_view text) {
  if (text.empty()) return {};
  const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
  const int units = Clamp(text.size());
  const UINT codePage = CodePage();
  int length = ::WideCharToMultiByte(codePage, 0, wide, units, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return {};
  std::string out(static_cast<size_t>(length), '\0');
  ::WideCharToMultiByte(codePage, 0, wide, units, out.data(), length, nullptr, nullptr);
  return out;
}

std::u16string AnsiToUtf16(std::string_view text) {
  if (text.empty()) return {};
  const int bytes = Clamp(text.size());
  const UINT codePage = CodePage();
  int length = ::MultiByteToWideChar(codePage, 0, text.data(), bytes, nullptr, 0);
  if (length <= 0) return {};
  std::u16string out(static_cast<size_t>(length), u'\0');
  ::MultiByteToWideChar(codePage, 0, text.data(), bytes, reinterpret_cast<wchar_t*>(out.data()),
                        length);
  return out;
}

std::string AnsiToUtf8(std::string_view text) { return Utf16ToUtf8(AnsiToUtf16(text)); }
std::string Utf8ToAnsi(std::string_view text) { return Utf16ToAnsi(Utf8ToUtf16(text)); }

std::string CodePointToAnsi(char32_t c) {
  if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return {};
  wchar_t units[2];
  int count = 1;
  if (c >= 0x10000) {
    units[0] = static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10));
    units[1] = static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    count = 2;
  } else {
    units[0] = static_cast<wchar_t>(c);
  }
  char bytes[8];
  BOOL usedDefault = FALSE;
  const UINT codePage = CodePage();
  // UTF-7 and UTF-8 take neither the flag nor the question.
  const bool unicodePage = codePage == CP_UTF7 || codePage == CP_UTF8;
  const int n = ::WideCharToMultiByte(codePage, unicodePage ? 0 : WC_NO_BEST_FIT_CHARS, units, count, bytes,
                                      sizeof bytes, nullptr, unicodePage ? nullptr : &usedDefault);
  if (n <= 0 || usedDefault) return {};
  return std::string(bytes, static_cast<size_t>(n));
}

std::wstring Widen(std::string_view ansi) {
  std::u16string units = AnsiToUtf16(ansi);
  return std::wstring(units.begin(), units.end());
}

std::string Narrow(std::wstring_view wide) {
  return Utf16ToAnsi(std::u16string_view(reinterpret_cast<const char16_t*>(wide.data()), wide.size()));
}

}  // namespace sys
