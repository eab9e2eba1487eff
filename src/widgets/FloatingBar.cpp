#include "widgets/FloatingBar.h"

#include <windowsx.h>

#include "ui/Menu.h"
#include "widgets/Toolbar97.h"
#include "ui/Dpi.h"

TFloatingBar::TFloatingBar(TToolbar97& bar, HWND owner) : TControl(nullptr), bar_(bar) {
  CreateParams params;
  params.text = bar.Caption();
  params.style = kStyle;
  params.exStyle = kExStyle;
  params.parentWindow = owner;
  CreateOwnWindow(params, L"VelmaraFloatingBar");
}

TFloatingBar::~TFloatingBar() { DestroyHandle(); }

SIZE TFloatingBar::OuterSize(SIZE client) {
  RECT r{0, 0, client.cx, client.cy};
  AdjustWindowRectEx(&r, kStyle, FALSE, kExStyle);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

void TFloatingBar::Place(const TRect& screen) {
  if (!Handle()) return;
  SetWindowPos(Handle(), nullptr, screen.left, screen.top, screen.Width(), screen.Height(),
               SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT TFloatingBar::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CLOSE:
      bar_.SetBarVisible(false);
      bar_.Changed();
      return 0;
    case WM_MOUSEACTIVATE:
      // A tool bar never takes the activation from the frame.
      return MA_NOACTIVATE;
    case WM_NCLBUTTONDOWN:
      if (wParam != HTCAPTION) break;
      bar_.DragFrom(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_NCLBUTTONDBLCLK:
      if (wParam != HTCAPTION) break;
      bar_.DockBack();
      return 0;
    case WM_CONTEXTMENU: {
      TPopupMenu* menu = bar_.PopupMenu();
      if (!menu) return 0;
      POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      if (lParam == -1) {
        RECT r{};
        GetWindowRect(Handle(), &r);
        const int inset = ui::TScale(*this)(8);
        at = POINT{r.left + inset, r.top + inset};
      }
      menu->Popup(at.x, at.y, Handle(), &bar_);
      return 0;
    }
    case WM_SIZE:
      if (bar_.Handle()) {
        SetWindowPos(bar_.Handle(), nullptr, 0, 0, LOWORD(lParam), HIWORD(lParam),
                     SWP_NOZORDER | SWP_NOACTIVATE);
      }
      break;
    default:
      break;
  }
  return TControl::OnMessage(msg, wParam, lParam);
}
