// Mouse clicks as a user gives them (through the input queue), for the input
// control tests; keys come from tests/support/Input.h.
#pragma once

#include "tests/support/Input.h"
#include "ui/Control.h"

namespace input_test {

// Presses and releases the left button at a point of the control's client
// area, with the modifiers held.
inline void Click(const TControl& control, int x, int y, TShiftState shift = 0) {
  POINT pt{x, y};
  ClientToScreen(control.Handle(), &pt);
  SetCursorPos(pt.x, pt.y);
  std::vector<INPUT> inputs;
  auto key = [&inputs](WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    inputs.push_back(in);
  };
  auto button = [&inputs](DWORD flag) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flag;
    inputs.push_back(in);
  };
  if (shift & ssShift) key(VK_SHIFT, false);
  button(MOUSEEVENTF_LEFTDOWN);
  button(MOUSEEVENTF_LEFTUP);
  if (shift & ssShift) key(VK_SHIFT, true);
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  input::Settle();
}

}  // namespace input_test
