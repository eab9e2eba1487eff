#include "lists/MarkImages.h"

#include <string_view>

#include "lists/FontMarks.h"
#include "ui/Dpi.h"
#include "ui/Gdi.h"

namespace {

constexpr int kMarkWidth = 9;
constexpr int kNoMarkWidth = 2;
constexpr int kMarkHeight = 16;

// One row of text per pixel row; '.' is see-through, letters are colours.
struct Picture {
  std::string_view name;
  std::string_view rows[kMarkHeight];
};

// Indexed by TFontMark.
constexpr Picture kMarks[kFontMarkCount] = {
    {kMarkImageNames[fmInstalled],
     {".........", ".........", ".........", ".........", "........G", ".......GG",
      "......GGD", "G....GGD.", "GG..GGD..", "DGGGGD...", ".DGGD....", "..DD.....",
      ".........", ".........", ".........", "........."}},
    {kMarkImageNames[fmBodgey],
     {".........", ".........", ".........", "...YYY...", "...YYY...", "...YYY...",
      "...YYY...", "....Y....", "....Y....", "....Y....", ".........", "...YYY...",
      "...YYY...", ".........", ".........", "........."}},
    {kMarkImageNames[fmBad],
     {".........", ".........", ".........", "RR.....RR", "RRR...RRR", ".RRR.RRR.",
      "..RRRRR..", "...RRR...", "..RRRRR..", ".RRR.RRR.", "RRR...RRR", "RR.....RR",
      ".........", ".........", ".........", "........."}},
    {kMarkImageNames[fmLoaded],
     {".........", ".........", ".........", ".........", "...BBB...", "..BBBBB..",
      ".BBBBBBB.", ".BBBWBBB.", ".BBWWWBB.", ".BBBWBBB.", ".BBBBBBB.", "..BBBBB..",
      "...BBB...", ".........", ".........", "........."}},
};

COLORREF ColourOf(char c) {
  switch (c) {
    case 'G': return RGB(0, 160, 0);
    case 'D': return RGB(0, 96, 0);
    case 'Y': return RGB(224, 160, 0);
    case 'R': return RGB(208, 0, 0);
    case 'B': return RGB(0, 64, 200);
    case 'W': return RGB(255, 255, 255);
    default: return kMarkTransparent;
  }
}


// At the screen's scale each pixel of the picture is a block of whole pixels,
// edges kept sharp: [px(x), px(x + 1)).
void AddPicture(TImageList& images, int width, const std::string_view* rows) {
  const ui::TScale px(ui::SystemDpi());
  TWindowDC screen(nullptr);
  TBitmapHandle bitmap(CreateCompatibleBitmap(screen.Get(), px(width), px(kMarkHeight)));
  {
    TMemoryDC memory;
    TSelectObject select(memory.Get(), bitmap.Get());
    for (int y = 0; y < kMarkHeight; ++y) {
      for (int x = 0; x < width; ++x) {
        const char c = rows && static_cast<size_t>(x) < rows[y].size() ? rows[y][x] : '.';
        const RECT block{px(x), px(y), px(x + 1), px(y + 1)};
        const TBrushHandle brush(CreateSolidBrush(ColourOf(c)));
        FillRect(memory.Get(), &block, brush.Get());
      }
    }
  }
  images.AddMasked(bitmap.Get(), kMarkTransparent);
}

}  // namespace

TImageList MakeMarkImages() {
  const ui::TScale px(ui::SystemDpi());
  TImageList images(px(kMarkWidth), px(kMarkHeight), kFontMarkCount);
  for (const Picture& picture : kMarks) AddPicture(images, kMarkWidth, picture.rows);
  return images;
}

TImageList MakeNoMarkImages() {
  const ui::TScale px(ui::SystemDpi());
  TImageList images(px(kNoMarkWidth), px(kMarkHeight), 1);
  AddPicture(images, kNoMarkWidth, nullptr);
  return images;
}

const TImageList& SharedMarkImages() {
  static const TImageList images = MakeMarkImages();
  return images;
}

const TImageList& SharedNoMarkImages() {
  static const TImageList images = MakeNoMarkImages();
  return images;
}
