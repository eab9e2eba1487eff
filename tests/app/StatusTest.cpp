// The program as it starts and the layout that comes back at every start, in
// the prefix's real registry, and the registration of collection files with
// the shell.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/FileType.h"
#include "app/VLMStatus.h"
#include "data/VLMUtil.h"
#include "sys/codepage.h"
#include "sys/memory/MemoryBackend.h"
#include "sys/sys.h"
#include "sys/win32/Win32Backend.h"
#include "tests/app/FrameFixture.h"
#include "tests/support/RealFonts.h"
#include "ui/Application.h"
#include "ui/WindowPlacement.h"

namespace {

using frame_test::Start;
using sys::Hive;

// The real registry, with every value written noted in the order written.
// With a budget, the program is as if stopped after that many changes (writes
// and deletions): whatever follows never reaches the registry.
class TWriteRecorder : public sys::Win32Backend {
 public:
  struct Write {
    std::string key;
    std::string name;
    bool operator==(const Write&) const = default;
  };

  std::unique_ptr<sys::RegKey> OpenKey(Hive hive, std::string_view path, bool create) override {
    auto key = Win32Backend::OpenKey(hive, path, create);
    if (!key) return key;
    return std::make_unique<Key>(std::move(key), std::string(path), *this);
  }
  bool DeleteKey(Hive hive, std::string_view path) override {
    return Spend() && Win32Backend::DeleteKey(hive, path);
  }

  // The names written into one key, in order.
  std::vector<std::string> NamesWritten(const std::string& key) const {
    std::vector<std::string> names;
    for (const Write& write : writes)
      if (write.key == key) names.push_back(write.name);
    return names;
  }

  std::vector<Write> writes;
  // Changes that still reach the registry; negative: all of them.
  int budget = -1;

 private:
  bool Spend() {
    if (budget == 0) return false;
    if (budget > 0) --budget;
    return true;
  }

  class Key : public sys::RegKey {
   public:
    Key(std::unique_ptr<sys::RegKey> key, std::string path, TWriteRecorder& recorder)
        : key_(std::move(key)), path_(std::move(path)), recorder_(recorder) {}
    bool ValueExists(std::string_view name) override { return key_->ValueExists(name); }
    bool ReadString(std::string_view name, std::string& value) override {
      return key_->ReadString(name, value);
    }
    bool WriteString(std::string_view name, std::string_view value) override {
      recorder_.writes.push_back({path_, std::string(name)});
      return recorder_.Spend() && key_->WriteString(name, value);
    }
    bool DeleteValue(std::string_view name) override { return recorder_.Spend() && key_->DeleteValue(name); }
    bool ListValues(std::vector<sys::RegValueInfo>& values) override { return key_->ListValues(values); }
    bool ListSubkeys(std::vector<std::string>& names) override { return key_->ListSubkeys(names); }
    bool DeleteSubkey(std::string_view name) override { return recorder_.Spend() && key_->DeleteSubkey(name); }

   private:
    std::unique_ptr<sys::RegKey> key_;
    std::string path_;
    TWriteRecorder& recorder_;
  };
};

const std::vector<std::string> kFrameValues = {
    "Main Form Top", "Main Form Left", "Main Form Height", "Main Form Width", "Main Form State",
    "Main Form Child Count", "Main Form Active Child",
    "Tool Bar Top", "Tool Bar Left", "Tool Bar Height", "Tool Bar Width", "Tool Bar Dock Status",
    "Tool Bar Dock Position", "Tool Bar Dock Row", "Tool Bar Visible", "Tool Bar Text Captions",
    "Filter Bar Top", "Filter Bar Left", "Filter Bar Height", "Filter Bar Width",
    "Filter Bar Dock Status", "Filter Bar Dock Position", "Filter Bar Dock Row", "Filter Bar Visible"};
const std::vector<std::string> kChildValues = {
    "Top", "Left", "Height", "Width", "State", "Navigation Width", "Navigation Page",
    "Installed Column Widths", "Collections Column Widths", "Collections List Height",
    "Browse Column Widths", "Browse Location Height", "Browse Address", "Include Subfolders",
    "View Page", "Sample Font Size", "Sample Text", "Multiple Sample Font Size",
    "Multiple Sample Mode", "Characters Font Size", "Column Count", "Show Values", "Show Chars",
    "Font Filter"};

std::string ChildKey(int index) { return SaveStatusKey() + "\\" + std::to_string(index); }

std::string Value(const std::string& key, const std::string& name) {
  auto open = sys::Current().OpenKey(Hive::CurrentUser, key, false);
  std::string value = "<missing>";
  if (open && !open->ReadString(name, value)) value = "<unreadable>";
  return value;
}

// Each value's text as expected, decimal numbers exactly.
void ExpectValues(const std::string& key,
                  const std::vector<std::pair<const char*, std::string>>& expected) {
  for (const auto& [name, value] : expected) EXPECT_EQ(Value(key, name), value) << key << ": " << name;
}

void SetValues(const std::string& key, const std::vector<std::pair<const char*, const char*>>& values) {
  auto open = sys::Current().OpenKey(Hive::CurrentUser, key, true);
  ASSERT_NE(open, nullptr);
  for (const auto& [name, value] : values) ASSERT_TRUE(open->WriteString(name, value));
}

std::string Text(const TRect& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.Width()) +
         "x" + std::to_string(r.Height());
}

