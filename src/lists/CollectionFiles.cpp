#include "lists/CollectionFiles.h"

#include <algorithm>

#include "data/Collections.h"
#include "data/VLMUtil.h"
#include "sys/sys.h"

void SortCollectionNames(std::vector<std::string>& names) {
  sys::Backend& os = sys::Current();
  // A merge sort stays within bounds even if the system's order were not
  // strictly transitive.
  std::stable_sort(names.begin(), names.end(), [&os](const std::string& a, const std::string& b) {
    return os.CompareText(a, b) < 0;
  });
}

bool RenameCollectionFile(std::string_view folder, std::string_view oldName,
                          std::string_view newName) {
  if (!IsCollectionName(newName)) return false;
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
