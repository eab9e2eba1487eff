#include "data/VLMOptions.h"

#include <charconv>
#include <exception>

#include "data/VLMUtil.h"
#include "sys/sys.h"

namespace {

using sys::Hive;

constexpr std::string_view kCollectionsFolderValue = "Collections Folder";
constexpr std::string_view kNotesFolderValue = "Notes Folder";
constexpr std::string_view kSheetSizeValue = "Sample Sheet Font Size";
constexpr std::string_view kSheetTextValue = "Sample Sheet Text";
constexpr std::string_view kFontColourValue = "Font Colour";
constexpr std::string_view kBackgroundColourValue = "Font Background Colour";
constexpr std::string_view kInformationColourValue = "Font Information Colour";
constexpr std::string_view kNotesFontSizeValue = "Notes Font Size";
constexpr std::string_view kTrueTypeOnlyValue = "TrueType Files Only";
constexpr std::string_view kInstallForUserValue = "Install For Current User";

std::string SampleTextKey() { return std::string(kVelmaraKey) + "\\Sample Text"; }

// Reads a value that exists. A value that exists but cannot be read as a
// string is an error that ends the part being read.
enum class Read { Missing, Ok, Failed };
Read ReadIfExists(sys::RegKey& key, std::string_view name, std::string& value) {
  if (!key.ValueExists(name)) return Read::Missing;
  return key.ReadString(name, value) ? Read::Ok : Read::Failed;
}

// Runs one part of a load or save; whatever goes wrong inside stays inside.
template <typename Part>
void Quietly(Part part) {
  try {
    part();
  } catch (const std::exception&) {
  }
}

}  // namespace

const std::string_view TVLMOptions::kDefaultSampleSheetText =
    "AaBbCcDdEeFfGgHhIiJjKkLlMmNnOoPpQqRrSsTtUuVvWwXxYyZz 0123456789 !@#$%^&*()-=_+[]{};':\",./<>?";
const std::string_view TVLMOptions::kDefaultSampleText = "The quick brown fox jumps over the lazy dog";

int32_t ParseDecimalOr(std::string_view text, int32_t fallback) {
  const char* first = text.data();
  const char* last = text.data() + text.size();
  if (first != last && *first == '+') {  // from_chars takes "-" only
    ++first;
    if (first != last && *first == '-') return fallback;
  }
  int32_t value = 0;
  auto [end, ec] = std::from_chars(first, last, value, 10);
  if (ec != std::errc() || end != last) return fallback;
  return value;
}

TVLMOptions::TVLMOptions() : sampleSheetText_(kDefaultSampleSheetText) { Load(); }

std::string TVLMOptions::SampleTextValueName(size_t position) {
  std::string digits = std::to_string(position);
  if (digits.size() < 3) digits.insert(0, 3 - digits.size(), '0');
  return digits;
}

void TVLMOptions::SetCollectionsFolder(std::string_view folder) {
  collectionsFolder_ = IncludeTrailingBackslash(Trim(folder));
}

void TVLMOptions::SetNotesFolder(std::string_view folder) {
  notesFolder_ = IncludeTrailingBackslash(Trim(folder));
}

void TVLMOptions::SetSampleSheetFontSize(int32_t size) {
  if (size > 0) sampleSheetFontSize_ = size;
}

void TVLMOptions::SetSampleSheetText(std::string_view text) {
  if (!Trim(text).empty()) sampleSheetText_ = text;
}

void TVLMOptions::Load() {
  sampleTexts_.clear();
  Quietly([this] { LoadMachinePart(); });
  Quietly([this] { LoadUserPart(); });
}

