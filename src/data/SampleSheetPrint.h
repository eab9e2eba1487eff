// Printing a sample sheet: a title bar on the first page, then for each font
// a line of sample text set in it and a small line naming the font and file.
#pragma once

#include <string>
#include <vector>

#include "sys/Print.h"

class TFontFileInfo;

struct TSampleBlock {
  sys::PrintFont font;
  std::string info;  // the font's name and file
};

struct TSampleSheet {
  std::string title;  // no title bar when empty
  std::string sampleText;
  int fontSize = 0;   // points
  std::vector<TSampleBlock> blocks;
};

inline constexpr wchar_t kSampleSheetJobTitle[] = L"Velmara 样本页";

// The record's family at `fontSize`, with its bold, italic, underline and
// strike-out; reads the record's tables when they are not yet read.
TSampleBlock SampleBlock(TFontFileInfo& record, int fontSize);

// Prints on the default printer; the job is ended whatever happens. False
// when the printer refused the job or a page; LastError then says why.
bool PrintSampleSheet(const TSampleSheet& sheet);
