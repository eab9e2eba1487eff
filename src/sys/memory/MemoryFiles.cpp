// The memory backend's file system: folders and files by case-insensitive
// backslash paths, with the error codes Windows gives for each refusal.
#include <algorithm>
#include <cstring>

#include "sys/PathText.h"
#include "sys/memory/MemoryState.h"

namespace sys {

namespace {
// The parts of a path as given, without empty and "." parts.
std::vector<std::string_view> PathParts(std::string_view path) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find_first_of("\\/", start);
    if (end == std::string_view::npos) end = path.size();
    std::string_view part = path.substr(start, end - start);
    if (!part.empty() && part != ".") parts.push_back(part);
    start = end + 1;
  }
  return parts;
}

std::string JoinParts(const std::vector<std::string_view>& parts, size_t count) {
  std::string out;
  for (size_t i = 0; i < count; ++i) {
    if (i) out += '\\';
    out += parts[i];
  }
  return out;
}
}  // namespace

std::string NormalisePath(std::string_view path) {
  auto parts = PathParts(path);
  return UpperAscii(JoinParts(parts, parts.size()));
}

std::string DisplayPath(std::string_view path) {
  auto parts = PathParts(path);
  return JoinParts(parts, parts.size());
}

std::string ParentOf(const std::string& normalised) {
  size_t slash = normalised.rfind('\\');
  return slash == std::string::npos ? std::string() : normalised.substr(0, slash);
}

