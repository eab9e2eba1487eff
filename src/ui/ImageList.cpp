#include "ui/ImageList.h"

#include "ui/Gdi.h"

TImageList::TImageList(int width, int height, int initialCount)
    : handle_(ImageList_Create(width, height, ILC_COLOR24 | ILC_MASK, initialCount, 4)) {}

int TImageList::Count() const { return handle_ ? ImageList_GetImageCount(handle_.Get()) : 0; }

int TImageList::Width() const {
  int width = 0;
  int height = 0;
  if (handle_) ImageList_GetIconSize(handle_.Get(), &width, &height);
  return width;
}

int TImageList::Height() const {
  int width = 0;
  int height = 0;
  if (handle_) ImageList_GetIconSize(handle_.Get(), &width, &height);
  return height;
}

int TImageList::AddMasked(HBITMAP bitmap, COLORREF transparent) {
  if (!handle_ || !bitmap) return -1;
  return ImageList_AddMasked(handle_.Get(), bitmap, transparent);
}

int TImageList::AddResource(const wchar_t* name, COLORREF transparent) {
  TBitmapHandle bitmap(static_cast<HBITMAP>(
      LoadImageW(ui::Instance(), name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  return AddMasked(bitmap.Get(), transparent);
}

void TImageList::Clear() {
  if (handle_) ImageList_Remove(handle_.Get(), -1);
}
