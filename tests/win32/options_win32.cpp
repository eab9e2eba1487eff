// The settings in the real registry (under Wine here): each hive holds its own
// values, as strings, and a new object reads them all back. The keys are put
// back as they were afterwards.
#include <gtest/gtest.h>

#include "data/VLMOptions.h"
#include "sys/codepage.h"
#include "tests/win32/fileops_scratch.h"

namespace {

const std::string kKey = "Software\\Corvell\\Velmara";

// A value as the plain API sees it: "<none>" when missing, its type noted.
std::string Raw(HKEY hive, const std::string& key, const char* name, DWORD* type = nullptr) {
  char data[1024] = {};
  DWORD size = sizeof(data) - 1;
  DWORD valueType = 0;
  HKEY handle = nullptr;
  if (::RegOpenKeyExA(hive, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return "<none>";
  const LONG status =
      ::RegQueryValueExA(handle, name, nullptr, &valueType, reinterpret_cast<BYTE*>(data), &size);
  ::RegCloseKey(handle);
  if (status != ERROR_SUCCESS) return "<none>";
  if (type) *type = valueType;
  return std::string(data, strnlen(data, size));
}

TEST(OptionsWin32, SettingsAreWrittenToBothHivesAndReadBack) {
  scratch::SavedKey machineRoot(HKEY_LOCAL_MACHINE, "Software\\Corvell");
  scratch::SavedKey machine(HKEY_LOCAL_MACHINE, kKey);
  scratch::SavedKey texts(HKEY_LOCAL_MACHINE, kKey + "\\Sample Text");
  scratch::SavedKey userRoot(HKEY_CURRENT_USER, "Software\\Corvell");
  scratch::SavedKey user(HKEY_CURRENT_USER, kKey);
  ::RegDeleteTreeA(HKEY_LOCAL_MACHINE, (kKey + "\\Sample Text").c_str());

  const std::string sheet = sys::Narrow(L"中文样张 AaBb");
  const std::string chinese = sys::Narrow(L"二号样本");
  TVLMOptions o;
  o.SetCollectionsFolder(" C:\\VlmColl ");
  o.SetNotesFolder("C:\\VlmNotes\\");
  o.SetSampleSheetFontSize(21);
  o.SetSampleSheetText(sheet);
  o.SampleTexts() = {"one", chinese, "three"};
  o.SetFontColour(0x00FF00);
  o.SetFontBackgroundColour(TVLMOptions::kDefaultFontBackgroundColour);
  o.SetNotesFontSize(13);
  o.Save();

  DWORD type = 0;
  EXPECT_EQ(Raw(HKEY_LOCAL_MACHINE, kKey, "Collections Folder", &type), "C:\\VlmColl\\");
  EXPECT_EQ(type, DWORD(REG_SZ));
  EXPECT_EQ(Raw(HKEY_LOCAL_MACHINE, kKey, "Sample Sheet Font Size", &type), "21");
  EXPECT_EQ(type, DWORD(REG_SZ));
  EXPECT_EQ(Raw(HKEY_LOCAL_MACHINE, kKey, "Sample Sheet Text"), sheet);
  EXPECT_EQ(Raw(HKEY_LOCAL_MACHINE, kKey + "\\Sample Text", "001"), chinese);
  EXPECT_EQ(Raw(HKEY_LOCAL_MACHINE, kKey + "\\Sample Text", "002"), "three");
  EXPECT_EQ(Raw(HKEY_LOCAL_MACHINE, kKey, "Font Colour"), "<none>");
  EXPECT_EQ(Raw(HKEY_CURRENT_USER, kKey, "Font Colour", &type), "65280");
  EXPECT_EQ(type, DWORD(REG_SZ));
  EXPECT_EQ(Raw(HKEY_CURRENT_USER, kKey, "Font Background Colour"), "-2147483643");
  EXPECT_EQ(Raw(HKEY_CURRENT_USER, kKey, "Notes Font Size"), "13");
  EXPECT_EQ(Raw(HKEY_CURRENT_USER, kKey, "Notes Folder"), "<none>");

  TVLMOptions back;
  EXPECT_EQ(back.CollectionsFolder(), "C:\\VlmColl\\");
  EXPECT_EQ(back.NotesFolder(), "C:\\VlmNotes\\");
  EXPECT_EQ(back.SampleSheetFontSize(), 21);
  EXPECT_EQ(back.SampleSheetText(), sheet);
  EXPECT_EQ(back.SampleTexts(), (std::vector<std::string>{"one", chinese, "three"}));
  EXPECT_EQ(back.FontColour(), 0x00FF00);
  EXPECT_EQ(back.FontBackgroundColour(), TVLMOptions::kDefaultFontBackgroundColour);
  EXPECT_EQ(back.NotesFontSize(), 13);

  // Fewer texts leave exactly their own values behind.
  back.SampleTexts() = {"only"};
  back.Save();
  EXPECT_EQ(Raw(HKEY_LOCAL_MACHINE, kKey + "\\Sample Text", "000"), "only");
  EXPECT_EQ(Raw(HKEY_LOCAL_MACHINE, kKey + "\\Sample Text", "001"), "<none>");
}

}  // namespace
