// A window as the screen shows it, written as a 24-bit bitmap file: for the
// tests' and the manual's pictures.
#pragma once

#include <windows.h>

#include <fstream>
#include <string>

#include "ui/Handles.h"

namespace test_shots {

inline void SaveShot(HWND window, const std::string& path) {
  RECT rect{};
  GetWindowRect(window, &rect);
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  const TWindowDC screen(nullptr);
  const TMemoryDC dc(screen.Get());
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  TBitmapHandle bitmap(CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap) return;
  {
    const TSelectObject select(dc.Get(), bitmap.Get());
    BitBlt(dc.Get(), 0, 0, width, height, screen.Get(), rect.left, rect.top, SRCCOPY);
  }
  GdiFlush();
  const DWORD stride = ((static_cast<DWORD>(width) * 3 + 3) / 4) * 4;
  const DWORD size = stride * static_cast<DWORD>(height);
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof(file) + sizeof(info.bmiHeader);
  file.bfSize = file.bfOffBits + size;
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof(file));
  out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof(info.bmiHeader));
  out.write(static_cast<const char*>(bits), size);
}

}  // namespace test_shots
