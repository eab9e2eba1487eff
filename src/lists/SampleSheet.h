// Printing the sample sheet of a font list's selected fonts.
#pragma once

#include <string_view>
#include <vector>

class TFontFileInfo;

// Prints the sheet of `records`; their fonts that are not installed are added
// to the system for the job and removed after it. A printer that refuses gets
// an error box with the system's reason. No records: nothing happens.
void PrintFontSamples(const std::vector<TFontFileInfo*>& records, std::string_view title,
                      std::string_view sampleText, int fontSize);
