#include "views/SelectionEdit.h"

#include <windowsx.h>

namespace views {

namespace {

TShiftState MouseShift(WPARAM wParam) {
  TShiftState shift = 0;
  if (wParam & MK_SHIFT) shift |= ssShift;
  if (wParam & MK_CONTROL) shift |= ssCtrl;
  if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
  return shift;
}

}  // namespace

bool OnReleaseMessage(UINT msg, WPARAM wParam, LPARAM lParam, const std::function<void()>& check,
                      const std::function<void(WORD& key, TShiftState shift)>& onKeyUp,
                      const std::function<void(TMouseButton, TShiftState, int x, int y)>& onMouseUp,
                      WORD& key) {
  TMouseButton button = mbLeft;
  switch (msg) {
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      check();
      if (onKeyUp) {
        const auto handler = onKeyUp;
        handler(key, ui::CurrentShiftState());
      }
      return true;
    }
    case WM_LBUTTONUP:
      button = mbLeft;
      break;
    case WM_RBUTTONUP:
      button = mbRight;
      break;
    case WM_MBUTTONUP:
      button = mbMiddle;
      break;
    default:
      return false;
  }
  check();
  if (onMouseUp) {
    const auto handler = onMouseUp;
    handler(button, MouseShift(wParam), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
  }
  return true;
}

}  // namespace views

namespace {
constexpr UINT_PTR kEditPartHook = 0x5E1;
}

TComboBox2::TComboBox2(TControl& parent, bool listOnly) : TSelectionNotify<TComboBox>(parent, listOnly) {
  editPart_ = EditHandle();
  if (editPart_) SetWindowSubclass(editPart_, EditPartProc, kEditPartHook, reinterpret_cast<DWORD_PTR>(this));
}

TComboBox2::~TComboBox2() {
  if (editPart_) RemoveWindowSubclass(editPart_, EditPartProc, kEditPartHook);
}

LRESULT CALLBACK TComboBox2::EditPartProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR, DWORD_PTR data) {
  auto* self = reinterpret_cast<TComboBox2*>(data);
  if (msg == WM_NCDESTROY) {
    RemoveWindowSubclass(window, EditPartProc, kEditPartHook);
    self->editPart_ = nullptr;
    return DefSubclassProc(window, msg, wParam, lParam);
  }
  const bool keyUp = msg == WM_KEYUP || msg == WM_SYSKEYUP;
  const bool buttonUp = msg == WM_LBUTTONUP || msg == WM_RBUTTONUP || msg == WM_MBUTTONUP;
  if (!keyUp && !buttonUp) return DefSubclassProc(window, msg, wParam, lParam);
  const TWeakRef<TComboBox2> alive(self);
  const LRESULT result = keyUp ? 0 : DefSubclassProc(window, msg, wParam, lParam);
  if (!alive) return result;
  WORD key = static_cast<WORD>(wParam);
  ui::RunReporting([&] {
    // The point as the combo box's own.
    POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    MapWindowPoints(window, self->Handle(), &pt, 1);
    views::OnReleaseMessage(msg, wParam, MAKELPARAM(pt.x, pt.y), [self] { self->CheckSelection(); },
                            self->OnKeyUp, self->OnMouseUp, key);
  });
  if (!keyUp) return result;
  if (!alive || key == 0) return 0;
  return DefSubclassProc(window, msg, key, lParam);
}

bool TComboBox2::OnCommand(WORD code) {
  if (code != CBN_SETFOCUS && code != CBN_KILLFOCUS) return TSelectionNotify<TComboBox>::OnCommand(code);
  const TWeakRef<TComboBox2> alive(this);
  CheckSelection();
  const auto& event = code == CBN_SETFOCUS ? OnEnter : OnExit;
  if (alive && event) {
    const auto handler = event;
    handler();
  }
  return true;
}
