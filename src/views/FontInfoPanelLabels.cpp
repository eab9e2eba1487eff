#include "views/FontInfoPanelLabels.h"

#include <string>

#include "ui/Handles.h"
#include "widgets/LinkLabel.h"

TInfoText::TInfoText(TControl& parent) : TControl(&parent) {
  CreateParams params;
  params.className = L"STATIC";
  params.style |= SS_LEFT | SS_NOPREFIX | SS_EDITCONTROL;
  params.width = 60;
  params.height = 0;
  CreateSystemWindow(params);
}

// A static control with SS_EDITCONTROL and SS_NOPREFIX wraps as the link label does.
int TInfoText::HeightFor(int width) const { return WrappedTextHeight(Handle(), Font(), Text(), width); }

TInfoLine::TInfoLine(TControl& parent) : TCustomControl(parent) {}

void TInfoLine::Paint(HDC dc, const RECT&) {
  RECT r{0, 0, ClientWidth(), 1};
  FillRect(dc, &r, GetSysColorBrush(COLOR_BTNSHADOW));
  r = RECT{0, 1, ClientWidth(), 2};
  FillRect(dc, &r, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
}

namespace fontinfo {

SIZE LineExtent(HWND window, HFONT font, std::wstring_view text) {
  TWindowDC dc(window);
  TSelectObject select(dc.Get(), font);
  RECT r{0, 0, 0, 0};
  const std::wstring s(text);
  DrawTextW(dc.Get(), s.c_str(), static_cast<int>(s.size()), &r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  return SIZE{r.right, r.bottom};
}

}  // namespace fontinfo
