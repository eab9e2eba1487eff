// Where a sample sheet's title bar and blocks go on the printer's pages: plain
// arithmetic in printer pixels, from the device capabilities and the text
// heights the printer measured.
#pragma once

#include "sys/Print.h"

struct TSheetMetrics {
  int margin = 0;      // 10 mm
  int gap = 0;         // 5 mm, after each block and after the title bar
  int pad = 0;         // 1 mm, inside the title bar
  int infoHeight = 0;  // of "gM" in the information font
  int top = 0;         // the printable area's pixels, the margin kept
  int bottom = 0;
  int left = 0;
  int right = 0;
};

int MmToPixels(int ppi, int millimetres);
TSheetMetrics SheetMetrics(const sys::PrinterCaps& caps, int infoHeight);
// The title is never set smaller than 8 points.
int TitlePoints(int fontSize);

struct TTitlePlace {
  sys::PrintRect bar;  // filled black; the title is clipped to it
  int textX = 0;
  int textY = 0;
  int next = 0;        // where the first block starts
};
TTitlePlace PlaceTitle(const TSheetMetrics& metrics, int y, int textHeight);

struct TBlockPlace {
  bool newPage = false;  // the block starts a page at Top
  sys::PrintRect sample;
  sys::PrintRect info;
  int next = 0;
};
// A block that does not fit below `y` goes to a new page, unless nothing
// stands on this page yet: a block taller than the page is printed cut off
// rather than after an empty page.
TBlockPlace PlaceBlock(const TSheetMetrics& metrics, int y, int sampleHeight);
