#include "lists/StatusLabel.h"

bool TStatusLabel::OnReflect(UINT msg, WPARAM wParam, LPARAM, LRESULT& result) {
  if (msg != WM_CTLCOLORSTATIC || sysColor_ < 0) return false;
  HDC dc = ui::AsHandle<HDC>(wParam);
  SetTextColor(dc, GetSysColor(sysColor_));
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
  return true;
}
