#include "ui/ImageList.h"

#include "ui/Gdi.h"

TImageList::TImageList(int width, int height, int initialCount)
    : handle_(ImageList_Create(width, height, ILC_COLOR24 | ILC_MASK, initialCount, 4)) {}

TImageList::~TImageList() {
  if (handle_) ImageList_Destroy(handle_);
}

TImageList& TImageList::operator=(TImageList&& other) noexcept {
  if (this != &other) {
    if (handle_) ImageList_Destroy(handle_);
    handle_ = std::exchange(other.handle_, nullptr);
  }
  return *this;
}

int TImageList::Count() const { return handle_ ? ImageList_GetImageCount(handle_) : 0; }

int TImageList::Width() const {
  int width = 0;
  int height = 0;
  if (handle_) ImageList_GetIconSize(handle_, &width, &height);
  return width;
}

int TImageList::Height() const {
  int width = 0;
  int height = 0;
  if (handle_) ImageList_GetIconSize(handle_, &width, &height);
  return height;
}

int TImageList::AddMasked(HBITMAP bitmap, COLORREF transparent) {
  if (!handle_ || !bitmap) return -1;
  return ImageList_AddMasked(handle_, bitmap, transparent);
}

int TImageList::AddResource(const wchar_t* name, COLORREF transparent) {
  TBitmapHandle bitmap(static_cast<HBITMAP>(
      LoadImageW(ui::Instance(), name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  return AddMasked(bitmap.Get(), transparent);
}

void TImageList::Clear() {
  if (handle_) ImageList_Remove(handle_, -1);
}
