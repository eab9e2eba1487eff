#include "ui/TrackBar.h"
#include "ui/Dpi.h"

TTrackBar::TTrackBar(TControl& parent, bool vertical) : TControl(&parent) {
  CreateParams params;
  params.className = TRACKBAR_CLASSW;
  params.style |= WS_TABSTOP | TBS_AUTOTICKS | (vertical ? TBS_VERT : TBS_HORZ);
  params.width = ui::TScale(*this)(vertical ? 45 : 150);
  params.height = ui::TScale(*this)(vertical ? 150 : 45);
  CreateSystemWindow(params);
  SetRange(0, 10);
}

int TTrackBar::Min() const { return static_cast<int>(Perform(TBM_GETRANGEMIN)); }
int TTrackBar::Max() const { return static_cast<int>(Perform(TBM_GETRANGEMAX)); }

void TTrackBar::SetRange(int min, int max) {
  Perform(TBM_SETRANGEMIN, FALSE, min);
  Perform(TBM_SETRANGEMAX, TRUE, max);
  lastPosition_ = Position();
}

int TTrackBar::Position() const { return static_cast<int>(Perform(TBM_GETPOS)); }

void TTrackBar::SetPosition(int position) {
  Perform(TBM_SETPOS, TRUE, position);
  const int now = Position();
  if (now != lastPosition_) {
    lastPosition_ = now;
    if (OnChange) OnChange();
  }
}

void TTrackBar::SetFrequency(int frequency) { Perform(TBM_SETTICFREQ, static_cast<WPARAM>(frequency)); }
void TTrackBar::SetPageSize(int size) { Perform(TBM_SETPAGESIZE, 0, size); }

bool TTrackBar::OnReflect(UINT msg, WPARAM, LPARAM, LRESULT& result) {
  if (msg != WM_HSCROLL && msg != WM_VSCROLL) return false;
  result = 0;
  const int now = Position();
  if (now != lastPosition_) {
    lastPosition_ = now;
    if (OnChange) OnChange();
  }
  return true;
}
