#include "app/ViewLayout.h"

#include <string>

#include "ui/Handles.h"

int CaptionWidth(HFONT font, std::wstring_view caption, std::wstring_view suffix) {
  std::wstring text(caption);
  const size_t amp = text.find(L'&');
  if (amp != std::wstring::npos) text.erase(amp, 1);
  text += suffix;
  const TMemoryDC dc;
  const TSelectObject select(dc.Get(), font);
  SIZE size{};
  GetTextExtentPoint32W(dc.Get(), text.c_str(), static_cast<int>(text.size()), &size);
  return size.cx;
}
