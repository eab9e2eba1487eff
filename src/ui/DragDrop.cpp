// Dragging a control onto another: a modal loop that holds the mouse, asks
// the control under the pointer at each move and drops on release.
#include <windowsx.h>

#include "ui/Application.h"
#include "ui/Control.h"

namespace {

TWeakRef<TControl> g_dragSource;

// Our windows only: another process's window may carry a property of the
// same name whose value means nothing here.
bool InThisProcess(HWND window) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  return process == GetCurrentProcessId();
}

// The control that would be asked at a screen point, or null.
TControl* TargetAt(POINT screen) {
  const HWND desktop = GetDesktopWindow();
  for (HWND window = WindowFromPoint(screen); window && window != desktop;
       window = GetAncestor(window, GA_PARENT)) {
    if (!InThisProcess(window)) return nullptr;
    TControl* control = TControl::FromHandle(window);
    if (control && control->OnDragOver) return control;
  }
  return nullptr;
}

TPoint ClientPoint(const TControl& control, POINT screen) {
  ScreenToClient(control.Handle(), &screen);
  return {screen.x, screen.y};
}

bool IsInput(UINT msg) {
  return (msg >= WM_KEYFIRST && msg <= WM_KEYLAST) || (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) ||
         (msg >= WM_NCMOUSEMOVE && msg <= WM_NCMBUTTONDBLCLK);
}

class TDragLoop {
 public:
  explicit TDragLoop(TControl& source) : source_(&source), cursor_(GetCursor()) {
    g_dragSource = &source;
    SetCapture(source.Handle());
  }
  ~TDragLoop() { End(); }
  TDragLoop(const TDragLoop&) = delete;
  TDragLoop& operator=(const TDragLoop&) = delete;

  bool Run() {
    // The move that began the drag was the source's: answer where it ended.
    const DWORD at = GetMessagePos();
    Ask(POINT{GET_X_LPARAM(at), GET_Y_LPARAM(at)});
    MSG msg{};
    for (;;) {
      if (!source_ || GetCapture() != source_->Handle()) return false;
      const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
      if (got == 0) {
        PostQuitMessage(static_cast<int>(msg.wParam));  // the main loop must still see it
        return false;
      }
      if (got == -1) return false;
      switch (msg.message) {
        case WM_MOUSEMOVE:
          Ask(msg.pt);
          break;
        case WM_LBUTTONUP:
          return Drop(msg.pt);
        case WM_RBUTTONDOWN:
          return false;
        case WM_KEYDOWN:
          if (msg.wParam == VK_ESCAPE) return false;
          break;
        default:
          if (!IsInput(msg.message)) ui::HandleMessage(msg);
          break;
      }
    }
  }

 private:
  // Asks the control under the point; shows its answer. The target, or null
  // when there is none or it refuses.
  TControl* Ask(POINT screen) {
    TControl* target = TargetAt(screen);
    TWeakRef<TControl> alive(target);
    const bool accepted = target && target->OnDragOver(*source_, ClientPoint(*target, screen));
    SetCursor(LoadCursorW(nullptr, accepted ? IDC_ARROW : IDC_NO));
    return accepted && source_ ? alive.Get() : nullptr;
  }

  bool Drop(POINT screen) {
    TControl* target = Ask(screen);
    if (!target || !target->OnDragDrop) return false;
    const auto handler = target->OnDragDrop;
    const TPoint pt = ClientPoint(*target, screen);
    TControl& source = *source_;
    // The drop may ask the user: the mouse is free again before it runs.
    End();
    handler(source, pt);
    return true;
  }

  void End() {
    if (ended_) return;
    ended_ = true;
    g_dragSource = nullptr;
    if (source_ && GetCapture() == source_->Handle()) ReleaseCapture();
    SetCursor(cursor_);
  }

  TWeakRef<TControl> source_;
  HCURSOR cursor_;
  bool ended_ = false;
};

}  // namespace

TControl* TControl::DraggedControl() { return g_dragSource.Get(); }

bool TControl::BeginDrag() {
  if (!handle_ || DraggedControl()) return false;
  TDragLoop loop(*this);
  return loop.Run();
}
