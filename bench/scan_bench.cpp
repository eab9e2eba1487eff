// Times a names-only folder scan: a font file list in browse mode with
// subfolders over a tree, exactly as the Browse page scans.
//
//   scan_bench FOLDER [--repeat N] [--depth N]
#include "bench/cpu_time.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "data/FontFileList.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: scan_bench FOLDER [--repeat N] [--depth N]\n");
    return 2;
  }
  const std::string folder = argv[1];
  int repeat = 5;
  int depth = -1;
  for (int i = 2; i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    if (option == "--repeat") repeat = std::max(1, std::atoi(argv[i + 1]));
    if (option == "--depth") depth = std::atoi(argv[i + 1]);
  }

  TFontFileList list;
  list.SetInclSubfoldersDepth(depth);
  list.SetInclSubfolders(true);  // no folder yet: nothing scanned

  std::vector<double> seconds;
  std::vector<double> cpu;
  for (int run = 0; run < repeat; ++run) {
    const auto start = std::chrono::steady_clock::now();
    const double cpuStart = CpuSeconds();
    if (run == 0) {
      list.SetPath(folder);
    } else {
      list.Scan();
    }
    cpu.push_back(CpuSeconds() - cpuStart);
    seconds.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  std::sort(seconds.begin(), seconds.end());
  std::sort(cpu.begin(), cpu.end());
  const double median = seconds[seconds.size() / 2];
  const double best = seconds.front();  // the least disturbed run

  int bad = 0;
  int unnamed = 0;
  for (int i = 0; i < list.Count(); ++i) {
    if (list.Items(i)->Bad()) ++bad;
    if (list.Items(i)->FontName().empty()) ++unnamed;
  }
  const int fonts = list.Count();
  std::printf("scan_bench: %d fonts (%d bad, %d unnamed), %d runs, best %.2f ms, median %.2f ms\n",
              fonts, bad, unnamed, repeat, best * 1e3, median * 1e3);
  if (fonts > 0) {
    std::printf("scan_bench: %.1f us per font, %.0f fonts/s (best run; median %.1f us)\n",
                best * 1e6 / fonts, fonts / best, median * 1e6 / fonts);
  }
  if (fonts > 0) {
    std::printf("scan_bench: %.1f us CPU per font (least of the runs)\n", cpu.front() * 1e6 / fonts);
  }
  return 0;
}
