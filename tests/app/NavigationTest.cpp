// The font window's navigation: pages, folders, collections and the caption,
// on the real fonts of the machine that Wine shows as drive Z:.
#include <gtest/gtest.h>

#include "app/VLMMessages.h"
#include "sys/codepage.h"
#include "sys/sys.h"
#include "tests/app/FrameFixture.h"

namespace {

const char kDejaVuFolder[] = "Z:\\USR\\SHARE\\FONTS\\TRUETYPE\\DEJAVU\\";
const char kTrueTypeFolder[] = "Z:\\USR\\SHARE\\FONTS\\TRUETYPE\\";

using NavigationTest = frame_test::SharedFrameTest;

TEST_F(NavigationTest, BrowsePageListsTheFolderChosenInTheTree) {
  ASSERT_TRUE(sys::Current().DirectoryExists(kDejaVuFolder)) << "needs fonts-dejavu-core";
  ShowPage(child_->tsNavBrowse);
  EXPECT_EQ(child_->CurrentFontList(), &child_->BrowseFontList);
  ASSERT_TRUE(child_->DirTree.SetDirectory(kDejaVuFolder));  // runs DirTreeChange
  EXPECT_EQ(child_->edtAddress.Text(), sys::Widen(kDejaVuFolder));
  EXPECT_EQ(child_->BrowseFontList.Path(), kDejaVuFolder);
  const int rows = child_->BrowseFontList.ListView().ItemCount();
  EXPECT_GT(rows, 0);
  TFontFileInfo* record = child_->BrowseFontList.SelectedRecord();
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(child_->Text(), L"浏览(B) - " + sys::Widen(kDejaVuFolder) + L" - " +
                                sys::Widen(record->FontName()));
  // A font selected in a folder list is added to the session for previewing.
  EXPECT_EQ(child_->TempFontFile(), record->FileName());

  // Subfolders: the parent folder alone holds no font files.
  ASSERT_TRUE(child_->DirTree.SetDirectory(kTrueTypeFolder));
  EXPECT_EQ(child_->BrowseFontList.ListView().ItemCount(), 0);
  child_->lblInclSubfoldersClick();
  EXPECT_TRUE(child_->cbInclSubfolders.Checked());
  EXPECT_TRUE(child_->BrowseFontList.InclSubfolders());
  EXPECT_GE(child_->BrowseFontList.ListView().ItemCount(), rows);
  child_->cbInclSubfolders.SetChecked(false);
  EXPECT_FALSE(child_->BrowseFontList.InclSubfolders());

  // A typed address is handed to the tree, which selects it.
  child_->edtAddress.SetText(L"z:\\usr\\share\\fonts\\truetype\\dejavu");
  child_->edtAddressExit();
  EXPECT_EQ(child_->DirTree.Directory(), kDejaVuFolder);
  EXPECT_EQ(child_->edtAddress.Text(), sys::Widen(kDejaVuFolder));

  // Leaving the page releases the preview font; changes while another page
  // shows do nothing.
  ShowPage(child_->tsNavInstalled);
  EXPECT_EQ(child_->TempFontFile(), "");
  child_->DirTree.SetDirectory(kTrueTypeFolder);
  child_->DirTreeChange(&child_->DirTree);
  EXPECT_EQ(child_->BrowseFontList.Path(), kDejaVuFolder);
  EXPECT_EQ(child_->Text().rfind(L"已安装(I)", 0), 0u);
}

TEST_F(NavigationTest, CollectionsPageWithoutASelectionShowsAnEmptyCollection) {
  ShowPage(child_->tsNavCollections);
  TCollectionList& collections = child_->CollectionsList;
  TFontList& list = child_->CollectionsFontList;
  EXPECT_EQ(child_->CurrentFontList(), &list);
  ASSERT_FALSE(collections.Path().empty());
  EXPECT_EQ(list.Path(), collections.Path());
  sys::Backend& os = sys::Current();
  const std::string name = "nav-test-unselected";
  const std::string nameless = collections.Path() + ".VLM";
  os.RemoveFile(collections.Path() + name + ".VLM");
  os.RemoveFile(nameless);  // what a run before the mend left
  collections.UpdateList();

  // A collection of one font, selected; then none, as a click on the
  // list's empty space leaves it.
  ASSERT_TRUE(collections.NewCollection(name));
  input::Settle();
  ASSERT_EQ(list.Collection(), name);
  const std::string font = std::string(kDejaVuFolder) + "DEJAVUSANS.TTF";
  list.AddFiles({font});
  ASSERT_EQ(list.ListView().ItemCount(), 1);
  ASSERT_LT(collections.CollectionCount() * 20, collections.ClientHeight()) << "no empty space to click";
  input::Click(collections.Handle(), 4, collections.ClientHeight() - 4);
  input::Settle();
  ASSERT_EQ(collections.SelectedCollection(), "");
  EXPECT_EQ(list.Collection(), "");
  EXPECT_EQ(list.ListView().ItemCount(), 0);
  EXPECT_EQ(child_->Text(), L"藏品(C) - ");
  for (const TMenuItem* item :
       {&child_->pmCollectionsListInstall, &child_->pmCollectionsListUninstall, &child_->pmCollectionsListLoad,
        &child_->pmCollectionsListUnload, &child_->pmCollectionsListPrint, &child_->pmCollectionsListRename,
        &child_->pmCollectionsListDelete, &child_->pmCollectionsListPaste})
    EXPECT_FALSE(item->Enabled()) << sys::Narrow(item->Caption());

  // Files pasted or dragged onto the list have nowhere to go: they add
  // nothing, and the drag and the shell's drop are refused.
  ASSERT_TRUE(os.SetClipboardFiles({font}));
  list.SetFocus();
  input::Press('V', ssCtrl);
  EXPECT_FALSE(os.FileExists(nameless));
  EXPECT_EQ(list.ListView().ItemCount(), 0);
  EXPECT_FALSE(child_->FontListDragOver(list, child_->BrowseFontList.ListView()));
  EXPECT_EQ(GetWindowLongW(list.ListView().Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES, 0);

  os.RemoveFile(collections.Path() + name + ".VLM");
  os.RemoveFile(nameless);
  collections.UpdateList();
}

TEST_F(NavigationTest, AltUTogglesIncludeSubfoldersOnTheBrowsePageOnly) {
  ShowPage(child_->tsNavInstalled);
  child_->InstalledFontList.SetFocus();
  input::Press('U', ssAlt);
  EXPECT_FALSE(child_->cbInclSubfolders.Checked());
  input::Press('B', ssAlt);  // the page's own accelerator shows it
  ASSERT_EQ(child_->pcNav.ActivePage(), &child_->tsNavBrowse);
  input::Press('U', ssAlt);
  EXPECT_TRUE(child_->cbInclSubfolders.Checked());
  EXPECT_TRUE(child_->BrowseFontList.InclSubfolders());
  input::Press('U', ssAlt);
  EXPECT_FALSE(child_->cbInclSubfolders.Checked());
}

TEST_F(NavigationTest, PopupCommandsFollowTheSelectedFontAndTheListChangePosts) {
  ShowPage(child_->tsNavInstalled);
  TFontList& installed = child_->InstalledFontList;
  ASSERT_GT(installed.ListView().ItemCount(), 1);
  MSG msg{};
  while (PeekMessageW(&msg, frame_->Handle(), UM_LISTCHANGED, UM_LISTCHANGED, PM_REMOVE)) {
  }
  installed.ListView().SetItemIndex(0);
  child_->FontListChange();
  EXPECT_TRUE(PeekMessageW(&msg, frame_->Handle(), UM_LISTCHANGED, UM_LISTCHANGED, PM_REMOVE));
  EXPECT_FALSE(child_->pmFontListDelete.Enabled()) << "never in the installed list";
  EXPECT_FALSE(child_->pmFontListInstall.Enabled());
  EXPECT_TRUE(child_->pmFontListUninstall.Enabled());
  EXPECT_FALSE(child_->pmFontListLoad.Enabled());
  EXPECT_TRUE(child_->pmFontListRename.Enabled());
  EXPECT_TRUE(child_->pmFontListSelectAll.Enabled());
  installed.SelectAll();
  child_->FontListChange();
  EXPECT_FALSE(child_->pmFontListRename.Enabled()) << "more than one selected";
  EXPECT_FALSE(child_->pmFontListSelectAll.Enabled());

  // In a folder list the same (installed) font can be deleted, not loaded.
  ShowPage(child_->tsNavBrowse);
  ASSERT_TRUE(child_->DirTree.SetDirectory(kDejaVuFolder));
  ASSERT_TRUE(child_->BrowseFontList.SelectedRecord()->Installed());
  EXPECT_TRUE(child_->pmFontListDelete.Enabled());
  EXPECT_TRUE(child_->pmFontListUninstall.Enabled());
  EXPECT_FALSE(child_->pmFontListLoad.Enabled());
}

TEST_F(NavigationTest, PasteCommandsFollowTheClipboard) {
  frame_test::SetClipboardText(L"");
  input::Settle();
  EXPECT_FALSE(child_->pmFontListPaste.Enabled());
  EXPECT_FALSE(child_->pmEditBoxPaste.Enabled());

  frame_test::SetClipboardText(L"abc");
  input::Settle();
  EXPECT_TRUE(child_->pmEditBoxPaste.Enabled());
  EXPECT_FALSE(child_->pmDirTreePaste.Enabled());
}

}  // namespace
