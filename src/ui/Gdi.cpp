#include "ui/Gdi.h"

#include <cwchar>

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

HFONT DefaultFont() {
  // The Chinese families first: a Latin-only interface font would draw the
  // captions with boxes or a substitute of the wrong height.
  static const TFontHandle font =
      CreateFontByNames({L"Microsoft YaHei", L"微软雅黑", L"SimSun", L"宋体",
                         L"WenQuanYi Micro Hei", L"文泉驿微米黑"},
                        12);
  return font ? font.Get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
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

namespace {
TFontHandle CreateSongFont(int weight) {
  return CreateFontByNames(
      {L"宋体", L"SimSun", L"NSimSun", L"新宋体", L"WenQuanYi Micro Hei", L"文泉驿微米黑"}, 12, weight);
}
}  // namespace

HFONT SongFont() {
  static const TFontHandle font = CreateSongFont(FW_NORMAL);
  return font ? font.Get() : DefaultFont();
}

HFONT SongBoldFont() {
  static const TFontHandle font = CreateSongFont(FW_BOLD);
  return font ? font.Get() : SongFont();
}

}  // namespace ui
