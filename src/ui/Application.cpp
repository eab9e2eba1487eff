#include "ui/Application.h"

#include "sys/MessageHandler.h"
#include "ui/Form.h"
#include "ui/Keyboard.h"

namespace ui {

void HandleMessage(MSG& msg) {
  if (auto* frame = dynamic_cast<TMDIFrame*>(TForm::MainForm())) {
    if (frame->ClientHandle() && TranslateMDISysAccel(frame->ClientHandle(), &msg)) return;
  }
  if (PreviewKeyMessage(msg)) {
    // A key taken while Alt was held must still reach the default handling:
    // it is what tells Alt's release from Alt pressed alone, which opens the
    // menu bar. Alt let go before the letter was enough to open it. Alt+F4
    // there would close the window.
    if (msg.message == WM_SYSKEYDOWN && msg.wParam != VK_F4 && IsWindow(msg.hwnd)) {
      DefWindowProcW(msg.hwnd, msg.message, msg.wParam, msg.lParam);
    }
    return;
  }
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
}

void InitControls() {
  static const bool done = [] {
    INITCOMMONCONTROLSEX init{};
    init.dwSize = sizeof(init);
    init.dwICC = ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES |
                 ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES;
    InitCommonControlsEx(&init);
    sys::SetMessageHandler([](void* message) { HandleMessage(*static_cast<MSG*>(message)); });
    return true;
  }();
  (void)done;
}

int RunMessageLoop() {
  MSG msg{};
  for (;;) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(msg.wParam);
    if (got == -1) return 1;
    HandleMessage(msg);
  }
}

void ProcessMessages() {
  MSG msg{};
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      // The main loop must still see it and end.
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    HandleMessage(msg);
  }
}

}  // namespace ui
