// The record of one TrueType font file. Values only the file holds are read
// on first request. The information panel's worker thread reads tables into a
// record the window thread is showing, so every access goes through a lock.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>

#include "data/FontKind.h"

// Everything a record knows, as one copyable value.
struct TFontFields {
  bool InfoRead = false;
  std::string FileName;
  bool Bad = false;
  bool Bodgey = false;
  bool Installed = false;
  bool InFontsFolder = false;
  TFontKind FontKind = fkUnknown;
  std::string FontName;
  std::string FamilyName;
  std::string SubfamilyName;
  std::string PostScriptName;
  std::string UniqueID;
  std::string Version;
  std::string Copyright;
  std::string Trademark;
  std::string Manufacturer;
  std::string VendorURL;
  std::string Designer;
  std::string DesignerURL;
  std::string Description;
  std::string License;
  std::string LicenseURL;
  int32_t UnitsPerEm = 0;
  int32_t Ascender = 0;
  int32_t Descender = 0;
  int32_t LineGap = 0;
  int32_t MaxExtent = 0;
  int32_t LowestRecPPEM = 0;
  int32_t WeightClass = 0;
  int32_t WidthClass = 0;
  int32_t WinHeight = 0;
  int32_t WinAscent = 0;
  int32_t WinDescent = 0;
  int32_t AvgCharWidth = 0;
  bool Italic = false;
  bool Underscore = false;
  bool Negative = false;
  bool Outlined = false;
  bool Strikeout = false;
  bool Bold = false;
  bool Regular = false;
};

class TFontFileInfo {
 public:
  TFontFileInfo() = default;
  virtual ~TFontFileInfo() = default;
  TFontFileInfo(const TFontFileInfo&) = delete;
  TFontFileInfo& operator=(const TFontFileInfo&) = delete;

  void Clear();
  void SetFileName(std::string_view path);
  void SetFileNameAndName(std::string_view path, std::string_view fontName);
  void Refresh(bool allTables);
  void CheckInstalled();
  std::string DisplayName();
  void SetBodgey(bool value);
  void SetBad(bool value);

  // Read as they stand.
  std::string FileName() const;
  std::string FontName() const;
  bool Bad() const;
  bool Bodgey() const;
  bool Installed() const;
  bool InFontsFolder() const;
  bool InfoRead() const;

  // Lazy: the first one reads all tables unless the record is read or bad.
  std::string FamilyName();
  std::string SubfamilyName();
  std::string PostScriptName();
  std::string UniqueID();
  std::string Version();
  std::string Copyright();
  std::string Trademark();
  std::string Manufacturer();
  std::string VendorURL();
  std::string Designer();
  std::string DesignerURL();
  std::string Description();
  std::string License();
  std::string LicenseURL();
  int32_t UnitsPerEm();
  int32_t Ascender();
  int32_t Descender();
  int32_t LineGap();
  int32_t MaxExtent();
  int32_t LowestRecPPEM();
  int32_t WeightClass();
  int32_t WidthClass();
  int32_t WinHeight();
  int32_t WinAscent();
  int32_t WinDescent();
  int32_t AvgCharWidth();
  bool Italic();
  bool Underscore();
  bool Negative();
  bool Outlined();
  bool Strikeout();
  bool Bold();
  bool Regular();
  TFontKind FontKind();

  // All fields at once, lazily read like the getters above.
  TFontFields Fields();
  // All fields as they stand, without reading anything.
  TFontFields Snapshot() const;

 private:
  friend void ReadFontFile(TFontFileInfo& info, bool allTables);
  friend class TFontFileInfoAccess;  // the file operations that change the record

  void EnsureRead();  // lock held
  void CheckInstalledLocked();

  mutable std::recursive_mutex lock_;
  TFontFields f_;
};

// Reads the file named by the record into it (names-only or all tables).
void ReadFontFile(TFontFileInfo& info, bool allTables);
