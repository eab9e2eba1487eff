// Jobs on the default printer through its device context.
#include <windows.h>
#include <winspool.h>

#include <string>
#include <vector>

#include "sys/win32/Win32Backend.h"
#include "sys/win32/Win32Handles.h"

namespace sys {
namespace {

RECT ToRect(const PrintRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

class Win32PrintJob : public PrintJob {
 public:
  explicit Win32PrintJob(win32::DcHandle dc)
      : dc_(std::move(dc)), originalFont_(::GetCurrentObject(dc_.Get(), OBJ_FONT)) {}
  ~Win32PrintJob() override { End(); }

  PrinterCaps Caps() override {
    const HDC dc = dc_.Get();
    PrinterCaps caps;
    caps.ppi = ::GetDeviceCaps(dc, LOGPIXELSY);
    caps.horzRes = ::GetDeviceCaps(dc, HORZRES);
    caps.vertRes = ::GetDeviceCaps(dc, VERTRES);
    caps.physicalWidth = ::GetDeviceCaps(dc, PHYSICALWIDTH);
    caps.physicalHeight = ::GetDeviceCaps(dc, PHYSICALHEIGHT);
    caps.physicalOffsetX = ::GetDeviceCaps(dc, PHYSICALOFFSETX);
    caps.physicalOffsetY = ::GetDeviceCaps(dc, PHYSICALOFFSETY);
    return caps;
  }

  bool NewPage() override {
    // A new page starts with the device context's defaults: the font goes again.
    if (::EndPage(dc_.Get()) <= 0 || ::StartPage(dc_.Get()) <= 0) return false;
    if (font_) ::SelectObject(dc_.Get(), font_.Get());
    return true;
  }

  bool UseFont(const PrintFont& font) override {
    outlines_ = font.outlines;
    // The locale's character set first, as the screen does. In a Chinese
    // locale that may land a Latin face such as "Arial" on a substitute with
    // PostScript (CFF) outlines, which the printer driver may not draw at
    // all: a substitute without TrueType outlines gives way to the face's own
    // character set. A face asked for by its own name is never swapped.
    if (!Select(font, DEFAULT_CHARSET)) return false;
    if (!SubstituteWithoutTrueType(font.face)) return true;
    return Select(font, ANSI_CHARSET) || Select(font, DEFAULT_CHARSET);
  }

  bool Select(const PrintFont& font, BYTE charset) {
    const int height = -::MulDiv(font.points, ::GetDeviceCaps(dc_.Get(), LOGPIXELSY), 72);
    HFONT handle = ::CreateFontA(height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, font.italic,
                                 font.underline, font.strikeOut, charset, OUT_DEFAULT_PRECIS,
                                 CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                 font.face.c_str());
    if (!handle) return false;
    ::SelectObject(dc_.Get(), handle);
    font_.Reset(handle);  // the one it replaces is no longer selected
    return true;
  }

  bool SubstituteWithoutTrueType(const std::string& face) {
    TEXTMETRICA metrics{};
    char chosen[LF_FACESIZE] = {};
    if (!::GetTextMetricsA(dc_.Get(), &metrics) || !::GetTextFaceA(dc_.Get(), LF_FACESIZE, chosen))
      return false;
    return (metrics.tmPitchAndFamily & TMPF_TRUETYPE) == 0 && ::lstrcmpiA(chosen, face.c_str()) != 0;
  }

  int TextHeight(std::string_view text) override {
    SIZE size{};
    ::GetTextExtentPoint32A(dc_.Get(), text.data(), static_cast<int>(text.size()), &size);
    return size.cy;
  }

  bool FillRect(const PrintRect& rect, uint32_t color) override {
    win32::GdiObjectHandle brush(::CreateSolidBrush(color));
    if (!brush) return false;
    const RECT r = ToRect(rect);
    return ::FillRect(dc_.Get(), &r, static_cast<HBRUSH>(brush.Get())) != 0;
  }

  bool Text(int x, int y, std::string_view text, const PrintRect& clip, uint32_t color) override {
    const HDC dc = dc_.Get();
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, color);
    const RECT r = ToRect(clip);
    const auto length = static_cast<UINT>(text.size());
    if (!outlines_) return ::ExtTextOutA(dc, x, y, ETO_CLIPPED, &r, text.data(), length, nullptr) != 0;
    win32::GdiObjectHandle brush(::CreateSolidBrush(color));
    const int saved = ::SaveDC(dc);
    if (!brush || saved == 0) return false;
    ::IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
    ::SelectObject(dc, brush.Get());
    ::SelectObject(dc, ::GetStockObject(NULL_PEN));
    const bool drawn = FillTextOutlines(x, y, text);
    const DWORD error = ::GetLastError();
    ::RestoreDC(dc, saved);  // lets go of the brush before it goes
    if (!drawn) ::SetLastError(error);
    return drawn;
  }

  // Fills the outlines of the text's glyphs as polygons, which every driver
  // draws: the text's path, flattened, read back and drawn. (Filling the
  // path itself fails on a spooled printer context under Wine.)
  bool FillTextOutlines(int x, int y, std::string_view text) {
    const HDC dc = dc_.Get();
    if (!::BeginPath(dc)) return false;
    std::vector<POINT> points;
    std::vector<BYTE> types;
    int count = -1;
    if (::ExtTextOutA(dc, x, y, 0, nullptr, text.data(), static_cast<UINT>(text.size()), nullptr) &&
        ::EndPath(dc) && ::FlattenPath(dc) && (count = ::GetPath(dc, nullptr, nullptr, 0)) > 0) {
      points.resize(static_cast<size_t>(count));
      types.resize(static_cast<size_t>(count));
      if (::GetPath(dc, points.data(), types.data(), count) != count) count = -1;
    }
    ::AbortPath(dc);  // read, or given up
    if (count < 0) return false;
    // Each figure starts with a move; a flattened path holds lines only.
    std::vector<INT> figures;
    for (const BYTE type : types) {
      if ((type & ~PT_CLOSEFIGURE) == PT_MOVETO || figures.empty()) figures.push_back(0);
      ++figures.back();
    }
    if (figures.empty()) return true;  // spaces only
    ::SetPolyFillMode(dc, WINDING);
    return ::PolyPolygon(dc, points.data(), figures.data(), static_cast<int>(figures.size())) != 0;
  }

  bool End() override {
    if (ended_) return true;
    ended_ = true;
    bool ok = ::EndPage(dc_.Get()) > 0;
    // Ended even when the page was refused, so that the spooler lets go of it.
    ok = ::EndDoc(dc_.Get()) > 0 && ok;
    const DWORD error = ::GetLastError();
    ::SelectObject(dc_.Get(), originalFont_);
    font_.Reset();
    if (!ok) ::SetLastError(error);
    return ok;
  }

 private:
  win32::DcHandle dc_;  // first, so that it goes last
  HGDIOBJ originalFont_;
  win32::GdiObjectHandle font_;
  bool outlines_ = false;
  bool ended_ = false;
};

}  // namespace

std::unique_ptr<PrintJob> Win32Backend::StartPrintJob(std::wstring_view title) {
  DWORD size = 0;
  ::GetDefaultPrinterW(nullptr, &size);
  std::wstring printer(size, L'\0');
  if (size == 0 || !::GetDefaultPrinterW(printer.data(), &size)) {
    // "No default printer" comes as ERROR_FILE_NOT_FOUND, which would name a file.
    const DWORD error = ::GetLastError();
    ::SetLastError(error == ERROR_FILE_NOT_FOUND || error == ERROR_INSUFFICIENT_BUFFER
                       ? kErrorNoPrinter
                       : error);
    return nullptr;
  }
  printer.resize(size > 0 ? size - 1 : 0);

  win32::DcHandle dc(::CreateDCW(L"WINSPOOL", printer.c_str(), nullptr, nullptr));
  if (!dc) return nullptr;
  const std::wstring docName(title);
  DOCINFOW info{};
  info.cbSize = sizeof info;
  info.lpszDocName = docName.c_str();
  if (::StartDocW(dc.Get(), &info) <= 0) {
    const DWORD error = ::GetLastError();
    dc.Reset();
    ::SetLastError(error);
    return nullptr;
  }
  if (::StartPage(dc.Get()) <= 0) {
    const DWORD error = ::GetLastError();
    ::AbortDoc(dc.Get());
    dc.Reset();
    ::SetLastError(error);
    return nullptr;
  }
  return std::make_unique<Win32PrintJob>(std::move(dc));
}

}  // namespace sys
