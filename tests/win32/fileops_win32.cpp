// The record's file operations against the real system (under Wine here):
// the prefix's fonts folder and installed-font table, GDI, the shell.
#include <gtest/gtest.h>

#include "data/FontFileInfo.h"
#include "data/FontFileOps.h"
#include "data/VLMUtil.h"
#include "sys/sys.h"
#include "tests/win32/fileops_scratch.h"

namespace {

bool Exists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string Registered(const std::string& fontName) {
  std::string data;
  auto key = sys::Current().OpenKey(sys::Hive::LocalMachine, GetFontsRegKey(), false);
  return key && key->ReadString(FontRegValueName(fontName), data) ? data : "<none>";
}

// Takes a font back out of the prefix however far a test got with it.
class FontCleanup {
 public:
  FontCleanup(std::string fontName, std::string file) : fontName_(std::move(fontName)), file_(std::move(file)) {}
  ~FontCleanup() {
    if (auto key = sys::Current().OpenKey(sys::Hive::LocalMachine, GetFontsRegKey(), false))
      if (key->ValueExists(FontRegValueName(fontName_))) key->DeleteValue(FontRegValueName(fontName_));
    for (int i = 0; i < 8 && ::RemoveFontResourceA(file_.c_str()); ++i) {
    }
    if (!file_.empty()) ::DeleteFileA(file_.c_str());
  }
  FontCleanup(const FontCleanup&) = delete;
  FontCleanup& operator=(const FontCleanup&) = delete;

