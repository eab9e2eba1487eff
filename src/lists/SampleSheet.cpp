#include "lists/SampleSheet.h"

#include <algorithm>

#include "data/FontFileInfo.h"
#include "data/FontFileOps.h"
#include "data/SampleSheetPrint.h"
#include "data/VLMUtil.h"
#include "sys/sys.h"

namespace {

// The printer draws with the system's fonts: one that is not installed must
// be added first. It stays added until the list goes, so printing the same
// selection again adds nothing.
void MakeAvailable(const std::vector<TFontFileInfo*>& records, std::vector<std::string>& tempLoaded) {
  const size_t before = tempLoaded.size();
  for (TFontFileInfo* record : records) {
    if (record->Installed()) continue;
    const std::string file = record->FileName();
    if (std::find(tempLoaded.begin(), tempLoaded.end(), file) != tempLoaded.end()) continue;
    sys::Current().AddFont(file);
    tempLoaded.push_back(file);
  }
  if (tempLoaded.size() > before) AnnounceFontChange();
}

}  // namespace

void PrintFontSamples(const std::vector<TFontFileInfo*>& records,
                      std::vector<std::string>& tempLoaded, std::string_view title,
                      std::string_view sampleText, int fontSize) {
  if (records.empty()) return;
  MakeAvailable(records, tempLoaded);

  TSampleSheet sheet{std::string(title), std::string(sampleText), fontSize, {}};
  for (TFontFileInfo* record : records) sheet.blocks.push_back(SampleBlock(*record, fontSize));
  if (!PrintSampleSheet(sheet)) ShowError(L"不能打印样本页", sys::Current().LastError() != 0);
}
