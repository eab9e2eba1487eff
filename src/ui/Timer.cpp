#include "ui/Timer.h"

#include <exception>
#include <unordered_map>

#include "ui/Control.h"

namespace {

std::unordered_map<UINT_PTR, TTimer*>& Timers() {
  static std::unordered_map<UINT_PTR, TTimer*> timers;
  return timers;
}

}  // namespace

TTimer::TTimer(unsigned interval, bool enabled) : interval_(interval) {
  if (enabled) Start();
}

TTimer::~TTimer() { Stop(); }

void TTimer::SetInterval(unsigned interval) {
  if (interval_ == interval) return;
  interval_ = interval;
  if (Enabled()) Start();
}

void TTimer::SetEnabled(bool enabled) {
  if (enabled) {
    Start();
  } else {
    Stop();
  }
}

void TTimer::Start() {
  Stop();
  if (interval_ == 0) return;
  id_ = SetTimer(nullptr, 0, interval_, Fired);
  if (id_) Timers()[id_] = this;
}

void TTimer::Stop() {
  if (!id_) return;
  KillTimer(nullptr, id_);
  Timers().erase(id_);
  id_ = 0;
}

void CALLBACK TTimer::Fired(HWND, UINT, UINT_PTR id, DWORD) {
  auto it = Timers().find(id);
  if (it == Timers().end()) return;
  // A copy: the handler may free its timer.
  const std::function<void()> handler = it->second->OnTimer;
  if (handler) ui::RunReporting(handler);
}