bool Inside(const TRect& inner, const TRect& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

class StatusTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ui::InitControls(); }
  // Closed as the user closes it: its layout is saved and its window goes.
  static void CloseByKeys(TfrmVLMMain& frame) {
    input::Activate(frame.Handle());
    input::Press(VK_F4, ssAlt);
    ASSERT_FALSE(IsWindow(frame.Handle())) << "Alt+F4 did not close the frame";
  }
};

TEST_F(StatusTest, WithoutALayoutOneFontWindowOpensAndValuesThatSayLittleKeepTheDefaults) {
  {
    auto frame = std::make_unique<TfrmVLMMain>();
    EXPECT_EQ(frame->Text(), L"Velmara");
    EXPECT_EQ(frame->Width(), 640);
    EXPECT_EQ(frame->Height(), 480);
    EXPECT_EQ(frame->ChildCount(), 0) << "the font window opens as the frame shows";
    frame->Show();
    ui::ProcessMessages();
    EXPECT_EQ(frame->WindowState(), wsNormal);
    ASSERT_EQ(frame->ChildCount(), 1);
    TfrmVLMChild& child = frame->Child(0);
    EXPECT_EQ(frame->ActiveChild(), &child);
    EXPECT_TRUE(child.Visible());
    EXPECT_EQ(child.pcNav.ActivePage(), &child.tsNavInstalled);
    EXPECT_EQ(child.pcView.ActivePage(), &child.tsViewSample);
    EXPECT_EQ(child.CurrentFontList(), &child.InstalledFontList);
    EXPECT_EQ(child.Filter(), kAllFontKinds);
    EXPECT_GT(child.InstalledFontList.ListView().ItemCount(), 0);
    // The caption: the page's caption without "&", then the selected font.
    TFontFileInfo* record = child.InstalledFontList.SelectedRecord();
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(child.Text(), L"已安装(I) - " + sys::Widen(record->FontName()));
    // The window menu lists the font window after Tile and Cascade.
    EXPECT_GE(GetMenuItemCount(frame->mmWindow.SubmenuHandle()), 3);
    EXPECT_TRUE(frame->mmFileClose.Enabled());

    frame->mmFileNewClick();
    EXPECT_EQ(frame->ChildCount(), 2);
    frame->mmFileCloseAllClick();
    EXPECT_EQ(frame->ChildCount(), 0);
    EXPECT_FALSE(frame->mmFileClose.Enabled());
    EXPECT_FALSE(frame->mmWindowTile.Enabled());
    const HWND window = frame->Handle();
    frame->mmFileExitClick();
    EXPECT_FALSE(IsWindow(window));
  }
  DeleteKeyTree(Hive::CurrentUser, SaveStatusKey());  // what the exit saved

  SetValues(SaveStatusKey(), {{"Main Form Child Count", "0"}});
  {
    auto frame = Start();
    ASSERT_EQ(frame->ChildCount(), 1);
    EXPECT_EQ(frame->Child(0).pcNav.ActivePage(), &frame->Child(0).tsNavInstalled);
  }

  // Filter "0" shows no font; a missing filter shows every kind.
  SetValues(SaveStatusKey(), {{"Main Form Child Count", "2"}});
  SetValues(ChildKey(0), {{"Font Filter", "0"}});
  SetValues(ChildKey(1), {{"Sample Font Size", "20"}});
  auto frame = Start();
  ASSERT_EQ(frame->ChildCount(), 2);
  EXPECT_EQ(frame->Child(0).Filter(), 0);
  EXPECT_EQ(frame->Child(0).InstalledFontList.ListView().ItemCount(), 0);
  EXPECT_EQ(frame->Child(1).Filter(), kAllFontKinds);
  EXPECT_GT(frame->Child(1).InstalledFontList.ListView().ItemCount(), 0);
  EXPECT_EQ(frame->Child(1).esSampleSize.Value(), 20);
  // The first window is the active one, and the View menu shows its filter.
  EXPECT_EQ(frame->ActiveChild(), &frame->Child(0));
  EXPECT_FALSE(frame->mmViewFontsSerif.Checked());
}

