// How much of a vlminfo run its own output costs: the records of a folder's
// fonts are read as vlminfo reads them, then turned into JSON lines (names
// from the code page to UTF-8) and written to /dev/null; each part is timed.
//
//   output_bench FOLDER [--repeat N] [--names-only]
#include "bench/measure.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "data/FontFileInfo.h"
#include "data/InstalledFonts.h"
#include "tools/vlminfo/json.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: output_bench FOLDER [--repeat N] [--names-only]\n");
    return 2;
  }
  int repeat = 5;
  bool namesOnly = false;
  for (int i = 2; i < argc; ++i) {
    const std::string option = argv[i];
    if (option == "--repeat" && i + 1 < argc) repeat = std::max(1, std::atoi(argv[++i]));
    if (option == "--names-only") namesOnly = true;
  }
  std::vector<std::string> files;
  FontFilesBelow(argv[1], files);
  std::sort(files.begin(), files.end());
  FILE* sink = std::fopen("/dev/null", "w");
  if (!sink || files.empty()) return 1;

  // Each record is read and written in turn, as vlminfo does it; the two
  // parts are timed apart.
  using Clock = std::chrono::steady_clock;
  double bestRead = 1e9, bestOutput = 1e9;
  for (int run = 0; run < repeat; ++run) {
    Clock::duration read{}, output{};
    TInstalledFonts installed;
    TJsonLines lines(sink);
    for (const std::string& file : files) {
      const auto start = Clock::now();
      TFontFileInfo record;
      record.SetFileNameAndRead(file, !namesOnly, installed);
      const auto written = Clock::now();
      record.LookAtFields([&lines](const TFontFields& fields) { AppendRecordJson(lines.text, fields); });
      lines.EndLine();
      const auto end = Clock::now();
      read += written - start;
      output += end - written;
    }
    const auto flushStart = Clock::now();
    lines.Flush();
    std::fflush(sink);
    output += Clock::now() - flushStart;
    bestRead = std::min(bestRead, std::chrono::duration<double>(read).count());
    bestOutput = std::min(bestOutput, std::chrono::duration<double>(output).count());
  }
  std::fclose(sink);
  const double n = static_cast<double>(files.size());
  std::printf("output_bench: %zu fonts, %s: reading %.1f us per font, output %.1f us per font\n",
              files.size(), namesOnly ? "names only" : "all tables", bestRead * 1e6 / n,
              bestOutput * 1e6 / n);
  std::printf("output_bench: output is %.1f%% of the run (best runs)\n",
              100 * bestOutput / (bestRead + bestOutput));
  return 0;
}
