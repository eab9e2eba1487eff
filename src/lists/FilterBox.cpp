#include "lists/FilterBox.h"

TFilterBox::TFilterBox(TControl& parent) : TEdit(parent) {
  Perform(EM_SETCUEBANNER, TRUE, ui::AsLParam(L"筛选字体名称 (Ctrl+F)"));
  OnKeyDown = [this](WORD& key, TShiftState shift) { KeyDown(key, shift); };
}

void TFilterBox::KeyDown(WORD& key, TShiftState shift) {
  if (shift != 0) return;
  if (key == VK_ESCAPE && !Text().empty()) {
    SetText(L"");
    key = 0;
  } else if (key == VK_ESCAPE || key == VK_RETURN || key == VK_DOWN) {
    key = 0;
    if (auto handler = OnLeave) handler();
  }
}

LRESULT TFilterBox::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  // The keys handled above would otherwise beep as characters.
  if (msg == WM_CHAR && (wParam == VK_ESCAPE || wParam == VK_RETURN)) return 0;
  return TEdit::OnMessage(msg, wParam, lParam);
}
