// The program's pictures as the window code loads them: each tool bar glyph by
// name, in full colour and in 16 colours, and the two icons in the order the
// shell numbers them. This test program links the same resources as velmara.exe.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "ui/Handles.h"

#include <shellapi.h>

namespace {

const wchar_t* const kGlyphs[] = {
    L"NEW",   L"REFRESH",   L"CUT",       L"COPY",       L"PASTE",  L"INSTALL",    L"UNINSTALL",
    L"PRINT", L"PROPERTIES", L"DELETE",   L"HELP",       L"ALL",    L"NONE",       L"SERIF",
    L"SANSSERIF", L"MONOSPACED", L"SCRIPT", L"DECORATIVE", L"PICTORIAL", L"OTHER"};

TBitmapHandle LoadGlyph(const std::wstring& name, DIBSECTION& dib) {
  TBitmapHandle bitmap(static_cast<HBITMAP>(
      LoadImageW(GetModuleHandleW(nullptr), name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  dib = {};
  if (bitmap) GetObjectW(bitmap.Get(), sizeof dib, &dib);
  return bitmap;
}

TEST(Resources, EveryGlyphLoadsByNameInFullColourWithAlphaAndIn16ColoursOnItsOwnBackground) {
  int straight = 0;
  for (const wchar_t* name : kGlyphs) {
    SCOPED_TRACE(testing::Message() << std::string(name, name + wcslen(name)));

    DIBSECTION dib;
    TBitmapHandle full = LoadGlyph(name, dib);
    ASSERT_TRUE(full);
    EXPECT_EQ(dib.dsBm.bmWidth, 20);
    ASSERT_EQ(dib.dsBm.bmHeight, 20);
    ASSERT_EQ(dib.dsBm.bmBitsPixel, 32);
    ASSERT_NE(dib.dsBm.bmBits, nullptr);
    const bool bottomUp = dib.dsBmih.biHeight > 0;
    const auto* bits = static_cast<const BYTE*>(dib.dsBm.bmBits);
    auto pixel = [&](int x, int y) { return bits + ((bottomUp ? 19 - y : y) * 20 + x) * 4; };

    TBitmapHandle vga = LoadGlyph(std::wstring(name) + L"16", dib);
    ASSERT_TRUE(vga);
    EXPECT_EQ(dib.dsBm.bmWidth, 20);
    EXPECT_EQ(dib.dsBm.bmHeight, 20);
    ASSERT_EQ(dib.dsBm.bmBitsPixel, 4);
    TMemoryDC dc;
    TSelectObject select(dc.Get(), vga.Get());
    // The tool bar leaves out the bottom-left pixel's colour: it must be where
    // the full-colour picture is clear, and nowhere else.
    const COLORREF background = GetPixel(dc.Get(), 0, 19);
    int clear = 0;
    int shown = 0;
    int misplaced = 0;
    for (int y = 0; y < 20; ++y) {
      for (int x = 0; x < 20; ++x) {
        const BYTE* p = pixel(x, y);
        clear += p[3] == 0;
        shown += p[3] != 0;
        straight += p[3] < 255 && std::max({p[0], p[1], p[2]}) > p[3];
        misplaced += (p[3] < 128) != (GetPixel(dc.Get(), x, y) == background);
      }
    }
    EXPECT_GT(clear, 0);
    EXPECT_GT(shown, 50);
    EXPECT_LE(misplaced, 1) << "only the bottom-left pixel may be given up to the background";
  }
  // Colours brighter than their alpha: not premultiplied.
  EXPECT_GT(straight, 100);
}

// An icon's colours as 32 x 32 pixels.
std::vector<BYTE> IconBits(HICON icon) {
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return {};
  TBitmapHandle colour(info.hbmColor);
  TBitmapHandle mask(info.hbmMask);
  BITMAPINFO format{};
  format.bmiHeader = {sizeof(BITMAPINFOHEADER), 32, 32, 1, 32, BI_RGB};
  std::vector<BYTE> bits(32 * 32 * 4);
  TWindowDC screen(nullptr);
  GetDIBits(screen.Get(), colour.Get(), 0, 32, bits.data(), &format, DIB_RGB_COLORS);
  return bits;
}

// The pixel widths an icon group holds, 0 standing for 256.
std::vector<int> GroupWidths(const wchar_t* name) {
  HRSRC found = FindResourceW(nullptr, name, RT_GROUP_ICON);
  if (!found) return {};
  const auto* group = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, found)));
  WORD count;
  memcpy(&count, group + 4, sizeof count);
  std::vector<int> widths;
  for (int i = 0; i < count; ++i) widths.push_back(group[6 + 14 * i]);
  return widths;
}

TEST(Resources, TheProgramIconComesFirstAndTheCollectionIconSecond) {
  wchar_t path[MAX_PATH];
  ASSERT_GT(GetModuleFileNameW(nullptr, path, MAX_PATH), 0u);
  EXPECT_EQ(ExtractIconExW(path, -1, nullptr, nullptr, 0), 2u);

  // What the shell shows for "program.exe,0" and ",1" is what the names give.
  std::vector<BYTE> shown[2];
  for (int index = 0; index < 2; ++index) {
    const wchar_t* name = index == 0 ? L"MAINICON" : L"VLMFILE";
    HICON large = nullptr;
    ASSERT_EQ(ExtractIconExW(path, index, &large, nullptr, 1), 1u);
    TIconHandle fromShell(large);
    TIconHandle byName(static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), name, IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR)));
    ASSERT_TRUE(byName);
    shown[index] = IconBits(fromShell.Get());
    EXPECT_EQ(shown[index], IconBits(byName.Get())) << "icon " << index;
    // 256 is stored as 0; 20, 24, 40 and 64 are the small and large sizes at 125 to 200 %.
    EXPECT_EQ(GroupWidths(name), (std::vector<int>{16, 32, 48, 0, 20, 24, 40, 64})) << "icon " << index;
  }
  EXPECT_NE(shown[0], shown[1]);
}

}  // namespace
