// The program as it starts: the frame, one font window on the Installed page
// listing the fonts Wine lists as installed, and a clean close.
#include <gtest/gtest.h>

#include "app/VLMChild.h"
#include "app/VLMMain.h"
#include "sys/codepage.h"
#include "ui/Application.h"

namespace {

TEST(Program, StartsWithOneFontWindowListingTheInstalledFontsAndClosesCleanly) {
  ui::InitControls();
  auto frame = std::make_unique<TfrmVLMMain>();
  EXPECT_EQ(frame->Text(), L"Velmara");
  EXPECT_EQ(frame->Width(), 640);
  EXPECT_EQ(frame->Height(), 480);
  EXPECT_EQ(frame->ChildCount(), 0);

  frame->Show();
  ui::ProcessMessages();
  ASSERT_EQ(frame->ChildCount(), 1);
  TfrmVLMChild* child = frame->ActiveChild();
  ASSERT_NE(child, nullptr);
  EXPECT_TRUE(child->Visible());
  EXPECT_EQ(child->pcNav.ActivePage(), &child->tsNavInstalled);
  EXPECT_EQ(child->pcView.ActivePage(), &child->tsViewSample);
  EXPECT_EQ(child->CurrentFontList(), &child->InstalledFontList);
  EXPECT_GT(child->InstalledFontList.ListView().ItemCount(), 0);

  // The caption: the page's caption without "&", then the selected font.
  TFontFileInfo* record = child->InstalledFontList.SelectedRecord();
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(child->Text(), L"已安装(I) - " + sys::Widen(record->FontName()));

  // The window menu lists the font window after Tile and Cascade.
  EXPECT_GE(GetMenuItemCount(frame->mmWindow.SubmenuHandle()), 3);
  EXPECT_TRUE(frame->mmFileClose.Enabled());

  frame->mmFileNewClick();
  EXPECT_EQ(frame->ChildCount(), 2);
  frame->mmFileCloseAllClick();
  EXPECT_EQ(frame->ChildCount(), 0);
  EXPECT_FALSE(frame->mmFileClose.Enabled());
  EXPECT_FALSE(frame->mmWindowTile.Enabled());

  HWND window = frame->Handle();
  frame->mmFileExitClick();
  EXPECT_FALSE(IsWindow(window));
  frame.reset();
}

}  // namespace
