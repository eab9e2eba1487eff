// The font window's commands on copies of real fonts in folders of their own,
// given as a user gives them: keys on the focused list, dialogs answered
// through the modal runner, message boxes answered by the test.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/VLMRenameFile.h"
#include "data/VLMUtil.h"
#include "sys/codepage.h"
#include "tests/app/FrameFixture.h"
#include "tests/support/AnsweringBackend.h"
#include "tests/support/RealFonts.h"
#include "ui/Application.h"
#include "ui/Dialog.h"

namespace {

using frame_test::Files;
using frame_test::MenuKeys;
using frame_test::TFontFolder;

constexpr unsigned kConfirmFlags =
    sys::kMbYesNo | sys::kMbIconQuestion | sys::kMbDefButton2 | sys::kMbTaskModal;

class CommandsTest : public frame_test::SharedFrameTest {
 protected:
  static void SetUpTestSuite() {
    os_ = new TAnsweringBackend;
    guard_ = new sys::ScopedBackend(*os_);
    SharedFrameTest::SetUpTestSuite();
  }
  static void TearDownTestSuite() {
    SharedFrameTest::TearDownTestSuite();
    delete guard_;
    delete os_;
  }

  void SetUp() override {
    SharedFrameTest::SetUp();
    os_->boxes.clear();
    os_->answers.clear();
    folderA_ = root_.Make("A\\");
    for (const RealFont* font : kRealFonts) {
      const std::string from = NativePath(*font);
      root_.Copy(from, "A\\" + ExtractFileName(from));
    }
    folderB_ = root_.Make("B\\");
  }

  // A new, empty collection, whatever an earlier failed run left behind.
  bool NewCollection(const std::string& name) {
    os_->RemoveFile(child_->CollectionsList.Path() + name + ".VLM");
    child_->CollectionsList.UpdateList();
    return child_->CollectionsList.NewCollection(name);
  }
  // The Collections page on `name`.
  void ShowCollection(const std::string& name) {
    ShowPage(child_->tsNavCollections);
    child_->CollectionsList.SelectCollection(name);
    child_->CollectionsListChange(nullptr);
  }
  // The selected collection deleted, the question answered Yes.
  void DeleteSelectedCollection() {
    os_->answers = {sys::kIdYes};
    child_->pmCollectionsListDeleteClick();
  }

