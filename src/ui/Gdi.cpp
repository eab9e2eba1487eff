#include "ui/Gdi.h"

#include <cwchar>
#include <map>

#include "ui/Dpi.h"

namespace ui {

namespace {

int CALLBACK NoteFamily(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *AsPointer<bool>(found) = true;
  return 0;
}

}  // namespace

bool FontFamilyExists(std::wstring_view face) {
  if (face.empty() || face.size() >= LF_FACESIZE) return false;
  LOGFONTW lf{};
  lf.lfCharSet = DEFAULT_CHARSET;
  face.copy(lf.lfFaceName, face.size());
  bool found = false;
  TWindowDC dc(nullptr);
  EnumFontFamiliesExW(dc.Get(), &lf, NoteFamily, AsLParam(&found), 0);
  return found;
}

TFontHandle CreateFontByNames(std::initializer_list<std::wstring_view> faces, int pixelHeight,
                              int weight) {
  for (std::wstring_view face : faces) {
    if (!FontFamilyExists(face)) continue;
    LOGFONTW lf{};
    lf.lfHeight = -pixelHeight;
    lf.lfWeight = weight;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = DEFAULT_QUALITY;
    face.copy(lf.lfFaceName, face.size());
    if (HFONT font = CreateFontIndirectW(&lf)) return TFontHandle(font);
  }
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
    if (HFONT font = CreateFontIndirectW(&metrics.lfMessageFont)) return TFontHandle(font);
  }
  return TFontHandle();
}

namespace {

// The interface fonts are 9 points: 12 pixels at 96 dpi.
constexpr int kInterfacePoints = 9;

enum TInterfaceFont { ifDefault, ifSong, ifSongBold, ifCount };

TFontHandle CreateInterfaceFont(TInterfaceFont kind, int dpi) {
  const int height = PointsToPixels(kInterfacePoints, dpi);
  if (kind == ifDefault) {
    // The Chinese families first: a Latin-only interface font would draw the
    // captions with boxes or a substitute of the wrong height.
    return CreateFontByNames({L"Microsoft YaHei", L"微软雅黑", L"SimSun", L"宋体",
                              L"WenQuanYi Micro Hei", L"文泉驿微米黑"},
                             height);
  }
  return CreateFontByNames(
      {L"宋体", L"SimSun", L"NSimSun", L"新宋体", L"WenQuanYi Micro Hei", L"文泉驿微米黑"}, height,
      kind == ifSongBold ? FW_BOLD : FW_NORMAL);
}

// One of each per dpi met, kept for the life of the process: controls hold
// them without owning them.
std::map<int, TFontHandle>& InterfaceFonts(TInterfaceFont kind) {
  static std::map<int, TFontHandle> fonts[ifCount];
  return fonts[kind];
}

HFONT InterfaceFont(TInterfaceFont kind, int dpi) {
  auto& fonts = InterfaceFonts(kind);
  auto it = fonts.find(dpi);
  if (it == fonts.end()) it = fonts.emplace(dpi, CreateInterfaceFont(kind, dpi)).first;
  return it->second.Get();
}

}  // namespace

HFONT DefaultFont(int dpi) {
  if (HFONT font = InterfaceFont(ifDefault, dpi)) return font;
  return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

HFONT SongFont(int dpi) {
  if (HFONT font = InterfaceFont(ifSong, dpi)) return font;
  return DefaultFont(dpi);
}

HFONT SongBoldFont(int dpi) {
  if (HFONT font = InterfaceFont(ifSongBold, dpi)) return font;
  return SongFont(dpi);
}

HFONT InterfaceFontAtDpi(HFONT font, int dpi) {
  for (int kind = ifDefault; kind < ifCount; ++kind) {
    for (const auto& [fontDpi, handle] : InterfaceFonts(static_cast<TInterfaceFont>(kind))) {
      if (handle.Get() != font) continue;
      if (kind == ifDefault) return DefaultFont(dpi);
      return kind == ifSong ? SongFont(dpi) : SongBoldFont(dpi);
    }
  }
  return nullptr;
}

COLORREF ColourToRGB(int32_t colour) {
  const auto value = static_cast<uint32_t>(colour);
  if (value & 0x80000000u) return GetSysColor(static_cast<int>(value & 0xFFu));
  return static_cast<COLORREF>(value & 0xFFFFFFu);
}

SIZE FontCharSize(HFONT font) {
  TWindowDC dc(nullptr);
  TSelectObject select(dc.Get(), font ? font : DefaultFont());
  TEXTMETRICW tm{};
  GetTextMetricsW(dc.Get(), &tm);
  return SIZE{tm.tmAveCharWidth, tm.tmHeight};
}

}  // namespace ui
