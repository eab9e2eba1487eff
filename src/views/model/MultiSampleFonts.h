// The fonts the multiple sample view has added to the system's font table
// for the rows in view, and nothing else: each one is removed again when no
// row in view needs it, and all of them when the owner goes.
#pragma once

#include <string>
#include <vector>

#include "views/model/MultiSampleRows.h"

class TSampleFonts {
 public:
  TSampleFonts() = default;
  ~TSampleFonts() { Clear(); }
  TSampleFonts(const TSampleFonts&) = delete;
  TSampleFonts& operator=(const TSampleFonts&) = delete;

  // Makes the added fonts exactly those of the rows [range.first, range.last)
  // that are not installed: first removes those no longer wanted, then adds
  // the missing ones, so that no more are ever added at once than wanted. A
  // file the system refused is not asked for again while it stays wanted.
  void Sync(const std::vector<TSampleRow>& rows, multi_sample::TRowRange range);
  // Removes every font added.
  void Clear();
  // The full file names added, in the order they were added.
  std::vector<std::string> Files() const;

 private:
  struct Entry {
    std::string file;
    std::string key;  // upper-cased, for matching
    bool added;       // false: the system refused it, so it holds nothing of ours
  };
  void Release(const Entry& entry);
  std::vector<Entry> entries_;
};

// A font file added to the system's table for as long as the scope lives,
// unless it is installed already (the measurements of a rebuild).
class TTemporaryFont {
 public:
  TTemporaryFont(const std::string& fileName, bool installed);
  ~TTemporaryFont();
  TTemporaryFont(const TTemporaryFont&) = delete;
  TTemporaryFont& operator=(const TTemporaryFont&) = delete;

 private:
  const std::string* fileName_;  // null unless the system took it
};