bool TVLMOptions::LoadMachinePart() {
  sys::Backend& os = sys::Current();
  std::string value;
  if (auto key = os.OpenKey(Hive::LocalMachine, kVelmaraKey, false)) {
    switch (ReadIfExists(*key, kCollectionsFolderValue, value)) {
      case Read::Ok: collectionsFolder_ = IncludeTrailingBackslash(value); break;
      case Read::Failed: return false;
      case Read::Missing: break;
    }
    switch (ReadIfExists(*key, kNotesFolderValue, value)) {
      case Read::Ok: notesFolder_ = IncludeTrailingBackslash(value); break;
      case Read::Failed: return false;
      case Read::Missing: break;
    }
    switch (ReadIfExists(*key, kSheetSizeValue, value)) {
      case Read::Ok: sampleSheetFontSize_ = ParseDecimalOr(value, sampleSheetFontSize_); break;
      case Read::Failed: return false;
      case Read::Missing: break;
    }
    switch (ReadIfExists(*key, kSheetTextValue, value)) {
      case Read::Ok: sampleSheetText_ = value; break;
      case Read::Failed: return false;
      case Read::Missing: break;
    }
    key.reset();
    if (sampleSheetText_.empty()) sampleSheetText_ = kDefaultSampleSheetText;
  }

  auto texts = os.OpenKey(Hive::LocalMachine, SampleTextKey(), false);
  if (!texts) return true;
  std::vector<sys::RegValueInfo> values;
  if (!texts->ListValues(values)) return false;
  for (const sys::RegValueInfo& info : values) {
    if (!texts->ReadString(info.name, value)) return false;
    sampleTexts_.push_back(value);
  }
  texts.reset();
  if (sampleTexts_.empty()) sampleTexts_.emplace_back(kDefaultSampleText);
  return true;
}

bool TVLMOptions::LoadUserPart() {
  auto key = sys::Current().OpenKey(Hive::CurrentUser, kVelmaraKey, false);
  if (!key) return true;
  struct Setting {
    std::string_view name;
    int32_t& field;
    int32_t fallback;
  };
  const Setting settings[] = {
      {kFontColourValue, fontColour_, kDefaultFontColour},
      {kBackgroundColourValue, fontBackgroundColour_, kDefaultFontBackgroundColour},
      {kInformationColourValue, fontInformationColour_, kDefaultFontInformationColour},
      {kNotesFontSizeValue, notesFontSize_, kDefaultNotesFontSize},
      {kTrueTypeOnlyValue, trueTypeOnly_, 0},
      {kInstallForUserValue, installForUser_, 0},
  };
  std::string value;
  for (const Setting& s : settings) {
    switch (ReadIfExists(*key, s.name, value)) {
      case Read::Ok: s.field = ParseDecimalOr(value, s.fallback); break;
      case Read::Failed: return false;
      case Read::Missing: break;
    }
  }
  return true;
}

void TVLMOptions::Save() const {
  Quietly([this] { SaveMachinePart(); });
  Quietly([this] { SaveUserPart(); });
}

bool TVLMOptions::SaveMachinePart() const {
  sys::Backend& os = sys::Current();
  // An empty setting never removes what was stored before.
  if (auto key = os.OpenKey(Hive::LocalMachine, kVelmaraKey, true)) {
    if (!collectionsFolder_.empty() && !key->WriteString(kCollectionsFolderValue, collectionsFolder_))
      return false;
    if (!notesFolder_.empty() && !key->WriteString(kNotesFolderValue, notesFolder_)) return false;
    if (sampleSheetFontSize_ != 0 &&
        !key->WriteString(kSheetSizeValue, std::to_string(sampleSheetFontSize_)))
      return false;
    if (!sampleSheetText_.empty() && !key->WriteString(kSheetTextValue, sampleSheetText_))
      return false;
  }

  auto texts = os.OpenKey(Hive::LocalMachine, SampleTextKey(), true);
  if (!texts) return true;
  std::vector<sys::RegValueInfo> old;
  if (!texts->ListValues(old)) return false;
  for (const sys::RegValueInfo& info : old)
    if (!texts->DeleteValue(info.name)) return false;
  for (size_t i = 0; i < sampleTexts_.size(); ++i)
    if (!texts->WriteString(SampleTextValueName(i), sampleTexts_[i])) return false;
  return true;
}

bool TVLMOptions::SaveUserPart() const {
  auto key = sys::Current().OpenKey(Hive::CurrentUser, kVelmaraKey, true);
  if (!key) return true;
  const std::pair<std::string_view, int32_t> settings[] = {
      {kFontColourValue, fontColour_},
      {kBackgroundColourValue, fontBackgroundColour_},
      {kInformationColourValue, fontInformationColour_},
      {kNotesFontSizeValue, notesFontSize_},
      {kTrueTypeOnlyValue, trueTypeOnly_},
      {kInstallForUserValue, installForUser_},
  };
  for (const auto& [name, number] : settings)
    if (!key->WriteString(name, std::to_string(number))) return false;
  return true;
}
