// Prints three sample sheets of Debian's real fonts on the default printer and
// exits; check_print.sh then reads the PDFs the test run's PDF printer made.
// Wine hands a job to the printing system for good only when the program
// that printed it ends, hence a program of its own.
#include <cstdio>
#include <memory>
#include <vector>

#include "data/FontFileInfo.h"
#include "data/SampleSheetPrint.h"
#include "sys/sys.h"
#include "tests/support/RealFonts.h"

namespace {

TSampleSheet Sheet(std::vector<std::unique_ptr<TFontFileInfo>>& records, const char* title,
                   int fontSize, int blocks) {
  TSampleSheet sheet{title, "Sphinx of black quartz, judge my vow", fontSize, {}};
  for (int i = 0; i < blocks; ++i)
    sheet.blocks.push_back(SampleBlock(*records[static_cast<size_t>(i) % records.size()], fontSize));
  return sheet;
}

// A record of face `face` of a font file on drive Z:, its file added as the
// font list adds a file that is not installed; none when it is missing.
std::unique_ptr<TFontFileInfo> FaceRecord(const char* unixPath, uint32_t face) {
  const std::string path = WinePath(unixPath);
  if (!sys::Current().FileExists(path)) return nullptr;
  auto record = std::make_unique<TFontFileInfo>();
  record->SetFileNameAndRead(path, false, face);
  sys::Current().AddFont(path);
  return record;
}

}  // namespace

int main() {
  sys::Backend& os = sys::Current();
  std::vector<std::unique_ptr<TFontFileInfo>> records;
  for (const RealFont* font : kRealFonts) records.push_back(FaceRecord(font->unixPath, 0));
  // A face with PostScript outlines and the second face of a collection.
  std::vector<std::unique_ptr<TFontFileInfo>> faces;
  faces.push_back(FaceRecord("/usr/share/fonts/opentype/urw-base35/NimbusSans-Regular.otf", 0));
  faces.push_back(FaceRecord("/usr/share/fonts/truetype/wqy/wqy-microhei.ttc", 1));
  for (const auto* group : {&records, &faces}) {
    for (const auto& record : *group) {
      if (!record) {
        std::fprintf(stderr, "a font of DejaVu, Liberation, URW base35 or WenQuanYi is missing\n");
        return 2;
      }
    }
  }
  int status = 0;
  // Three fonts under a title; then 16 blocks of 36 points, which need two
  // A4 pages; then the two faces.
  if (!PrintSampleSheet(Sheet(records, "Velmara Test Collection", 14, 3)) ||
      !PrintSampleSheet(Sheet(records, "Long", 36, 16)) || !PrintSampleSheet(Sheet(faces, "Faces", 14, 2))) {
    std::fprintf(stderr, "printing failed: error %u\n", os.LastError());
    status = 1;
  }
  for (const auto& record : records) os.RemoveFont(record->FileName());
  for (const auto& record : faces) os.RemoveFont(record->FileName());
  return status;
}
