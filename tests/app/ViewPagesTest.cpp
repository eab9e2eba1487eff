// The font window's view pages over a memory world of fonts written byte by
// byte: what a selection gives each page, the preview font, the notes folder,
// the multi-sample view's rebuilds and clicks, the sample texts and sizes.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/VLMRenameFile.h"
#include "app/VLMStatus.h"
#include "data/VLMUtil.h"
#include "sys/codepage.h"
#include "sys/memory/MemoryBackend.h"
#include "tests/app/FrameFixture.h"
#include "tests/support/TrueTypeWriter.h"
#include "tests/views/MultiSampleFixture.h"
#include "ui/Dialog.h"

namespace {

using input::Pump;

constexpr char kNtFontsKey[] = "\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
constexpr char kSettingsKey[] = "\\Software\\Corvell\\Velmara";
constexpr char kFonts[] = "C:\\FONTS\\";
constexpr int kFontCount = 30;
constexpr wchar_t kSample[] = L"The quick brown fox jumps over the lazy dog";

std::string Name(int i) { return "Font " + std::string(1, static_cast<char>('A' + i / 10)) + std::to_string(i % 10); }
std::string File(int i) { return kFonts + std::string("FONT") + std::to_string(100 + i) + ".TTF"; }

// A click posted as the view tests post them, with Ctrl held down on the
// keyboard when asked.
void Click(const TControl& control, int x, int y, bool ctrl = false) {
  if (ctrl) input::HoldKey(VK_CONTROL, true);
  input::PostClick(control.Handle(), x, y, ctrl ? MK_CONTROL : 0);
  if (ctrl) input::HoldKey(VK_CONTROL, false);
}

// Each Tab from the focused control moves the focus to the next of `order`.
void ExpectTabOrder(std::initializer_list<TControl*> order) {
  for (auto next = order.begin(); next != order.end(); ++next) {
    input::Press(VK_TAB);
    EXPECT_TRUE((*next)->Focused()) << "Tab " << next - order.begin() + 1;
  }
}

class ViewPagesTest : public ::testing::Test {
 protected:
  ViewPagesTest() {
    os.SetValue(sys::Hive::CurrentUser,
                "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "Fonts",
                "C:\\WINNT\\FONTS\\");
    os.SetValue(sys::Hive::LocalMachine, kNtFontsKey, "Placeholder (TrueType)", "PLACE.TTF");
    for (int i = 0; i < kFontCount; ++i) {
      os.AddFile(File(i), tt::FontBuilder()
                              .Names({tt::MsName(4, Name(i)), tt::MsName(1, Name(i))})
                              .Head()
                              .Hhea()
                              .Os2()
                              .Build());
    }
    os.AddDirectory("C:\\EMPTY");
    os.AddDirectory("C:\\Program Files\\Velmara");
  }
  ~ViewPagesTest() override { frame.reset(); }

  void Open() {
    frame = frame_test::Start();
    child = frame->ActiveChild();
    ASSERT_NE(child, nullptr);
    input::Activate(frame->Handle());
  }
  // The Browse page on a folder, the list focused on its first font.
  void Browse(const char* folder) {
    input::Press('B', ssAlt);
    ASSERT_EQ(child->pcNav.ActivePage(), &child->tsNavBrowse);
    ASSERT_TRUE(child->DirTree.SetDirectory(folder));
    child->BrowseFontList.SetFocus();
    input::Settle();
  }
  TFontList& List() { return child->BrowseFontList; }
  std::string Selected() {
    TFontFileInfo* record = List().SelectedRecord();
    return record ? record->FontName() : "";
  }
  int Rebuilds() const { return child->Multi().MultiSample.RebuildCount(); }
  int RowMiddle(int row) { return multi_test::RowMiddle(child->Multi().MultiSample.Grid(), row); }

