// The note memo on a form: the note file's text shown in the code page with
// CR LF, typing sets Modified, a switch of fonts writes the old note.
#include <gtest/gtest.h>

#include <memory>

#include "sys/memory/MemoryBackend.h"
#include "tests/support/Input.h"
#include "tests/ui/TestWindow.h"
#include "views/FontNote.h"

namespace {

class TNoteForm : public TTestWindow {
 public:
  TNoteForm() : TTestWindow(400, 300) {
    memNotes.SetBounds(10, 10, 300, 200);
    edtOther.SetBounds(10, 220, 100, 21);
    memNotes.OnChange = [this] {
      ++changes;
      modifiedInChange = memNotes.Modified();
    };
  }
  TFontNote memNotes{*this};
  TEdit edtOther{*this};
  int changes = 0;
  bool modifiedInChange = false;
};

class FontNoteTest : public ::testing::Test {
 protected:
  FontNoteTest() {
    os.AddFile("C:\\Notes\\SIMSUN.TXT", "\xcb\xce\xcc\xe5\n\xd7\xd6\xcc\xe5\rend");  // 宋体 字体
    form = std::make_unique<TNoteForm>();
    input::Activate(form->Handle());
  }
  sys::MemoryBackend os;
  sys::ScopedBackend guard{os};
  std::unique_ptr<TNoteForm> form;
};

TEST_F(FontNoteTest, ShowsTheNoteTypingModifiesItAndASwitchWritesItBackLongOrShort) {
  TFontNote& note = form->memNotes;
  EXPECT_EQ(note.Extension(), ".TXT");
  note.SetNotesFolder("C:\\Notes");
  EXPECT_EQ(form->changes, 0);  // empty before, empty after: no change of the text
  note.SetNoteName("SIMSUN");
  EXPECT_EQ(note.NoteFileName(), "C:\\Notes\\SIMSUN.TXT");
  EXPECT_EQ(note.Text(), L"宋体\r\n字体\r\nend");
  EXPECT_EQ(form->changes, 1);
  EXPECT_TRUE(form->modifiedInChange);  // loading changes the text too...
  EXPECT_FALSE(note.Modified());        // ...but leaves it unmodified

  note.SetFocus();
  input::Press(VK_END, ssCtrl);
  input::Press(VK_RETURN);
  input::Type("ok");
  EXPECT_TRUE(note.Modified());
  EXPECT_EQ(note.Text(), L"宋体\r\n字体\r\nend\r\nok");
  EXPECT_EQ(form->changes, 4);

  // Another font: the old note is written in the code page, nothing added.
  note.SetNoteName("ARIAL");
  EXPECT_EQ(os.FileContent("C:\\Notes\\SIMSUN.TXT"), "\xcb\xce\xcc\xe5\r\n\xd7\xd6\xcc\xe5\r\nend\r\nok");
  EXPECT_EQ(note.Text(), L"");
  EXPECT_FALSE(os.HasFile("C:\\Notes\\ARIAL.TXT"));

  // Typing into a missing note, then saving (as leaving the editor does), creates it.
  input::Type("a");
  note.SaveNote();
  EXPECT_EQ(os.FileContent("C:\\Notes\\ARIAL.TXT"), "a");
  EXPECT_FALSE(note.Modified());
  EXPECT_TRUE(os.Messages().empty());

  // A long note stays editable.
  os.AddFile("C:\\Notes\\LONG.TXT", std::string(33000, 'x'));
  note.SetNotesFolder("C:\\Notes\\");
  note.SetNoteName("LONG");
  note.SetFocus();
  input::Press(VK_END, ssCtrl);
  input::Type("y");
  EXPECT_EQ(note.Text().size(), 33001u);
  note.SaveNote();
  EXPECT_EQ(os.FileContent("C:\\Notes\\LONG.TXT"), std::string(33000, 'x') + "y");
}

}  // namespace
