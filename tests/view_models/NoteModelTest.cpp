// The note of a font: names and their normalisation, when the note is read
// and written, and what a failing disk leaves behind.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sys/memory/MemoryBackend.h"
#include "views/model/NoteFile.h"

namespace {

constexpr const char* kFolder = "C:\\Notes\\";
constexpr const char* kArial = "C:\\Notes\\ARIAL.TXT";
constexpr const char* kTimes = "C:\\Notes\\TIMES.TXT";

// An editor as the multi-line edit box behaves: setting the text it already
// holds is no change; every change is reported.
class TFakeEditor : public TNoteModel::Editor {
 public:
  std::string NoteText() const override { return text; }
  void SetNoteText(const std::string& value) override {
    if (value == text) return;
    text = value;
    ++changes;
    if (model) model->TextChanged();
  }
  // The user types: the text changes and the model hears of it.
  void Type(const std::string& value) {
    text = value;
    model->TextChanged();
  }
  std::string text;
  int changes = 0;
  TNoteModel* model = nullptr;
};

class NoteModelTest : public ::testing::Test {
 protected:
  NoteModelTest() {
    editor.model = &note;
    os.AddDirectory("C:\\Notes");
  }
  // A note already open: the folder and the name set.
  void Open(const char* name) {
    note.SetNotesFolder(kFolder);
    note.SetNoteName(name);
  }
  sys::MemoryBackend os;
  sys::ScopedBackend guard{os};
  TFakeEditor editor;
  TNoteModel note{editor};
};

TEST_F(NoteModelTest, NamesAreNormalisedAndJoinedWithoutSeparators) {
  EXPECT_EQ(note.Extension(), ".TXT");
  EXPECT_EQ(note.NoteName(), "");
  EXPECT_EQ(note.NotesFolder(), "");
  EXPECT_FALSE(note.Modified());

  note.SetExtension(" \tnfo\r\n");
  EXPECT_EQ(note.Extension(), ".nfo");
  note.SetExtension(".Note ");
  EXPECT_EQ(note.Extension(), ".Note");
  note.SetExtension("   ");
  EXPECT_EQ(note.Extension(), "");
  note.SetExtension(".TXT");

  note.SetNotesFolder("  C:\\Notes ");
  EXPECT_EQ(note.NotesFolder(), "C:\\Notes\\");
  note.SetNotesFolder("D:\\Other\\");
  EXPECT_EQ(note.NotesFolder(), "D:\\Other\\");
  // A double-byte character whose second byte is a backslash ends no folder.
  note.SetNotesFolder("C:\\\x95\x5c");
  EXPECT_EQ(note.NotesFolder(), "C:\\\x95\x5c\\");
  note.SetNotesFolder(" ");
  EXPECT_EQ(note.NotesFolder(), "");

  note.SetNotesFolder(kFolder);
  note.SetNoteName("  ARIAL \t");
  EXPECT_EQ(note.NoteName(), "ARIAL");
  EXPECT_EQ(note.NoteFileName(), kArial);
}

TEST_F(NoteModelTest, LoadingShowsTheFileWithEveryLineEndAsCrLfAndClearsModified) {
  os.AddFile(kArial, "one\ntwo\rthree\r\nfour\n\n\r\r\n");
  Open("ARIAL");
  EXPECT_EQ(editor.text, "one\r\ntwo\r\nthree\r\nfour\r\n\r\n\r\n\r\n");
  EXPECT_FALSE(note.Modified());

  // A missing file gives an empty editor; so do a locked one and a failed read.
  EXPECT_TRUE(note.SetNoteName("MISSING"));
  EXPECT_EQ(editor.text, "");
  os.AddFile(kTimes, std::string(70000, 'x'));
  os.FailReadAfter(kTimes, 65536 + 10);
  note.SetNoteName("TIMES");
  EXPECT_EQ(editor.text, "");
  os.AddFile("C:\\Notes\\LOCKED.TXT", "secret");
  os.LockFile("C:\\Notes\\LOCKED.TXT");
  note.SetNoteName("LOCKED");
  EXPECT_EQ(editor.text, "");
  EXPECT_FALSE(note.Modified());
  EXPECT_TRUE(os.Messages().empty());

  // Refresh drops unsaved changes.
  os.AddFile(kArial, "kept");
  note.SetNoteName("ARIAL");
  editor.Type("unsaved");
  note.LoadNote();
  EXPECT_EQ(editor.text, "kept");
  EXPECT_FALSE(note.Modified());
  EXPECT_EQ(os.FileContent(kArial), "kept");
}

TEST_F(NoteModelTest, SwitchingSavesTheModifiedNoteUnderItsOldNameThenLoadsTheNew) {
  os.AddFile(kArial, "old arial");
  os.AddFile(kTimes, "times note");
  Open("ARIAL");
  editor.Type("new arial\r\nsecond line");
  EXPECT_TRUE(note.Modified());
  EXPECT_TRUE(note.SetNoteName("TIMES"));
  EXPECT_EQ(os.FileContent(kArial), "new arial\r\nsecond line");  // nothing added
  EXPECT_EQ(editor.text, "times note");
  EXPECT_FALSE(note.Modified());

  // Unmodified: switching writes nothing.
  EXPECT_TRUE(note.SetNoteName("ARIAL"));
  EXPECT_EQ(os.FileContent(kTimes), "times note");
  EXPECT_EQ(editor.text, "new arial\r\nsecond line");

  // The same name in other letter case: no save, no reload, the case kept.
  editor.Type("typed, not saved");
  const int changes = editor.changes;
  EXPECT_FALSE(note.SetNoteName(" arial "));
  EXPECT_FALSE(note.SetNotesFolder("c:\\notes"));
  EXPECT_FALSE(note.SetExtension("txt"));
  EXPECT_EQ(note.NoteName(), "ARIAL");
  EXPECT_EQ(note.Extension(), ".TXT");
  EXPECT_EQ(editor.changes, changes);
  EXPECT_TRUE(note.Modified());
  EXPECT_EQ(os.FileContent(kArial), "new arial\r\nsecond line");

  // A folder or extension change saves too, then shows the note found there.
  EXPECT_TRUE(note.SetExtension(".NOTE"));
  EXPECT_EQ(os.FileContent(kArial), "typed, not saved");
  EXPECT_EQ(editor.text, "");
  EXPECT_FALSE(os.HasFile("C:\\Notes\\ARIAL.NOTE"));  // loading creates nothing
}

TEST_F(NoteModelTest, TypingIntoANewNoteCreatesItAndAnEmptiedNoteIsWrittenEmpty) {
  Open("NEW");
  EXPECT_FALSE(os.HasFile("C:\\Notes\\NEW.TXT"));
  editor.Type("first words");
  note.SaveNote();
  EXPECT_EQ(os.FileContent("C:\\Notes\\NEW.TXT"), "first words");

  editor.Type("");
  note.SaveNote();
  EXPECT_TRUE(os.HasFile("C:\\Notes\\NEW.TXT"));
  EXPECT_EQ(os.FileContent("C:\\Notes\\NEW.TXT"), "");
  EXPECT_EQ(os.FilesIn("C:\\Notes"), std::vector<std::string>{"C:\\Notes\\NEW.TXT"});

  // Saving without changes writes nothing (an outside change stays).
  os.AddFile("C:\\Notes\\NEW.TXT", "outside");
  note.SaveNote();
  EXPECT_EQ(os.FileContent("C:\\Notes\\NEW.TXT"), "outside");
}

TEST_F(NoteModelTest, WithoutANoteNameNothingIsReadOrWrittenAndTypedTextIsDropped) {
  os.AddFile("C:\\Notes\\.TXT", "nameless");
  note.SetNotesFolder(kFolder);
  EXPECT_EQ(editor.text, "");
  editor.Type("typed with no name");
  note.SaveNote();
  EXPECT_FALSE(note.Modified());
  EXPECT_EQ(os.FileContent("C:\\Notes\\.TXT"), "nameless");

  editor.Type("typed again");
  os.AddFile(kArial, "arial");
  note.SetNoteName("ARIAL");
  EXPECT_EQ(editor.text, "arial");
  EXPECT_EQ(os.FilesIn("C:\\Notes"),
            (std::vector<std::string>{"C:\\Notes\\.TXT", "C:\\Notes\\ARIAL.TXT"}));
}

TEST_F(NoteModelTest, AFailedWriteKeepsThePreviousNoteByteForByteAndCountsAsSaved) {
  const std::string previous = "line one\r\n\xc4\xe3\xba\xc3\r\nlast";
  os.AddFile(kArial, previous);
  Open("ARIAL");

  // The write fails part way: the temporary file goes, the note stays.
  editor.Type(std::string(5000, 'n'));
  os.FailWrite(std::string(kArial) + ".tmp", 100);
  note.SaveNote();
  EXPECT_FALSE(note.Modified());
  EXPECT_EQ(os.FileContent(kArial), previous);
  EXPECT_EQ(os.FilesIn("C:\\Notes"), std::vector<std::string>{kArial});
  EXPECT_EQ(editor.text, std::string(5000, 'n'));  // the text stays in the editor

  // Not retried: a later switch finds nothing modified.
  note.SetNoteName("TIMES");
  EXPECT_EQ(os.FileContent(kArial), previous);

  // The replacing step fails: the same.
  note.SetNoteName("ARIAL");
  editor.Type("replacement");
  os.FailMove(kArial);
  note.SetNoteName("TIMES");
  EXPECT_EQ(os.FileContent(kArial), previous);
  EXPECT_EQ(os.FilesIn("C:\\Notes"), std::vector<std::string>{kArial});

  // A folder that does not exist: nothing written anywhere, nothing shown.
  note.SetNotesFolder("C:\\Gone");
  editor.Type("lost");
  note.SaveNote();
  EXPECT_FALSE(os.DirectoryExists("C:\\Gone"));
  EXPECT_TRUE(os.Messages().empty());
}

}  // namespace
