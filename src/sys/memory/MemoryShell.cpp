// Shell file operations on the memory file system, recorded as they happen.
#include "sys/PathText.h"
#include "sys/memory/MemoryState.h"

namespace sys {

namespace {
// SHFileOperation's own result for a copy onto itself.
constexpr int kDeSameFile = 0x71;
}  // namespace

void MemoryBackend::Impl::CopyTree(const std::string& source, const std::string& to) {
  const std::string target = NormalisePath(to);
  const std::string display = DisplayPath(to);
  const std::string prefix = source + '\\';
  std::vector<std::pair<std::string, std::shared_ptr<MemFile>>> copies;
  for (const auto& [key, file] : files)
    if (key == source || key.compare(0, prefix.size(), prefix) == 0) {
      auto copy = std::make_shared<MemFile>(*file);
      copy->path = display + file->path.substr(source.size());
      copies.emplace_back(target + key.substr(source.size()), std::move(copy));
    }
  for (auto& [key, file] : copies) files[key] = std::move(file);
}

void MemoryBackend::RecordShellOp(ShellOpRecord record) {
  std::lock_guard lock(impl_->mutex);
  shellOps_.push_back(std::move(record));
}

bool MemoryBackend::OpenUrl(std::string_view url) {
  std::lock_guard lock(impl_->mutex);
  urlsOpened_.emplace_back(url);
  return true;
}

bool MemoryBackend::ShowFileProperties(std::string_view path) {
  std::lock_guard lock(impl_->mutex);
  propertiesShown_.emplace_back(path);
  return true;
}

void MemoryBackend::LackHelpViewer() {
  std::lock_guard lock(impl_->mutex);
  helpViewerMissing_ = true;
}

HelpResult MemoryBackend::ShowHelp(std::string_view file, std::string_view window, uint32_t context) {
  const bool manual = FileExists(file);
  std::lock_guard lock(impl_->mutex);
  helpShown_.push_back({std::string(file), std::string(window), context});
  if (!manual) return HelpResult::NoManual;
  return helpViewerMissing_ ? HelpResult::NoViewer : HelpResult::Shown;
}

void MemoryBackend::CloseHelp() {
  std::lock_guard lock(impl_->mutex);
  ++helpCloses_;
}

int MemoryBackend::ShellFileOperation(unsigned op, uint16_t flags, std::string_view from,
                                      std::string_view to) {
  if (auto hook = onShellOp) hook();
  ShellOpRecord record{op, flags, SplitNulList(from), SplitNulList(to), 0};
  std::lock_guard lock(impl_->mutex);
  Impl& fs = *impl_;

  // The sources, wildcards expanded, by their stored paths.
  auto resolve = [&](std::vector<std::string>& sources) -> int {
    for (const std::string& name : record.from) {
      std::string_view folder, pattern;
      SplitPath(name, folder, pattern);
      if (!HasWildcard(pattern)) {
        MemFile* file = fs.Find(NormalisePath(name));
        if (!file) return static_cast<int>(kErrorFileNotFound);
        sources.push_back(file->path);
        continue;
      }
      const std::string prefix = NormalisePath(folder) + '\\';
      for (auto it = fs.files.lower_bound(prefix);
           it != fs.files.end() && it->first.compare(0, prefix.size(), prefix) == 0; ++it)
        if (it->first.find('\\', prefix.size()) == std::string::npos &&
            MatchWildcard(pattern, LastPart(it->second->path)))
          sources.push_back(it->second->path);
    }
    return sources.empty() ? static_cast<int>(kErrorFileNotFound) : 0;
  };

  auto perform = [&]() -> int {
    if (fs.shellFailure) return fs.shellFailure;
    std::vector<std::string> sources;
    if (int result = resolve(sources)) return result;
    for (const std::string& source : sources)
      if (fs.lockedFiles.count(NormalisePath(source))) return static_cast<int>(kErrorSharingViolation);

    if (op == kFoDelete) {
      for (const std::string& source : sources) {
        fs.EraseTree(NormalisePath(source));
        if (flags & kFofAllowUndo) recycleBin_.push_back(source);
      }
      return 0;
    }
    if (record.to.empty()) return static_cast<int>(kErrorInvalidParameter);
    std::string destination = record.to.front();

    if (op == kFoRename) {
      std::string_view folder, name;
      SplitPath(destination, folder, name);
      if (folder.empty() && !ParentOf(sources.front()).empty())
        destination = ParentOf(sources.front()) + '\\' + destination;
      const std::string source = NormalisePath(sources.front());
      const std::string target = NormalisePath(destination);
      if (target == source) return 0;
      if (fs.Find(target)) return static_cast<int>(kErrorAlreadyExists);
      if (!fs.IsDirectory(ParentOf(target), drives_)) return static_cast<int>(kErrorPathNotFound);
      fs.MoveTree(source, destination);
      return 0;
    }
    if (op != kFoMove && op != kFoCopy) return static_cast<int>(kErrorInvalidParameter);

    const bool intoFolder = fs.IsDirectory(NormalisePath(destination), drives_) || sources.size() > 1;
    if (intoFolder) fs.Make(destination, true);
    for (const std::string& sourcePath : sources) {
      const std::string target = intoFolder ? DisplayPath(destination) + '\\' + LastPart(sourcePath)
                                            : DisplayPath(destination);
      const std::string source = NormalisePath(sourcePath);
      const std::string targetKey = NormalisePath(target);
      if (targetKey == source) {
        if (op == kFoCopy) return kDeSameFile;
        continue;
      }
      if (fs.lockedFiles.count(targetKey)) return static_cast<int>(kErrorSharingViolation);
      if (MemFile* existing = fs.Find(targetKey)) {
        if (existing->directory != fs.Find(source)->directory)
          return static_cast<int>(kErrorAccessDenied);
        fs.EraseTree(targetKey);
      }
      const std::string parent = ParentOf(targetKey);
      if (!parent.empty() && !fs.IsDirectory(parent, drives_)) fs.Make(ParentOf(DisplayPath(target)), true);
      if (op == kFoCopy)
        fs.CopyTree(source, target);
      else
        fs.MoveTree(source, target);
    }
    return 0;
  };

  record.result = perform();
  const int result = record.result;
  shellOps_.push_back(std::move(record));
  return result;
}

}  // namespace sys
