#include "data/SampleSheetPrint.h"

#include "data/FontFileInfo.h"
#include "data/SampleSheetLayout.h"
#include "sys/sys.h"

namespace {

constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr char kMeasure[] = "gM";

const sys::PrintFont kInfoFont{.face = "Arial", .points = 8};

bool PrintPages(sys::PrintJob& job, const TSampleSheet& sheet) {
  if (!job.UseFont(kInfoFont)) return false;
  const TSheetMetrics metrics = SheetMetrics(job.Caps(), job.TextHeight(kMeasure));
  int y = metrics.top;

  if (!sheet.title.empty()) {
    const sys::PrintFont titleFont{.face = "Arial", .points = TitlePoints(sheet.fontSize), .bold = true};
    if (!job.UseFont(titleFont)) return false;
    const TTitlePlace title = PlaceTitle(metrics, y, job.TextHeight(kMeasure));
    if (!job.FillRect(title.bar, kBlack) ||
        !job.Text(title.textX, title.textY, sheet.title, title.bar, kWhite))
      return false;
    y = title.next;
  }

  for (const TSampleBlock& block : sheet.blocks) {
    if (!job.UseFont(block.font)) return false;
    const TBlockPlace place = PlaceBlock(metrics, y, job.TextHeight(kMeasure));
    if (place.newPage && !job.NewPage()) return false;
    if (!job.Text(place.sample.left, place.sample.top, sheet.sampleText, place.sample, kBlack) ||
        !job.UseFont(kInfoFont) ||
        !job.Text(place.info.left, place.info.top, block.info, place.info, kBlack))
      return false;
    y = place.next;
  }
  return true;
}

}  // namespace

TSampleBlock SampleBlock(TFontFileInfo& record, int fontSize) {
  TSampleBlock block;
  block.font.face = record.FamilyName();
  block.font.points = fontSize;
  block.font.bold = record.Bold();
  block.font.italic = record.Italic();
  block.font.underline = record.Underscore();
  block.font.strikeOut = record.Strikeout();
  block.font.outlines = record.Format() == ffCff;
  block.info = record.FontName() + "     " + record.FileName();
  return block;
}

bool PrintSampleSheet(const TSampleSheet& sheet) {
  sys::Backend& os = sys::Current();
  std::unique_ptr<sys::PrintJob> job = os.StartPrintJob(kSampleSheetJobTitle);
  if (!job) return false;
  const bool printed = PrintPages(*job, sheet);
  const uint32_t error = printed ? 0 : os.LastError();
  const bool ended = job->End();
  if (!printed) os.SetLastError(error);
  return printed && ended;
}
