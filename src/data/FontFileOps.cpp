// A record's operations on the system's fonts and on its file: install,
// uninstall, load, unload, delete and rename.
#include "data/FontFileOps.h"

#include <algorithm>
#include <exception>

#include "data/Collections.h"
#include "data/FontFileInfo.h"
#include "data/VLMUtil.h"
#include "sys/sys.h"

namespace {

using sys::Hive;

constexpr uint16_t kUndoNoConfirm = sys::kFofAllowUndo | sys::kFofNoConfirmation;

std::unique_ptr<sys::RegKey> OpenFontsKey(bool create) {
  return sys::Current().OpenKey(Hive::LocalMachine, GetFontsRegKey(), create);
}

bool ValidMode(int mode) { return mode == dmRecycle || mode == dmDelete || mode == dmLeave; }

// Where the installed-font table names a file: by its full path, or by its
// bare name when it lies in the fonts folder.
struct FileRefs {
  std::string upperPath;
  std::string upperBareName;  // empty unless the file lies in the fonts folder
  bool Match(std::string_view data) const {
    const std::string upper = UpperAscii(data);
    return upper == upperPath || (!upperBareName.empty() && upper == upperBareName);
  }
};

FileRefs RefsOf(std::string_view path) {
  FileRefs refs{UpperAscii(path), {}};
  if (SameText(ExtractFilePath(path), GetFontsFolder())) refs.upperBareName = UpperAscii(ExtractFileName(path));
  return refs;
}

// Deletes every value of the installed-font table that names the file.
// True when at least one went, even if the table failed part-way: whatever
// was taken out must be put back by the caller.
bool UnregisterValues(const FileRefs& refs) {
  auto key = OpenFontsKey(false);
  if (!key) return false;
  std::vector<sys::RegValueInfo> values;
  key->ListValues(values);  // on failure, the values listed so far
  bool removed = false;
  for (const sys::RegValueInfo& value : values) {
    if (!refs.Match(value.text)) continue;
    if (!key->DeleteValue(value.name)) break;
    removed = true;
  }
  return removed;
}

// Whether a value of the installed-font table names the file. A table that
// is there but cannot be read may name it. One listing with the values' texts:
// the table holds thousands of values.
bool TableNames(const FileRefs& refs) {
  auto key = OpenFontsKey(false);
  if (!key) return sys::Current().LastError() != sys::kErrorFileNotFound;
  std::vector<sys::RegValueInfo> values;
  if (!key->ListValues(values)) return true;
  return std::any_of(values.begin(), values.end(),
                     [&](const sys::RegValueInfo& value) { return refs.Match(value.text); });
}

// Points the values that name the old file at the new one. True when any changed.
bool RewriteValues(const FileRefs& old, std::string_view newPath) {
  auto key = OpenFontsKey(false);
  if (!key) return false;
  std::vector<sys::RegValueInfo> values;
  key->ListValues(values);
  bool rewritten = false;
  for (const sys::RegValueInfo& value : values) {
    const std::string upper = UpperAscii(value.text);
    if (upper == old.upperPath)
      rewritten |= key->WriteString(value.name, newPath);
    else if (!old.upperBareName.empty() && upper == old.upperBareName)
      rewritten |= key->WriteString(value.name, ExtractFileName(newPath));
  }
  return rewritten;
}

// A record that could not be read has no font name to register. The reason
// is the system's for a file that will not open, otherwise that it holds no
// font.
bool RefuseUnreadable(std::string_view file) {
  sys::Backend& os = sys::Current();
  if (os.OpenRead(file)) os.SetLastError(sys::kErrorInvalidData);
  return false;
}

// The table's value name for a font file as Windows names it: a collection's
// faces together ("A & B (TrueType)"), a CFF font as "(OpenType)", a plain
// .TTF font as always.
std::string InstallValueName(const std::string& file, const std::string& fontName, uint32_t faces) {
  if (IsCollectionFileName(file) && faces > 0) {
    std::string names;
    for (uint32_t face = 0; face < faces; ++face) {
      TFontFileInfo record;
      record.SetFileName(file, face);
      if (face > 0) names += " & ";
      names += record.FontName();
    }
    return names + " (TrueType)";
  }
  if (SameText(ExtractFileExt(file), ".OTF")) {
    const std::string trueType = FontRegValueName(fontName);
    return trueType.substr(0, trueType.size() - std::string_view(" (TrueType)").size()) + " (OpenType)";
  }
  return FontRegValueName(fontName);
}

// The value of the table that names the file, found by its data; empty when none does.
std::string ValueNaming(sys::RegKey& key, const FileRefs& refs) {
  std::vector<sys::RegValueInfo> values;
  key.ListValues(values);
  for (const sys::RegValueInfo& value : values)
    if (value.type == sys::kRegSz && refs.Match(value.text)) return value.name;
  return {};
}

// The current user's own fonts folder, or empty when the system gives no
// local application data folder.
std::string UserFontsFolder() {
  const std::string local = sys::Current().LocalAppDataFolder();
  return local.empty() ? std::string() : IncludeTrailingBackslash(local) + "Microsoft\\Windows\\Fonts\\";
}

// Writes the table's value unless it is there, then adds the font for the
// session; the table must not list a font the system refused, so a value
// written for one is taken back.
bool RegisterAndAdd(sys::RegKey& key, const std::string& valueName, std::string_view data,
                    const std::string& target) {
  sys::Backend& os = sys::Current();
  const bool registered = key.ValueExists(valueName);
  if (!registered && !key.WriteString(valueName, data)) return false;
  if (os.AddFont(target) != 0) return true;
  if (!registered) {
    const uint32_t error = os.LastError();
    key.DeleteValue(valueName);
    os.SetLastError(error);
  }
  return false;
}

// Makes the folder and those above it that are missing.
bool MakeFolders(const std::string& folder) {
  sys::Backend& os = sys::Current();
  for (size_t at = folder.find('\\', 3); at != std::string::npos; at = folder.find('\\', at + 1)) {
    const std::string level = folder.substr(0, at);
    if (!os.DirectoryExists(level) && !os.MakeDirectory(level)) return false;
  }
  return true;
}

// A name the shell can give a file within its folder.
bool UsableFileName(std::string_view name) { return !name.empty() && name != "." && name != ".."; }

}  // namespace

