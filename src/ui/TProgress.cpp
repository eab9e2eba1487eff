#include "ui/TProgress.h"

#include <string>

#include "sys/sys.h"
#include "ui/Dpi.h"

namespace {

constexpr wchar_t kClassName[] = L"VelmaraProgress";
constexpr RECT kBarBounds{5, 8, 5 + 195, 8 + 13};  // at 96 dpi
constexpr std::chrono::milliseconds kFrame{16};

HWND g_mainWindow = nullptr;

void RegisterClassOnce() {
  static const bool registered = [] {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_PROGRESS_CLASS};
    ::InitCommonControlsEx(&controls);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = ui::Instance();
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);  // NOLINT: system colour index
    wc.lpszClassName = kClassName;
    return ::RegisterClassExW(&wc) != 0;
  }();
  (void)registered;
}

// The window is no control of ours: it goes by the main window's scale.
int Scaled(int pixels) {
  return ui::ScaleToDpi(pixels, g_mainWindow ? ui::WindowDpi(g_mainWindow) : ui::SystemDpi());
}

// Where the window's top-left corner goes, in screen coordinates.
POINT CentredOrigin() {
  if (g_mainWindow && ::IsWindow(g_mainWindow)) {
    RECT client{};
    ::GetClientRect(g_mainWindow, &client);
    POINT origin{(client.right - Scaled(TProgress::kWidth)) / 2, (client.bottom - Scaled(TProgress::kHeight)) / 2};
    ::ClientToScreen(g_mainWindow, &origin);
    return origin;
  }
  return {(::GetSystemMetrics(SM_CXSCREEN) - Scaled(TProgress::kWidth)) / 2,
          (::GetSystemMetrics(SM_CYSCREEN) - Scaled(TProgress::kHeight)) / 2};
}

}  // namespace

TProgress::TProgress(HWND owner, int maximum, std::wstring_view caption) {
  RegisterClassOnce();
  const POINT origin = CentredOrigin();
  const std::wstring text(caption);
  window_.Reset(::CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, text.c_str(), WS_POPUP | WS_CAPTION,
                                  origin.x, origin.y, Scaled(kWidth), Scaled(kHeight), owner, nullptr,
                                  ui::Instance(), nullptr));
  if (!window_) return;
  bar_ = ::CreateWindowExW(0, PROGRESS_CLASSW, nullptr, WS_CHILD | WS_VISIBLE, Scaled(kBarBounds.left),
                           Scaled(kBarBounds.top), Scaled(kBarBounds.right - kBarBounds.left),
                           Scaled(kBarBounds.bottom - kBarBounds.top), window_.Get(), nullptr,
                           ui::Instance(), nullptr);
  if (maximum >= 0) {
    ::SendMessageW(bar_, PBM_SETRANGE32, 0, maximum);
    maximum_ = maximum;
  }
  RECT inside{};
  ::GetClientRect(bar_, &inside);
  barWidth_ = inside.right - inside.left;
  ::SendMessageW(bar_, PBM_SETPOS, 0, 0);
  ::SendMessageW(bar_, PBM_SETSTEP, 1, 0);
}

TProgress::~TProgress() = default;

void TProgress::SetText(std::wstring_view caption, int maximum) {
  const std::wstring text(caption);
  if (window_) ::SetWindowTextW(window_.Get(), text.c_str());
  if (bar_ && maximum >= 0) {
    ::SendMessageW(bar_, PBM_SETRANGE32, 0, maximum);
    maximum_ = maximum;
    position_ = shown_ = static_cast<int>(::SendMessageW(bar_, PBM_GETPOS, 0, 0));
  }
}

void TProgress::Show() {
  if (window_) {
    ::ShowWindow(window_.Get(), SW_SHOWNOACTIVATE);
    ::UpdateWindow(window_.Get());
  }
  sys::Current().ProcessMessages();
  frame_ = std::chrono::steady_clock::now();
}

void TProgress::StepIt() {
  // A scan steps far more often than the eye can follow, and both the bar's
  // repaint and a look at the message queue cost more than a step (under
  // Wine each look is a round trip to its server): both are done once a
  // screen frame, and the last step always shows.
  ++position_;
  const auto now = std::chrono::steady_clock::now();
  if (bar_ && position_ > maximum_) {
    ::SendMessageW(bar_, PBM_STEPIT, 0, 0);  // the control starts over
    position_ = shown_ = static_cast<int>(::SendMessageW(bar_, PBM_GETPOS, 0, 0));
  } else if (position_ != maximum_ && now - frame_ < kFrame) {
    return;
  } else if (bar_ && (position_ == maximum_ || Fill(position_) != Fill(shown_))) {
    ::SendMessageW(bar_, PBM_SETPOS, static_cast<WPARAM>(position_), 0);
    shown_ = position_;
  }
  frame_ = now;
  sys::Current().ProcessMessages();
}

int TProgress::Fill(int position) const {
  return maximum_ > 0 ? ::MulDiv(position, barWidth_, maximum_) : 0;
}

void TProgress::SetMainWindow(HWND window) { g_mainWindow = window; }
