// UTF-8 and UTF-16 conversions, the same on every platform. Malformed input
// becomes U+FFFD rather than being dropped silently.
#pragma once

#include <string>
#include <string_view>

namespace sys {

std::string Utf16ToUtf8(std::u16string_view text);
std::u16string Utf8ToUtf16(std::string_view text);

}  // namespace sys
