#include "app/DataFolders.h"

#include "data/VLMUtil.h"
#include "sys/sys.h"

TDataFolder EnsureDataFolder(std::string_view configured, std::string_view subfolder) {
  sys::Backend& os = sys::Current();
  const std::string programFolder = ExtractFilePath(os.ProgramPath());
  TDataFolder result;
  result.folder = std::string(configured);
  if (result.folder.empty() || !os.DirectoryExists(result.folder)) {
    result.folder = programFolder + std::string(subfolder) + "\\";
  }
  result.folder = IncludeTrailingBackslash(result.folder);
  if (!os.DirectoryExists(result.folder) && !os.MakeDirectory(result.folder)) {
    std::string fallback = GetPersonalFolder();
    if (fallback.empty()) fallback = programFolder;
    result.folder = IncludeTrailingBackslash(fallback);
    result.replaced = true;
  }
  return result;
}
