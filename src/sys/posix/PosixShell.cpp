// Shell file operations on real files. There is no recycle bin here: a delete
// that asks for undo is refused rather than made permanent behind the user's
// back. Folders are renamed and moved but neither copied nor deleted.
#include "sys/PathText.h"
#include "sys/posix/PosixBackend.h"

namespace sys {

namespace {
constexpr int kDeAccessDeniedSource = 0x78;  // SHFileOperation's own code

std::string FolderOf(const std::string& path) {
  std::string_view folder, name;
  SplitPath(path, folder, name);
  return std::string(folder);
}
}  // namespace

int PosixBackend::ShellFileOperation(unsigned op, uint16_t flags, std::string_view from,
                                     std::string_view to) {
  ShellOpRecord record{op, flags, SplitNulList(from), SplitNulList(to), 0};

  auto perform = [&]() -> int {
    std::vector<std::string> sources;
    for (const std::string& name : record.from) {
      std::string_view folder, pattern;
      SplitPath(name, folder, pattern);
      if (!HasWildcard(pattern)) {
        sources.push_back(name);
        continue;
      }
      std::vector<FindEntry> found;
      if (!FindFiles(name, found)) return static_cast<int>(LastError());
      for (const FindEntry& entry : found)
        if (!entry.IsDirectory()) sources.push_back(std::string(folder) + '\\' + entry.name);
    }
    if (sources.empty()) return static_cast<int>(kErrorFileNotFound);
    for (const std::string& source : sources)
      if (!FileExists(source) && !DirectoryExists(source)) return static_cast<int>(kErrorFileNotFound);

    if (op == kFoDelete) {
      if (flags & kFofAllowUndo) return kDeAccessDeniedSource;
      for (const std::string& source : sources)
        if (!RemoveFile(source)) return static_cast<int>(LastError());
      return 0;
    }
    if (record.to.empty()) return static_cast<int>(kErrorInvalidParameter);
    std::string destination = record.to.front();
    if (op == kFoRename) {
      if (FolderOf(destination).empty() && !FolderOf(sources.front()).empty())
        destination = FolderOf(sources.front()) + '\\' + destination;
      if (FileExists(destination) || DirectoryExists(destination))
        return static_cast<int>(kErrorAlreadyExists);
      return MoveFileReplace(sources.front(), destination) ? 0 : static_cast<int>(LastError());
    }
    if (op != kFoMove && op != kFoCopy) return static_cast<int>(kErrorInvalidParameter);
    const bool intoFolder = DirectoryExists(destination) || sources.size() > 1;
    if (intoFolder && !DirectoryExists(destination) && !MakeDirectory(destination))
      return static_cast<int>(LastError());
    for (const std::string& source : sources) {
      std::string_view folder, name;
      SplitPath(source, folder, name);
      const std::string target = intoFolder ? destination + '\\' + std::string(name) : destination;
      const bool done = op == kFoCopy ? CopyFileTo(source, target, false)
                                      : MoveFileReplace(source, target);
      if (!done) return static_cast<int>(LastError());
    }
    return 0;
  };

  record.result = perform();
  const int result = record.result;
  RecordShellOp(std::move(record));
  return result;
}

Backend& DefaultBackend() {
  static PosixBackend backend;
  return backend;
}

std::unique_ptr<PrintJob> PosixBackend::StartPrintJob(std::wstring_view) {
  SetLastError(kErrorNoPrinter);
  return nullptr;
}

}  // namespace sys