  sys::MemoryBackend os;
  sys::ScopedBackend guard{os};
  std::unique_ptr<TfrmVLMMain> frame;
  TfrmVLMChild* child = nullptr;
};

TEST_F(ViewPagesTest, ASelectionReachesEveryPageAndItsPreviewFontGoesAgainUnlessLoaded) {
  Open();
  Browse(kFonts);
  EXPECT_EQ(child->Text(), L"浏览(B) - C:\\FONTS\\ - Font A0");
  EXPECT_EQ(os.FontResourceCount(File(0)), 1);
  EXPECT_EQ(child->SampleFontName(), "Font A0");
  EXPECT_EQ(child->memNotes.NoteName(), "FONT100");
  EXPECT_FALSE(child->FontInfo.Visible());

  // The character and multi-sample pages are made when first shown, laid
  // out, with what was chosen before.
  EXPECT_FALSE(child->HasCharactersPage());
  input::Press('A', ssAlt);
  ASSERT_TRUE(child->HasCharactersPage());
  TCharactersPage& characters = child->Characters();
  EXPECT_EQ(characters.CharMatrix.FontName(), "Font A0");
  EXPECT_TRUE(characters.CharMatrix.Grid().Focused());
  EXPECT_EQ(characters.pnlCharactersTop.Height() + characters.CharMatrix.Height() +
                characters.pnlCharactersBottom.Height(),
            child->tsViewCharacters.ClientHeight());
  EXPECT_FALSE(child->HasMultiPage());
  input::Press('S', ssAlt);
  child->BrowseFontList.SetFocus();

  input::Press(VK_DOWN);
  EXPECT_EQ(Selected(), "Font A1");
  EXPECT_EQ(os.FontResourceCount(File(0)), 0);
  EXPECT_EQ(os.FontResourceCount(File(1)), 1);
  EXPECT_EQ(child->SampleFontName(), "Font A1");
  EXPECT_EQ(characters.CharMatrix.FontName(), "Font A1");
  EXPECT_EQ(child->memNotes.NoteName(), "FONT101");

  // The information panel is given the font only while its page shows.
  input::Press('O', ssAlt);
  ASSERT_EQ(child->pcView.ActivePage(), &child->tsViewFontInfo);
  EXPECT_TRUE(child->FontInfo.Shows(List().SelectedRecord()));
  Pump(400);
  EXPECT_TRUE(child->FontInfo.Visible());
  child->BrowseFontList.SetFocus();
  input::Press(VK_DOWN);
  EXPECT_TRUE(child->FontInfo.Shows(List().SelectedRecord()));
  input::Press('S', ssAlt);
  child->BrowseFontList.SetFocus();
  input::Press(VK_DOWN);
  EXPECT_FALSE(child->FontInfo.Visible());
  EXPECT_EQ(child->FontInfo.CurrentFont(), nullptr);

  // A folder without fonts: no font in the caption, the views keep the last.
  ASSERT_TRUE(child->DirTree.SetDirectory("C:\\EMPTY\\"));
  EXPECT_EQ(child->Text(), L"浏览(B) - C:\\EMPTY\\");

  // Load adds the session's reference beside the preview's. Selection
  // changes, a rename and Unload each take back only what they added: at the
  // end the file holds no reference at all.
  ASSERT_TRUE(child->DirTree.SetDirectory(kFonts));
  child->BrowseFontList.SetFocus();
  input::Press(VK_HOME);
  const std::string first = File(0);
  ASSERT_EQ(child->TempFontFile(), first);
  EXPECT_EQ(os.FontResourceCount(first), 1);
  ASSERT_TRUE(child->pmFontListLoad.Enabled());
  child->pmFontListLoad.Click();
  EXPECT_EQ(frame->LoadedFonts(), std::vector<std::string>{first});
  EXPECT_EQ(os.FontResourceCount(first), 2);
  input::Press(VK_DOWN);
  input::Press(VK_UP);
  ASSERT_EQ(Selected(), "Font A0");
  EXPECT_EQ(os.FontResourceCount(first), 2);
  EXPECT_EQ(os.FontResourceCount(File(1)), 0);

  std::wstring answer = L"RENAMED";
  const ui::TScopedModalRunner runner([&](TDialog& shown) {
    dynamic_cast<TfrmVLMRenameFile&>(shown).edtNewName.SetText(answer);
    return mrOK;
  });
  input::Press(VK_F2);
  const std::string renamed = std::string(kFonts) + "RENAMED.ttf";
  ASSERT_EQ(child->TempFontFile(), renamed);
  EXPECT_EQ(os.FontResourceCount(first), 0);
  EXPECT_EQ(os.FontResourceCount(renamed), 2);
  EXPECT_EQ(frame->LoadedFonts(), std::vector<std::string>{UpperAscii(renamed)});

  ASSERT_TRUE(child->pmFontListUnload.Enabled());
  child->pmFontListUnload.Click();
  EXPECT_TRUE(frame->LoadedFonts().empty());
  EXPECT_EQ(os.FontResourceCount(renamed), 1);  // the preview's own
  input::Press('I', ssAlt);
  EXPECT_EQ(child->TempFontFile(), "");
  EXPECT_EQ(os.FontResourceCount(renamed), 0);
  EXPECT_TRUE(os.Messages().empty());

  // A rename the shell refuses names the shell's reason, whatever putting
  // the preview back did to the last error.
  input::Press('B', ssAlt);
  child->BrowseFontList.SetFocus();
  input::Press(VK_DOWN);
  ASSERT_EQ(child->TempFontFile(), File(1));
  os.FailAddFont(File(1));
  answer = L"FONT102";  // taken
  os.SetLastError(sys::kErrorAlreadyExists);
  const std::wstring reason = sys::Widen(SysErrorText());
  input::Press(VK_F2);
  ASSERT_EQ(os.Messages().size(), 1u);
  EXPECT_EQ(os.Messages()[0].text,
            sys::Widen(File(1)) + L"\r\n不能重命名文件为 " + sys::Widen(std::string(kFonts)) +
                L"FONT102.ttf.\r\n" + reason);
  EXPECT_EQ(os.FontResourceCount(File(1)), 0);
}

TEST_F(ViewPagesTest, NotesGoToTheDocumentsFolderWhenTheProgramFolderTakesNone) {
  os.FailWritesIn("C:\\Program Files\\Velmara");
  Open();
  EXPECT_EQ(child->memNotes.NotesFolder(), "C:\\My Documents\\");
  std::string saved;
  ASSERT_TRUE(os.GetValue(sys::Hive::LocalMachine, kSettingsKey, "Notes Folder", saved));
  EXPECT_EQ(saved, "C:\\My Documents\\");
  EXPECT_EQ(child->CollectionsList.Path(), "C:\\My Documents\\");
}

TEST_F(ViewPagesTest, NotesGoToTheProgramFolderWhichIsMadeAndNothingIsSaved) {
  Open();
  EXPECT_EQ(child->memNotes.NotesFolder(), "C:\\Program Files\\Velmara\\Notes\\");
  EXPECT_TRUE(os.DirectoryExists("C:\\Program Files\\Velmara\\Notes\\"));
  std::string saved;
  EXPECT_FALSE(os.GetValue(sys::Hive::LocalMachine, kSettingsKey, "Notes Folder", saved));
  // Leaving the note, the end of the session and closing the window write it.
  Browse(kFonts);
  input::Press('N', ssAlt);
  ASSERT_TRUE(child->memNotes.Focused());
  input::Type("ok");
  child->BrowseFontList.SetFocus();
  input::Settle();
  EXPECT_EQ(os.FileContent("C:\\Program Files\\Velmara\\Notes\\FONT100.TXT"), "ok");
  child->memNotes.SetFocus();
  input::Press(VK_END, ssCtrl);
  input::Type("2");
  // The session ends with the windows open; the layout is written as a close writes it.
  EXPECT_TRUE(SendMessageW(frame->Handle(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF));
  SendMessageW(frame->Handle(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
  EXPECT_EQ(os.FileContent("C:\\Program Files\\Velmara\\Notes\\FONT100.TXT"), "ok2");
  std::string layout;
  EXPECT_TRUE(os.GetValue(sys::Hive::CurrentUser, SaveStatusKey() + "\\0", "Navigation Page", layout));
  EXPECT_EQ(layout, "2");
  input::Type("3");
  frame->mmFileCloseAllClick();
  EXPECT_EQ(os.FileContent("C:\\Program Files\\Velmara\\Notes\\FONT100.TXT"), "ok23");
}

TEST_F(ViewPagesTest, ABurstOfSelectionChangesRebuildsTheSelectedFontsOnce) {
  Open();
  Browse(kFonts);
  EXPECT_FALSE(child->HasMultiPage());
  input::Press('M', ssAlt);
  ASSERT_EQ(child->pcView.ActivePage(), &child->tsViewMulti);
  ASSERT_TRUE(child->HasMultiPage());  // made as it showed, its caption the Browse page's
  EXPECT_EQ(child->Multi().rbMultiAll.Text(), L"文件夹中的所有字体(&L)");
  EXPECT_EQ(child->Multi().MultiSample.Grid().RowCount(), kFontCount);
  int before = Rebuilds();
  input::Press('T', ssAlt);  // selected fonts
  ASSERT_TRUE(child->Multi().rbMultiSelected.Checked());
  EXPECT_EQ(Rebuilds(), before + 1);
  EXPECT_EQ(child->Multi().MultiSample.Grid().RowCount(), 1);

  child->BrowseFontList.SetFocus();
  input::Settle();
  before = Rebuilds();
  input::Press(VK_END, ssShift);  // 30 rows selected one by one
  Pump(400);
  EXPECT_EQ(Rebuilds(), before + 1);
  EXPECT_EQ(child->Multi().MultiSample.Grid().RowCount(), kFontCount);
  input::Press(VK_UP, ssShift);
  Pump(400);
  EXPECT_EQ(Rebuilds(), before + 2);
  EXPECT_EQ(child->Multi().MultiSample.Grid().RowCount(), kFontCount - 1);

  // The "all" mode stops a pending rebuild; its view follows the list at once.
  input::Press(VK_UP, ssShift);
  input::Press('L', ssAlt);
  ASSERT_TRUE(child->Multi().rbMultiAll.Checked());
  before = Rebuilds();
  Pump(300);
  EXPECT_EQ(Rebuilds(), before);
  EXPECT_EQ(child->Multi().MultiSample.Grid().RowCount(), kFontCount);
  // It shows the fonts that the list's name filter leaves, "Font B0" to "Font B9".
  child->BrowseFontList.SetNameFilter("b");
  EXPECT_EQ(child->BrowseFontList.ListView().ItemCount(), 10);
  EXPECT_EQ(child->Multi().MultiSample.Grid().RowCount(), 10);
  child->BrowseFontList.SetNameFilter("");
  EXPECT_EQ(child->Multi().MultiSample.Grid().RowCount(), kFontCount);
}

TEST_F(ViewPagesTest, ClicksInTheMultiSampleSelectOnlyInTheAllMode) {
  Open();
  Browse(kFonts);
  input::Press(VK_END);
  ASSERT_EQ(Selected(), Name(kFontCount - 1));
  input::Press('M', ssAlt);
  TMultiSampleGrid& grid = child->Multi().MultiSample.Grid();
  // Shown with the "all" mode, the view scrolls to the list's font.
  ASSERT_GT(grid.TopRow(), 0);
  EXPECT_GE(kFontCount - 1, grid.TopRow());
  EXPECT_LT(kFontCount - 1, grid.TopRow() + grid.VisibleRowCount() + 1);

  grid.SetTopRow(0);
  Click(grid, 20, RowMiddle(2));
  EXPECT_EQ(Selected(), Name(2));
  EXPECT_EQ(List().SelCount(), 1);
  Click(grid, 20, RowMiddle(4), true);
  EXPECT_EQ(List().SelCount(), 2);
  Click(grid, 20, RowMiddle(4), true);
  EXPECT_EQ(List().SelCount(), 1);
  Click(grid, 20, RowMiddle(4), true);

  input::Press('T', ssAlt);
  ASSERT_EQ(grid.RowCount(), 2);
  Click(grid, 20, RowMiddle(0));
  EXPECT_EQ(List().SelCount(), 2) << "only scrolls the list";
}

TEST_F(ViewPagesTest, TheMultiSampleTextDrivesBothSamplesAndItsSizeStopsAt128) {
  Open();
  Browse(kFonts);
  input::Press('M', ssAlt);
  child->Multi().cmbSamplesMulti.SetFocus();
  input::Press(VK_END);
  input::Type("xy");
  EXPECT_EQ(child->Multi().MultiSample.Text(), std::wstring(kSample) + L"xy");
  EXPECT_EQ(child->memSample.Text(), std::wstring(kSample) + L"xy");
  EXPECT_EQ(child->cmbSamples.Text(), std::wstring(kSample) + L"xy");

  input::Press('S', ssAlt);
  ASSERT_TRUE(child->memSample.Focused());
  input::Press(VK_END, ssCtrl);
  input::Type("z");
  EXPECT_EQ(child->cmbSamples.Text(), std::wstring(kSample) + L"xyz");
  EXPECT_EQ(child->Multi().cmbSamplesMulti.Text(), std::wstring(kSample) + L"xy");
  EXPECT_EQ(child->Multi().MultiSample.Text(), std::wstring(kSample) + L"xy");
  input::Press('M', ssAlt);
  EXPECT_EQ(child->Multi().cmbSamplesMulti.Text(), std::wstring(kSample) + L"xyz");
  EXPECT_EQ(child->Multi().MultiSample.Text(), std::wstring(kSample) + L"xyz");

  // Tab goes from the text to the view, the mode and the size.
  child->Multi().cmbSamplesMulti.SetFocus();
  ExpectTabOrder({&child->Multi().MultiSample.Grid(), &child->Multi().rbMultiAll, &child->Multi().esMultiSize.Box()});

  // A typed size above the range stops at 128, for the view too.
  EXPECT_EQ(child->Multi().esMultiSize.MaxValue(), 128);
  child->Multi().esMultiSize.Box().SetFocus();
  child->Multi().esMultiSize.Box().SelectAll();
  input::Type("500");
  input::Press(VK_RETURN);
  EXPECT_EQ(child->Multi().esMultiSize.Value(), 128);
  EXPECT_EQ(child->Multi().MultiSample.FontSize(), 128);

  // The columns box follows the columns that fit the character map.
  input::Press('A', ssAlt);
  ASSERT_EQ(child->pcView.ActivePage(), &child->tsViewCharacters);
  EXPECT_EQ(child->Characters().esColumns.MaxValue(), child->Characters().CharMatrix.MaxColumns());
  child->Characters().esColumns.Box().SetFocus();
  ExpectTabOrder({&child->Characters().cbValues, &child->Characters().cbChars, &child->Characters().esCharactersSize.Box()});
  const int wide = child->Characters().CharMatrix.MaxColumns();
  child->SetWidth(child->Width() - 120);
  input::Settle();
  EXPECT_LT(child->Characters().CharMatrix.MaxColumns(), wide);
  EXPECT_EQ(child->Characters().esColumns.MaxValue(), child->Characters().CharMatrix.MaxColumns());
  EXPECT_LE(child->Characters().CharMatrix.Columns(), child->Characters().CharMatrix.MaxColumns());
}

}  // namespace