std::string LastPart(std::string_view path) {
  size_t slash = path.find_last_of("\\/");
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

MemFile* MemoryBackend::Impl::Find(const std::string& normalised) {
  auto it = files.find(normalised);
  return it == files.end() ? nullptr : it->second.get();
}

bool MemoryBackend::Impl::IsDirectory(const std::string& normalised,
                                      const std::vector<std::string>& drives) {
  if (MemFile* file = Find(normalised)) return file->directory;
  return std::any_of(drives.begin(), drives.end(),
                     [&](const std::string& drive) { return NormalisePath(drive) == normalised; });
}

MemFile& MemoryBackend::Impl::Make(std::string_view path, bool directory) {
  auto parts = PathParts(path);
  MemFile* made = nullptr;
  for (size_t count = 1; count <= parts.size(); ++count) {
    std::string display = JoinParts(parts, count);
    auto& slot = files[UpperAscii(display)];
    const bool last = count == parts.size();
    if (!slot) {
      slot = std::make_shared<MemFile>();
      slot->path = display;
      slot->directory = !last || directory;
      slot->attributes = slot->directory ? kAttrDirectory : kAttrArchive;
    } else if (!last && !slot->directory) {
      *slot = MemFile{display, true, kAttrDirectory, {}};  // setting up: a folder wins
    }
    made = slot.get();
  }
  static MemFile nothing;  // an empty path names nothing
  return made ? *made : nothing;
}

void MemoryBackend::Impl::EraseTree(const std::string& normalised) {
  files.erase(normalised);
  EraseBelow(files, normalised);
}

// ---- Reading and writing ----------------------------------------------------

class MemoryInFile : public InFile {
 public:
  MemoryInFile(MemoryBackend& backend, std::shared_ptr<MemFile> file, uint64_t failAfter,
               bool refuseSeek)
      : backend_(backend), file_(std::move(file)), failAfter_(failAfter), refuseSeek_(refuseSeek) {}

  bool ReadAt(uint64_t pos, void* buffer, size_t size, size_t& got) override {
    got = 0;
    std::lock_guard lock(backend_.impl_->mutex);
    ++backend_.reads_;
    if (refuseSeek_ && pos != 0) return Fail(kErrorSeek);
    const std::string& content = file_->content;
    if (pos >= content.size()) return true;
    const size_t n = static_cast<size_t>(std::min<uint64_t>(size, content.size() - pos));
    if (pos + n > failAfter_) return Fail(kErrorReadFault);
    if (n) std::memcpy(buffer, content.data() + pos, n);
    got = n;
    return true;
  }

 private:
  bool Fail(uint32_t code) {
    backend_.SetLastError(code);
    return false;
  }

  MemoryBackend& backend_;
  std::shared_ptr<MemFile> file_;
  uint64_t failAfter_;
  bool refuseSeek_;
};

class MemoryOutFile : public OutFile {
 public:
  MemoryOutFile(MemoryBackend& backend, std::shared_ptr<MemFile> file, uint64_t failAfter)
      : backend_(backend), file_(std::move(file)), failAfter_(failAfter) {}

  bool Write(std::string_view data) override {
    std::lock_guard lock(backend_.impl_->mutex);
    if (closed_) return Fail(kErrorInvalidHandle);
    if (failed_) return Fail(kErrorDiskFull);
    const uint64_t room = failAfter_ - std::min<uint64_t>(failAfter_, file_->content.size());
    if (data.size() > room) {
      file_->content.append(data.substr(0, static_cast<size_t>(room)));
      failed_ = true;
      return Fail(kErrorDiskFull);
    }
    file_->content.append(data);
    return true;
  }

  bool Close() override {
    std::lock_guard lock(backend_.impl_->mutex);
    if (closed_) return !failed_;
    closed_ = true;
    if (failed_) backend_.SetLastError(kErrorDiskFull);
    return !failed_;
  }

 private:
  bool Fail(uint32_t code) {
    backend_.SetLastError(code);
    return false;
  }

  MemoryBackend& backend_;
  std::shared_ptr<MemFile> file_;
  uint64_t failAfter_;
  bool closed_ = false;
  bool failed_ = false;
};

// ---- Queries ----------------------------------------------------------------

bool MemoryBackend::FileExists(std::string_view path) {
  std::lock_guard lock(impl_->mutex);
  MemFile* file = impl_->Find(NormalisePath(path));
  return file && !file->directory;
}

bool MemoryBackend::DirectoryExists(std::string_view path) {
  std::lock_guard lock(impl_->mutex);
  return impl_->IsDirectory(NormalisePath(path), drives_);
}

bool MemoryBackend::FindFiles(std::string_view pattern, std::vector<FindEntry>& entries) {
  entries.clear();
  std::string_view folderPart, namePart;
  SplitPath(pattern, folderPart, namePart);
  std::lock_guard lock(impl_->mutex);
  const std::string folder = NormalisePath(folderPart);
  if (impl_->failedFinds.count(folder)) {
    SetLastError(kErrorAccessDenied);
    return false;
  }
  if (!impl_->IsDirectory(folder, drives_)) {
    SetLastError(kErrorPathNotFound);
    return false;
  }
  const std::string prefix = folder + '\\';
  for (auto it = impl_->files.lower_bound(prefix);
       it != impl_->files.end() && it->first.compare(0, prefix.size(), prefix) == 0; ++it) {
    if (it->first.find('\\', prefix.size()) != std::string::npos) continue;
    const MemFile& file = *it->second;
    std::string name = LastPart(file.path);
    if (!MatchWildcard(namePart, name)) continue;
    entries.push_back({std::move(name), file.attributes, file.directory ? 0 : file.content.size()});
  }
  if (entries.empty()) SetLastError(kErrorFileNotFound);
  return true;
}

std::vector<std::string> MemoryBackend::LogicalDrives() { return drives_; }

// ---- Changes ----------------------------------------------------------------

// Why a path names no file: its folder is missing too (3) or only the file (2).
uint32_t MemoryBackend::Impl::MissingError(const std::string& normalised,
                                           const std::vector<std::string>& drives) {
  const std::string parent = ParentOf(normalised);
  return parent.empty() || IsDirectory(parent, drives) ? kErrorFileNotFound : kErrorPathNotFound;
}

std::unique_ptr<InFile> MemoryBackend::OpenRead(std::string_view path) {
  std::lock_guard lock(impl_->mutex);
  ++opens_;
  const std::string key = NormalisePath(path);
  auto it = impl_->files.find(key);
  uint32_t error = kErrorSuccess;
  if (it == impl_->files.end())
    error = impl_->MissingError(key, drives_);
  else if (it->second->directory)
    error = kErrorAccessDenied;
  else if (impl_->lockedFiles.count(key))
    error = kErrorSharingViolation;
  if (error) {
    SetLastError(error);
    return nullptr;
  }
  auto failAfter = impl_->failReadAfter.find(key);
  return std::make_unique<MemoryInFile>(
      *this, it->second, failAfter == impl_->failReadAfter.end() ? UINT64_MAX : failAfter->second,
      impl_->refusedSeeks.count(key) > 0);
}

std::unique_ptr<OutFile> MemoryBackend::CreateWrite(std::string_view path) { return Create(path, false); }

std::unique_ptr<OutFile> MemoryBackend::CreateNew(std::string_view path) { return Create(path, true); }

std::unique_ptr<OutFile> MemoryBackend::Create(std::string_view path, bool exclusive) {
  std::lock_guard lock(impl_->mutex);
  const std::string key = NormalisePath(path);
  const std::string parent = ParentOf(key);
  MemFile* existing = impl_->Find(key);
  uint32_t error = kErrorSuccess;
  if (key.empty() || (!parent.empty() && !impl_->IsDirectory(parent, drives_)))
    error = kErrorPathNotFound;
  else if (exclusive && (existing || impl_->IsDirectory(key, drives_)))
    error = kErrorFileExists;
  else if (impl_->failedWriteFolders.count(parent))
    error = kErrorAccessDenied;
  else if (existing && (existing->directory || (existing->attributes & kAttrReadOnly)))
    error = kErrorAccessDenied;
  else if (impl_->lockedFiles.count(key))
    error = kErrorSharingViolation;
  if (error) {
    SetLastError(error);
    return nullptr;
  }
  auto file = std::make_shared<MemFile>();
  file->path = existing ? existing->path : DisplayPath(path);
  impl_->files[key] = file;
  auto failAfter = impl_->failWriteAfter.find(key);
  return std::make_unique<MemoryOutFile>(
      *this, file, failAfter == impl_->failWriteAfter.end() ? UINT64_MAX : failAfter->second);
}

bool MemoryBackend::CopyFileTo(std::string_view from, std::string_view to, bool failIfExists) {
  std::lock_guard lock(impl_->mutex);
  const std::string source = NormalisePath(from);
  const std::string target = NormalisePath(to);
  MemFile* file = impl_->Find(source);
  MemFile* existing = impl_->Find(target);
  const std::string parent = ParentOf(target);
  uint32_t error = kErrorSuccess;
  if (!file)
    error = impl_->MissingError(source, drives_);
  else if (file->directory)
    error = kErrorAccessDenied;
  else if (impl_->lockedFiles.count(source) || impl_->lockedFiles.count(target) || source == target)
    error = kErrorSharingViolation;
  else if (!parent.empty() && !impl_->IsDirectory(parent, drives_))
    error = kErrorPathNotFound;
  else if (existing && failIfExists)
    error = kErrorFileExists;
  else if (impl_->failedWriteFolders.count(parent) ||
           (existing && (existing->directory || (existing->attributes & kAttrReadOnly))))
    error = kErrorAccessDenied;
  if (error) {
    SetLastError(error);
    return false;
  }
  auto copy = std::make_shared<MemFile>(*file);
  copy->path = existing ? existing->path : DisplayPath(to);
  impl_->files[target] = std::move(copy);
  return true;
}

bool MemoryBackend::RemoveFile(std::string_view path) {
  std::lock_guard lock(impl_->mutex);
  const std::string key = NormalisePath(path);
  MemFile* file = impl_->Find(key);
  uint32_t error = kErrorSuccess;
  if (!file)
    error = impl_->MissingError(key, drives_);
  else if (file->directory || (file->attributes & kAttrReadOnly))
    error = kErrorAccessDenied;
  else if (impl_->lockedFiles.count(key))
    error = kErrorSharingViolation;
  if (error) {
    SetLastError(error);
    return false;
  }
  impl_->files.erase(key);
  return true;
}

bool MemoryBackend::MoveFileReplace(std::string_view from, std::string_view to) {
  std::lock_guard lock(impl_->mutex);
  const std::string source = NormalisePath(from);
  const std::string target = NormalisePath(to);
  MemFile* file = impl_->Find(source);
  MemFile* existing = impl_->Find(target);
  const std::string parent = ParentOf(target);
  uint32_t error = kErrorSuccess;
  if (!file)
    error = impl_->MissingError(source, drives_);
  else if (impl_->lockedFiles.count(source) || impl_->lockedFiles.count(target))
    error = kErrorSharingViolation;
  else if (!parent.empty() && !impl_->IsDirectory(parent, drives_))
    error = kErrorPathNotFound;
  else if (source == target)
    return true;
  else if (impl_->failedMoves.count(target) ||
           (existing && (existing->directory || file->directory ||
                         (existing->attributes & kAttrReadOnly))))
    error = kErrorAccessDenied;
  if (error) {
    SetLastError(error);
    return false;
  }
  impl_->MoveTree(source, std::string(to));
  return true;
}

bool MemoryBackend::SetAttributes(std::string_view path, uint32_t attributes) {
  std::lock_guard lock(impl_->mutex);
  const std::string key = NormalisePath(path);
  MemFile* file = impl_->Find(key);
  if (!file) {
    SetLastError(impl_->MissingError(key, drives_));
    return false;
  }
  constexpr uint32_t kSettable = kAttrReadOnly | kAttrHidden | kAttrSystem | kAttrArchive;
  file->attributes = (file->attributes & ~kSettable) | (attributes & kSettable);
  return true;
}

void MemoryBackend::Impl::MoveTree(const std::string& source, const std::string& to) {
  const std::string target = NormalisePath(to);
  const std::string display = DisplayPath(to);
  std::vector<std::pair<std::string, std::shared_ptr<MemFile>>> moved;
  const std::string prefix = source + '\\';
  for (auto it = files.begin(); it != files.end();) {
    if (it->first == source || it->first.compare(0, prefix.size(), prefix) == 0) {
      moved.emplace_back(target + it->first.substr(source.size()), it->second);
      it->second->path = display + it->second->path.substr(source.size());
      it = files.erase(it);
    } else {
      ++it;
    }
  }
  for (auto& [key, file] : moved) files[key] = std::move(file);
}

bool MemoryBackend::MakeDirectory(std::string_view path) {
  std::lock_guard lock(impl_->mutex);
  const std::string key = NormalisePath(path);
  const std::string parent = ParentOf(key);
  uint32_t error = kErrorSuccess;
  if (impl_->Find(key) || impl_->IsDirectory(key, drives_))
    error = kErrorAlreadyExists;
  else if (key.empty() || (!parent.empty() && !impl_->IsDirectory(parent, drives_)))
    error = kErrorPathNotFound;
  else if (impl_->failedWriteFolders.count(parent))
    error = kErrorAccessDenied;
  if (error) {
    SetLastError(error);
    return false;
  }
  impl_->Make(path, true);
  return true;
}

}  // namespace sys
