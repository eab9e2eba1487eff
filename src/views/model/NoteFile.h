// The note kept for each font: a plain text file NotesFolder + NoteName +
// Extension, ANSI code page, lines ended by CR LF, no byte-order mark and
// nothing added to the editor's text. The text itself lives in an editor;
// this model decides when it is read and written, and never reports a
// failure: a note that cannot be read shows empty, one that cannot be
// written keeps the previous file as it was.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The note name of a font: its file's name without the extension, and for a
// face of a collection other than the first, "#" and the face's number.
std::string NoteNameFor(std::string_view fileName, uint32_t face);

class TNoteModel {
 public:
  // Where the note's text is shown and typed. SetNoteText must end in a
  // TextChanged() call when it changes the text, as the user's typing does.
  class Editor {
   public:
    virtual std::string NoteText() const = 0;
    virtual void SetNoteText(const std::string& text) = 0;

   protected:
    ~Editor() = default;
  };

  explicit TNoteModel(Editor& editor) : editor_(editor) {}

  const std::string& Extension() const { return extension_; }
  const std::string& NoteName() const { return noteName_; }
  const std::string& NotesFolder() const { return notesFolder_; }
  // Each setter normalises the value and, when it differs from the stored one
  // other than in ASCII letter case, saves the old note, stores the new value
  // and loads the new note. The setters return whether that happened.
  bool SetExtension(std::string_view extension);
  bool SetNoteName(std::string_view name);
  bool SetNotesFolder(std::string_view folder);

  // NotesFolder + NoteName + Extension, with no separator of their own.
  std::string NoteFileName() const;

  // Empties the editor, then (with a note name) shows the note file; unsaved
  // changes are dropped.
  void LoadNote();
  // With a note name and changes, puts the editor's text in place of the file.
  // The changes count as saved whatever the outcome.
  void SaveNote();

  bool Modified() const { return modified_; }
  // The editor's text changed.
  void TextChanged() { modified_ = true; }

  static std::string NormalExtension(std::string_view extension);
  static std::string NormalFolder(std::string_view folder);
  // Lone CR and lone LF become CR LF; CR LF stays.
  static std::string EditorLineBreaks(std::string_view text);

 private:
  bool Switch(std::string& stored, std::string value);

  Editor& editor_;
  std::string extension_ = ".TXT";
  std::string noteName_;
  std::string notesFolder_;
  bool modified_ = false;
};
