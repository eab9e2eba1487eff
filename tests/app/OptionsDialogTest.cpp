// The options dialog, answered through its real modal loop with keys typed
// as a user types them, over a registry in memory.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/VLMOptionsForm.h"
#include "data/VLMUtil.h"
#include "sys/memory/MemoryBackend.h"
#include "tests/support/Input.h"
#include "tests/ui/TestWindow.h"

namespace {

using sys::Hive;

const std::string kSamplesKey = std::string(kVelmaraKey) + "\\Sample Text";

class OptionsDialogTest : public ::testing::Test {
 protected:
  OptionsDialogTest() : owner(std::make_unique<TTestWindow>(640, 480)) {
    owner->SetBounds(40, 30, 641, 481);
    input::Activate(owner->Handle());
  }

  void SeedSamples(const std::vector<std::string>& texts) {
    for (size_t i = 0; i < texts.size(); ++i)
      os.SetValue(Hive::LocalMachine, kSamplesKey, TVLMOptions::SampleTextValueName(i), texts[i]);
  }
  std::string Value(Hive hive, std::string_view name, std::string_view key = kVelmaraKey) const {
    std::string data = "(none)";
    os.GetValue(hive, key, name, data);
    return data;
  }

  // Every key and value under the settings key of both hives.
  std::map<std::string, std::string> Registry() {
    std::map<std::string, std::string> all;
    std::function<void(Hive, const std::string&)> walk = [&](Hive hive, const std::string& path) {
      const auto key = os.OpenKey(hive, path, false);
      if (!key) return;
      const std::string where = std::to_string(static_cast<int>(hive)) + path;
      all[where] = "(key)";
      std::vector<sys::RegValueInfo> values;
      key->ListValues(values);
      for (const sys::RegValueInfo& value : values) key->ReadString(value.name, all[where + "|" + value.name]);
      std::vector<std::string> subkeys;
      key->ListSubkeys(subkeys);
      for (const std::string& subkey : subkeys) walk(hive, path + "\\" + subkey);
    };
    walk(Hive::LocalMachine, std::string(kVelmaraKey));
    walk(Hive::CurrentUser, std::string(kVelmaraKey));
    return all;
  }

  // Shows the dialog over the owner and runs `steps` once it is up.
  TModalResult Run(const std::function<void(TfrmVLMOptions&)>& steps) {
    const ui::TScopedModalRunner runner([&](TDialog& shown) {
      auto& dialog = dynamic_cast<TfrmVLMOptions&>(shown);
      return ui::RunModalLoop(dialog, [&] { steps(dialog); });
    });
    const auto dialog = std::make_unique<TfrmVLMOptions>(*owner);
    return dialog->ShowModal();
  }

  static std::vector<std::wstring> Rows(const TfrmVLMOptions& dialog) {
    std::vector<std::wstring> rows;
    for (int i = 0; i < dialog.lvSamples.ItemCount(); ++i) rows.push_back(dialog.lvSamples.ItemText(i));
    return rows;
  }
  // Ctrl+Tab from the first page.
  static void GoToPage(int index) {
    for (int i = 0; i < index; ++i) input::Press(VK_TAB, ssCtrl);
  }
  static void ClearFocusedEdit() {
    input::Press(VK_HOME, ssCtrl);
    input::Press(VK_END, ssCtrl | ssShift);
    input::Press(VK_DELETE);
  }

