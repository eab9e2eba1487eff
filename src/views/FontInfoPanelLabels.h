// The labels of the information panel besides the plain captions: values that
// show a font's text as it is ("&" included) and wrap at their width, and the
// sunken line beside each section header.
#pragma once

#include <string_view>

#include "ui/Panel.h"

class TInfoText : public TControl {
 public:
  explicit TInfoText(TControl& parent);
  // The height of the text wrapped at `width`; 0 when there is none.
  int HeightFor(int width) const;
};

class TInfoLine : public TCustomControl {
 public:
  explicit TInfoLine(TControl& parent);

 protected:
  void Paint(HDC dc, const RECT& update) override;
};

namespace fontinfo {
// The size of one line of `text` in `font`, as a single-line label draws it.
SIZE LineExtent(HWND window, HFONT font, std::wstring_view text);
}  // namespace fontinfo
