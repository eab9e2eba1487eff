#include "widgets/ToolbarGlyph.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace toolbar97 {

namespace {

struct TPixel {
  uint8_t b, g, r, a;
};

BITMAPINFO TopDown32(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

TBitmapHandle MakeSection(const std::vector<TPixel>& pixels, int width, int height) {
  BITMAPINFO info = TopDown32(width, height);
  void* bits = nullptr;
  TBitmapHandle section(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (section && bits) std::memcpy(bits, pixels.data(), pixels.size() * sizeof(TPixel));
  return section;
}

uint8_t Premultiplied(uint8_t channel, uint8_t alpha) {
  return static_cast<uint8_t>((channel * alpha + 127) / 255);
}

}  // namespace

TGlyph::TGlyph(HBITMAP bitmap) {
  const TBitmapHandle source(bitmap);
  BITMAP info{};
  if (!source || !GetObjectW(source.Get(), sizeof info, &info)) return;
  width_ = info.bmWidth;
  height_ = info.bmHeight;
  std::vector<TPixel> pixels(static_cast<size_t>(width_) * static_cast<size_t>(height_));
  BITMAPINFO format = TopDown32(width_, height_);
  {
    const TMemoryDC dc;
    if (!GetDIBits(dc.Get(), source.Get(), 0, static_cast<UINT>(height_), pixels.data(), &format,
                   DIB_RGB_COLORS)) {
      width_ = height_ = 0;
      return;
    }
  }
  if (info.bmBitsPixel == 32) {
    for (const TPixel& p : pixels) hadAlpha_ = hadAlpha_ || p.a != 0;
  }
  if (hadAlpha_) {
    for (TPixel& p : pixels) {
      p.r = Premultiplied(p.r, p.a);
      p.g = Premultiplied(p.g, p.a);
      p.b = Premultiplied(p.b, p.a);
    }
  } else {
    const TPixel key = pixels[static_cast<size_t>(height_ - 1) * static_cast<size_t>(width_)];
    for (TPixel& p : pixels) {
      const bool transparent = p.r == key.r && p.g == key.g && p.b == key.b;
      p = transparent ? TPixel{0, 0, 0, 0} : TPixel{p.b, p.g, p.r, 255};
    }
  }
  normal_ = MakeSection(pixels, width_, height_);
  // Greyed: the luminance, lightened, at half strength.
  for (TPixel& p : pixels) {
    const int grey = (p.r * 30 + p.g * 59 + p.b * 11) / 100;
    const uint8_t light = static_cast<uint8_t>((grey + p.a) / 2);  // towards white, premultiplied
    const uint8_t alpha = static_cast<uint8_t>(p.a / 2);
    p = TPixel{Premultiplied(light, 128), Premultiplied(light, 128), Premultiplied(light, 128), alpha};
  }
  disabled_ = MakeSection(pixels, width_, height_);
}

void TGlyph::Draw(HDC dc, int x, int y, bool enabled) const {
  const HBITMAP picture = enabled ? normal_.Get() : disabled_.Get();
  if (!picture) return;
  const TMemoryDC memory(dc);
  const TSelectObject select(memory.Get(), picture);
  const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  AlphaBlend(dc, x, y, width_, height_, memory.Get(), 0, 0, width_, height_, blend);
}

}  // namespace toolbar97
