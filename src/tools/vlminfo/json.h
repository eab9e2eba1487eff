// Font file records as JSON lines, strings converted from the data code page
// to UTF-8.
#pragma once

#include <string>
#include <string_view>

#include "data/FontFileInfo.h"

// A JSON string literal of UTF-8 text: quotes, backslashes and control
// characters escaped, bytes that are not UTF-8 replaced by U+FFFD.
std::string JsonString(std::string_view utf8);
// The same, appended to `out`.
void AppendJsonString(std::string& out, std::string_view utf8);

// The record as one JSON object, keys in the record's field order, no newline.
std::string RecordToJson(const TFontFields& fields);
