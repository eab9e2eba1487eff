#include "data/SampleSheetLayout.h"

#include <algorithm>
#include <cmath>

int MmToPixels(int ppi, int millimetres) {
  return static_cast<int>(std::lround(ppi * millimetres / 25.4));
}

TSheetMetrics SheetMetrics(const sys::PrinterCaps& caps, int infoHeight) {
  TSheetMetrics m;
  m.margin = MmToPixels(caps.ppi, 10);
  m.gap = MmToPixels(caps.ppi, 5);
  m.pad = MmToPixels(caps.ppi, 1);
  m.infoHeight = infoHeight;
  m.top = m.margin < caps.physicalOffsetY ? 0 : m.margin - caps.physicalOffsetY;
  m.bottom = std::min(caps.vertRes - m.top, caps.physicalHeight - caps.physicalOffsetY - m.margin);
  m.left = m.margin < caps.physicalOffsetX ? 0 : m.margin - caps.physicalOffsetX;
  m.right = std::min(caps.horzRes - m.left, caps.physicalWidth - caps.physicalOffsetX - m.margin);
  return m;
}

int TitlePoints(int fontSize) { return std::max(fontSize, 8); }

TTitlePlace PlaceTitle(const TSheetMetrics& m, int y, int textHeight) {
  TTitlePlace place;
  place.bar = {m.left, y, m.right, y + m.pad + textHeight};
  place.textX = m.left + m.pad;
  place.textY = y + m.pad / 2;
  place.next = place.bar.bottom + m.gap;
  return place;
}

TBlockPlace PlaceBlock(const TSheetMetrics& m, int y, int sampleHeight) {
  TBlockPlace place;
  if (y + sampleHeight + m.infoHeight > m.bottom && y > m.top) {
    place.newPage = true;
    y = m.top;
  }
  place.sample = {m.left, y, m.right, y + sampleHeight};
  place.info = {m.left, y + sampleHeight, m.right, y + sampleHeight + m.infoHeight};
  place.next = place.info.bottom + m.gap;
  return place;
}