  static inline TAnsweringBackend* os_ = nullptr;
  static inline sys::ScopedBackend* guard_ = nullptr;
  // A folder of its own per test: a list shown the same folder again keeps its rows.
  static inline int serial_ = 0;
  TFontFolder root_{"vlm-commands-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++serial_)};
  std::string folderA_, folderB_;
};

TEST_F(CommandsTest, DeleteAsksWithTheCountAndShiftDeleteRemovesTheFilesForGood) {
  TFontList& list = Browse(folderA_);
  ASSERT_EQ(list.ListView().ItemCount(), 3);
  input::Press('A', ssCtrl);
  ASSERT_EQ(list.SelCount(), 3);

  os_->answers = {sys::kIdNo};
  input::Press(VK_DELETE);
  ASSERT_EQ(os_->boxes.size(), 1u);
  EXPECT_EQ(os_->boxes[0].text, L"删除 3 种字体文件吗?");
  EXPECT_EQ(os_->boxes[0].caption, L"确认        ");
  EXPECT_EQ(os_->boxes[0].flags, kConfirmFlags);
  EXPECT_EQ(Files(folderA_).size(), 3u) << "No keeps every file";

  os_->answers = {sys::kIdYes};
  input::Press(VK_DELETE, ssShift);
  ASSERT_EQ(os_->boxes.size(), 2u);
  EXPECT_EQ(os_->boxes[1].text, L"删除 3 种字体文件吗?");
  EXPECT_TRUE(Files(folderA_).empty());
  EXPECT_EQ(list.ListView().ItemCount(), 0);
  EXPECT_EQ(child_->TempFontFile(), "");
}

TEST_F(CommandsTest, RenameRenamesTheFileThroughItsDialogAndReportsAFailure) {
  TFontList& list = Browse(folderA_);
  list.SelectOnly("DejaVu Sans");
  ASSERT_NE(list.SelectedRecord(), nullptr);
  const std::string oldFile = list.SelectedRecord()->FileName();
  std::wstring shownFileName;
  std::wstring answer = L"Renamed";
  const ui::TScopedModalRunner runner([&](TDialog& shown) {
    auto& dialog = dynamic_cast<TfrmVLMRenameFile&>(shown);
    shownFileName = dialog.edtOrigName.Text();
    dialog.edtNewName.SetText(answer);
    return mrOK;
  });
  input::Press(VK_F2);
  EXPECT_EQ(shownFileName, L"DejaVuSans.ttf");
  EXPECT_FALSE(os_->FileExists(oldFile));
  EXPECT_TRUE(os_->FileExists(folderA_ + "Renamed.ttf"));
  ASSERT_NE(list.SelectedRecord(), nullptr);
  EXPECT_EQ(list.SelectedRecord()->FileName(), folderA_ + "Renamed.ttf");
  EXPECT_EQ(child_->TempFontFile(), folderA_ + "Renamed.ttf");
  EXPECT_TRUE(os_->boxes.empty());

  // Onto a file that exists: refused, reported, the preview font kept.
  answer = L"DejaVuSansMono";
  input::Press(VK_F2);
  ASSERT_EQ(os_->boxes.size(), 1u);
  EXPECT_EQ(os_->boxes[0].text.rfind(sys::Widen(folderA_) + L"Renamed.ttf\r\n不能重命名文件为 " +
                                         sys::Widen(folderA_) + L"DejaVuSansMono.ttf.\r\n(",
                                     0),
            0u)
      << sys::Narrow(os_->boxes[0].text);
  EXPECT_TRUE(os_->FileExists(folderA_ + "Renamed.ttf"));
  EXPECT_EQ(child_->TempFontFile(), folderA_ + "Renamed.ttf");
}

TEST_F(CommandsTest, AddToCollectionOffersEveryCollectionButTheOneShown) {
  TCollectionList& collections = child_->CollectionsList;
  const std::string first = "cmd-test-1", second = "cmd-test-2";
  ASSERT_TRUE(NewCollection(first));
  ASSERT_TRUE(NewCollection(second));
  TFontList& list = Browse(folderA_);
  list.SelectAll();
  child_->pmFontListPopup();
  TMenuItem& submenu = child_->pmFontListAddToColl;
  const int count = collections.CollectionCount();
  ASSERT_EQ(submenu.Count(), count);
  int firstEntry = -1;
  for (int i = 0; i < count; ++i) {
    EXPECT_TRUE(submenu.Items(i).Enabled());
    if (submenu.Items(i).Caption() == sys::Widen(first)) firstEntry = i;
  }
  ASSERT_GE(firstEntry, 0);
  // One row's file cannot be read any more: the row shows the system's reason.
  TFontFileInfo* broken = nullptr;
  for (int i = 0; i < list.FontFileList().Count(); ++i) {
    TFontFileInfo* record = list.FontFileList().Items(i);
    if (record->FontName() == "DejaVu Sans") broken = record;
  }
  ASSERT_NE(broken, nullptr);
  HANDLE locked =
      CreateFileA(broken->FileName().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(locked, INVALID_HANDLE_VALUE);
  broken->Refresh(false);
  CloseHandle(locked);
  ASSERT_TRUE(broken->Bad());
  submenu.Items(firstEntry).Click();

  // The collection now lists the three fonts by their names; shown, it is not offered.
  TFontFileList saved;
  ASSERT_TRUE(saved.LoadCollection(collections.Path() + first + ".VLM"));
  ASSERT_EQ(saved.Count(), 3);
  for (int i = 0; i < saved.Count(); ++i) {
    if (SameText(saved.Items(i)->FileName(), broken->FileName())) {
      EXPECT_EQ(saved.Items(i)->FontName(), "DejaVu Sans");
    }
  }
  ShowCollection(first);
  EXPECT_EQ(child_->CollectionsFontList.ListView().ItemCount(), 3);
  child_->pmFontListPopup();
  EXPECT_FALSE(submenu.Items(firstEntry).Enabled());

  // One collection fewer, one entry fewer.
  collections.SelectCollection(second);
  DeleteSelectedCollection();
  ASSERT_EQ(os_->boxes.size(), 1u);
  EXPECT_EQ(os_->boxes[0].text, L"删除藏品 \"cmd-test-2\" 吗?");
  child_->pmFontListPopup();
  EXPECT_EQ(submenu.Count(), count - 1);
  collections.SelectCollection(first);
  DeleteSelectedCollection();
}

TEST_F(CommandsTest, ACollectionRenamedInPlaceIsTheOneShownSavedAndPrintedAsItNowIs) {
  const std::string name = "cmd-test-rename", renamed = "zrenamed";
  TFontList& list = Browse(folderA_);
  list.SelectOnly("Liberation Serif");
  list.ToggleSelected("DejaVu Sans");
  ASSERT_TRUE(NewCollection(name));
  const std::string folder = child_->CollectionsList.Path();
  os_->RemoveFile(folder + renamed + ".VLM");
  child_->CollectionAddFromFontList(list, name);
  ShowCollection(name);
  TFontList& fonts = child_->CollectionsFontList;
  ASSERT_EQ(fonts.ListView().ItemCount(), 2);

  // F2, the new name between blanks, Enter.
  child_->CollectionsList.SetFocus();
  input::Settle();
  input::Press(VK_F2);
  ASSERT_NE(child_->CollectionsList.EditHandle(), nullptr);
  input::Press(VK_SPACE);
  input::Type(renamed.c_str());
  input::Press(VK_SPACE);
  input::Press(VK_RETURN);
  EXPECT_EQ(child_->CollectionsList.SelectedCollection(), renamed);
  EXPECT_TRUE(os_->FileExists(folder + renamed + ".VLM"));
  EXPECT_FALSE(os_->FileExists(folder + name + ".VLM"));
  EXPECT_EQ(fonts.Collection(), renamed);
  EXPECT_NE(child_->Text().find(L" - " + sys::Widen(renamed)), std::wstring::npos);
  // Read again, the list sorts it elsewhere; it stays the one selected and shown.
  child_->CollectionsList.UpdateList();
  EXPECT_EQ(child_->CollectionsList.SelectedCollection(), renamed);

  // A font deleted from it is gone from its new file; no old one comes back.
  fonts.SelectOnly("DejaVu Sans");
  fonts.SetFocus();
  input::Settle();
  input::Press(VK_DELETE);
  TFontFileList saved;
  ASSERT_TRUE(saved.LoadCollection(folder + renamed + ".VLM"));
  ASSERT_EQ(saved.Count(), 1);
  EXPECT_EQ(saved.Items(0)->FontName(), "Liberation Serif");
  EXPECT_FALSE(os_->FileExists(folder + name + ".VLM"));

  // Printed, given a font back, printed again: the second sheet has it.
  sys::MemoryPrinter printer;
  os_->printer = &printer;
  const auto print = [&] {
    child_->CollectionsList.SetFocus();
    input::Settle();
    input::Press('P', ssCtrl);
  };
  const auto printedFonts = [&] {
    std::vector<std::string> fontsShown;
    // Each font's information line: its name, five blanks, its file.
    for (const sys::PrintCall& call : printer.Calls())
      if (const size_t at = call.text.find("     ");
          call.kind == sys::PrintCall::kText && at != std::string::npos)
        fontsShown.push_back(call.text.substr(0, at));
    return fontsShown;
  };
  print();
  EXPECT_EQ(printedFonts(), (std::vector<std::string>{"Liberation Serif"}));
  list.SelectOnly("DejaVu Sans");
  child_->CollectionAddFromFontList(list, renamed);
  printer.ClearCalls();
  print();
  os_->printer = nullptr;
  EXPECT_EQ(printedFonts(), (std::vector<std::string>{"DejaVu Sans", "Liberation Serif"}));
  EXPECT_TRUE(os_->boxes.empty());
  DeleteSelectedCollection();
}

TEST_F(CommandsTest, CopiedFilesPasteIntoAnotherFoldersListAndIntoACollection) {
  TFontList& list = Browse(folderA_);
  list.SelectOnly("DejaVu Sans");
  list.ToggleSelected("Liberation Serif");
  ASSERT_EQ(list.SelCount(), 2);
  input::Press('C', ssCtrl);
  sys::DroppedFiles clipboard;
  ASSERT_TRUE(os_->GetClipboardFiles(clipboard));
  EXPECT_EQ(clipboard.names, list.SelectedFileNames());

  TFontList& other = Browse(folderB_);
  ASSERT_EQ(other.ListView().ItemCount(), 0);
  input::Press('V', ssCtrl);
  EXPECT_EQ(Files(folderB_).size(), 2u);
  EXPECT_EQ(other.ListView().ItemCount(), 2);

  const std::string name = "cmd-test-paste";
  ASSERT_TRUE(NewCollection(name));
  ShowCollection(name);
  child_->CollectionsList.SetFocus();
  input::Press('V', ssCtrl);
  EXPECT_EQ(child_->CollectionsFontList.ListView().ItemCount(), 2);
  DeleteSelectedCollection();
}

TEST_F(CommandsTest, CopyingIntoWhatIsNotAFolderIsRefusedWithItsMessage) {
  const std::string target = root_.Path() + "NO-SUCH\\";
  child_->CopyFontFiles({folderA_ + "DejaVuSans.ttf"}, target);
  ASSERT_EQ(os_->boxes.size(), 1u);
  EXPECT_EQ(os_->boxes[0].text,
            L"不能复制文件到 " + sys::Widen(target) + L".\r\n不是一个有效的驱动器或文件夹");
  EXPECT_EQ(os_->boxes[0].caption, L"Error");
  EXPECT_FALSE(os_->DirectoryExists(target));
}

TEST_F(CommandsTest, TheFramesMenuActsOnWhatHasTheFocusInTheActiveWindow) {
  // Print with the collections list focused prints the collection, not the
  // font list's selection.
  const std::string name = "cmd-test-route";
  TFontList& list = Browse(folderA_);
  list.SelectOnly("Liberation Serif");
  ASSERT_TRUE(NewCollection(name));
  child_->CollectionAddFromFontList(list, name);
  list.SelectOnly("DejaVu Sans");
  ShowCollection(name);
  child_->CollectionsList.SetFocus();
  input::Settle();
  // Opening the File menu fills its collections submenu from the window.
  // The first Esc closes the menu, the second leaves the menu bar.
  MenuKeys('F', {VK_ESCAPE, VK_ESCAPE});
  TMenuItem& addTo = frame_->mmFileAddToColl;
  EXPECT_EQ(addTo.Count(), child_->CollectionsList.CollectionCount());
  EXPECT_TRUE(addTo.Enabled());
  EXPECT_FALSE(frame_->mmFileProperties.Enabled());
  EXPECT_TRUE(frame_->mmFilePrint.Enabled());
  sys::MemoryPrinter printer;
  os_->printer = &printer;
  MenuKeys('F', {'P'});
  os_->printer = nullptr;
  ASSERT_EQ(printer.JobsStarted(), 1);
  std::vector<std::string> printed;
  for (const sys::PrintCall& call : printer.Calls())
    if (call.kind == sys::PrintCall::kText) printed.push_back(call.text);
  // Each sample's information line starts with its font's name.
  const auto has = [&](std::string_view font) {
    return std::any_of(printed.begin(), printed.end(),
                       [&](const std::string& text) { return text.starts_with(font); });
  };
  EXPECT_EQ(printed.front(), name);  // the title: the collection
  EXPECT_TRUE(has("Liberation Serif"));
  EXPECT_FALSE(has("DejaVu Sans"));
  DeleteSelectedCollection();

  // Paste with the focus in a combo box pastes text into it.
  ShowPage(child_->tsNavInstalled);
  child_->cmbSamples.SetText(L"");
  child_->cmbSamples.SetFocus();
  input::Settle();
  frame_test::SetClipboardText(L"粘贴");
  child_->UpdatePasteCommands();
  EXPECT_TRUE(frame_->mmEditPaste.Enabled());
  MenuKeys('E', {'P'});
  EXPECT_EQ(child_->cmbSamples.Text(), L"粘贴");

  // Select all in a font list selects its rows.
  TFontList& browse = Browse(folderA_);
  browse.SelectOnly("DejaVu Sans");
  MenuKeys('E', {'A'});
  EXPECT_EQ(browse.SelCount(), 3);
  EXPECT_TRUE(frame_->mmFileProperties.Enabled());

  // Alt+Enter shows the properties of the selected file.
  browse.SelectOnly("DejaVu Sans");
  os_->propertiesShown.clear();
  input::Press(VK_RETURN, ssAlt);
  ASSERT_EQ(os_->propertiesShown.size(), 1u);
  EXPECT_EQ(os_->propertiesShown[0], browse.SelectedRecord()->FileName());
}

TEST_F(CommandsTest, ACollectionFileArgumentOpensItsCollection) {
  const std::string name = "cmd-test-argument";
  ASSERT_TRUE(NewCollection(name));
  frame_->Arguments = {"C:\\elsewhere\\notes.txt", "C:\\elsewhere\\" + name + ".vlm"};
  frame_->HandleCommandLine();
  frame_->Arguments.clear();
  EXPECT_EQ(child_->pcNav.ActivePage(), &child_->tsNavCollections);
  EXPECT_EQ(child_->CollectionsList.SelectedCollection(), name);
  EXPECT_EQ(child_->CollectionsFontList.Collection(), name);
  DeleteSelectedCollection();
}

void ClickButton(const TToolbarButton97& button) {
  const TRect r = button.ScreenRect();
  const POINT at{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  input::Gesture({[at] { input::MouseMove(at); }, [at] { input::MousePress(at); },
                  [at] { input::MouseRelease(at); }});
}

TEST_F(CommandsTest, EachWindowKeepsItsOwnFilterShownInTheViewMenuAndEditedOnTheFilterBar) {
  frame_->pmToolbarsFilterBarClick();
  ASSERT_TRUE(frame_->tb97Filter.BarVisible());
  TFontList& list = Browse(folderA_);
  ASSERT_EQ(list.ListView().ItemCount(), 3);
  MenuKeys('V', {'F', 'N'});  // View, Font types, None
  EXPECT_EQ(child_->Filter(), 0);
  EXPECT_EQ(list.ListView().ItemCount(), 0);
  EXPECT_FALSE(frame_->mmViewFontsSerif.Checked());
  ClickButton(frame_->tbb97FilterAll);
  EXPECT_EQ(child_->Filter(), kAllFontKinds);
  EXPECT_TRUE(frame_->tbb97FilterSerif.Down());
  EXPECT_EQ(list.ListView().ItemCount(), 3);
  ClickButton(frame_->tbb97FilterSerif);
  EXPECT_FALSE(frame_->tbb97FilterSerif.Down());
  EXPECT_FALSE(frame_->mmViewFontsSerif.Checked());
  EXPECT_EQ(child_->Filter(), kAllFontKinds & ~KindBit(fkSerif));

  // A new window shows every kind; its None is its own.
  input::Press('N', ssCtrl);
  TfrmVLMChild* other = frame_->ActiveChild();
  ASSERT_NE(other, child_);
  // Built with its drawing held and its controls in the window's font from the start.
  EXPECT_TRUE(IsWindowVisible(other->Handle()));
  EXPECT_EQ(other->InstalledFontList.ListView().Perform(WM_GETFONT), ui::AsLParam(ui::SongFont()));
  EXPECT_EQ(other->Filter(), kAllFontKinds);
  EXPECT_TRUE(frame_->mmViewFontsSerif.Checked());
  EXPECT_TRUE(frame_->mmViewFontsOther.Checked());
  EXPECT_TRUE(frame_->tbb97FilterSerif.Down());
  ClickButton(frame_->tbb97FilterNone);
  EXPECT_EQ(other->Filter(), 0);
  for (int k = 0; k < kFontKindCount; ++k) EXPECT_FALSE(frame_->mmViewFontTypes.Items(3 + k).Checked()) << k;
  EXPECT_FALSE(frame_->tbb97FilterOther.Down());
  other->Close();
  input::Settle();

  // Back in the first window: its own filter, then all kinds again from the menu.
  ASSERT_EQ(frame_->ActiveChild(), child_);
  EXPECT_FALSE(frame_->mmViewFontsSerif.Checked());
  EXPECT_FALSE(frame_->tbb97FilterSerif.Down());
  EXPECT_TRUE(frame_->tbb97FilterSans.Down());
  MenuKeys('V', {'F', 'A'});
  EXPECT_EQ(child_->Filter(), kAllFontKinds);
  EXPECT_EQ(list.ListView().ItemCount(), 3);
  frame_->pmToolbarsFilterBarClick();
}

TEST_F(CommandsTest, ToolBarButtonsShowCaptionsOrGlyphsAloneAndOneWayToTheCommandsStaysWithItsKeys) {
  EXPECT_EQ(frame_->tbb97New.Width(), 52);
  EXPECT_EQ(frame_->tbb97New.Height(), 45);
  frame_->pmToolbarsTextLabelsClick();
  for (TToolbarButton97* button : {&frame_->tbb97New, &frame_->tbb97Help, &frame_->tbb97FilterOther}) {
    EXPECT_EQ(button->DisplayMode(), dmGlyphOnly);
    EXPECT_EQ(button->Width(), 29);
    EXPECT_EQ(button->Height(), 26);
  }
  frame_->pmToolbarsTextLabelsClick();
  EXPECT_EQ(frame_->tbb97FilterOther.DisplayMode(), dmGlyphAndCaption);

  // With the tool bar hidden the menu bar cannot go, and the other way round.
  frame_->pmToolbarsToolBarClick();
  ASSERT_FALSE(frame_->tb97Main.BarVisible());
  frame_->pmToolbarsPopup();
  EXPECT_FALSE(frame_->pmToolbarsMenuBar.Enabled());
  frame_->pmToolbarsMenuBarClick();
  EXPECT_TRUE(frame_->MenuBarVisible());
  frame_->pmToolbarsToolBarClick();
  frame_->pmToolbarsMenuBarClick();
  ASSERT_FALSE(frame_->MenuBarVisible());
  EXPECT_EQ(GetMenu(frame_->Handle()), nullptr);
  frame_->pmToolbarsPopup();
  EXPECT_FALSE(frame_->pmToolbarsToolBar.Enabled());
  EXPECT_TRUE(frame_->pmToolbarsMenuBar.Enabled());
  // A hidden menu bar keeps its shortcuts.
  const int before = frame_->ChildCount();
  input::Press('N', ssCtrl);
  EXPECT_EQ(frame_->ChildCount(), before + 1);
  frame_->ActiveChild()->Close();
  input::Settle();
  frame_->pmToolbarsMenuBarClick();
  EXPECT_TRUE(frame_->MenuBarVisible());
  EXPECT_EQ(GetMenu(frame_->Handle()), frame_->mainMenu.Handle());
  EXPECT_TRUE(frame_->tb97Main.BarVisible());
}

TEST_F(CommandsTest, ANewWindowFromTheTreeBrowsesItsFolderAndTakesADraggedFolderListsFiles) {
  TFontList& source = Browse(folderA_);
  source.SelectOnly("DejaVu Sans");
  const int before = frame_->ChildCount();
  child_->pmDirTreeNewWindowHereClick();
  ASSERT_EQ(frame_->ChildCount(), before + 1);
  TfrmVLMChild* other = frame_->ActiveChild();
  ASSERT_NE(other, child_);
  // Built with its drawing held and its controls in the window's font from the start.
  EXPECT_TRUE(IsWindowVisible(other->Handle()));
  EXPECT_EQ(other->InstalledFontList.ListView().Perform(WM_GETFONT), ui::AsLParam(ui::SongFont()));
  EXPECT_EQ(other->pcNav.ActivePage(), &other->tsNavBrowse);
  EXPECT_EQ(other->BrowseFontList.Path(), folderA_);
  EXPECT_EQ(other->BrowseFontList.ListView().ItemCount(), 3);
  EXPECT_EQ(other->BrowseFontList.LoadedFonts(), &frame_->LoadedFonts());

  // A folder list dragged onto another window's folder list is copied there.
  ASSERT_TRUE(other->DirTree.SetDirectory(folderB_));
  ASSERT_EQ(other->BrowseFontList.Path(), folderB_);
  frame_->mmWindowTileClick();
  input::Settle();

  TListView& rows = source.ListView();
  RECT row{};
  ListView_GetItemRect(rows.Handle(), rows.ItemIndex(), &row, LVIR_LABEL);
  const POINT start = input::ScreenPoint(rows.Handle(), row.left + 10, (row.top + row.bottom) / 2);
  const POINT target = input::ScreenPoint(other->BrowseFontList.ListView().Handle(), 30, 40);
  input::Gesture({[start] { input::MousePress(start); },
                  [start] { input::MouseMove(POINT{start.x + 2, start.y + 1}); },
                  [start] { input::MouseMove(POINT{start.x + 20, start.y + 10}); },
                  [target] { input::MouseMove(POINT{target.x - 3, target.y}); },
                  [target] { input::MouseRelease(target); }});

  EXPECT_EQ(Files(folderB_), std::vector<std::string>{"DejaVuSans.ttf"});
  EXPECT_EQ(other->BrowseFontList.ListView().ItemCount(), 1);
  EXPECT_EQ(Files(folderA_).size(), 3u) << "copied, not moved";
  // Onto the list of its own folder the drag is refused.
  EXPECT_FALSE(child_->FontListDragOver(child_->BrowseFontList, rows));
  other->Close();
  ui::ProcessMessages();
  EXPECT_EQ(frame_->ChildCount(), before);
}

}  // namespace