  sys::MemoryBackend os;
  sys::ScopedBackend guard{os};
  std::unique_ptr<TTestWindow> owner;
};

TEST_F(OptionsDialogTest, CancelAfterEditsAdditionsMovesAndABrowseLeavesTheRegistryAsItWas) {
  os.SetValue(Hive::LocalMachine, kVelmaraKey, "Collections Folder", "C:\\Coll\\");
  os.SetValue(Hive::CurrentUser, kVelmaraKey, "Notes Font Size", "9");
  SeedSamples({"alpha", "beta"});
  os.AddFile("C:\\Program Files\\Velmara\\VLM.chm", "manual");
  const auto before = Registry();
  std::wstring browseTitle;
  const TScopedBrowseRunner browse([&](TBrowseDirDlg& dialog, HWND) {
    browseTitle = dialog.Title;
    return false;
  });
  int left = 0, width = 0, clientWidth = 0, clientHeight = 0;
  std::wstring caption;
  bool focusedFolder = false;
  const TModalResult result = Run([&](TfrmVLMOptions& dialog) {
    left = dialog.Left();
    width = dialog.Width();
    clientWidth = dialog.ClientWidth();
    clientHeight = dialog.ClientHeight();
    caption = dialog.Text();
    focusedFolder = dialog.edtCollectionsFolder.Focused();
    input::Type("x");
    input::Press('H', ssAlt);
    input::Press(VK_F1);
    input::Press('R', ssAlt);  // the collections folder's browser, cancelled
    GoToPage(3);
    input::Press('A', ssAlt);
    input::Type("zz");
    dialog.lvSamples.SetFocus();
    input::Press(VK_UP, ssCtrl);
    input::Press(VK_ESCAPE);
  });
  EXPECT_EQ(result, mrCancel);
  EXPECT_EQ(Registry(), before);
  EXPECT_TRUE(focusedFolder) << "the first page, the collections folder focused";
  EXPECT_EQ(caption, L"选项");
  EXPECT_EQ(clientWidth, 454);
  EXPECT_EQ(clientHeight, 318);
  EXPECT_EQ(left, 40 + (641 - width) / 2);
  ASSERT_EQ(os.HelpShown().size(), 2u) << "the Help button, then F1";
  for (const auto& shown : os.HelpShown()) {
    EXPECT_EQ(shown.file, "C:\\Program Files\\Velmara\\VLM.chm");
    EXPECT_EQ(shown.context, 3700u);
  }
  EXPECT_TRUE(os.Messages().empty());
  EXPECT_EQ(browseTitle, L"选择你希望的文件夹去存储藏品(c):") << "titled from its label";
}

TEST_F(OptionsDialogTest, TheSampleListMovesAddsAndStoresItsRowsOnOk) {
  SeedSamples({"alpha", "beta", "gamma"});
  std::vector<std::wstring> afterCtrlUpOnFirst, afterMove;
  std::wstring memoOnSecond, memoOnNew;
  int selectedAfterMove = -1;
  bool upEnabledOnFirst = true, focusInMemo = false;
  const TModalResult result = Run([&](TfrmVLMOptions& dialog) {
    GoToPage(3);
    upEnabledOnFirst = dialog.btnSampleUp.Enabled();
    input::Press(VK_UP, ssCtrl);
    afterCtrlUpOnFirst = Rows(dialog);
    input::Press(VK_DOWN);
    memoOnSecond = dialog.memSample.Text();
    input::Press(VK_UP, ssCtrl);
    afterMove = Rows(dialog);
    selectedAfterMove = dialog.lvSamples.ItemIndex();
    input::Press('A', ssAlt);
    focusInMemo = dialog.memSample.Focused();
    memoOnNew = dialog.memSample.Text();
    input::Press('O', ssAlt);
  });
  EXPECT_EQ(result, mrOK);
  EXPECT_FALSE(upEnabledOnFirst);
  EXPECT_EQ(afterCtrlUpOnFirst, (std::vector<std::wstring>{L"alpha", L"beta", L"gamma"}));
  EXPECT_EQ(memoOnSecond, L"beta");
  EXPECT_EQ(afterMove, (std::vector<std::wstring>{L"beta", L"alpha", L"gamma"}));
  EXPECT_EQ(selectedAfterMove, 0) << "the moved row stays selected";
  EXPECT_TRUE(focusInMemo);
  EXPECT_EQ(memoOnNew, L"<new>");
  EXPECT_EQ(TVLMOptions().SampleTexts(), (std::vector<std::string>{"beta", "alpha", "gamma", "<new>"}));
}

TEST_F(OptionsDialogTest, DeletingEverySampleStoresAnEmptyListAndInsertAddsToAnEmptyOne) {
  SeedSamples({"alpha", "beta"});
  int rowsWhenEmpty = -1, rowsAfterInsert = -1;
  bool deleteEnabledWhenEmpty = true;
  const TModalResult result = Run([&](TfrmVLMOptions& dialog) {
    GoToPage(3);
    input::Press(VK_DELETE);
    input::Press(VK_DELETE);
    rowsWhenEmpty = dialog.lvSamples.ItemCount();
    deleteEnabledWhenEmpty = dialog.btnSampleDelete.Enabled();
    input::Press(VK_INSERT);
    rowsAfterInsert = dialog.lvSamples.ItemCount();
    dialog.lvSamples.SetFocus();
    input::Press(VK_DELETE);
    input::Press(VK_RETURN);
  });
  EXPECT_EQ(result, mrOK);
  EXPECT_EQ(rowsWhenEmpty, 0);
  EXPECT_FALSE(deleteEnabledWhenEmpty);
  EXPECT_EQ(rowsAfterInsert, 1);
  EXPECT_TRUE(os.KeyExists(Hive::LocalMachine, kSamplesKey));
  const auto registry = Registry();
  for (const auto& [name, data] : registry) EXPECT_EQ(name.find(kSamplesKey + "|"), std::string::npos) << name;
  EXPECT_EQ(TVLMOptions().SampleTexts(), std::vector<std::string>{std::string(TVLMOptions::kDefaultSampleText)});
}

TEST_F(OptionsDialogTest, OkStoresFoldersTrimmedAndIgnoresABlankSheetTextAndSheetSizeZero) {
  os.SetValue(Hive::LocalMachine, kVelmaraKey, "Notes Folder", "C:\\Notes");
  os.SetValue(Hive::LocalMachine, kVelmaraKey, "Sample Sheet Font Size", "24");
  os.SetValue(Hive::LocalMachine, kVelmaraKey, "Sample Sheet Text", "Sheet");
  std::vector<std::wstring> titles;
  std::vector<std::string> startFolders;
  const TScopedBrowseRunner browse([&](TBrowseDirDlg& dialog, HWND) {
    titles.push_back(dialog.Title);
    startFolders.push_back(dialog.Folder);
    dialog.Folder = "D:\\Fonts Notes";
    return true;
  });
  std::wstring notesEdit;
  bool trueTypeOnlyBefore = true;
  const TModalResult result = Run([&](TfrmVLMOptions& dialog) {
    input::Press(VK_SPACE);
    input::Type("fonts");
    input::Press(VK_SPACE);
    input::Press('W', ssAlt);
    notesEdit = dialog.edtNotesFolder.Text();
    trueTypeOnlyBefore = dialog.cbTrueTypeOnly.Checked();
    input::Press('T', ssAlt);  // folders list their .TTF files alone
    input::Press('U', ssAlt);  // fonts installed for this user alone
    GoToPage(2);  // the focus in the sheet size
    ClearFocusedEdit();
    input::Type("0");
    input::Press('S', ssAlt);
    ClearFocusedEdit();
    input::Press(VK_SPACE);
    input::Press(VK_TAB, ssCtrl | ssShift);
    input::Press('Z', ssAlt);  // the notes size, on this page
    ClearFocusedEdit();
    input::Type("0");
    input::Press(VK_RETURN);
  });
  EXPECT_EQ(result, mrOK);
  EXPECT_EQ(titles, std::vector<std::wstring>{L"选择你希望的文件夹去存储备注(n):"});
  EXPECT_EQ(startFolders, std::vector<std::string>{"C:\\Notes\\"});
  EXPECT_EQ(notesEdit, L"D:\\Fonts Notes\\");
  EXPECT_EQ(Value(Hive::LocalMachine, "Collections Folder"), "fonts\\");
  EXPECT_EQ(Value(Hive::LocalMachine, "Notes Folder"), "D:\\Fonts Notes\\");
  EXPECT_EQ(Value(Hive::LocalMachine, "Sample Sheet Font Size"), "24");
  EXPECT_EQ(Value(Hive::LocalMachine, "Sample Sheet Text"), "Sheet");
  EXPECT_EQ(Value(Hive::CurrentUser, "Notes Font Size"), "0");
  EXPECT_FALSE(trueTypeOnlyBefore) << "off unless chosen";
  EXPECT_EQ(Value(Hive::CurrentUser, "TrueType Files Only"), "1");
  EXPECT_EQ(Value(Hive::CurrentUser, "Install For Current User"), "1");
}

TEST_F(OptionsDialogTest, ColoursChosenByKeyAreStoredAndAnUntouchedSystemColourStaysOne) {
  std::vector<COLORREF> asked;
  const TScopedColorDialogRunner other([&](COLORREF& colour, HWND) {
    asked.push_back(colour);
    colour = RGB(1, 2, 3);
    return true;
  });
  int backgroundEntries = 0;
  int32_t colourWhileDropped = 0;
  const TModalResult result = Run([&](TfrmVLMOptions& dialog) {
    GoToPage(1);
    input::Press('F', ssAlt);
    input::Press(VK_DOWN, ssAlt);  // the list opens; moving in it only looks
    input::Press(VK_DOWN);
    colourWhileDropped = dialog.rccFontColor.Colour();
    input::Press(VK_RETURN);
    input::Press('B', ssAlt);
    input::Press(VK_END);  // "其他..."
    backgroundEntries = dialog.rccFontBgColor.ColourCount();
    input::Press(VK_RETURN);
  });
  EXPECT_EQ(result, mrOK);
  EXPECT_EQ(colourWhileDropped, TVLMOptions::kDefaultFontColour);
  EXPECT_EQ(asked, std::vector<COLORREF>{GetSysColor(COLOR_WINDOW)}) << "the dialog starts at the shown colour";
  EXPECT_EQ(backgroundEntries, 17) << "the sixteen and the one chosen";
  EXPECT_EQ(Value(Hive::CurrentUser, "Font Colour"), std::to_string(RGB(128, 0, 0)));
  EXPECT_EQ(Value(Hive::CurrentUser, "Font Background Colour"), std::to_string(RGB(1, 2, 3)));
  EXPECT_EQ(Value(Hive::CurrentUser, "Font Information Colour"), "-2147483632");
}

}  // namespace
