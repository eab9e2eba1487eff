// Keys and clicks as a user gives them: through the system's input queue
// (SendInput), then handled by the program's own pump, shortcuts and dialog
// keys included. The window that should get them must be the foreground one.
#pragma once

#include <vector>

#include "ui/Application.h"
#include "ui/Types.h"
#include "ui/Win.h"

namespace input {

// Lets the queued input arrive and handles what it caused.
inline void Settle() {
  for (int i = 0; i < 6; ++i) {
    ui::ProcessMessages();
    Sleep(5);
  }
  ui::ProcessMessages();
}

// One key with modifiers held, pressed and released.
inline void Press(WORD key, TShiftState shift = 0) {
  std::vector<INPUT> inputs;
  auto add = [&inputs](WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    inputs.push_back(in);
  };
  const WORD modifiers[] = {VK_CONTROL, VK_SHIFT, VK_MENU};
  const TShiftFlag flags[] = {ssCtrl, ssShift, ssAlt};
  for (int i = 0; i < 3; ++i)
    if (shift & flags[i]) add(modifiers[i], false);
  add(key, false);
  add(key, true);
  for (int i = 2; i >= 0; --i)
    if (shift & flags[i]) add(modifiers[i], true);
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  Settle();
}

// Letters and digits typed as their keys (letters come out in lower case).
inline void Type(const char* keys) {
  for (const char* k = keys; *k; ++k) Press(static_cast<WORD>(*k >= 'a' && *k <= 'z' ? *k - 'a' + 'A' : *k));
}

// Brings a top-level window to the front so that it gets the keys.
inline void Activate(HWND window) {
  ShowWindow(window, SW_SHOW);
  SetForegroundWindow(window);
  SetActiveWindow(window);
  Settle();
}

}  // namespace input
