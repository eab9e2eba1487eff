// The file operations of a font list: each applies a record operation to the
// chosen records, reports every failure in its own message box, goes on with
// the next one, and tells the list's view how to bring its rows up to date.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "data/FontFileList.h"

// What the view must do once an operation has returned.
struct TListOpOutcome {
  bool Update = false;            // rebuild the rows from the list
  bool Reload = false;            // rescan the list first: what is on disk changed under it
  bool Removed = false;           // records left the list: rows still showing them are stale
  bool SelectionChanged = false;  // tell the owner the selection changed
};

class TFontListOps {
 public:
  // `loadedFonts`: the session's shared list of upper-cased loaded file names,
  // or none.
  TFontListOps(TFontFileList& list, std::vector<std::string>* loadedFonts)
      : list_(list), loadedFonts_(loadedFonts) {}

  // `selected`: records of `list` in display order.
  // `forUser`: into the current user's own fonts folder and table alone.
  TListOpOutcome InstallFonts(const std::vector<TFontFileInfo*>& selected, bool forUser);
  // `deleteFiles` (Shift held): the fonts folder's files are deleted for good
  // one by one; otherwise they go to the recycle bin together at the end.
  TListOpOutcome UninstallFonts(const std::vector<TFontFileInfo*>& selected, bool deleteFiles);
  TListOpOutcome LoadFonts(const std::vector<TFontFileInfo*>& selected);
  TListOpOutcome UnloadFonts(const std::vector<TFontFileInfo*>& selected);
  // In a collection only the collection changes; elsewhere the files are
  // deleted (`permanent`) or recycled, and in the fonts folder their fonts
  // are uninstalled first. A file that stays is told, with the reason; its
  // row stays too, but on the Installed page a font taken out of the table
  // leaves.
  TListOpOutcome DeleteFonts(const std::vector<TFontFileInfo*>& selected, bool permanent);
  // Dropped or pasted files: added to a collection, installed into the fonts
  // folder, or copied into the list's folder.
  TListOpOutcome AddFiles(const std::vector<std::string>& fileNames);

  // Renames a listed record's file and keeps the list's index and the loaded
  // fonts in step with it.
  bool RenameFont(TFontFileInfo& record, std::string_view newName,
                  std::string_view collectionsFolder = {});

 private:
  // A record an operation disposed of, and the file it had.
  struct Disposal {
    TFontFileInfo* record;
    std::string file;
    bool unregistered;  // its font was taken out of the table
  };
  TListOpOutcome DeleteFromFontsFolder(const std::vector<TFontFileInfo*>& selected, bool permanent);
  // The records whose rows show what is really gone: on the Installed page a
  // font no longer in the table, elsewhere a file no longer on disk.
  std::vector<TFontFileInfo*> Gone(const std::vector<Disposal>& disposed) const;
  void ForgetLoaded(const std::string& file);
  TListOpOutcome RemoveRecords(const std::vector<TFontFileInfo*>& gone);
  bool ListIsFontsFolder() const;

  TFontFileList& list_;
  std::vector<std::string>* loadedFonts_;
};

// Writes a collection list back to its file; a failure is told, with the
// system's reason, for the list on screen would otherwise show what the file
// lacks.
bool SaveCollectionOrTell(TFontFileList& list);
