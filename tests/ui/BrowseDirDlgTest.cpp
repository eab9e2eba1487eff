// The system's folder browser, answered from another thread as a user would
// answer it: the start folder is selected and shown in the status line.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "tests/ui/TestWindow.h"
#include "widgets/BrowseDirDlg.h"

namespace {

struct TFound {
  HWND dialog = nullptr;
  std::wstring texts;  // every static text, one after another
};

BOOL CALLBACK NoteText(HWND window, LPARAM data) {
  wchar_t text[512] = {};
  GetWindowTextW(window, text, 512);
  reinterpret_cast<TFound*>(data)->texts += std::wstring(text) + L"|";
  return TRUE;
}

// Waits for the dialog of `thread`, notes its texts, then presses `button`.
void AnswerLater(DWORD thread, int button, TFound& found) {
  for (int i = 0; i < 200 && !found.dialog; ++i) {
    Sleep(25);
    found.dialog = ShownWindowOfClass(thread, L"#32770");
  }
  if (!found.dialog) return;
  Sleep(200);  // the start folder is selected once the dialog is up
  EnumChildWindows(found.dialog, NoteText, reinterpret_cast<LPARAM>(&found));
  PostMessageW(found.dialog, WM_COMMAND, button, 0);
}

TEST(BrowseDirDlg, StartsAtTheFolderShowsItAndReturnsTheChoiceOrATestRunnersAnswer) {
  TTestWindow owner;
  owner.Show();
  TBrowseDirDlg dialog;
  dialog.Title = L"选择字体将复制到的文件夹:";
  dialog.Folder = "C:\\windows";
  TFound found;
  std::thread answer(AnswerLater, GetCurrentThreadId(), IDOK, std::ref(found));
  const bool confirmed = dialog.Execute(&owner);
  answer.join();
  ASSERT_NE(found.dialog, nullptr);
  EXPECT_TRUE(confirmed);
  EXPECT_EQ(dialog.Folder, "C:\\windows");
  EXPECT_NE(found.texts.find(L"选择字体将复制到的文件夹:"), std::wstring::npos) << found.texts;
  EXPECT_NE(found.texts.find(L"C:\\windows"), std::wstring::npos) << found.texts;
  EXPECT_TRUE(IsWindowEnabled(owner.Handle()));

  TFound cancelled;
  std::thread cancel(AnswerLater, GetCurrentThreadId(), IDCANCEL, std::ref(cancelled));
  dialog.Folder = "C:\\";
  EXPECT_FALSE(dialog.Execute(&owner));
  cancel.join();
  EXPECT_EQ(dialog.Folder, "C:\\");

  // A test's runner answers in the user's place.
  const TScopedBrowseRunner runner([](TBrowseDirDlg& shown, HWND) {
    shown.Folder = "D:\\Fonts";
    return true;
  });
  EXPECT_TRUE(dialog.Execute(nullptr));
  EXPECT_EQ(dialog.Folder, "D:\\Fonts");
}

}  // namespace
