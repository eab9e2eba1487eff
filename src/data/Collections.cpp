#include "data/Collections.h"

#include <algorithm>

#include "data/VLMUtil.h"
#include "sys/sys.h"

namespace {

constexpr uint32_t kErrorInvalidName = 123;
constexpr size_t kReadChunk = 64 * 1024;

bool IsBlank(std::string_view line) {
  return std::all_of(line.begin(), line.end(),
                     [](char c) { return static_cast<unsigned char>(c) <= ' '; });
}

// The collection files of a folder by their names there, extension as stored.
std::vector<std::string> CollectionFileNames(std::string_view folder) {
  std::vector<std::string> names;
  // An unset folder would make the pattern relative to the current folder.
  if (folder.empty()) return names;
  std::vector<sys::FindEntry> entries;
  sys::Current().FindFiles(IncludeTrailingBackslash(folder) + "*" + std::string(kCollectionFileExt),
                           entries);
  for (sys::FindEntry& entry : entries) {
    // The system's pattern also matches longer extensions through the short
    // names ("A.VLMX"); such a file is no collection.
    if (entry.IsDirectory() || !SameText(ExtractFileExt(entry.name), kCollectionFileExt)) continue;
    names.push_back(std::move(entry.name));
  }
  return names;
}

}  // namespace

std::string CollectionLine(std::string_view fontName, std::string_view path) {
  std::string line;
  line.reserve(fontName.size() + path.size() + 7);
  line += '"';
  // The format has no escapes: a line end would split the line, a quote end
  // the name there and, with a comma after it, take the path from the name.
  // Neither byte is ever part of a double-byte character.
  for (char c : fontName) {
    if (c == '"')
      line += '\'';
    else if (c == '\r' || c == '\n')
      line += ' ';
    else
      line += c;
  }
  line += "\",\"";
  line += path;
  line += "\"\r\n";
  return line;
}

void ParseCollectionLine(std::string line, std::string& fontName, std::string& path) {
  fontName = ExtractField(line, ",");
  path = ExtractField(line, ",");
}

bool ReadCollectionLines(std::string_view path, const std::function<void(std::string&)>& onLine) {
  auto file = sys::Current().OpenRead(path);
  if (!file) return false;
  std::string pending;  // the start of a line whose end has not been read yet
  std::string chunk(kReadChunk, '\0');
  uint64_t pos = 0;
  bool afterCr = false;  // a CR ended the last line; an LF right after it belongs to it
  for (;;) {
    size_t got = 0;
    if (!file->ReadAt(pos, chunk.data(), chunk.size(), got)) return false;
    if (got == 0) break;
    pos += got;
    for (size_t i = 0; i < got; ++i) {
      char c = chunk[i];
      if (c == '\n' && afterCr) {
        afterCr = false;
        continue;
      }
      afterCr = c == '\r';
      if (c == '\r' || c == '\n') {
        if (!IsBlank(pending)) onLine(pending);
        pending.clear();
      } else {
        pending += c;
      }
    }
  }
  if (!IsBlank(pending)) onLine(pending);
  return true;
}

bool WriteFileReplacing(std::string_view path, std::string_view content) {
  auto& os = sys::Current();
  // The file put in place takes the name it is moved to and brings its own
  // attributes: it is moved onto the name the file has (a rename that changed
  // only letter case stands), and a hidden or system file stays one.
  std::string target(path);
  uint32_t attributes = 0;
  std::vector<sys::FindEntry> found;
  if (path.find_first_of("*?") == std::string_view::npos && os.FindFiles(path, found) &&
      found.size() == 1 && !found[0].IsDirectory()) {
    target = ExtractFilePath(path) + found[0].name;
    attributes = found[0].attributes & (sys::kAttrHidden | sys::kAttrSystem);
  }
  const std::string temp = std::string(path) + ".tmp";
  bool ok = false;
  if (auto out = os.CreateWrite(temp)) {
    const bool written = out->Write(content);
    ok = out->Close() && written;
  }
  if (ok) ok = os.MoveFileReplace(temp, target);
  if (!ok) {
    const uint32_t error = os.LastError();
    os.RemoveFile(temp);
    os.SetLastError(error);
  } else if (attributes) {
    os.SetAttributes(target, attributes | sys::kAttrArchive);  // the content is saved either way
  }
  return ok;
}

std::string CollectionFile(std::string_view folder, std::string_view name) {
  // A bare name is the file's name less exactly one extension, as the listing
  // reads it: "x.VLM" is the file "x.VLM.VLM", never the collection "x".
  if (ExtractFilePath(name).empty())
    return IncludeTrailingBackslash(folder) + std::string(name) + std::string(kCollectionFileExt);
  std::string file(name);
  if (!SameText(ExtractFileExt(file), kCollectionFileExt)) file += kCollectionFileExt;
  return file;
}

bool IsCollectionName(std::string_view name) {
  const std::string trimmed = Trim(name);
  if (trimmed.empty() || trimmed == "." || trimmed == "..") return false;
  // The second byte of a double-byte character may look like "\" or "|".
  const AnsiLeadBytes lead;
  for (size_t i = 0; i < name.size(); ++i) {
    if (lead(name[i])) {
      ++i;
      continue;
    }
    if (std::string_view("\\/:*?\"<>|").find(name[i]) != std::string_view::npos) return false;
  }
  return true;
}

std::vector<std::string> ListCollectionNames(std::string_view folder) {
  std::vector<std::string> names = CollectionFileNames(folder);
  for (std::string& name : names) name = FileNameNoExt(name);
  return names;
}

bool CreateCollection(std::string_view folder, std::string_view name) {
  auto& os = sys::Current();
  if (!IsCollectionName(name)) {
    os.SetLastError(kErrorInvalidName);
    return false;
  }
  // One exclusive step: a file that turns up after a test for it would
  // otherwise be truncated.
  auto out = os.CreateNew(CollectionFile(folder, name));
  if (!out) {
    if (os.LastError() == sys::kErrorFileExists) os.SetLastError(sys::kErrorAlreadyExists);
    return false;
  }
  return out->Close();
}

void RenameCollection(std::string_view folder, std::string_view oldName, std::string_view newName) {
  if (!IsCollectionName(oldName) || !IsCollectionName(newName)) return;
  ShellFileOp(sys::kFoRename, sys::kFofAllowUndo, CollectionFile(folder, oldName),
              CollectionFile(folder, newName));
}

void DeleteCollection(std::string_view folder, std::string_view name, bool shiftDown) {
  if (!IsCollectionName(name)) return;
  const std::string file = CollectionFile(folder, name);
  if (shiftDown) {
    sys::Current().RemoveFile(file);
  } else {
    ShellFileOp(sys::kFoDelete, sys::kFofAllowUndo | sys::kFofNoConfirmation, file, "");
  }
}

void RewriteCollectionReferences(std::string_view folder, std::string_view oldPath,
                                 std::string_view newPath) {
  const std::string dir = IncludeTrailingBackslash(folder);
  const std::string oldKey = UpperAscii(oldPath);
  for (const std::string& fileName : CollectionFileNames(folder)) {
    const std::string file = dir + fileName;
    std::string content;
    bool changed = false;
    const bool read = ReadCollectionLines(file, [&](std::string& line) {
      std::string name, path;
      ParseCollectionLine(std::move(line), name, path);
      if (UpperAscii(path) == oldKey) {
        path = newPath;
        changed = true;
      }
      content += CollectionLine(name, path);
    });
    if (read && changed) WriteFileReplacing(file, content);
  }
}
