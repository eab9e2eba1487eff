// The program's settings. Every user holds its own copy, reads it at creation
// and saves it explicitly; the model itself never notifies anybody.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TVLMOptions {
 public:
  // A colour is an RGB value (red in the low byte) or, with the top bit set, a
  // system colour index.
  using TColour = int32_t;
  static constexpr TColour kDefaultFontColour = TColour(0x80000008u);             // window text
  static constexpr TColour kDefaultFontBackgroundColour = TColour(0x80000005u);   // window
  static constexpr TColour kDefaultFontInformationColour = TColour(0x80000010u);  // button shadow
  static constexpr int32_t kDefaultSampleSheetFontSize = 18;
  static constexpr int32_t kDefaultNotesFontSize = 8;
  static const std::string_view kDefaultSampleSheetText;
  static const std::string_view kDefaultSampleText;

  // Defaults, then Load.
  TVLMOptions();

  // Re-reads whatever the registry holds; missing values keep their setting.
  void Load();
  // Writes everything back. Registry failures lose settings silently.
  void Save() const;

  const std::string& CollectionsFolder() const { return collectionsFolder_; }
  const std::string& NotesFolder() const { return notesFolder_; }
  int32_t SampleSheetFontSize() const { return sampleSheetFontSize_; }
  const std::string& SampleSheetText() const { return sampleSheetText_; }
  TColour FontColour() const { return fontColour_; }
  TColour FontBackgroundColour() const { return fontBackgroundColour_; }
  TColour FontInformationColour() const { return fontInformationColour_; }
  int32_t NotesFontSize() const { return notesFontSize_; }
  // Folders list their .TTF files alone (the user's choice), not every font file.
  bool TrueTypeOnly() const { return trueTypeOnly_ != 0; }
  // Install puts fonts in the current user's own folder and table, never the machine's.
  bool InstallForUser() const { return installForUser_ != 0; }
  std::vector<std::string>& SampleTexts() { return sampleTexts_; }
  const std::vector<std::string>& SampleTexts() const { return sampleTexts_; }

  // Trimmed; a final "\" added unless empty.
  void SetCollectionsFolder(std::string_view folder);
  void SetNotesFolder(std::string_view folder);
  // Sizes of 0 or less are ignored.
  void SetSampleSheetFontSize(int32_t size);
  // Texts that are blank after trimming are ignored; others are kept untrimmed.
  void SetSampleSheetText(std::string_view text);
  void SetFontColour(TColour colour) { fontColour_ = colour; }
  void SetFontBackgroundColour(TColour colour) { fontBackgroundColour_ = colour; }
  void SetFontInformationColour(TColour colour) { fontInformationColour_ = colour; }
  void SetNotesFontSize(int32_t size) { notesFontSize_ = size; }
  void SetTrueTypeOnly(bool value) { trueTypeOnly_ = value ? 1 : 0; }
  void SetInstallForUser(bool value) { installForUser_ = value ? 1 : 0; }

  // Value name of a sample text by its position: "000".."999", then plain.
  static std::string SampleTextValueName(size_t position);

 private:
  bool LoadMachinePart();
  bool LoadUserPart();
  bool SaveMachinePart() const;
  bool SaveUserPart() const;

  std::string collectionsFolder_;
  std::string notesFolder_;
  int32_t sampleSheetFontSize_ = kDefaultSampleSheetFontSize;
  std::string sampleSheetText_;
  std::vector<std::string> sampleTexts_;
  TColour fontColour_ = kDefaultFontColour;
  TColour fontBackgroundColour_ = kDefaultFontBackgroundColour;
  TColour fontInformationColour_ = kDefaultFontInformationColour;
  int32_t notesFontSize_ = kDefaultNotesFontSize;
  int32_t trueTypeOnly_ = 0;  // stored as a number like the others
  int32_t installForUser_ = 0;
};

// Decimal text with an optional sign, within 32 bits; anything else is not a
// number and gives `fallback`.
int32_t ParseDecimalOr(std::string_view text, int32_t fallback);
