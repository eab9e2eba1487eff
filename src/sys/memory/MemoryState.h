// The private state of the memory backend, shared by its source files.
#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "sys/memory/MemoryBackend.h"

namespace sys {

// Windows' English texts for the common error codes, each ended by "\r\n" as
// FormatMessage gives them; empty for codes it does not know.
std::string WindowsErrorText(uint32_t code);

// Paths and key names are stored by their upper-cased, normalised form.
std::string NormalisePath(std::string_view path);  // "c:/x\\y\\" -> "C:\X\Y"
std::string NormaliseKey(std::string_view path);   // "\Software\X\" -> "SOFTWARE\X"
std::string DisplayPath(std::string_view path);   // "c:/x//y/" -> "c:\x\y"
std::string ParentOf(const std::string& normalised);
std::string LastPart(std::string_view path);

// Erases every entry whose name lies below `root` ("ROOT\...").
template <typename Map>
void EraseBelow(Map& map, const std::string& root) {
  const std::string prefix = root + '\\';
  auto it = map.lower_bound(prefix);
  while (it != map.end() && it->first.compare(0, prefix.size(), prefix) == 0) it = map.erase(it);
}

struct MemFile {
  std::string path;  // as first given
  bool directory = false;
  uint32_t attributes = kAttrArchive;
  std::string content;
};

struct MemValue {
  std::string name;
  std::string data;
  uint32_t type = kRegSz;
};

struct MemKey {
  std::string name;  // last part, as first given
  std::vector<MemValue> values;  // in the order written, as the registry lists them
};

struct MemoryBackend::Impl {
  std::mutex mutex;

  std::map<std::string, std::shared_ptr<MemFile>> files;
  std::map<std::string, MemKey> keys[3];

  std::set<std::string> failedKeys[3];
  bool deniedHives[3] = {false, false, false};
  std::map<std::string, size_t> failListValues[3];
  std::set<std::string> failedFinds;
  std::map<std::string, uint64_t> failReadAfter;
  std::set<std::string> refusedSeeks;
  std::map<std::string, uint64_t> failWriteAfter;
  std::set<std::string> failedWriteFolders;
  std::set<std::string> lockedFiles;
  std::set<std::string> failedMoves;
  int shellFailure = 0;
  std::set<std::string> failedAddFonts;
  std::set<std::string> failedRemoveFonts;
  std::map<std::string, int> fontCounts;

  // Requires the lock.
  MemFile* Find(const std::string& normalised);
  bool IsDirectory(const std::string& normalised, const std::vector<std::string>& drives);
  uint32_t MissingError(const std::string& normalised, const std::vector<std::string>& drives);
  MemFile& Make(std::string_view path, bool directory);  // parents created as needed
  void EraseTree(const std::string& normalised);
  // Renames a file or a folder with everything in it; `to` as given.
  void MoveTree(const std::string& source, const std::string& to);
  void CopyTree(const std::string& source, const std::string& to);
  MemKey* FindKey(Hive hive, const std::string& normalised);
  MemKey& MakeKey(Hive hive, std::string_view path);  // parents created as needed
};

}  // namespace sys