bool FontTableNamesFile(std::string_view path) { return TableNames(RefsOf(path)); }

void AnnounceFontChange() { sys::Current().BroadcastFontChange(); }

bool RecycleFiles(const std::vector<std::string>& files) {
  const int result = ShellFileOpList(sys::kFoDelete, kUndoNoConfirm, files, "");
  if (result != 0) sys::Current().SetLastError(static_cast<uint32_t>(result));
  return result == 0;
}

bool TFontFileInfo::Install() {
  sys::Backend& os = sys::Current();
  const std::string file = FileName();
  if (Bad()) return RefuseUnreadable(file);  // before anything is copied or written
  const std::string bareName = ExtractFileName(file);
  const std::string target = GetFontsFolder() + bareName;

  // A user who may not write the machine's fonts folder or table installs
  // for themselves; the machine keeps nothing of the attempt.
  const bool copied = !SameText(target, file) && !os.FileExists(target);
  if (!SameText(target, file) && !os.CopyFileTo(file, target, false)) {
    if (os.LastError() == sys::kErrorAccessDenied) return InstallForUser();
    return false;
  }

  auto key = OpenFontsKey(true);
  if (!key) {
    if (os.LastError() != sys::kErrorAccessDenied) return false;  // not registered: not installed
    if (copied) os.RemoveFile(target);
    return InstallForUser();
  }
  if (!RegisterAndAdd(*key, InstallValueName(file, FontName(), FaceCount()), bareName, target)) return false;
  key.reset();
  MarkInstalled(true);
  return true;
}