TEST_F(StatusTest, ThreeWindowsOneBrowsingAFolderWithSubfoldersComeBackAsTheyWere) {
  for (const RealFont* font : kRealFonts) ASSERT_TRUE(RealFontPresent(*font)) << font->unixPath;
  sys::Backend& os = sys::Current();
  frame_test::TFontFolder fonts("VLMSTATUS");
  const std::string& folder = fonts.Path();
  fonts.Make("A\\");
  fonts.Make("B\\C\\");
  ASSERT_TRUE(fonts.Copy(NativePath(kDejaVuSans), "B\\C\\ONE.TTF"));
  ASSERT_TRUE(fonts.Copy(NativePath(kDejaVuSansMono), "A\\TWO.TTF"));
  ASSERT_TRUE(fonts.Copy(NativePath(kLiberationSerif), "A\\THREE.TTF"));

  TWriteRecorder recorder;
  TRect frameBounds;
  TRect browsingBounds;
  {
    const sys::ScopedBackend recording(recorder);
    auto frame = Start();
    input::Activate(frame->Handle());
    input::Press('N', ssCtrl);
    input::Press('N', ssCtrl);
    ASSERT_EQ(frame->ChildCount(), 3);

    TfrmVLMChild& browsing = frame->Child(1);
    browsing.Activate();
    input::Settle();
    input::Press('B', ssAlt);
    ASSERT_EQ(browsing.pcNav.ActivePage(), &browsing.tsNavBrowse);
    input::Press('D', ssAlt);
    ASSERT_TRUE(browsing.edtAddress.Focused());
    browsing.edtAddress.SetText(sys::Widen(folder));
    input::Press(VK_RETURN);
    input::Press('U', ssAlt);
    ASSERT_TRUE(browsing.cbInclSubfolders.Checked());
    ASSERT_EQ(browsing.BrowseFontList.ListView().ItemCount(), 3) << "the subfolders' fonts";
    ASSERT_EQ(frame->ActiveChild(), &browsing);

    frameBounds = ui::NormalBounds(*frame);
    browsingBounds = ui::NormalBounds(browsing);
    recorder.writes.clear();
    CloseByKeys(*frame);
  }

  // Everything was written anew, in the order of the tables, as decimal text.
  EXPECT_EQ(recorder.NamesWritten(SaveStatusKey()), kFrameValues);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(recorder.NamesWritten(ChildKey(i)), kChildValues) << i;
  EXPECT_EQ(recorder.writes.size(), kFrameValues.size() + 3 * kChildValues.size());
  const std::string key = SaveStatusKey();
  ExpectValues(key, {{"Main Form Top", std::to_string(frameBounds.top)},
                     {"Main Form Left", std::to_string(frameBounds.left)},
                     {"Main Form Height", std::to_string(frameBounds.Height())},
                     {"Main Form Width", std::to_string(frameBounds.Width())},
                     {"Main Form State", "0"},
                     {"Main Form Child Count", "3"},
                     {"Main Form Active Child", "1"},
                     {"Tool Bar Dock Status", "0"},
                     {"Tool Bar Visible", "1"},
                     {"Tool Bar Text Captions", "1"},
                     {"Filter Bar Dock Status", "1"},
                     {"Filter Bar Visible", "0"}});
  const std::string second = ChildKey(1);
  ExpectValues(second, {{"Top", std::to_string(browsingBounds.top)},
                        {"Width", std::to_string(browsingBounds.Width())},
                        {"State", "0"},
                        {"Navigation Page", "2"},
                        {"Browse Address", folder},
                        {"Include Subfolders", "1"},
                        {"View Page", "0"},
                        {"Font Filter", "127"},
                        {"Installed Column Widths", "150,100"}});
  ExpectValues(ChildKey(0), {{"Navigation Page", "0"}, {"Include Subfolders", "0"}});
  // The key holds what was written and nothing else, as the registry lists it.
  auto saved = os.OpenKey(Hive::CurrentUser, key, false);
  ASSERT_NE(saved, nullptr);
  std::vector<sys::RegValueInfo> listed;
  ASSERT_TRUE(saved->ListValues(listed));
  std::vector<std::string> names;
  for (const auto& value : listed) {
    EXPECT_EQ(value.type, sys::kRegSz) << value.name;
    names.push_back(value.name);
  }
  std::vector<std::string> expected = kFrameValues;
  std::sort(names.begin(), names.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(names, expected);
  std::vector<std::string> subkeys;
  ASSERT_TRUE(saved->ListSubkeys(subkeys));
  std::sort(subkeys.begin(), subkeys.end());
  EXPECT_EQ(subkeys, (std::vector<std::string>{"0", "1", "2"}));
  saved.reset();

  auto frame = Start();
  ASSERT_EQ(frame->ChildCount(), 3);
  EXPECT_EQ(Text(ui::NormalBounds(*frame)), Text(frameBounds));
  TfrmVLMChild& browsing = frame->Child(1);
  EXPECT_EQ(frame->ActiveChild(), &browsing);
  EXPECT_EQ(Text(ui::NormalBounds(browsing)), Text(browsingBounds));
  EXPECT_EQ(browsing.pcNav.ActivePage(), &browsing.tsNavBrowse);
  EXPECT_EQ(browsing.DirTree.Directory(), folder);
  EXPECT_EQ(browsing.edtAddress.Text(), sys::Widen(folder));
  EXPECT_TRUE(browsing.cbInclSubfolders.Checked());
  EXPECT_EQ(browsing.BrowseFontList.ListView().ItemCount(), 3);
  for (int i : {0, 2}) EXPECT_EQ(frame->Child(i).pcNav.ActivePage(), &frame->Child(i).tsNavInstalled);
  for (int i = 0; i < 3; ++i) {
    const TRect client = ui::ParentClientArea(frame->Child(i));
    EXPECT_TRUE(Inside(frame->Child(i).BoundsRect(), client))
        << i << ": " << Text(frame->Child(i).BoundsRect()) << " in " << Text(client);
  }
}

// Every value a layout needs is in the key: the frame's, and each counted window's.
void ExpectWholeLayout(const std::string& when) {
  auto key = sys::Current().OpenKey(Hive::CurrentUser, SaveStatusKey(), false);
  ASSERT_NE(key, nullptr) << when;
  for (const std::string& name : kFrameValues) EXPECT_TRUE(key->ValueExists(name)) << when << ": " << name;
  const int count = ReadIntValue(*key, "Main Form Child Count", -1);
  ASSERT_GT(count, 0) << when;
  for (int i = 0; i < count; ++i) {
    auto window = sys::Current().OpenKey(Hive::CurrentUser, ChildKey(i), false);
    ASSERT_NE(window, nullptr) << when << ": window " << i;
    for (const std::string& name : kChildValues)
      EXPECT_TRUE(window->ValueExists(name)) << when << ": window " << i << ": " << name;
  }
}

TEST_F(StatusTest, ASaveStoppedAtAnyPointLeavesAWholeLayoutAndAFinishedOneNothingElse) {
  auto frame = Start();
  frame->mmFileNewClick();
  frame->mmFileNewClick();
  ASSERT_EQ(frame->ChildCount(), 3);
  SaveStatus(*frame);
  SetValues(SaveStatusKey(), {{"Left Over", "1"}});
  SetValues(ChildKey(1), {{"Left Over", "1"}});
  SetValues(ChildKey(7), {{"Top", "1"}});
  frame->Child(2).Close();
  ui::ProcessMessages();
  ASSERT_EQ(frame->ChildCount(), 2);

  // The program stopped after each change in turn: the next start finds a whole layout.
  TWriteRecorder stopped;
  int changes = 0;
  for (bool finished = false; !finished; ++changes) {
    stopped.writes.clear();
    stopped.budget = changes;
    {
      const sys::ScopedBackend stopping(stopped);
      SaveStatus(*frame);
    }
    finished = stopped.budget > 0;
    ExpectWholeLayout("stopped after " + std::to_string(changes) + " changes");
    if (HasFailure()) break;
  }
  EXPECT_GT(changes, static_cast<int>(kFrameValues.size() + 2 * kChildValues.size()));

  // Finished, the key holds the two windows' values and nothing of the old layout.
  ExpectValues(SaveStatusKey(), {{"Main Form Child Count", "2"}});
  auto saved = sys::Current().OpenKey(Hive::CurrentUser, SaveStatusKey(), false);
  ASSERT_NE(saved, nullptr);
  EXPECT_FALSE(saved->ValueExists("Left Over"));
  EXPECT_FALSE(sys::Current().OpenKey(Hive::CurrentUser, ChildKey(1), false)->ValueExists("Left Over"));
  std::vector<std::string> subkeys;
  ASSERT_TRUE(saved->ListSubkeys(subkeys));
  std::sort(subkeys.begin(), subkeys.end());
  EXPECT_EQ(subkeys, (std::vector<std::string>{"0", "1"}));
}

TEST_F(StatusTest, AMaximisedFrameWithItsBarsMovedComesBackSoAndRestoresToItsNormalSize) {
  const TRect normal = BoundsToRect(50, 60, 700, 500);
  TRect floating;
  {
    auto frame = Start();
    frame->SetBounds(normal.left, normal.top, normal.Width(), normal.Height());
    SendMessageW(frame->Handle(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    ASSERT_TRUE(IsZoomed(frame->Handle()));
    frame->pmToolbarsFilterBarClick();
    frame->tb97Filter.Float();
    const TRect size = frame->tb97Filter.Bounds();
    frame->tb97Filter.SetBarBounds(BoundsToRect(600, 500, size.Width(), size.Height()));
    frame->tb97Main.DockTo(frame->dk97Left);
    frame->pmToolbarsTextLabelsClick();
    floating = frame->tb97Filter.Bounds();
    CloseByKeys(*frame);
  }
  const std::string key = SaveStatusKey();
  ExpectValues(key, {{"Main Form State", "2"},
                     {"Main Form Width", "700"},
                     {"Tool Bar Dock Status", "2"},
                     {"Tool Bar Text Captions", "0"},
                     {"Filter Bar Dock Status", "-1"},
                     {"Filter Bar Left", "600"},
                     {"Filter Bar Top", "500"},
                     {"Filter Bar Visible", "1"}});

  auto frame = Start();
  EXPECT_TRUE(IsZoomed(frame->Handle()));
  EXPECT_EQ(frame->WindowState(), wsMaximized);
  EXPECT_EQ(frame->tb97Main.DockedTo(), &frame->dk97Left);
  EXPECT_TRUE(frame->tb97Main.BarVisible());
  EXPECT_EQ(frame->tb97Filter.DockedTo(), nullptr);
  EXPECT_TRUE(frame->tb97Filter.BarVisible());
  EXPECT_EQ(Text(frame->tb97Filter.Bounds()), Text(floating));
  EXPECT_FALSE(frame->pmToolbarsTextLabels.Checked());
  EXPECT_EQ(frame->tbb97New.DisplayMode(), dmGlyphOnly);
  SendMessageW(frame->Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_EQ(frame->WindowState(), wsNormal);
  EXPECT_EQ(Text(frame->BoundsRect()), Text(normal));
}

TEST_F(StatusTest, AHandEditedLayoutStillStartsAUsableProgram) {
  SetValues(SaveStatusKey(), {{"Main Form Top", "-40000"},
                              {"Main Form Left", "99999"},
                              {"Main Form Height", "-5"},
                              {"Main Form Width", "2147483647"},
                              {"Main Form State", "7"},
                              {"Main Form Child Count", "100000"},
                              {"Main Form Active Child", "99999"},
                              {"Tool Bar Dock Status", "9"},
                              {"Tool Bar Dock Position", "99999"},
                              {"Tool Bar Dock Row", "-3"},
                              {"Filter Bar Dock Status", "-1"},
                              {"Filter Bar Left", "-99999"},
                              {"Filter Bar Top", "99999"},
                              {"Filter Bar Width", "-7"},
                              {"Filter Bar Visible", "1"}});
  SetValues(ChildKey(0), {{"Top", "-99999"},
                          {"Left", "88888"},
                          {"Height", "abc"},
                          {"Width", "-1"},
                          {"State", "9"},
                          {"Navigation Width", "100000"},
                          {"Navigation Page", "7"},
                          {"Installed Column Widths", "abc"},
                          {"Browse Location Height", "99999"},
                          {"View Page", "-1"},
                          {"Sample Font Size", "-5"},
                          {"Characters Font Size", "99999"},
                          {"Column Count", "100000"},
                          {"Font Filter", "-1"}});
  SetValues(ChildKey(1), {{"Navigation Page", "2"}, {"Browse Address", "Q:\\NOWHERE\\AT\\ALL\\"}});

  auto frame = Start();
  const TRect work = ui::WorkAreaNear(frame->Left(), frame->Top(), frame->Width(), frame->Height());
  EXPECT_TRUE(Inside(frame->BoundsRect(), work)) << Text(frame->BoundsRect()) << " in " << Text(work);
  EXPECT_GE(frame->Height(), 360);
  EXPECT_EQ(frame->WindowState(), wsNormal);
  // A dock no frame has keeps the bar where it was, within its dock.
  EXPECT_EQ(frame->tb97Main.DockedTo(), &frame->dk97Top);
  EXPECT_LE(frame->tb97Main.Bounds().right, frame->dk97Top.Width());
  EXPECT_EQ(frame->tb97Filter.DockedTo(), nullptr);
  const TRect bar = frame->tb97Filter.Bounds();
  EXPECT_TRUE(Inside(bar, ui::WorkAreaNear(bar.left, bar.top, bar.Width(), bar.Height())))
      << Text(bar);
  EXPECT_GT(bar.Width(), 20);
  ASSERT_EQ(frame->ChildCount(), kMaxRestoredChildren);
  const TRect client = ui::ParentClientArea(frame->Child(0));
  for (int i = 0; i < frame->ChildCount(); ++i) {
    TfrmVLMChild& child = frame->Child(i);
    EXPECT_TRUE(Inside(child.BoundsRect(), client)) << i << ": " << Text(child.BoundsRect());
  }

  TfrmVLMChild& edited = frame->Child(0);
  EXPECT_GE(edited.Width(), 300);
  EXPECT_GE(edited.Height(), 150);
  EXPECT_EQ(edited.WindowState(), wsNormal);
  EXPECT_LT(edited.pnlNav.Width(), edited.Width());
  EXPECT_LT(edited.DirTree.Height(), edited.Height());
  EXPECT_EQ(edited.pcNav.ActivePage(), &edited.tsNavInstalled);
  EXPECT_EQ(edited.pcView.ActivePage(), &edited.tsViewSample);
  EXPECT_EQ(edited.InstalledFontList.ColumnWidths(), "150,100");
  EXPECT_EQ(edited.esSampleSize.Value(), edited.esSampleSize.MinValue());
  EXPECT_EQ(edited.Characters().esCharactersSize.Value(), edited.Characters().esCharactersSize.MaxValue());
  EXPECT_EQ(edited.Characters().esColumns.Value(), edited.Characters().esColumns.MaxValue());
  EXPECT_EQ(edited.Filter(), kAllFontKinds);
  EXPECT_GT(edited.InstalledFontList.ListView().ItemCount(), 0);
  // A folder that is not there leaves the tree and the address agreeing.
  TfrmVLMChild& lost = frame->Child(1);
  EXPECT_EQ(lost.pcNav.ActivePage(), &lost.tsNavBrowse);
  EXPECT_EQ(lost.edtAddress.Text(), sys::Widen(lost.DirTree.Directory()));
}

TEST_F(StatusTest, ALayoutSavedAtAnotherScaleComesBackInProportionAndIsSavedAtThisOne) {
  SetValues(SaveStatusKey(), {{"Dpi", "192"},
                              {"Main Form Left", "10"},
                              {"Main Form Top", "20"},
                              {"Main Form Width", "1400"},
                              {"Main Form Height", "1000"},
                              {"Main Form Child Count", "1"}});
  SetValues(ChildKey(0), {{"Left", "40"},
                          {"Top", "20"},
                          {"Width", "1000"},
                          {"Height", "700"},
                          {"Navigation Width", "400"},
                          {"Installed Column Widths", "300,x,200"},
                          {"Collections List Height", "201"}});
  auto frame = Start();
  // Sizes halved (rounded as Windows rounds), places on the screen kept.
  EXPECT_EQ(Text(ui::NormalBounds(*frame)), "10,20 700x500");
  TfrmVLMChild& child = frame->Child(0);
  EXPECT_EQ(Text(ui::NormalBounds(child)), "20,10 500x350");
  EXPECT_EQ(child.pnlNav.Width(), 200);
  EXPECT_EQ(child.InstalledFontList.ColumnWidths(), "150,100");
  EXPECT_EQ(child.CollectionsList.Height(), 101);
  CloseByKeys(*frame);
  frame.reset();
  // Saved at 96 dpi, which needs no name.
  EXPECT_FALSE(sys::Current().OpenKey(Hive::CurrentUser, SaveStatusKey(), false)->ValueExists("Dpi"));
  ExpectValues(SaveStatusKey(), {{"Main Form Width", "700"}});
  ExpectValues(ChildKey(0), {{"Width", "500"}, {"Navigation Width", "200"}});
  DeleteKeyTree(Hive::CurrentUser, SaveStatusKey());
}

// ---- Collection files and the shell ---------------------------------------------

const char* const kTypeKeys[] = {".VLM", "Velmara.Collection", "Velmara.Collection\\DefaultIcon",
                                 "Velmara.Collection\\Shell\\Open",
                                 "Velmara.Collection\\Shell\\Open\\Command"};

std::vector<std::string> Registration() {
  std::vector<std::string> values;
  for (const char* path : kTypeKeys) {
    auto key = sys::Current().OpenKey(Hive::ClassesRoot, path, false);
    std::string value = "<missing>";
    if (key && !key->ReadString("", value)) value = "<no default>";
    values.push_back(value);
  }
  return values;
}

void Unregister() {
  sys::Current().DeleteKey(Hive::ClassesRoot, ".VLM");
  sys::Current().DeleteKey(Hive::ClassesRoot, "Velmara.Collection");
}

TEST(FileType, CollectionFilesAreRegisteredOnceForTheFirstProgramThatRan) {
  Unregister();
  const std::vector<std::string> first = {
      "Velmara.Collection", "Font Collection", "C:\\First\\velmara.exe,1", "&Open",
      "\"C:\\First\\velmara.exe\" \"%1\""};
  EXPECT_TRUE(RegisterFileType("C:\\First\\velmara.exe"));
  EXPECT_EQ(Registration(), first);
  // A copy in another folder leaves the registration alone.
  EXPECT_FALSE(RegisterFileType("D:\\Second\\velmara.exe"));
  EXPECT_EQ(Registration(), first);
  // A key someone removed is made again; the others stay.
  sys::Current().DeleteKey(Hive::ClassesRoot, "Velmara.Collection\\DefaultIcon");
  EXPECT_TRUE(RegisterFileType("D:\\Second\\velmara.exe"));
  EXPECT_EQ(Registration()[2], "D:\\Second\\velmara.exe,1");
  EXPECT_EQ(Registration()[4], first[4]);
  Unregister();

  // The running program registers itself.
  EXPECT_TRUE(RegisterFileType());
  EXPECT_EQ(Registration()[4], "\"" + sys::Current().ProgramPath() + "\" \"%1\"");
  Unregister();
}

TEST(FileType, TheShellHearsOfARegistrationOnlyWhenOneWasMade) {
  sys::MemoryBackend memory;
  const sys::ScopedBackend scoped(memory);
  memory.SetProgramPath("");
  EXPECT_FALSE(RegisterFileType());
  EXPECT_FALSE(memory.KeyExists(Hive::ClassesRoot, ".VLM")) << "a registration pointing nowhere";
  memory.SetProgramPath("C:\\Velmara\\velmara.exe");
  memory.FailKey(Hive::ClassesRoot, "Velmara.Collection\\Shell\\Open");
  EXPECT_TRUE(RegisterFileType());
  EXPECT_EQ(memory.AssociationNotices(), 1);
  std::string command;
  EXPECT_TRUE(memory.GetValue(Hive::ClassesRoot, "Velmara.Collection\\Shell\\Open\\Command", "", command));
  EXPECT_EQ(command, "\"C:\\Velmara\\velmara.exe\" \"%1\"");
  EXPECT_FALSE(RegisterFileType());
  EXPECT_EQ(memory.AssociationNotices(), 1);
}

}  // namespace
