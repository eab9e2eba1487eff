#include "views/CharMatrixText.h"

#include <algorithm>

#include "sys/codepage.h"
#include "views/model/CodePointText.h"

namespace charmap {

namespace {

int ScreenPixelsPerInch() {
  const TWindowDC screen(nullptr);
  return GetDeviceCaps(screen.Get(), LOGPIXELSY);
}

}  // namespace

TFontHandle CreatePointFont(std::string_view face, int points, TFaceStyle style) {
  LOGFONTW lf{};
  lf.lfHeight = -MulDiv(std::max(1, points), ScreenPixelsPerInch(), 72);
  lf.lfWeight = style.weight;
  lf.lfItalic = style.italic ? TRUE : FALSE;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfQuality = DEFAULT_QUALITY;
  const std::wstring wide = sys::Widen(face);
  wide.copy(lf.lfFaceName, std::min<size_t>(wide.size(), LF_FACESIZE - 1));
  return TFontHandle(CreateFontIndirectW(&lf));
}

std::string FaceName(HFONT font) {
  LOGFONTW lf{};
  if (!font || !GetObjectW(font, sizeof(lf), &lf)) return {};
  return sys::Narrow(lf.lfFaceName);
}

int PointSize(HFONT font) {
  LOGFONTW lf{};
  if (!font || !GetObjectW(font, sizeof(lf), &lf)) return 9;
  const int pixels = lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight;
  return std::max(1, MulDiv(pixels, 72, ScreenPixelsPerInch()));
}

std::wstring CharOfCode(HDC dc, int code) {
  if (code < 0 || code > 255) return {};
  const int charset = GetTextCharset(dc);
  // Symbol fonts keep their glyphs at U+F000 + byte.
  if (charset == SYMBOL_CHARSET) return std::wstring(1, static_cast<wchar_t>(0xF000 + code));
  UINT codePage = CP_ACP;
  CHARSETINFO info{};
  if (TranslateCharsetInfo(reinterpret_cast<DWORD*>(static_cast<UINT_PTR>(charset)), &info,
                           TCI_SRCCHARSET)) {
    codePage = info.ciACP;
  }
  const char byte = static_cast<char>(code);
  if (IsDBCSLeadByteEx(codePage, static_cast<BYTE>(byte))) return {};
  wchar_t wide[2]{};
  const int n = MultiByteToWideChar(codePage, 0, &byte, 1, wide, 2);
  return n > 0 ? std::wstring(wide, static_cast<size_t>(n)) : std::wstring();
}

std::wstring WideOf(char32_t c) {
  const std::u16string units = Utf16Of(c);
  return std::wstring(units.begin(), units.end());
}

std::wstring WideLabel(const std::string& label) { return std::wstring(label.begin(), label.end()); }

}  // namespace charmap
