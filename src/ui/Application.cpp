#include "ui/Application.h"

#include "ui/Form.h"

namespace ui {

namespace {

void Handle(MSG& msg) {
  if (auto* frame = dynamic_cast<TMDIFrame*>(TForm::MainForm())) {
    if (frame->ClientHandle() && TranslateMDISysAccel(frame->ClientHandle(), &msg)) return;
  }
  if (TControl::PreviewKeyMessage(msg)) return;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
}

}  // namespace

void InitControls() {
  INITCOMMONCONTROLSEX init{};
  init.dwSize = sizeof(init);
  init.dwICC = ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES |
               ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES;
  InitCommonControlsEx(&init);
}

int RunMessageLoop() {
  MSG msg{};
  for (;;) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(msg.wParam);
    if (got == -1) return 1;
    Handle(msg);
  }
}

void ProcessMessages() {
  MSG msg{};
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    Handle(msg);
  }
}

}  // namespace ui
