// Times a folder scan exactly as the Browse page scans: a font file list in
// browse mode, names only, over a folder with its subfolders (or without,
// --flat). With --all, every record is then asked for its values, as a
// filtered list asks them, and that is timed too.
//
//   scan_bench FOLDER [--repeat N] [--depth N] [--flat] [--readers N] [--at-once] [--cold] [--all]
//
// --readers N sets the threads that read ahead of the scan (1: the scan
// reads every file itself), --at-once starts them with the reading instead
// of when the scan's own reads turn out slow; --cold empties the page cache
// before every run.
#include "bench/measure.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "data/FontFileList.h"

namespace {

struct Figures {
  std::vector<double> seconds, cpu, bytes;
  void Add(double s, double c, double b) {
    seconds.push_back(s);
    cpu.push_back(c);
    bytes.push_back(b);
  }
  void Print(const char* what, int fonts) {
    std::sort(seconds.begin(), seconds.end());
    std::sort(cpu.begin(), cpu.end());
    std::sort(bytes.begin(), bytes.end());
    const double best = seconds.front(), median = seconds[seconds.size() / 2];
    std::printf("%s: %.1f us per font, %.0f fonts/s (best run; median %.1f us)\n", what,
                best * 1e6 / fonts, fonts / best, median * 1e6 / fonts);
    std::printf("%s: %.1f us CPU per font (least of the runs)\n", what, cpu.front() * 1e6 / fonts);
    std::printf("%s: %.2f KB read per font\n", what, bytes.front() / 1024 / fonts);
  }
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr,
                 "usage: scan_bench FOLDER [--repeat N] [--depth N] [--flat] [--readers N] [--at-once] [--cold] [--all]\n");
    return 2;
  }
  const std::string folder = argv[1];
  int repeat = 5, depth = -1;
  bool flat = false, cold = false, all = false;
  for (int i = 2; i < argc; ++i) {
    const std::string option = argv[i];
    const bool value = i + 1 < argc;
    if (option == "--repeat" && value) repeat = std::max(1, std::atoi(argv[++i]));
    if (option == "--depth" && value) depth = std::atoi(argv[++i]);
    if (option == "--readers" && value) TFontFileList::SetScanReaders(std::atoi(argv[++i]));
    if (option == "--flat") flat = true;
    if (option == "--cold") cold = true;
    if (option == "--at-once") TFontFileList::SetSlowReadMicros(0);
    if (option == "--all") all = true;
  }
  std::vector<std::string> files;
  if (cold) FontFilesBelow(folder, files);

  TFontFileList list;
  list.SetInclSubfoldersDepth(depth);
  list.SetInclSubfolders(!flat);  // no folder yet: nothing scanned

  Figures scan, values;
  const char* how = "warm";
  for (int run = 0; run < repeat; ++run) {
    if (cold) how = DropCaches(files);
    auto start = std::chrono::steady_clock::now();
    double cpuStart = CpuSeconds(), bytesStart = BytesRead();
    if (run == 0) {
      list.SetPath(folder);
    } else {
      list.Scan();
    }
    scan.Add(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
             CpuSeconds() - cpuStart, BytesRead() - bytesStart);
    if (!all) continue;
    start = std::chrono::steady_clock::now();
    cpuStart = CpuSeconds(), bytesStart = BytesRead();
    for (int i = 0; i < list.Count(); ++i) list.Items(i)->FontKind();
    values.Add(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
               CpuSeconds() - cpuStart, BytesRead() - bytesStart);
  }

  int bad = 0, unnamed = 0;
  for (int i = 0; i < list.Count(); ++i) {
    if (list.Items(i)->Bad()) ++bad;
    if (list.Items(i)->FontName().empty()) ++unnamed;
  }
  const int fonts = list.Count();
  std::printf("scan_bench: %d fonts (%d bad, %d unnamed), %s, %d reader(s), %s cache, %d runs\n",
              fonts, bad, unnamed, flat ? "one folder" : "with subfolders",
              TFontFileList::ScanReaders(), how, repeat);
  if (fonts == 0) return 0;
  scan.Print("scan_bench", fonts);
  if (all) values.Print("scan_bench all tables after the scan", fonts);
  return 0;
}
