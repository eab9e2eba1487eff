// How long a font window's Installed list takes to fill from the installed-
// font table, beside a bare loop that enumerates the table's values and reads
// each one, over the same table in one run; then where the list's time goes.
//
//   scripts/wine-run build/win64/bench/win/installed_bench.exe [FOLDER] [--keep]
//
// FOLDER (a Windows path such as Z:\tmp\vlm-corpus\flat): its .TTF files are
// first added to the table as "Bench NNNNN (TrueType)" values, so that the
// table is as big as a machine with many fonts has it, and removed again at
// the end unless --keep. Use a prefix of your own.
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/win/bench_window.h"
#include "bench/win/font_table.h"
#include "data/FontFileList.h"
#include "data/InstalledFonts.h"
#include "data/VLMUtil.h"
#include "lists/FontList.h"
#include "sys/sys.h"
#include "ui/Form.h"
#include "ui/TProgress.h"

using bench::Clock;
using bench::Micros;
using bench::Millis;
using bench::TBenchForm;

int main(int argc, char** argv) {
  const bench::TTableArgs args(argc, argv);
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&icc);
  const std::vector<std::string> added = bench::AddBenchValues(args.folder);

  int values = 0;
  bench::BareRegistryLoop(values);  // the registry warm, as it is for a new window
  const double bare = bench::BareRegistryLoop(values);

  TBenchForm form(L"installed_bench");
  form.Show();
  TProgress::SetMainWindow(form.Handle());

  // The data alone: a scan with silent progress.
  double scanSilent = 0;
  int records = 0;
  {
    TFontFileList list;
    const Clock::time_point start = Clock::now();
    list.SetMode(flmInstalled);
    scanSilent = Millis(start);
    records = list.Count();
  }

  // Its parts: one look-up of each record's installed state, one test that
  // each file exists.
  double lookups = 0, exists = 0;
  {
    TFontFileList list;
    list.SetMode(flmInstalled);
    TInstalledFonts installed;
    Clock::time_point start = Clock::now();
    for (int i = 0; i < list.Count(); ++i) {
      bool isInstalled = false, inFolder = false;
      installed.Check(list.Items(i)->FontName(), list.Items(i)->FileName(), isInstalled, inFolder);
    }
    lookups = Millis(start);
    start = Clock::now();
    for (int i = 0; i < list.Count(); ++i) sys::Current().FileExists(list.Items(i)->FileName());
    exists = Millis(start);
  }

  // A progress window stepped once per value, as the scan steps it.
  double progressOnly = 0;
  InstallProgressWindows();
  {
    const Clock::time_point start = Clock::now();
    auto progress = MakeProgress(-1, L"正在搜索字体文件夹...");
    progress->Show();
    progress->SetText(L"正在读 % 种字体...", values);
    for (int i = 0; i < values; ++i) progress->StepIt();
    progressOnly = Millis(start);
  }

  // The progress window's parts: the bar's steps alone, then letting
  // pending messages run alone, as often as the scan does each.
  double barSteps = 0, pumping = 0;
  {
    TProgress progress(nullptr, values, L"正在读 % 种字体...");
    progress.Show();
    Clock::time_point start = Clock::now();
    for (int i = 0; i < values; ++i) SendMessageW(progress.Bar(), PBM_STEPIT, 0, 0);
    barSteps = Millis(start);
    start = Clock::now();
    for (int i = 0; i < values; ++i) sys::Current().ProcessMessages();
    pumping = Millis(start);
  }

  // The font window's list: scan with the progress window, rows, painting.
  double window = 0;
  int rows = 0;
  {
    TFontList list(form);
    list.SetAlign(alClient);
    const Clock::time_point start = Clock::now();
    list.SetMode(flmInstalled);
    list.ListView().Update();
    window = Millis(start);
    rows = list.ListView().ItemCount();
  }

  std::printf("installed-font table: %d values (%zu added for the bench)\n", values, added.size());
  std::printf("bare loop: enumerate and read every value       %8.1f ms\n", bare);
  std::printf("font window's Installed list filled             %8.1f ms  (%d rows)\n", window, rows);
  std::printf("  its scan alone, no progress window            %8.1f ms  (%d records)\n", scanSilent, records);
  std::printf("  per-record installed look-ups                 %8.1f ms\n", lookups);
  std::printf("  per-record file existence tests               %8.1f ms\n", exists);
  std::printf("  progress window, %d steps                   %8.1f ms\n", values, progressOnly);
  std::printf("    the bar's steps alone                       %8.1f ms\n", barSteps);
  std::printf("    letting pending messages run alone          %8.1f ms\n", pumping);
  std::printf("list / bare loop = %.2f (target <= 2)\n", bare > 0 ? window / bare : 0.0);

  if (!args.keep) bench::RemoveBenchValues(added);
  return 0;
}
