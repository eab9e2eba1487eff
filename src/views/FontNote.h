// TFontNote: the memo that keeps a free-text note per font in a file of its
// own (see views/model/NoteFile.h). Setting the folder, the name or the
// extension to another value saves a modified note first, then loads the new
// one; nothing is ever reported.
#pragma once

#include <string>
#include <string_view>

#include "views/SelectionEdit.h"
#include "views/model/NoteFile.h"

class TFontNote : public TMemo2, private TNoteModel::Editor {
 public:
  explicit TFontNote(TControl& parent);

  const std::string& Extension() const { return note_.Extension(); }
  void SetExtension(std::string_view extension) { note_.SetExtension(extension); }
  const std::string& NoteName() const { return note_.NoteName(); }
  void SetNoteName(std::string_view name) { note_.SetNoteName(name); }
  const std::string& NotesFolder() const { return note_.NotesFolder(); }
  void SetNotesFolder(std::string_view folder) { note_.SetNotesFolder(folder); }
  std::string NoteFileName() const { return note_.NoteFileName(); }

  void LoadNote() { note_.LoadNote(); }
  void SaveNote() { note_.SaveNote(); }
  bool Modified() const { return note_.Modified(); }

  // OnChange (TEdit's) runs after every change of the text, loading included;
  // Modified is already set then.

 protected:
  bool OnCommand(WORD code) override;

 private:
  std::string NoteText() const override;
  void SetNoteText(const std::string& text) override;

  TNoteModel note_{*this};
  TScopeCount settingText_;
};
