// Reading and writing a font file list as a collection file.
#include "data/Collections.h"
#include "data/FontFileList.h"
#include "data/InstalledFonts.h"
#include "sys/sys.h"

bool TFontFileList::LoadCollection(std::string_view path) {
  // Loading clears the list, which must not happen under a running scan.
  if (scanning_) return false;
  TInstalledFonts installed;
  return LoadCollectionNow(path, mode_, installed);
}

bool TFontFileList::LoadCollectionNow(std::string_view path, TFontListMode mode,
                                      TInstalledFonts& installed) {
  if (!sys::Current().FileExists(path)) return false;
  ClearNow();
  const bool whole = ReadCollectionLines(path, [&](std::string& line) {
    std::string fontName, file;
    ParseCollectionLine(std::move(line), fontName, file);
    const std::string_view name = fontName;
    AddRecord(file, &name, mode, installed);
  });
  partlyRead_ = !whole;
  return whole;
}

bool TFontFileList::SaveCollection(std::string_view path) {
  if (partlyRead_) {
    sys::Current().SetLastError(sys::kErrorReadFault);
    return false;
  }
  std::string file(path);
  if (file.empty()) {
    if (mode_ != flmCollection) return false;
    file = CollectionFile(path_, collection_);  // the file the scan read
  }
  std::string content;
  // Never a read's error text in place of a name: it would be trusted for ever.
  for (const auto& record : records_)
    content += CollectionLine(record->KnownName(), record->FileName());
  return WriteFileReplacing(file, content);
}