bool TFontFileInfo::InstallForUser() {
  sys::Backend& os = sys::Current();
  const std::string file = FileName();
  if (Bad()) return RefuseUnreadable(file);
  const std::string folder = UserFontsFolder();
  if (folder.empty()) {
    os.SetLastError(sys::kErrorPathNotFound);
    return false;
  }
  const std::string target = folder + ExtractFileName(file);
  if (!MakeFolders(folder)) return false;
  if (!SameText(target, file) && !os.CopyFileTo(file, target, false)) return false;
  auto key = OpenUserFontsRegKey(true);
  if (!key) return false;
  // The user's table holds a full path, as Windows writes it.
  if (!RegisterAndAdd(*key, InstallValueName(file, FontName(), FaceCount()), target, target)) return false;
  MarkInstalled(false);
  return true;
}

void TFontFileInfo::MarkInstalled(bool inFontsFolder) {
  {
    std::lock_guard guard(Lock());
    installed_ = true;
    inFontsFolder_ = inFontsFolder;
  }
  AnnounceFontChange();
}

bool TFontFileInfo::Uninstall(int mode, std::string* freedFile) {
  if (freedFile) freedFile->clear();
  if (!ValidMode(mode)) return false;
  if (!Installed()) return true;
  sys::Backend& os = sys::Current();
  const std::string fontsFolder = GetFontsFolder();
  std::string path = fontsFolder + ExtractFileName(FileName());

  bool unregistered = false;
  if (auto key = OpenFontsKey(false)) {
    // A plain .TTF font's value bears its name, unless that value names
    // another file of the same name; any other is found by its file. A record
    // of the file Install copied from stands for the fonts folder's copy.
    const std::string file = FileName();
    const FileRefs own = RefsOf(file);
    const FileRefs copy = RefsOf(path);
    std::string valueName;
    if (IsPlainTrueTypeFileName(file)) {
      const std::string byName = FontRegValueName(FontName());
      std::string data;
      if (key->ReadString(byName, data) && (own.Match(data) || copy.Match(data))) valueName = byName;
    }
    if (valueName.empty()) valueName = ValueNaming(*key, own);
    if (valueName.empty()) valueName = ValueNaming(*key, copy);
    if (!valueName.empty() && key->ValueExists(valueName)) {
      if (!key->ReadString(valueName, path) || !key->DeleteValue(valueName)) return false;
      unregistered = true;
    }
  } else if (os.LastError() != sys::kErrorFileNotFound) {
    return false;  // a table that is there but refused is no table that is missing
  }
  // Not the machine's: the current user's own, found by name or by file alike.
  const std::string userFolder = UserFontsFolder();
  bool userFont = false;
  if (!unregistered) {
    if (auto key = OpenUserFontsRegKey(false)) {
      const std::string file = FileName();
      std::string valueName = FontRegValueName(FontName());
      if (!key->ValueExists(valueName)) valueName = ValueNaming(*key, RefsOf(file));
      if (valueName.empty() && !userFolder.empty())
        valueName = ValueNaming(*key, RefsOf(userFolder + ExtractFileName(file)));
      if (!valueName.empty() && key->ValueExists(valueName)) {
        if (!key->ReadString(valueName, path) || !key->DeleteValue(valueName)) return false;
        unregistered = userFont = true;
      }
    }
  }

  // The system may hold a font by the bare name the table gave or by its path.
  if (os.RemoveFont(path)) AnnounceFontChange();
  if (ExtractFilePath(path).empty()) {
    path = fontsFolder + path;
    if (os.RemoveFont(path)) AnnounceFontChange();
  }

  // Only the fonts folder's own copy of this font is ever disposed of, and
  // only while no other font of the table names it.
  const bool freed =
      unregistered && !TableNames(RefsOf(path)) &&
      (SameText(ExtractFilePath(path), fontsFolder) ||
       (userFont && !userFolder.empty() && SameText(ExtractFilePath(path), userFolder)));
  // Uninstalled from here on, even when its file cannot be disposed of: the
  // record must not claim a registration that is gone.
  {
    std::lock_guard guard(Lock());
    installed_ = false;
    inFontsFolder_ = false;
  }
  AnnounceFontChange();
  if (freed) {
    if (mode == dmDelete && !os.RemoveFile(path)) return false;
    if (mode == dmRecycle && !RecycleFiles({path})) return false;
    if (freedFile) *freedFile = path;
  }
  return true;
}

