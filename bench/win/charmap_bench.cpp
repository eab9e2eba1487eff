// How soon the character map's Unicode mode shows a face after the font's
// record was read: its cmap read and the visible cells painted, for a CJK
// collection face of 34,600 code points and a Latin face; then a repaint, a
// page scrolled and a face shown again from the faces kept. Goal: a face of
// 35,000 characters within 100 ms.
//
//   scripts/wine-run build/win32/bench/win/charmap_bench.exe [FONT [FACE]]...
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/win/bench_window.h"
#include "data/CharacterMap.h"
#include "data/FontFileInfo.h"
#include "sys/sys.h"
#include "views/CharMatrix.h"

using bench::Clock;
using bench::Millis;
using bench::TBenchForm;

namespace {

struct TFace {
  std::string path;
  uint32_t face;
};

}  // namespace

int main(int argc, char** argv) {
  std::vector<TFace> faces;
  for (int i = 1; i < argc; ++i) {
    const bool index = i + 1 < argc && argv[i + 1][0] >= '0' && argv[i + 1][0] <= '9';
    faces.push_back({argv[i], index ? static_cast<uint32_t>(std::atoi(argv[i + 1])) : 0u});
    if (index) ++i;
  }
  if (faces.empty()) {
    faces = {{"Z:\\usr\\share\\fonts\\truetype\\wqy\\wqy-microhei.ttc", 0},
             {"Z:\\usr\\share\\fonts\\opentype\\noto\\NotoSansCJK-Regular.ttc", 2},
             {"Z:\\usr\\share\\fonts\\truetype\\dejavu\\DejaVuSans.ttf", 0}};
  }

  TBenchForm form(L"charmap_bench", 800, 700);
  form.Show();
  TCharMatrix matrix(form);
  matrix.SetAlign(alClient);
  matrix.SetColumns(8);
  matrix.SetUnicodeMode(true);
  ui::ProcessMessages();

  for (const TFace& face : faces) {
    if (!sys::Current().FileExists(face.path)) {
      std::printf("%s: not found\n", face.path.c_str());
      continue;
    }
    // The record's read, as the list's selection makes it, comes first.
    Clock::time_point start = Clock::now();
    TFontFileInfo record;
    record.SetFileNameAndRead(face.path, true, face.face);
    const double recordMs = Millis(start);
    const std::string name = record.FamilyName();

    start = Clock::now();
    const size_t points = ReadCodePoints(face.path, face.face).size();
    const double cmapMs = Millis(start);

    start = Clock::now();
    matrix.SetFontName(name);
    matrix.SetFontFile(face.path, face.face);
    matrix.Grid().Update();
    const double shownMs = Millis(start);

    start = Clock::now();
    matrix.Grid().Invalidate(false);
    matrix.Grid().Update();
    const double repaintMs = Millis(start);

    start = Clock::now();
    matrix.Grid().Perform(WM_KEYDOWN, VK_NEXT, 0);
    matrix.Grid().Update();
    const double pageMs = Millis(start);

    // Another face and back: the first one's code points are kept.
    matrix.SetFontFile("", 0);
    start = Clock::now();
    matrix.SetFontFile(face.path, face.face);
    matrix.Grid().Update();
    const double keptMs = Millis(start);

    std::printf("%s face %u (%s): %zu code points\n", face.path.c_str(), face.face, name.c_str(), points);
    std::printf("  record read %7.2f ms; cmap read alone %7.2f ms\n", recordMs, cmapMs);
    std::printf("  shown (cmap read, cells painted) %7.2f ms; repaint %7.2f ms; page down %7.2f ms; "
                "shown again from the faces kept %7.2f ms\n",
                shownMs, repaintMs, pageMs, keptMs);
  }
  std::printf("(goal: a face of 35,000 characters shown within 100 ms)\n");
  return 0;
}
