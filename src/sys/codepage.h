// Conversions between the program's 8-bit ANSI code-page text and Unicode.
#pragma once

#include <string>
#include <string_view>

namespace sys {

// The code page data strings are in. Default: the system's ANSI code page on
// Windows, 936 elsewhere. Tools may choose another.
unsigned CodePage();
void SetCodePage(unsigned codePage);

// Whether the code page's first 128 characters are ASCII, so that plain
// ASCII text needs no conversion: all but the EBCDIC ones.
bool CodePageKeepsAscii(unsigned codePage);

// Characters the code page lacks become its default replacement character.
std::string Utf16ToAnsi(std::u16string_view text);
std::u16string AnsiToUtf16(std::string_view text);
std::string AnsiToUtf8(std::string_view text);
std::string Utf8ToAnsi(std::string_view text);

// The code page's own bytes for one code point (two for a double-byte
// character), or nothing when the code page has no character of its own for
// it: no default character and no look-alike stand in.
std::string CodePointToAnsi(char32_t c);

// For the window layer, whose wchar_t is UTF-16 on Windows.
std::wstring Widen(std::string_view ansi);
std::string Narrow(std::wstring_view wide);

}  // namespace sys
