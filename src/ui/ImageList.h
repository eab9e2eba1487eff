// An owned image list. Movable, not copyable.
#pragma once

#include "ui/Handles.h"

class TImageList {
 public:
  TImageList() = default;
  // Images of width x height, 24-bit colour with a mask.
  TImageList(int width, int height, int initialCount = 4);

  HIMAGELIST Handle() const { return handle_.Get(); }
  int Count() const;
  int Width() const;
  int Height() const;
  // Adds every image of a strip of images; pixels of `transparent` become
  // see-through. Returns the index of the first, or -1.
  int AddMasked(HBITMAP bitmap, COLORREF transparent);
  // Adds the bitmap resource `name` of the program.
  int AddResource(const wchar_t* name, COLORREF transparent);
  void Clear();

 private:
  TImageListHandle handle_;
};
