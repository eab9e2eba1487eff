// Texts of the character map's Unicode mode: a code point's label, its
// UTF-16 units, and what the "go to" box means.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// "U+0041", "U+4E00", "U+1F600": at least four hex digits.
std::string CodePointLabel(char32_t c);
// The bytes in hex, two digits each: "D2BB" for GBK's 一.
std::string HexBytes(std::string_view bytes);
// One code point as UTF-16: a surrogate pair past the BMP.
std::u16string Utf16Of(char32_t c);

// What the box holds: "U+4E00" or "u+4e00", plain hex of two digits or more
// ("4E00", "41"), or one typed character ("一", "A", a surrogate pair).
// Blanks around it are ignored; nothing for anything else.
std::optional<char32_t> ParseGoTo(std::u16string_view text);