bool TFontFileInfo::Load(std::vector<std::string>* loadedFonts) {
  if (Installed()) return true;  // already available to everyone
  const std::string file = FileName();
  if (sys::Current().AddFont(file) == 0) return false;
  if (loadedFonts) {
    const std::string key = UpperAscii(file);
    if (std::find(loadedFonts->begin(), loadedFonts->end(), key) == loadedFonts->end())
      loadedFonts->push_back(key);
  }
  AnnounceFontChange();
  return true;
}

bool TFontFileInfo::Unload(std::vector<std::string>* loadedFonts) {
  if (Installed()) return false;  // only Uninstall takes an installed font away
  const std::string file = FileName();
  if (!sys::Current().RemoveFont(file)) return false;
  if (loadedFonts) {
    const std::string key = UpperAscii(file);
    loadedFonts->erase(std::remove(loadedFonts->begin(), loadedFonts->end(), key), loadedFonts->end());
  }
  AnnounceFontChange();
  return true;
}

bool TFontFileInfo::Delete(int mode) {
  if (!ValidMode(mode)) return false;
  sys::Backend& os = sys::Current();
  const std::string file = FileName();
  os.RemoveFont(file);  // a preview or session copy must not keep the file busy
  if (mode == dmDelete && !os.RemoveFile(file)) return false;
  if (mode == dmRecycle && !RecycleFiles({file})) return false;
  Clear();
  return true;
}

bool TFontFileInfo::Rename(std::string_view newName, std::string_view collectionsFolder) {
  const std::string newBareName = ExtractFileName(newName);
  if (!UsableFileName(newBareName)) return false;
  try {
    sys::Backend& os = sys::Current();
    const std::string oldFile = FileName();
    const std::string newFile = ExtractFilePath(oldFile) + newBareName;
    const FileRefs old = RefsOf(oldFile);
    const bool inFonts = !old.upperBareName.empty();

    // Windows holds the file open while it is a font resource: let it go first.
    bool unregistered = false;
    if (Installed()) unregistered = UnregisterValues(old);
    bool released = os.RemoveFont(oldFile);
    if (Installed() && inFonts) released |= os.RemoveFont(ExtractFileName(oldFile));
    if (unregistered) AnnounceFontChange();

    const int shellResult = ShellFileOp(sys::kFoRename, kUndoNoConfirm, oldFile, newFile);
    const bool renamed = shellResult == 0;
    if (renamed) {
      {
        std::lock_guard guard(Lock());
        StoreFileName(newFile);
      }
      if (Installed() && RewriteValues(old, newFile)) {
        os.AddFont(newFile);
        released = false;  // taken up again
        AnnounceFontChange();
      }
      const std::string folder = collectionsFolder.empty() ? GetCollectionsFolder()
                                                           : std::string(collectionsFolder);
      RewriteCollectionReferences(folder, oldFile, newFile);
    }

    // Only what was let go is taken up again: whoever else held the font
    // (the preview, say) adds its own back.
    if (unregistered)
      Install();  // registers the font again under its current file name
    else if (released)
      os.AddFont(FileName());
    // The shell's reason, for the message; putting the font back may have
    // cleared the last error.
    if (!renamed) os.SetLastError(static_cast<uint32_t>(shellResult));
    return renamed;
  } catch (const std::exception&) {
    return false;
  }
}
