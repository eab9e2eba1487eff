#include "views/FileDropHelper.h"

#include <shellapi.h>

#include <utility>

#include "sys/DropFiles.h"

namespace {

constexpr UINT_PTR kDropHook = 0xD40F;

// Releases the drop on every way out.
class TDropScope {
 public:
  explicit TDropScope(HDROP drop) : drop_(drop) {}
  ~TDropScope() { DragFinish(drop_); }
  TDropScope(const TDropScope&) = delete;
  TDropScope& operator=(const TDropScope&) = delete;

 private:
  HDROP drop_;
};

}  // namespace

TFileDropHelper::TFileDropHelper(TControl& control) : control_(&control), window_(control.Handle()) {
  if (!window_) return;
  if (!SetWindowSubclass(window_, HookProc, kDropHook, reinterpret_cast<DWORD_PTR>(this))) {
    window_ = nullptr;
    return;
  }
  DragAcceptFiles(window_, TRUE);
}

TFileDropHelper::~TFileDropHelper() {
  // A window that outlives its receiver takes no more drops: nobody would release them.
  if (window_) DragAcceptFiles(window_, FALSE);
  Unhook();
}

void TFileDropHelper::Unhook() {
  if (!window_) return;
  RemoveWindowSubclass(window_, HookProc, kDropHook);
  window_ = nullptr;
}

LRESULT CALLBACK TFileDropHelper::HookProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR, DWORD_PTR data) {
  auto* self = reinterpret_cast<TFileDropHelper*>(data);
  switch (msg) {
    case WM_DROPFILES:
      self->Drop(wParam);
      return 0;
    case WM_DESTROY:
      DragAcceptFiles(window, FALSE);
      break;
    case WM_NCDESTROY:
      self->Unhook();
      break;
    default:
      break;
  }
  return DefSubclassProc(window, msg, wParam, lParam);
}

void TFileDropHelper::Drop(WPARAM wParam) {
  const auto drop = reinterpret_cast<HDROP>(wParam);
  const TDropScope release(drop);
  if (!OnDropFiles) return;
  sys::DroppedFiles dropped = sys::ReadDropHandle(drop);
  files_ = std::move(dropped.names);
  const auto handler = OnDropFiles;
  ui::RunReporting([&] { handler(dropped.x, dropped.y, files_); });
}
