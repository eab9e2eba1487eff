#include <gtest/gtest.h>

#include "data/VLMOptions.h"
#include "data/VLMUtil.h"
#include "sys/memory/MemoryBackend.h"

namespace {

using sys::Hive;

const std::string kKey(kVelmaraKey);
const std::string kTextKey = kKey + "\\Sample Text";

class OptionsTest : public ::testing::Test {
 protected:
  std::string Machine(std::string_view name) {
    std::string data;
    return os.GetValue(Hive::LocalMachine, kKey, name, data) ? data : "<missing>";
  }
  std::string User(std::string_view name) {
    std::string data;
    return os.GetValue(Hive::CurrentUser, kKey, name, data) ? data : "<missing>";
  }
  std::vector<std::string> SampleTextNames() {
    std::vector<std::string> names;
    auto key = os.OpenKey(Hive::LocalMachine, kTextKey, false);
    std::vector<sys::RegValueInfo> values;
    if (key && key->ListValues(values))
      for (const auto& v : values) names.push_back(v.name);
    return names;
  }

  sys::MemoryBackend os;
  sys::ScopedBackend guard{os};
};

TEST_F(OptionsTest, DefaultsWithoutAnyKey) {
  TVLMOptions o;
  EXPECT_EQ(o.CollectionsFolder(), "");
  EXPECT_EQ(o.NotesFolder(), "");
  EXPECT_EQ(o.SampleSheetFontSize(), 18);
  EXPECT_TRUE(o.SampleTexts().empty());
  EXPECT_EQ(o.FontColour(), -2147483640);
  EXPECT_EQ(o.FontBackgroundColour(), -2147483643);
  EXPECT_EQ(o.FontInformationColour(), -2147483632);
  EXPECT_EQ(o.NotesFontSize(), 8);
  EXPECT_FALSE(o.TrueTypeOnly());
  EXPECT_FALSE(o.InstallForUser());

  const std::string& text = o.SampleSheetText();
  ASSERT_EQ(text.size(), 92u);
  EXPECT_EQ(text.substr(0, 85),
            "AaBbCcDdEeFfGgHhIiJjKkLlMmNnOoPpQqRrSsTtUuVvWwXxYyZz 0123456789 !@#$%^&*()-=_+[]{};':");
  EXPECT_EQ(text[85], '"');
  EXPECT_EQ(text.substr(86), ",./<>?");
  // Loading touches nothing.
  EXPECT_FALSE(os.KeyExists(Hive::LocalMachine, kKey));
  EXPECT_FALSE(os.KeyExists(Hive::CurrentUser, kKey));
}

TEST_F(OptionsTest, SampleTextsDependOnTheSubkeyAndAReloadRebuildsThem) {
  os.SetValue(Hive::LocalMachine, kKey, "Notes Folder", "N:");
  EXPECT_TRUE(TVLMOptions().SampleTexts().empty());

  ASSERT_TRUE(os.OpenKey(Hive::LocalMachine, kTextKey, true));
  EXPECT_EQ(TVLMOptions().SampleTexts(),
            std::vector<std::string>{"The quick brown fox jumps over the lazy dog"});

  // Registry order, not name order.
  os.SetValue(Hive::LocalMachine, kTextKey, "002", "two");
  os.SetValue(Hive::LocalMachine, kTextKey, "000", "zero");
  os.SetValue(Hive::LocalMachine, kTextKey, "free name", "three");
  EXPECT_EQ(TVLMOptions().SampleTexts(), (std::vector<std::string>{"two", "zero", "three"}));

  // A reload rebuilds them and keeps settings the registry lacks.
  os.SetValue(Hive::LocalMachine, kTextKey, "000", "one");
  TVLMOptions o;
  o.SetCollectionsFolder("X:\\");
  o.SampleTexts().push_back("added");
  o.Load();
  EXPECT_EQ(o.SampleTexts(), (std::vector<std::string>{"two", "one", "three"}));
  EXPECT_EQ(o.CollectionsFolder(), "X:\\");
}

TEST_F(OptionsTest, MachineValuesAreReadAsStoredButAFontSizeOfNoNumberOrBelowOneIsNeverWritten) {
  os.SetValue(Hive::LocalMachine, kKey, "Collections Folder", "D:\\Coll");
  os.SetValue(Hive::LocalMachine, kKey, "Notes Folder", " E:\\Notes\\ ");
  os.SetValue(Hive::LocalMachine, kKey, "Sample Sheet Font Size", "-3");
  os.SetValue(Hive::LocalMachine, kKey, "Sample Sheet Text", "  ");
  TVLMOptions o;
  EXPECT_EQ(o.CollectionsFolder(), "D:\\Coll\\");
  EXPECT_EQ(o.NotesFolder(), " E:\\Notes\\ \\");  // no trimming on read
  EXPECT_EQ(o.SampleSheetFontSize(), -3);          // Load takes what the setter would refuse
  EXPECT_EQ(o.SampleSheetText(), "  ");

  os.SetValue(Hive::LocalMachine, kKey, "Sample Sheet Text", "");
  os.SetValue(Hive::LocalMachine, kKey, "Sample Sheet Font Size", "12pt");
  TVLMOptions sheet;
  EXPECT_EQ(sheet.SampleSheetText(), TVLMOptions::kDefaultSampleSheetText);
  EXPECT_EQ(sheet.SampleSheetFontSize(), 18);  // not a number: kept
  os.SetValue(Hive::LocalMachine, kKey, "Sample Sheet Font Size", "0");
  sheet.Load();
  EXPECT_EQ(sheet.SampleSheetFontSize(), 0);  // accepted on reading...
  os.SetValue(Hive::LocalMachine, kKey, "Sample Sheet Font Size", "30");
  sheet.Save();
  EXPECT_EQ(Machine("Sample Sheet Font Size"), "30");  // ...but never written
}

TEST_F(OptionsTest, UserNumbersThatAreNoNumbersTakeTheirFallback) {
  TVLMOptions o;
  o.SetFontColour(0x123456);
  o.SetFontBackgroundColour(0x654321);
  o.SetFontInformationColour(7);
  o.SetNotesFontSize(11);
  os.SetValue(Hive::CurrentUser, kKey, "Font Colour", "red");
  os.SetValue(Hive::CurrentUser, kKey, "Font Background Colour", "");
  os.SetValue(Hive::CurrentUser, kKey, "Notes Font Size", "9.5");
  o.Load();
  EXPECT_EQ(o.FontColour(), TVLMOptions::kDefaultFontColour);  // not the previous value
  EXPECT_EQ(o.FontBackgroundColour(), TVLMOptions::kDefaultFontBackgroundColour);
  EXPECT_EQ(o.FontInformationColour(), 7);  // missing: unchanged
  EXPECT_EQ(o.NotesFontSize(), 8);
}

TEST_F(OptionsTest, SaveWritesEachHiveItsOwnSettings) {
  TVLMOptions o;
  o.SetCollectionsFolder("C:\\Coll");
  o.SetNotesFolder("C:\\Notes\\");
  o.SetSampleSheetFontSize(20);
  o.SetSampleSheetText("Sheet");
  o.SetFontColour(255);
  o.SetNotesFontSize(-1);
  o.SetTrueTypeOnly(true);
  o.SetInstallForUser(true);
  o.SampleTexts() = {"a", "b"};
  o.Save();

  EXPECT_EQ(Machine("Collections Folder"), "C:\\Coll\\");
  EXPECT_EQ(Machine("Notes Folder"), "C:\\Notes\\");
  EXPECT_EQ(Machine("Sample Sheet Font Size"), "20");
  EXPECT_EQ(Machine("Sample Sheet Text"), "Sheet");
  EXPECT_EQ(Machine("Font Colour"), "<missing>");
  EXPECT_EQ(User("Font Colour"), "255");
  EXPECT_EQ(User("Font Background Colour"), "-2147483643");
  EXPECT_EQ(User("Font Information Colour"), "-2147483632");
  EXPECT_EQ(User("Notes Font Size"), "-1");
  EXPECT_EQ(User("TrueType Files Only"), "1");
  EXPECT_EQ(User("Install For Current User"), "1");
  EXPECT_EQ(User("Collections Folder"), "<missing>");
  EXPECT_EQ(SampleTextNames(), (std::vector<std::string>{"000", "001"}));

  TVLMOptions back;
  EXPECT_EQ(back.CollectionsFolder(), "C:\\Coll\\");
  EXPECT_EQ(back.SampleSheetFontSize(), 20);
  EXPECT_EQ(back.SampleSheetText(), "Sheet");
  EXPECT_EQ(back.FontColour(), 255);
  EXPECT_EQ(back.NotesFontSize(), -1);
  EXPECT_TRUE(back.TrueTypeOnly());
  EXPECT_TRUE(back.InstallForUser());
  EXPECT_EQ(back.SampleTexts(), (std::vector<std::string>{"a", "b"}));
}

TEST_F(OptionsTest, EmptySettingsKeepStoredValuesFewerSampleTextsRemoveTheRest) {
  os.SetValue(Hive::LocalMachine, kKey, "Collections Folder", "D:\\Old\\");
  for (int i = 0; i < 5; ++i)
    os.SetValue(Hive::LocalMachine, kTextKey, TVLMOptions::SampleTextValueName(i), "old");
  os.SetValue(Hive::LocalMachine, kTextKey, "stray", "old");
  TVLMOptions o;
  ASSERT_EQ(o.SampleTexts().size(), 6u);
  o.SetCollectionsFolder("   ");
  EXPECT_EQ(o.CollectionsFolder(), "");
  o.SampleTexts() = {"x", "y", "z"};
  o.Save();
  EXPECT_EQ(Machine("Collections Folder"), "D:\\Old\\");
  EXPECT_EQ(Machine("Notes Folder"), "<missing>");
  EXPECT_EQ(SampleTextNames(), (std::vector<std::string>{"000", "001", "002"}));
  std::string data;
  ASSERT_TRUE(os.GetValue(Hive::LocalMachine, kTextKey, "002", data));
  EXPECT_EQ(data, "z");
}

TEST_F(OptionsTest, SettersFilterTheirInput) {
  TVLMOptions o;
  o.SetCollectionsFolder(" \tD:\\My Fonts \r\n");
  EXPECT_EQ(o.CollectionsFolder(), "D:\\My Fonts\\");
  o.SetNotesFolder("E:\\N\\");
  EXPECT_EQ(o.NotesFolder(), "E:\\N\\");
  o.SetNotesFolder(" ");
  EXPECT_EQ(o.NotesFolder(), "");

  o.SetSampleSheetFontSize(12);
  o.SetSampleSheetFontSize(-4);
  o.SetSampleSheetFontSize(0);
  EXPECT_EQ(o.SampleSheetFontSize(), 12);

  o.SetSampleSheetText(" kept as given ");
  o.SetSampleSheetText(" \t ");
  o.SetSampleSheetText("");
  EXPECT_EQ(o.SampleSheetText(), " kept as given ");
}

TEST_F(OptionsTest, DecimalNumbersAndSampleTextPositionNames) {
  EXPECT_EQ(ParseDecimalOr("12", -1), 12);
  EXPECT_EQ(ParseDecimalOr("-2147483640", -1), -2147483640);
  EXPECT_EQ(ParseDecimalOr("-2147483648", -1), INT32_MIN);
  EXPECT_EQ(ParseDecimalOr("+7", -1), 7);
  EXPECT_EQ(ParseDecimalOr("007", -1), 7);
  for (const char* bad : {"", "-", "+", "+-1", "2147483648", "1e3", "0x10", "5 ", " 5", "1,000"})
    EXPECT_EQ(ParseDecimalOr(bad, -1), -1) << bad;

  EXPECT_EQ(TVLMOptions::SampleTextValueName(0), "000");
  EXPECT_EQ(TVLMOptions::SampleTextValueName(7), "007");
  EXPECT_EQ(TVLMOptions::SampleTextValueName(42), "042");
  EXPECT_EQ(TVLMOptions::SampleTextValueName(999), "999");
  EXPECT_EQ(TVLMOptions::SampleTextValueName(1000), "1000");
  EXPECT_EQ(TVLMOptions::SampleTextValueName(123456), "123456");
}

TEST_F(OptionsTest, UnwritableMachineHiveStillSavesTheUserPart) {
  os.DenyHive(Hive::LocalMachine);
  TVLMOptions o;
  o.SetCollectionsFolder("C:\\C");
  o.SetNotesFontSize(14);
  o.Save();
  EXPECT_EQ(User("Notes Font Size"), "14");
  EXPECT_FALSE(os.KeyExists(Hive::LocalMachine, kTextKey));
  EXPECT_EQ(TVLMOptions().NotesFontSize(), 14);
}

TEST_F(OptionsTest, SampleTextsAreSavedEvenWhenTheMainKeyWillNotOpen) {
  os.FailKey(Hive::LocalMachine, kKey);
  TVLMOptions o;
  o.SetCollectionsFolder("C:\\C");
  o.SampleTexts() = {"only"};
  o.Save();
  EXPECT_EQ(SampleTextNames(), std::vector<std::string>{"000"});
  EXPECT_EQ(Machine("Collections Folder"), "<missing>");
}

TEST_F(OptionsTest, UnreadableMachineValueEndsTheMachinePartOnly) {
  os.SetValue(Hive::LocalMachine, kKey, "Collections Folder", "D:\\C");
  os.SetValue(Hive::LocalMachine, kKey, "Notes Folder", "\x01", sys::kRegDword);
  os.SetValue(Hive::LocalMachine, kKey, "Sample Sheet Font Size", "30");
  os.SetValue(Hive::LocalMachine, kTextKey, "000", "text");
  os.SetValue(Hive::CurrentUser, kKey, "Notes Font Size", "10");
  TVLMOptions o;
  EXPECT_EQ(o.CollectionsFolder(), "D:\\C\\");
  EXPECT_EQ(o.SampleSheetFontSize(), 18);
  EXPECT_TRUE(o.SampleTexts().empty());
  EXPECT_EQ(o.NotesFontSize(), 10);
}

TEST_F(OptionsTest, UnreadableUserHiveKeepsUserSettings) {
  os.SetValue(Hive::CurrentUser, kKey, "Font Colour", "1");
  os.SetValue(Hive::LocalMachine, kKey, "Sample Sheet Font Size", "30");
  os.DenyHive(Hive::CurrentUser);
  TVLMOptions o;
  EXPECT_EQ(o.FontColour(), TVLMOptions::kDefaultFontColour);
  EXPECT_EQ(o.SampleSheetFontSize(), 30);
  o.Save();  // nothing to report, nothing thrown
}

}  // namespace