 private:
  std::string fontName_;
  std::string file_;
};

TEST(FileOpsWin32, InstallsIntoTheFontsFolderAndTableUninstallsAgainAndDeletesTheFileLeft) {
  scratch::Folder folder("vlm-install");
  const std::string source = folder.Path() + "VlmIns.ttf";
  const std::string bytes = scratch::RenamedDejaVu("VlmIns");
  ASSERT_TRUE(scratch::WriteAll(source, bytes));
  const std::string installed = GetFontsFolder() + "VlmIns.ttf";
  FontCleanup cleanup("VlmIns Sans", installed);
  ASSERT_FALSE(scratch::FaceExists("VlmIns Sans"));

  TFontFileInfo record;
  record.SetFileName(source);
  ASSERT_EQ(record.FontName(), "VlmIns Sans");
  ASSERT_TRUE(record.Install());
  EXPECT_TRUE(record.Installed());
  EXPECT_EQ(scratch::ReadAll(installed), bytes);
  EXPECT_EQ(Registered("VlmIns Sans"), "VlmIns.ttf");
  EXPECT_TRUE(scratch::FaceExists("VlmIns Sans"));
  TFontFileInfo fresh;
  fresh.SetFileName(source);
  EXPECT_TRUE(fresh.Installed());
  EXPECT_TRUE(fresh.InFontsFolder());

  ASSERT_TRUE(record.Uninstall(dmDelete));
  EXPECT_EQ(Registered("VlmIns Sans"), "<none>");
  EXPECT_FALSE(Exists(installed));
  EXPECT_TRUE(Exists(source));
  EXPECT_FALSE(scratch::FaceExists("VlmIns Sans"));

  // The file left behind is deleted to the recycle bin.
  TFontFileInfo left;
  left.SetFileName(source);
  ASSERT_TRUE(left.Delete(dmRecycle));
  EXPECT_FALSE(Exists(source));
  EXPECT_EQ(left.FileName(), "");
}

TEST(FileOpsWin32, ALoadedFontCanBeDrawnByNameUntilItIsUnloaded) {
  scratch::Folder folder("vlm-load");
  const std::string file = folder.Path() + "VlmLod.ttf";
  ASSERT_TRUE(scratch::WriteAll(file, scratch::RenamedDejaVu("VlmLod")));
  FontCleanup cleanup("VlmLod Sans", file);
  ASSERT_FALSE(scratch::FaceExists("VlmLod Sans"));
  ASSERT_NE(scratch::CreatedFace("VlmLod Sans", -15), "VlmLod Sans");

  TFontFileInfo record;
  record.SetFileName(file);
  std::vector<std::string> loaded;
  ASSERT_TRUE(record.Load(&loaded));
  EXPECT_EQ(loaded, std::vector<std::string>{UpperAscii(file)});
  EXPECT_TRUE(scratch::FaceExists("VlmLod Sans"));
  EXPECT_EQ(scratch::CreatedFace("VlmLod Sans", -16), "VlmLod Sans");

  ASSERT_TRUE(record.Unload(&loaded));
  EXPECT_TRUE(loaded.empty());
  EXPECT_FALSE(scratch::FaceExists("VlmLod Sans"));
  EXPECT_NE(scratch::CreatedFace("VlmLod Sans", -17), "VlmLod Sans");
}

TEST(FileOpsWin32, RenameTakesTheCollectionsThatReferToTheFileAlong) {
  scratch::Folder folder("vlm-rename");
  const std::string file = folder.Path() + "VlmRen.ttf";
  const std::string renamed = folder.Path() + "Renamed.ttf";
  ASSERT_TRUE(scratch::WriteAll(file, scratch::RenamedDejaVu("VlmRen")));
  FontCleanup cleanup("VlmRen Sans", renamed);
  const std::string collections = folder.Path() + "Coll\\";
  ::CreateDirectoryA(collections.c_str(), nullptr);
  const std::string other = "\"Other\",\"C:\\Elsewhere\\X.TTF\"\r\n";
  ASSERT_TRUE(scratch::WriteAll(collections + "Refers.VLM", "\"VlmRen Sans\",\"" + UpperAscii(file) + "\"\r\n" + other));
  ASSERT_TRUE(scratch::WriteAll(collections + "Unrelated.VLM", other));

  TFontFileInfo record;
  record.SetFileName(file);
  ASSERT_TRUE(record.Load(nullptr));  // Windows keeps a loaded font's file open
  ASSERT_TRUE(record.Rename("X:\\Ignored\\Renamed.ttf", collections));
  EXPECT_EQ(record.FileName(), renamed);
  EXPECT_TRUE(Exists(renamed));
  EXPECT_FALSE(Exists(file));
  EXPECT_EQ(scratch::ReadAll(collections + "Refers.VLM"), "\"VlmRen Sans\",\"" + renamed + "\"\r\n" + other);
  EXPECT_EQ(scratch::ReadAll(collections + "Unrelated.VLM"), other);
  EXPECT_TRUE(scratch::FaceExists("VlmRen Sans"));  // still available under its new file
}

// A face of a collection and a CFF font, installed for the machine and then
// for the current user alone, each uninstalled from where it went; then
// loaded and unloaded.
TEST(FileOpsWin32, CollectionsAndCffFontsInstallForTheMachineOrTheUserUninstallFromThereAndLoad) {
  struct Font {
    const char* source;
    // Names of the original renamed to others as long: `family` in ASCII
    // and UTF-16, `wide` as UTF-16 bytes only.
    const char* family;
    const char* renamed;
    std::string wide;
    std::string wideRenamed;
    const char* file;
    uint32_t face;
    const char* kind;
  };
  const Font fonts[] = {
      // 文泉 -> 维拉, so that the Chinese names are no installed face's either.
      {"Z:\\usr\\share\\fonts\\truetype\\wqy\\wqy-microhei.ttc", "WenQuanYi", "VlmQuanYi",
       std::string("\x65\x87\x6C\xC9", 4), std::string("\x7E\xF4\x62\xC9", 4), "VlmWqy.ttc", 1, " (TrueType)"},
      {"Z:\\usr\\share\\fonts\\opentype\\urw-base35\\NimbusSans-Regular.otf", "Nimbus", "VlmNim", {}, {},
       "VlmNim.otf", 0, " (OpenType)"},
  };
  const scratch::SavedKey machine(HKEY_LOCAL_MACHINE, GetFontsRegKey());
  const scratch::SavedKey user(HKEY_CURRENT_USER, GetFontsRegKey());
  const std::string userFolder = sys::Current().LocalAppDataFolder() + "Microsoft\\Windows\\Fonts\\";
  scratch::Folder folder("vlm-formats");
  for (const Font& font : fonts) {
    SCOPED_TRACE(font.file);
    std::string bytes = scratch::ReadAll(font.source);
    if (bytes.empty()) GTEST_SKIP() << font.source << " is not installed";
    scratch::ReplaceAll(bytes, font.family, font.renamed);
    scratch::ReplaceAll(bytes, scratch::Utf16BE(font.family), scratch::Utf16BE(font.renamed));
    if (!font.wide.empty()) scratch::ReplaceAll(bytes, font.wide, font.wideRenamed);
    const std::string source = folder.Path() + font.file;
    ASSERT_TRUE(scratch::WriteAll(source, bytes));
    const std::string inFontsFolder = GetFontsFolder() + font.file;
    const std::string inUserFolder = userFolder + font.file;
    FontCleanup machineCopy("", inFontsFolder);
    FontCleanup userCopy("", inUserFolder);
    TFontFileInfo probe;  // the name the program draws the face by
    probe.SetFileName(source, font.face);
    const std::string drawn = probe.DisplayName();
    ASSERT_FALSE(scratch::FaceExists(drawn)) << drawn;

    const auto valuesNaming = [](sys::Hive hive, const std::string& data) {
      std::vector<std::string> names;
      auto key = sys::Current().OpenKey(hive, GetFontsRegKey(), false);
      std::vector<sys::RegValueInfo> values;
      if (key && key->ListValues(values))
        for (const sys::RegValueInfo& value : values)
          if (value.text == data) names.push_back(value.name);
      return names;
    };
    for (const bool forUser : {false, true}) {
      SCOPED_TRACE(forUser ? "for the user" : "for the machine");
      const std::string target = forUser ? inUserFolder : inFontsFolder;
      const sys::Hive hive = forUser ? sys::Hive::CurrentUser : sys::Hive::LocalMachine;
      const std::string data = forUser ? target : std::string(font.file);  // the user's table holds full paths
      TFontFileInfo record;
      record.SetFileName(source, font.face);
      ASSERT_FALSE(record.Bad());
      ASSERT_TRUE(forUser ? record.InstallForUser() : record.Install());
      EXPECT_EQ(scratch::ReadAll(target), bytes);
      const std::vector<std::string> named = valuesNaming(hive, data);
      ASSERT_EQ(named.size(), 1u) << "one value for the whole file";
      EXPECT_TRUE(named[0].ends_with(font.kind)) << named[0];
      EXPECT_TRUE(scratch::FaceExists(drawn));
      TFontFileInfo fresh;
      fresh.SetFileName(target, font.face);
      EXPECT_TRUE(fresh.Installed());

      ASSERT_TRUE(fresh.Uninstall(dmDelete));
      EXPECT_TRUE(valuesNaming(hive, data).empty());
      EXPECT_FALSE(Exists(target));
      EXPECT_TRUE(Exists(source));
      EXPECT_FALSE(scratch::FaceExists(drawn));
    }

    // Loaded for the session and unloaded again, from where it lies.
    TFontFileInfo record;
    record.SetFileName(source, font.face);
    std::vector<std::string> loaded;
    ASSERT_TRUE(record.Load(&loaded));
    EXPECT_TRUE(scratch::FaceExists(drawn));
    ASSERT_TRUE(record.Unload(&loaded));
    EXPECT_TRUE(loaded.empty());
    EXPECT_FALSE(scratch::FaceExists(drawn));
  }
}

}  // namespace
