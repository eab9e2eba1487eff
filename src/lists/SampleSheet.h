// Printing the sample sheet of a font list's selected fonts.
#pragma once

#include <string>
#include <string_view>
#include <vector>

class TFontFileInfo;

// Adds the fonts of `records` that are not installed to the system, once each
// (`tempLoaded` lists what was added before and grows), then prints their
// sheet; a printer that refuses gets an error box with the system's reason.
// No records: nothing happens.
void PrintFontSamples(const std::vector<TFontFileInfo*>& records,
                      std::vector<std::string>& tempLoaded, std::string_view title,
                      std::string_view sampleText, int fontSize);
