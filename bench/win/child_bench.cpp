// The font window's view pages over the installed fonts of the prefix:
//   1. the multi-sample page shown with "all": how many rebuilds and how long,
//      beside one rebuild of a bare TMultiSample over the same list;
//   2. a burst of 50 selection changes with "selected fonts": how many
//      rebuilds, and when the first came after the first change;
//   3. the selection moved down the Installed list one row at a time (Down
//      through the input queue) with the Font Info page showing: from the key
//      to the panel filled, less the panel's 100 ms pause, per font.
//
//   scripts/wine-run build/win64/bench/win/child_bench.exe [rows]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "bench/win/bench_window.h"
#include "app/VLMChild.h"
#include "app/VLMMain.h"
#include "ui/Application.h"

using bench::Clock;
using bench::Micros;
using bench::Millis;
using bench::PumpUntil;
using bench::TBenchForm;

namespace {

void PumpFor(double ms) {
  PumpUntil([] { return false; }, ms);
}

void PressDown(WORD key) {
  INPUT in[2]{};
  in[0].type = in[1].type = INPUT_KEYBOARD;
  in[0].ki.wVk = in[1].ki.wVk = key;
  in[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, in, sizeof(INPUT));
}

}  // namespace

int main(int argc, char** argv) {
  const int maxRows = argc > 1 ? std::max(1, std::atoi(argv[1])) : 60;
  ui::InitControls();
  auto frame = std::make_unique<TfrmVLMMain>();
  frame->Show();
  ui::ProcessMessages();
  TfrmVLMChild& child = *frame->ActiveChild();
  SetForegroundWindow(frame->Handle());
  PumpFor(200);
  TFontList& installed = child.InstalledFontList;
  const int fonts = installed.FontFileList().Count();
  std::printf("installed fonts in the prefix                        %8d\n", fonts);

  // 1. The page shown with "all".
  int before = child.Multi().MultiSample.RebuildCount();
  Clock::time_point start = Clock::now();
  child.pcView.SelectPage(&child.tsViewMulti);
  const double pageShown = Millis(start);
  const int pageRebuilds = child.Multi().MultiSample.RebuildCount() - before;
  // Shown again, with the fonts' files in the system's cache.
  child.pcView.SelectPage(&child.tsViewSample);
  PumpFor(100);
  before = child.Multi().MultiSample.RebuildCount();
  start = Clock::now();
  child.pcView.SelectPage(&child.tsViewMulti);
  const double pageAgain = Millis(start);
  const int againRebuilds = child.Multi().MultiSample.RebuildCount() - before;
  start = Clock::now();
  child.Multi().MultiSample.Reload();
  const double ownReload = Millis(start);
  double bare = 0;
  {
    TMultiSample alone(child.tsViewMulti);
    alone.SetBounds(0, 0, child.Multi().MultiSample.Width(), child.Multi().MultiSample.Height());
    alone.SetFontFileList(&installed.FontFileList());
    start = Clock::now();
    alone.Reload();
    bare = Millis(start);
  }
  std::printf("multi-sample page shown, \"all\": rebuilds            %8d\n", pageRebuilds);
  std::printf("  time of the page change (first)                    %8.1f ms\n", pageShown);
  std::printf("  shown again: rebuilds %d, time                      %8.1f ms\n", againRebuilds, pageAgain);
  std::printf("  one rebuild of a bare TMultiSample, same list      %8.1f ms\n", bare);
  std::printf("  one Reload of the window's own view                %8.1f ms\n", ownReload);

  // 2. A burst of selection changes with "selected fonts".
  child.Multi().rbMultiSelected.SetChecked(true);
  PumpFor(300);
  before = child.Multi().MultiSample.RebuildCount();
  HWND view = child.InstalledFontList.ListView().Handle();
  start = Clock::now();
  // As a rubber band does: the first row stays selected, the others come and go.
  ListView_SetItemState(view, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  PumpFor(300);
  before = child.Multi().MultiSample.RebuildCount();
  start = Clock::now();
  for (int i = 0; i < 50; ++i) {
    const int item = 1 + i % std::max(1, fonts - 1);
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED;
    const bool selected = ListView_GetItemState(view, item, LVIS_SELECTED) != 0;
    state.state = selected ? 0 : LVIS_SELECTED;
    SendMessageW(view, LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&state));
  }
  const double burst = Millis(start);
  const bool rebuilt = PumpUntil([&] { return child.Multi().MultiSample.RebuildCount() > before; }, 2000);
  const double delay = Millis(start);
  PumpFor(500);
  std::printf("burst of 50 selection changes, \"selected\": rebuilds %8d\n",
              child.Multi().MultiSample.RebuildCount() - before);
  std::printf("  the burst itself                                   %8.1f ms\n", burst);
  std::printf("  first change to the rebuild done                   %8.1f ms%s\n", delay,
              rebuilt ? "" : " (none)");
  start = Clock::now();
  child.rbMultiClick();
  const double selectedRebuild = Millis(start);
  std::printf("  one rebuild of the same selected fonts             %8.1f ms\n", selectedRebuild);
  std::printf("  so the rebuild began after the first change at     %8.1f ms\n", delay - selectedRebuild);
  start = Clock::now();
  for (int i = 0; i < 10; ++i) child.FontListChange();
  std::printf("FontListChange, multi-sample page showing, selected %8.1f ms\n", Millis(start) / 10);
  child.Multi().rbMultiAll.SetChecked(true);

  // 3. Down the Installed list with Font Info showing.
  child.pcView.SelectPage(&child.tsViewFontInfo);
  installed.ListView().SetItemIndex(0);
  child.FontListChange();
  installed.SetFocus();
  PumpUntil([&] { return child.FontInfo.Visible() && child.FontInfo.RunningWorkers() == 0; }, 3000);
  const int rows = std::min(maxRows, fonts - 1);
  double total = 0;
  double toShowFont = 0;
  int measured = 0;
  for (int i = 0; i < rows; ++i) {
    const int from = installed.SelectedIndex();
    start = Clock::now();
    PressDown(VK_DOWN);
    PumpUntil([&] { return installed.SelectedIndex() != from && child.FontInfo.Shows(installed.SelectedRecord()); },
              3000);
    toShowFont += Millis(start);
    const bool filled = PumpUntil(
        [&] {
          return installed.SelectedIndex() != from && child.FontInfo.Shows(installed.SelectedRecord()) &&
                 child.FontInfo.Visible() && child.FontInfo.RunningWorkers() == 0;
        },
        3000);
    if (!filled) break;
    total += Millis(start);
    ++measured;
  }
  if (measured > 0) {
    std::printf("Font Info, one row down, key to panel filled          %8.1f ms per font (%d fonts)\n",
                total / measured, measured);
    std::printf("  less the panel's 100 ms pause                      %8.1f ms per font\n",
                total / measured - 100.0);
    std::printf("  of which key to the panel given the font           %8.1f ms per font\n",
                toShowFont / measured);
  } else {
    std::printf("Font Info: no row measured\n");
  }
  frame.reset();
  return 0;
}
