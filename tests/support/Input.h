// Keys and clicks as a user gives them: through the system's input queue
// (SendInput), then handled by the program's own pump, shortcuts and dialog
// keys included. The window that should get them must be the foreground one.
#pragma once

#include <atomic>
#include <cstdlib>
#include <functional>
#include <initializer_list>
#include <thread>
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

// Lets timers and workers run for a while.
inline void Pump(DWORD ms) {
  const DWORD until = GetTickCount() + ms;
  while (static_cast<int>(until - GetTickCount()) > 0) {
    ui::ProcessMessages();
    Sleep(5);
  }
}

namespace detail {
inline INPUT Key(WORD vk, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return in;
}
inline INPUT Button(DWORD flag) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = flag;
  return in;
}
// `inputs` with the modifiers of `shift` held around them, sent at once.
inline void SendHeld(TShiftState shift, std::initializer_list<INPUT> inputs) {
  const WORD modifiers[] = {VK_CONTROL, VK_SHIFT, VK_MENU};
  const TShiftFlag flags[] = {ssCtrl, ssShift, ssAlt};
  std::vector<INPUT> all;
  for (int i = 0; i < 3; ++i)
    if (shift & flags[i]) all.push_back(Key(modifiers[i], false));
  all.insert(all.end(), inputs);
  for (int i = 2; i >= 0; --i)
    if (shift & flags[i]) all.push_back(Key(modifiers[i], true));
  SendInput(static_cast<UINT>(all.size()), all.data(), sizeof(INPUT));
}
}  // namespace detail

// One key with modifiers held, pressed and released; sent now, handled later.
inline void SendPress(WORD key, TShiftState shift = 0) {
  detail::SendHeld(shift, {detail::Key(key, false), detail::Key(key, true)});
}

// A key held down (or let go) until further notice, and handled.
inline void HoldKey(WORD key, bool down) {
  INPUT in = detail::Key(key, !down);
  SendInput(1, &in, sizeof(INPUT));
  Settle();
}

// One key with modifiers held, pressed, released and handled.
inline void Press(WORD key, TShiftState shift = 0) {
  SendPress(key, shift);
  Settle();
}

// Letters and digits typed as their keys (letters come out in lower case).
inline void Type(const char* keys) {
  for (const char* k = keys; *k; ++k) Press(static_cast<WORD>(*k >= 'a' && *k <= 'z' ? *k - 'a' + 'A' : *k));
}

// Mouse input at a screen point and single keys, sent now and handled later
// (see Gesture).
inline void SendMouse(POINT screen, DWORD buttons = 0) {
  // Absolute positions are in 65536ths of the screen; this one lands on the pixel.
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dx = (screen.x * 65536 + width - 1) / width;
  in.mi.dy = (screen.y * 65536 + height - 1) / height;
  in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttons;
  SendInput(1, &in, sizeof(INPUT));
}
inline void MouseMove(POINT screen) { SendMouse(screen); }
inline void MousePress(POINT screen, bool right = false) {
  SendMouse(screen, right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN);
}
inline void MouseRelease(POINT screen, bool right = false) {
  SendMouse(screen, right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP);
}
inline void SendKey(WORD key) { SendPress(key); }

// Input given over time, as a hand gives it: another thread sends the steps
// a little apart while this one handles messages, so that modal loops (a
// drag, the system's drag detection) see each step when it comes and moves
// are not merged. Steps must not touch windows; work out points beforehand.
inline void Gesture(const std::vector<std::function<void()>>& steps, int gapMs = 40) {
  std::atomic<bool> done{false};
  std::thread hand([&] {
    for (const auto& step : steps) {
      Sleep(gapMs);
      step();
    }
    Sleep(gapMs);
    done = true;
  });
  while (!done) {
    ui::ProcessMessages();
    Sleep(5);
  }
  hand.join();
  Settle();
}

// The mouse moved to a screen point and clicked there `clicks` times, each
// step seen as it comes (see Gesture); handled.
inline void ClickAt(POINT at, bool right = false, int clicks = 1) {
  std::vector<std::function<void()>> steps = {[at] { MouseMove(at); }};
  for (int i = 0; i < clicks; ++i) {
    steps.push_back([at, right] { MousePress(at, right); });
    steps.push_back([at, right] { MouseRelease(at, right); });
  }
  Gesture(steps);
}

// A point of a window's client area on the screen.
inline POINT ScreenPoint(HWND window, int x, int y) {
  POINT pt{x, y};
  ClientToScreen(window, &pt);
  return pt;
}

// The left button pressed and released at a point of a window's client
// area, with the modifiers held; handled.
inline void Click(HWND window, int x, int y, TShiftState shift = 0) {
  const POINT at = ScreenPoint(window, x, y);
  SetCursorPos(at.x, at.y);
  detail::SendHeld(shift, {detail::Button(MOUSEEVENTF_LEFTDOWN), detail::Button(MOUSEEVENTF_LEFTUP)});
  Settle();
}

// Clicks posted straight to a window at a client point, for views that take
// the button themselves: no hit testing, no capture. `keys` are the MK_
// flags of the modifiers the message says are held.
inline void PostButton(HWND window, UINT down, UINT up, WPARAM held, int x, int y) {
  PostMessageW(window, down, held, MAKELPARAM(x, y));
  PostMessageW(window, up, held & ~WPARAM(MK_LBUTTON | MK_RBUTTON), MAKELPARAM(x, y));
}
inline void PostClick(HWND window, int x, int y, WPARAM keys = 0) {
  PostButton(window, WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON | keys, x, y);
  Settle();
}
inline void PostDoubleClick(HWND window, int x, int y) {
  PostButton(window, WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON, x, y);
  PostButton(window, WM_LBUTTONDBLCLK, WM_LBUTTONUP, MK_LBUTTON, x, y);
  Settle();
}
inline void PostRightClick(HWND window, int x, int y) {
  PostButton(window, WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON, x, y);
  Settle();
}

// Brings a top-level window to the front so that it gets the keys.
inline void Activate(HWND window) {
  ShowWindow(window, SW_SHOW);
  SetForegroundWindow(window);
  SetActiveWindow(window);
  Settle();
}

}  // namespace input
