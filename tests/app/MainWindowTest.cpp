// The frame: its menus and bars routed to the active font window, the state
// they show, the filter controls, the window commands and the command line,
// on the shared frame, as a user works them.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "sys/codepage.h"
#include "tests/app/FrameFixture.h"
#include "ui/Application.h"

namespace {

using frame_test::MenuKeys;

using MainWindowTest = frame_test::SharedFrameTest;

TEST_F(MainWindowTest, TheFramesMenuActsOnWhatHasTheFocusInTheActiveWindow) {
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

TEST_F(MainWindowTest, OnlyACollectionFileArgumentOpensItsCollection) {
  const std::string name = "cmd-test-argument";
  ASSERT_TRUE(NewCollection(name));
  frame_->Arguments = {"C:\\elsewhere\\notes.txt"};
  frame_->HandleCommandLine();
  EXPECT_EQ(child_->pcNav.ActivePage(), &child_->tsNavInstalled) << "another file leaves the window as it starts";
  frame_->Arguments = {"C:\\elsewhere\\notes.txt", "C:\\elsewhere\\" + name + ".vlm"};
  frame_->HandleCommandLine();
  frame_->Arguments.clear();
  EXPECT_EQ(child_->pcNav.ActivePage(), &child_->tsNavCollections);
  EXPECT_EQ(child_->CollectionsList.SelectedCollection(), name);
  EXPECT_EQ(child_->CollectionsFontList.Collection(), name);
  DeleteSelectedCollection();
}

int CaptionWidth(const TToolbar97& bar, const std::wstring& caption) {
  const HDC screen = GetDC(nullptr);
  const HGDIOBJ old = SelectObject(screen, bar.CaptionFont());
  SIZE size{};
  GetTextExtentPoint32W(screen, caption.c_str(), static_cast<int>(caption.size()), &size);
  SelectObject(screen, old);
  ReleaseDC(nullptr, screen);
  return size.cx;
}

void ClickButton(const TToolbarButton97& button) {
  const TRect r = button.ScreenRect();
  const POINT at{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  input::Gesture({[at] { input::MouseMove(at); }, [at] { input::MousePress(at); },
                  [at] { input::MouseRelease(at); }});
}

TEST_F(MainWindowTest, EachWindowKeepsItsOwnFilterShownInTheViewMenuAndEditedOnTheFilterBar) {
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

TEST_F(MainWindowTest, ToolBarButtonsShowCaptionsOrGlyphsAloneAndOneWayToTheCommandsStaysWithItsKeys) {
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

  // One width for all: the widest caption on a shown bar and 4 pixels, at least 52.
  const std::wstring help = frame_->tbb97Help.Caption();
  const std::wstring longer = L"内容和索引帮助";
  frame_->tbb97Help.SetCaption(longer);
  frame_->ApplyTextLabels();
  const int wide = CaptionWidth(frame_->tb97Main, longer) + 4;
  ASSERT_GT(wide, 52);
  EXPECT_EQ(frame_->tbb97New.Width(), wide);
  EXPECT_EQ(frame_->tbb97FilterOther.Width(), wide);
  // A hidden bar's captions count for nothing; with no bar shown there are no labels to choose.
  frame_->pmToolbarsToolBarClick();
  ASSERT_FALSE(frame_->tb97Main.BarVisible());
  EXPECT_EQ(frame_->tbb97FilterOther.Width(), 52);
  frame_->pmToolbarsPopup();
  EXPECT_FALSE(frame_->pmToolbarsTextLabels.Enabled());
  EXPECT_FALSE(frame_->mmViewToolbarsTextLabels.Enabled());
  frame_->pmToolbarsFilterBarClick();
  frame_->pmToolbarsPopup();
  EXPECT_TRUE(frame_->pmToolbarsTextLabels.Enabled());
  EXPECT_TRUE(frame_->mmViewToolbarsTextLabels.Enabled());
  frame_->pmToolbarsToolBarClick();
  EXPECT_EQ(frame_->tbb97FilterOther.Width(), wide);
  frame_->pmToolbarsFilterBarClick();
  frame_->tbb97Help.SetCaption(help);
  frame_->ApplyTextLabels();
  EXPECT_EQ(frame_->tbb97New.Width(), 52);

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

TEST_F(MainWindowTest, WithNoFontWindowLeftTheFileMenuOffersNothingThatNeedsOne) {
  const std::string name = "main-test-no-window";
  ASSERT_TRUE(NewCollection(name));
  const auto expectNothingOffered = [this](const char* closedBy) {
    ASSERT_EQ(frame_->ChildCount(), 0) << closedBy;
    EXPECT_EQ(frame_->mmFileAddToColl.Count(), 0) << closedBy;
    for (const TMenuItem* entry :
         {&frame_->mmFileInstall, &frame_->mmFileUninstall, &frame_->mmFileLoad, &frame_->mmFileUnload,
          &frame_->mmFileAddToColl, &frame_->mmFileCopyToFolder, &frame_->mmFilePrint,
          &frame_->mmFileRename, &frame_->mmFileProperties, &frame_->mmFileDelete,
          &frame_->mmFileClose, &frame_->mmFileCloseAll})
      EXPECT_FALSE(entry->Enabled()) << closedBy << ": " << sys::Narrow(entry->Caption());
    for (const TToolbarButton97* button : {&frame_->tbb97Install, &frame_->tbb97Uninstall, &frame_->tbb97Print,
                                           &frame_->tbb97Properties, &frame_->tbb97Delete})
      EXPECT_FALSE(button->Enabled()) << closedBy << ": " << sys::Narrow(button->Caption());
  };
  // Opening the File menu over a folder's fonts fills the collections submenu from the window.
  const auto openFileMenuOverFonts = [this] {
    Browse(folderA_).SelectAll();
    MenuKeys('F', {VK_ESCAPE, VK_ESCAPE});
    ASSERT_GT(frame_->mmFileAddToColl.Count(), 0);
    ASSERT_TRUE(frame_->mmFileCopyToFolder.Enabled());
  };

  openFileMenuOverFonts();
  // The window's close box.
  RECT box{};
  GetWindowRect(child_->Handle(), &box);
  const POINT close{box.right - GetSystemMetrics(SM_CXSIZEFRAME) - GetSystemMetrics(SM_CXSIZE) / 2,
                    box.top + GetSystemMetrics(SM_CYSIZEFRAME) + GetSystemMetrics(SM_CYSIZE) / 2};
  input::Gesture({[close] { input::MouseMove(close); }, [close] { input::MousePress(close); },
                  [close] { input::MouseRelease(close); }});
  expectNothingOffered("its close box");

  input::Press('N', ssCtrl);
  child_ = frame_->ActiveChild();
  ASSERT_NE(child_, nullptr);
  openFileMenuOverFonts();
  MenuKeys('F', {'A'});  // Close all
  expectNothingOffered("全部关闭");
  MenuKeys('F', {VK_ESCAPE, VK_ESCAPE});
  expectNothingOffered("the File menu opened again");

  input::Press('N', ssCtrl);
  child_ = frame_->ActiveChild();
  ASSERT_NE(child_, nullptr);
  ShowCollection(name);
  DeleteSelectedCollection();
}

TEST_F(MainWindowTest, MinimiseAllGoesFromTheLastWindowAndRestoreAllBringsBackTheActiveOne) {
  input::Press('N', ssCtrl);
  input::Press('N', ssCtrl);
  ASSERT_EQ(frame_->ChildCount(), 3);
  MenuKeys('W', {'M'});  // Minimise all
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(IsIconic(frame_->Child(i).Handle())) << i;
  // Icons take their places from the left in the order the windows went down.
  const auto left = [this](int i) { return frame_->Child(i).BoundsRect().left; };
  EXPECT_LT(left(2), left(1));
  EXPECT_LT(left(1), left(0));

  TfrmVLMChild& middle = frame_->Child(1);
  middle.Activate();
  input::Settle();
  ASSERT_EQ(frame_->ActiveChild(), &middle);
  MenuKeys('W', {'A'});  // Restore all
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(IsIconic(frame_->Child(i).Handle())) << i;
  EXPECT_EQ(frame_->ActiveChild(), &middle);

  frame_->Child(2).Close();
  middle.Close();
  input::Settle();
  ASSERT_EQ(frame_->ChildCount(), 1);
  child_ = frame_->ActiveChild();
}

}  // namespace
