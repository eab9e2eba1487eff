#include "lists/CollectionFiles.h"

#include <windows.h>

#include <algorithm>

#include "data/Collections.h"
#include "data/VLMUtil.h"
#include "sys/sys.h"

std::vector<std::string> ListCollectionNames(std::string_view folder) {
  std::vector<sys::FindEntry> entries;
  std::string pattern(folder);
  pattern += '*';
  pattern += kCollectionFileExt;
  sys::Current().FindFiles(pattern, entries);
  std::vector<std::string> names;
  for (const sys::FindEntry& entry : entries) {
    // The system's pattern also matches longer extensions through the short
    // names ("A.VLMX"); such a file is no collection and would give a row
    // whose file does not exist.
    if (entry.IsDirectory() || !SameText(ExtractFileExt(entry.name), kCollectionFileExt)) continue;
    names.push_back(FileNameNoExt(entry.name));
  }
  return names;
}

void SortCollectionNames(std::vector<std::string>& names) {
  // A merge sort stays within bounds even if the system's order were not
  // strictly transitive.
  std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return lstrcmpA(a.c_str(), b.c_str()) < 0;
  });
}

bool RenameCollectionFile(std::string_view folder, std::string_view oldName,
                          std::string_view newName) {
  if (Trim(newName).empty() || newName.find_first_of("\\/:") != std::string_view::npos) return false;
  if (oldName == newName) return true;
  RenameCollection(folder, oldName, newName);
  // The shell reports its refusals to the user, not to us, and a cancelled
  // question looks like success: only the file under the new name counts.
  sys::Backend& os = sys::Current();
  const std::string from = CollectionFile(folder, oldName);
  const std::string to = CollectionFile(folder, newName);
  if (!os.FileExists(to)) return false;
  return SameText(oldName, newName) || !os.FileExists(from);
}
