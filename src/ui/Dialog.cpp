#include "ui/Dialog.h"

#include "ui/Application.h"
#include "ui/Dpi.h"

namespace {

ui::ModalRunner& CurrentRunner() {
  static ui::ModalRunner runner = [](TDialog& dialog) { return ui::RunModalLoop(dialog); };
  return runner;
}

// Disables a window for as long as it lives, unless it was disabled already.
class TDisableWindow {
 public:
  explicit TDisableWindow(HWND window) : window_(window && IsWindowEnabled(window) ? window : nullptr) {
    if (window_) EnableWindow(window_, FALSE);
  }
  ~TDisableWindow() { Enable(); }
  TDisableWindow(const TDisableWindow&) = delete;
  TDisableWindow& operator=(const TDisableWindow&) = delete;
  void Enable() {
    if (window_ && IsWindow(window_)) EnableWindow(window_, TRUE);
    window_ = nullptr;
  }

 private:
  HWND window_;
};

// Sets the modal state for as long as it lives.
class TModalState {
 public:
  explicit TModalState(TDialog& dialog) : dialog_(&dialog) {
    dialog.SetModalResult(mrNone);
    dialog.SetModal(true);
  }
  ~TModalState() {
    if (TDialog* dialog = dialog_.Get()) dialog->SetModal(false);
  }
  TModalState(const TModalState&) = delete;
  TModalState& operator=(const TModalState&) = delete;

 private:
  TWeakRef<TDialog> dialog_;
};

}  // namespace

TDialog::TDialog(const TControl* owner, std::wstring_view caption, int clientWidth, int clientHeight) {
  CreateParams params;
  params.text = std::wstring(caption);
  params.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  params.exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
  params.parentWindow = owner && owner->Handle() ? GetAncestor(owner->Handle(), GA_ROOT) : nullptr;
  CreateOwnWindow(params, L"VelmaraDialog");
  const ui::TScale px(*this);
  SetClientSize(px(clientWidth), px(clientHeight));
}

TModalResult TDialog::ShowModal() {
  SetModalResult(mrNone);
  const ui::ModalRunner runner = CurrentRunner();
  return runner(*this);
}

void TDialog::SetClientSize(int width, int height) {
  if (!Handle()) return;
  RECT r{0, 0, width, height};
  AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongW(Handle(), GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongW(Handle(), GWL_EXSTYLE)));
  SetWindowPos(Handle(), nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TDialog::CenterOnScreen() {
  SetBounds((GetSystemMetrics(SM_CXSCREEN) - Width()) / 2,
            (GetSystemMetrics(SM_CYSCREEN) - Height()) / 2, Width(), Height());
}

void TDialog::CenterOn(const TControl& anchor) {
  if (!anchor.Handle()) return;
  RECT r{};
  GetWindowRect(anchor.Handle(), &r);
  SetBounds(r.left + (r.right - r.left - Width()) / 2, r.top + (r.bottom - r.top - Height()) / 2,
            Width(), Height());
}

namespace ui {

TModalResult RunModalLoop(TDialog& dialog, const std::function<void()>& shown) {
  const TWeakRef<TDialog> alive(&dialog);
  TDisableWindow owner(GetWindow(dialog.Handle(), GW_OWNER));
  const TModalState state(dialog);
  ShowWindow(dialog.Handle(), SW_SHOW);
  SetForegroundWindow(dialog.Handle());
  if (shown) shown();
  MSG msg{};
  while (alive && dialog.Handle() && dialog.ModalResult() == mrNone) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // for the main loop
      break;
    }
    if (got == -1) break;
    HandleMessage(msg);
  }
  if (!alive) return mrCancel;
  const TModalResult result = dialog.ModalResult() == mrNone ? mrCancel : dialog.ModalResult();
  // The owner first, so that the activation goes back to it.
  owner.Enable();
  dialog.Hide();
  return result;
}

TScopedModalRunner::TScopedModalRunner(ModalRunner runner) : TScopedHook(CurrentRunner(), std::move(runner)) {}

}  // namespace ui
