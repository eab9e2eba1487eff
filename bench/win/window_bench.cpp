// The program's own windows over a large installed-font table, beside the
// bare registry loop over the same table in one run: the frame from its
// making to its first font window's Installed list filled, then a new font
// window (Ctrl+N through the input queue) until its list is filled, five
// times in turn with the loop; medians are compared.
//
// The list alone is installed_bench's.
//
//   scripts/wine-run build/win64/bench/win/window_bench.exe [FOLDER] [--keep]
//
// FOLDER: its .TTF files are added to the table first (see installed_bench);
// use a prefix of your own.
#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/VLMChild.h"
#include "app/VLMMain.h"
#include "bench/win/bench_window.h"
#include "bench/win/font_table.h"
#include "ui/Application.h"

using bench::Clock;
using bench::Millis;
using bench::PumpUntil;

namespace {

void PressCtrl(WORD key) {
  INPUT in[4]{};
  for (INPUT& i : in) i.type = INPUT_KEYBOARD;
  in[0].ki.wVk = in[3].ki.wVk = VK_CONTROL;
  in[1].ki.wVk = in[2].ki.wVk = key;
  in[2].ki.dwFlags = in[3].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(4, in, sizeof(INPUT));
}

BOOL CALLBACK CountWindow(HWND, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

int InstalledRows(TfrmVLMChild& child) { return child.InstalledFontList.ListView().ItemCount(); }

double Median(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  return times.empty() ? 0.0 : times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  const bench::TTableArgs args(argc, argv);
  const auto added = bench::AddBenchValues(args.folder);
  int values = 0;
  bench::BareRegistryLoop(values);

  ui::InitControls();
  Clock::time_point start = Clock::now();
  auto frame = std::make_unique<TfrmVLMMain>();
  frame->Show();
  TfrmVLMChild* first = frame->ActiveChild();
  PumpUntil([&] { return first && InstalledRows(*first) > 0; }, 60000);
  const double frameFilled = Millis(start);
  SetForegroundWindow(frame->Handle());
  PumpUntil([] { return false; }, 300);

  // Rounds of the bare loop and a new window in turn, so that both meet the
  // same moments of a noisy machine; each new window is closed again.
  constexpr int kRounds = 5;
  std::vector<double> bare, opened;
  int rows = 0;
  int windows = 0;
  for (int round = 0; round < kRounds; ++round) {
    bare.push_back(bench::BareRegistryLoop(values));
    const int before = frame->MDIChildCount();
    start = Clock::now();
    PressCtrl('N');
    TfrmVLMChild* child = nullptr;
    PumpUntil([&] {
      child = frame->MDIChildCount() > before ? frame->ActiveChild() : nullptr;
      return child && child != first && InstalledRows(*child) > 0;
    }, 60000);
    opened.push_back(Millis(start));
    if (!child || child == first) break;
    rows = InstalledRows(*child);
    // Where a new window's time goes besides its scan: its windows, each a
    // round trip or more to the Wine server.
    windows = 0;
    EnumChildWindows(child->Handle(), CountWindow, reinterpret_cast<LPARAM>(&windows));
    child->Close();
    PumpUntil([&] { return frame->MDIChildCount() == before; }, 5000);
    PumpUntil([] { return false; }, 100);
  }

  std::printf("installed-font table: %d values (%zu added for the bench)\n", values, added.size());
  std::printf("frame made, first font window's list filled        %8.1f ms\n", frameFilled);
  std::printf("%d rounds, median (best):\n", kRounds);
  std::printf("bare loop: enumerate and read every value          %8.1f ms  (%.1f)\n", Median(bare),
              *std::min_element(bare.begin(), bare.end()));
  std::printf("Ctrl+N, the new window's Installed list filled     %8.1f ms  (%.1f; %d rows)\n", Median(opened),
              *std::min_element(opened.begin(), opened.end()), rows);
  std::printf("  windows in a font window %d\n", windows);
  const double ratio = Median(bare) > 0 ? Median(opened) / Median(bare) : 0.0;
  std::printf("new window / bare loop = %.2f, medians (target <= 2)\n", ratio);

  frame.reset();
  if (!args.keep) bench::RemoveBenchValues(added);
  return 0;
}
