// The commands of the collections list on a memory world of fonts written
// byte by byte: what uninstalling a whole collection disposes of.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "data/Collections.h"
#include "data/VLMUtil.h"
#include "sys/codepage.h"
#include "sys/memory/MemoryBackend.h"
#include "tests/app/FrameFixture.h"
#include "tests/support/TrueTypeWriter.h"

namespace {

using Strings = std::vector<std::string>;

constexpr char kFontsKey[] = "\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
constexpr char kFonts[] = "C:\\WINNT\\FONTS\\";
constexpr char kMine[] = "D:\\MINE\\";
constexpr char kCollections[] = "C:\\Program Files\\Velmara\\Collections\\";

class CollectionCommandsTest : public ::testing::Test {
 protected:
  CollectionCommandsTest() {
    os.SetDrives({"C:\\", "D:\\"});
    os.SetValue(sys::Hive::CurrentUser, kShellFoldersKey, "Fonts", kFonts);
    os.AddDirectory(kFonts);
    os.AddDirectory("C:\\Program Files\\Velmara");
  }
  ~CollectionCommandsTest() override { frame.reset(); }

  void Font(const std::string& path, const std::string& name) {
    os.AddFile(path, tt::StandardFont(name).Build());
  }
  void Register(const std::string& name, const std::string& file) {
    os.SetValue(sys::Hive::LocalMachine, kFontsKey, name + " (TrueType)", file);
  }
  bool Registered(const std::string& name) {
    std::string file;
    return os.GetValue(sys::Hive::LocalMachine, kFontsKey, name + " (TrueType)", file);
  }
  // The frame on the Collections page, the collection selected, its list focused.
  void OpenCollection(const std::string& name) {
    frame = frame_test::Start();
    child = frame->ActiveChild();
    ASSERT_NE(child, nullptr);
    input::Activate(frame->Handle());
    input::Press('C', ssAlt);
    ASSERT_EQ(child->pcNav.ActivePage(), &child->tsNavCollections);
    child->CollectionsList.SelectCollection(name);
    child->CollectionsList.SetFocus();
    input::Settle();
    ASSERT_EQ(child->CollectionsFontList.Collection(), name);
  }

  sys::MemoryBackend os;
  sys::ScopedBackend guard{os};
  std::unique_ptr<TfrmVLMMain> frame;
  TfrmVLMChild* child = nullptr;
};

TEST_F(CollectionCommandsTest, UninstallRecyclesOnlyFilesOfFontsItUninstalledThatNoFontStillNamesAndTellsAFailure) {
  // Alpha is installed from the fonts folder. Beta is not installed, and a
  // file of its name there is another font's; Gamma is not installed either,
  // a stray copy of its name lies there. Delta is installed, and a second
  // font names its file too.
  std::string lines;
  for (const char* name : {"Alpha", "Beta", "Gamma", "Delta"}) {
    const std::string file = UpperAscii(name) + ".TTF";
    Font(kMine + file, name);
    lines += CollectionLine(name, kMine + file);
  }
  Font(kFonts + std::string("ALPHA.TTF"), "Alpha");
  Register("Alpha", "ALPHA.TTF");
  Font(kFonts + std::string("BETA.TTF"), "Other");
  Register("Other", "BETA.TTF");
  Font(kFonts + std::string("GAMMA.TTF"), "Gamma");
  Font(kFonts + std::string("DELTA.TTF"), "Delta");
  Register("Delta", "DELTA.TTF");
  Register("Delta Bold", kFonts + std::string("DELTA.TTF"));
  os.AddFile(kCollections + std::string("Mine.VLM"), lines);
  OpenCollection("Mine");

  os.FailShellOps(sys::kErrorAccessDenied);
  input::Press('U', ssCtrl);
  EXPECT_FALSE(Registered("Alpha"));
  EXPECT_FALSE(Registered("Delta"));
  EXPECT_TRUE(Registered("Other"));
  EXPECT_TRUE(Registered("Delta Bold"));
  ASSERT_EQ(os.ShellOps().size(), 1u);
  EXPECT_EQ(os.ShellOps()[0].op, unsigned(sys::kFoDelete));
  EXPECT_EQ(os.ShellOps()[0].from, Strings{kFonts + std::string("ALPHA.TTF")});
  os.SetLastError(sys::kErrorAccessDenied);
  const std::wstring reason = sys::Widen(SysErrorText());
  ASSERT_EQ(os.Messages().size(), 1u);
  EXPECT_EQ(os.Messages()[0].text, L"不能反安装字体.\r\n" + reason);
  for (const char* file : {"ALPHA.TTF", "BETA.TTF", "GAMMA.TTF", "DELTA.TTF"})
    EXPECT_TRUE(os.HasFile(kFonts + std::string(file))) << file;
}

}  // namespace
