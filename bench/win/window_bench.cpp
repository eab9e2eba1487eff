// The program's own windows over a large installed-font table, beside the
// bare registry loop over the same table in one run: the frame from its
// making to its first font window's Installed list filled, then a new font
// window (Ctrl+N through the input queue) until its list is filled.
//
// The list alone is installed_bench's.
//
//   scripts/wine-run build/win64/bench/win/window_bench.exe [FOLDER] [--keep]
//
// FOLDER: its .TTF files are added to the table first (see installed_bench);
// use a prefix of your own.
#include <cstdio>
#include <memory>
#include <string>

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

}  // namespace

int main(int argc, char** argv) {
  const bench::TTableArgs args(argc, argv);
  const auto added = bench::AddBenchValues(args.folder);
  int values = 0;
  bench::BareRegistryLoop(values);
  const double bare = bench::BareRegistryLoop(values);

  ui::InitControls();
  Clock::time_point start = Clock::now();
  auto frame = std::make_unique<TfrmVLMMain>();
  frame->Show();
  TfrmVLMChild* first = frame->ActiveChild();
  PumpUntil([&] { return first && InstalledRows(*first) > 0; }, 60000);
  const double frameFilled = Millis(start);
  SetForegroundWindow(frame->Handle());
  PumpUntil([] { return false; }, 300);

  const int before = frame->MDIChildCount();
  start = Clock::now();
  PressCtrl('N');
  PumpUntil([&] {
    TfrmVLMChild* child = frame->MDIChildCount() > before ? frame->ActiveChild() : nullptr;
    return child && child != first && InstalledRows(*child) > 0;
  }, 60000);
  const double newFilled = Millis(start);
  const int rows = frame->ActiveChild() ? InstalledRows(*frame->ActiveChild()) : 0;

  // Where a new window's time goes besides its scan: its windows, each a
  // round trip or more to the Wine server.
  int windows = 0;
  EnumChildWindows(frame->ActiveChild()->Handle(), CountWindow, reinterpret_cast<LPARAM>(&windows));

  std::printf("installed-font table: %d values (%zu added for the bench)\n", values, added.size());
  std::printf("bare loop: enumerate and read every value          %8.1f ms\n", bare);
  std::printf("frame made, first font window's list filled        %8.1f ms\n", frameFilled);
  std::printf("Ctrl+N, the new window's Installed list filled     %8.1f ms  (%d rows)\n", newFilled, rows);
  std::printf("  windows in a font window %d\n", windows);
  std::printf("new window / bare loop = %.2f (target <= 2)\n", bare > 0 ? newFilled / bare : 0.0);

  frame.reset();
  if (!args.keep) bench::RemoveBenchValues(added);
  return 0;
}
