#include "lists/SampleSheet.h"

#include <algorithm>

#include "data/FontFileInfo.h"
#include "data/FontFileOps.h"
#include "data/SampleSheetPrint.h"
#include "data/VLMUtil.h"
#include "sys/sys.h"

namespace {

// The printer draws with the system's fonts: those of the sheet that are not
// installed are added for the job, once each, and taken away again after it.
// Only what the system took is removed: a file it refused may be held by
// someone else, the user's session or the preview.
class TPrintFonts {
 public:
  explicit TPrintFonts(const std::vector<TFontFileInfo*>& records) {
    std::vector<std::string> tried;
    for (TFontFileInfo* record : records) {
      if (record->Installed()) continue;
      const std::string file = record->FileName();
      std::string key = UpperAscii(file);
      if (std::find(tried.begin(), tried.end(), key) != tried.end()) continue;
      tried.push_back(std::move(key));
      if (sys::Current().AddFont(file) != 0) added_.push_back(file);
    }
    if (!added_.empty()) AnnounceFontChange();
  }
  ~TPrintFonts() {
    for (const std::string& file : added_) sys::Current().RemoveFont(file);
    if (!added_.empty()) AnnounceFontChange();
  }
  TPrintFonts(const TPrintFonts&) = delete;
  TPrintFonts& operator=(const TPrintFonts&) = delete;

 private:
  std::vector<std::string> added_;
};

}  // namespace

void PrintFontSamples(const std::vector<TFontFileInfo*>& records, std::string_view title,
                      std::string_view sampleText, int fontSize) {
  if (records.empty()) return;
  TSampleSheet sheet{std::string(title), std::string(sampleText), fontSize, {}};
  for (TFontFileInfo* record : records) sheet.blocks.push_back(SampleBlock(*record, fontSize));

  bool printed = false;
  uint32_t reason = 0;
  {
    const TPrintFonts fonts(records);
    printed = PrintSampleSheet(sheet);
    reason = printed ? 0 : sys::Current().LastError();
  }
  if (printed) return;
  sys::Current().SetLastError(reason);
  ShowError(L"不能打印样本页", reason != 0);
}
