// The font window's commands on copies of real fonts in folders of their own,
// given as a user gives them: keys on the focused list, dialogs answered
// through the modal runner, message boxes answered by the test.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/VLMRenameFile.h"
#include "data/VLMUtil.h"
#include "sys/codepage.h"
#include "tests/app/FrameFixture.h"
#include "tests/win32/fileops_scratch.h"
#include "ui/Application.h"
#include "ui/Dialog.h"

namespace {

using frame_test::Files;

constexpr unsigned kConfirmFlags =
    sys::kMbYesNo | sys::kMbIconQuestion | sys::kMbDefButton2 | sys::kMbTaskModal;

using CommandsTest = frame_test::SharedFrameTest;

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

  // The system's own count, on a face of its own (a copy of a face it has
  // already is not counted): renamed, loaded and unloaded through the window,
  // the font is held by nobody once the preview ends.
  const std::string own = folderB_ + "VLMREN.TTF";
  ASSERT_TRUE(scratch::WriteAll(own, scratch::RenamedDejaVu("VlmRen")));
  TFontList& other = Browse(folderB_);
  ASSERT_EQ(child_->TempFontFile(), own);
  answer = L"VlmRenamed";
  input::Press(VK_F2);
  const std::string renamed = folderB_ + "VlmRenamed.ttf";
  ASSERT_EQ(other.SelectedRecord()->FileName(), renamed);
  child_->pmFontListLoad.Click();
  ASSERT_TRUE(child_->pmFontListUnload.Enabled());
  child_->pmFontListUnload.Click();
  ShowPage(child_->tsNavInstalled);
  EXPECT_FALSE(scratch::FaceExists("VlmRen Sans"));
  EXPECT_FALSE(RemoveFontResourceA(renamed.c_str()));
  EXPECT_FALSE(RemoveFontResourceA(own.c_str()));
  EXPECT_EQ(os_->boxes.size(), 1u);
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
