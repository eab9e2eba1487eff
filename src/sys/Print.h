// Printing through the platform layer: a job on the default printer, drawn in
// the printer's own pixels. Texts are ANSI code-page text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace sys {

// The error a backend without any printer fails a job with
// (ERROR_INVALID_PRINTER_NAME).
inline constexpr uint32_t kErrorNoPrinter = 1801;

// What GetDeviceCaps tells of the printer, in its pixels.
struct PrinterCaps {
  int ppi = 0;              // LOGPIXELSY
  int horzRes = 0;          // HORZRES: printable width
  int vertRes = 0;          // VERTRES: printable height
  int physicalWidth = 0;    // PHYSICALWIDTH: the whole sheet
  int physicalHeight = 0;   // PHYSICALHEIGHT
  int physicalOffsetX = 0;  // PHYSICALOFFSETX: the sheet's edge to the printable area
  int physicalOffsetY = 0;  // PHYSICALOFFSETY
};

struct PrintFont {
  std::string face;
  int points = 0;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  // Text in the face is drawn as the outlines of its glyphs, not handed to
  // the printer as text: for faces with PostScript (CFF) outlines, which
  // some printer drivers cannot download (Wine's crashes on them).
  bool outlines = false;
  bool operator==(const PrintFont&) const = default;
};

struct PrintRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool operator==(const PrintRect&) const = default;
};

// A started job with a page open. The job ends when the object goes, if End
// has not ended it before; what was printed is kept either way.
class PrintJob {
 public:
  virtual ~PrintJob() = default;
  PrintJob(const PrintJob&) = delete;
  PrintJob& operator=(const PrintJob&) = delete;

  virtual PrinterCaps Caps() = 0;
  // Ends the page and opens the next.
  virtual bool NewPage() = 0;
  // The font of the text calls after it.
  virtual bool UseFont(const PrintFont& font) = 0;
  // The height of `text` in the current font.
  virtual int TextHeight(std::string_view text) = 0;
  // `color` is 0x00BBGGRR, as COLORREF.
  virtual bool FillRect(const PrintRect& rect, uint32_t color) = 0;
  // Text at (x, y) on a transparent background, cut off outside `clip`.
  virtual bool Text(int x, int y, std::string_view text, const PrintRect& clip, uint32_t color) = 0;
  // Ends the page and the job; false when the system refused, and then the
  // job is over all the same.
  virtual bool End() = 0;

 protected:
  PrintJob() = default;
};

}  // namespace sys
