#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "sys/PathText.h"
#include "sys/posix/PosixBackend.h"

namespace sys {

uint32_t WindowsErrorFromErrno(int error) {
  switch (error) {
    case 0: return kErrorSuccess;
    case ENOENT: return kErrorFileNotFound;
    case ENOTDIR: return kErrorPathNotFound;
    case EACCES: case EPERM: case EROFS: case EISDIR: return kErrorAccessDenied;
    case EEXIST: return kErrorAlreadyExists;
    case EBUSY: case ETXTBSY: return kErrorSharingViolation;
    case ENOSPC: case EDQUOT: return kErrorDiskFull;
    case EBADF: return kErrorInvalidHandle;
    case ESPIPE: return kErrorSeek;
    case EIO: return kErrorReadFault;
    case EINVAL: return kErrorInvalidParameter;
    case ENAMETOOLONG: return 206;
    case ENOTEMPTY: return 145;
    case EXDEV: return 17;
    case EMFILE: case ENFILE: return 4;
    case ENOMEM: return 8;
    default: return 1;  // ERROR_INVALID_FUNCTION
  }
}

std::string OsPath(std::string_view path) {
  std::string out(path);
  std::replace(out.begin(), out.end(), '\\', '/');
  struct stat info;
  if (out.empty() || ::lstat(out.c_str(), &info) == 0) return out;
  // Windows finds "DATA.BIN" as "data.bin": take each missing part by a name
  // that differs only in case, when there is one.
  std::string resolved;
  size_t start = 0;
  if (out.front() == '/') {
    resolved = "/";
    start = 1;
  }
  bool exists = true;
  while (start <= out.size()) {
    size_t end = out.find('/', start);
    if (end == std::string::npos) end = out.size();
    std::string part = out.substr(start, end - start);
    start = end + 1;
    if (part.empty()) continue;
    const std::string folder = resolved.empty() ? "." : resolved;
    if (!resolved.empty() && resolved.back() != '/') resolved += '/';
    if (exists && ::lstat((resolved + part).c_str(), &info) != 0) {
      exists = false;
      if (DIR* dir = ::opendir(folder.c_str())) {
        while (dirent* entry = ::readdir(dir))
          if (EqualNoCase(entry->d_name, part)) {
            part = entry->d_name;
            exists = true;
            break;
          }
        ::closedir(dir);
      }
    }
    resolved += part;
  }
  if (out.back() == '/') resolved += '/';
  return resolved;
}

namespace {
// One file descriptor, closed when the object goes.
class Fd {
 public:
  explicit Fd(int fd = -1) : fd_(fd) {}
  ~Fd() { Reset(); }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int Get() const { return fd_; }
  int Release() {
    int fd = fd_;
    fd_ = -1;
    return fd;
  }
  bool Valid() const { return fd_ >= 0; }
  // Closes now; false (with errno) when the close reported an error.
  bool Reset() {
    int fd = fd_;
    fd_ = -1;
    return fd < 0 || ::close(fd) == 0;
  }

 private:
  int fd_;
};

class PosixInFile : public InFile {
 public:
  PosixInFile(PosixBackend& backend, int fd) : backend_(backend), fd_(fd) {}
  bool ReadAt(uint64_t pos, void* buffer, size_t size, size_t& got) override {
    got = 0;
    ssize_t n;
    do n = ::pread(fd_.Get(), buffer, size, static_cast<off_t>(pos));
    while (n < 0 && errno == EINTR);
    if (n < 0) {
      backend_.SetLastError(WindowsErrorFromErrno(errno));
      return false;
    }
    got = static_cast<size_t>(n);
    return true;
  }

 private:
  PosixBackend& backend_;
  Fd fd_;
};

class PosixOutFile : public OutFile {
 public:
  PosixOutFile(PosixBackend& backend, int fd) : backend_(backend), fd_(fd) {}
  bool Write(std::string_view data) override {
    if (!fd_.Valid() || failed_) return Fail(failed_ ? kErrorWriteFault : kErrorInvalidHandle);
    while (!data.empty()) {
      ssize_t n = ::write(fd_.Get(), data.data(), data.size());
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) {
        failed_ = true;
        return Fail(n < 0 ? WindowsErrorFromErrno(errno) : kErrorWriteFault);
      }
      data.remove_prefix(static_cast<size_t>(n));
    }
    return true;
  }
  bool Close() override {
    if (!fd_.Valid()) return !failed_;
    if (::fsync(fd_.Get()) != 0 && !failed_) {
      failed_ = true;
      backend_.SetLastError(WindowsErrorFromErrno(errno));
    }
    if (!fd_.Reset() && !failed_) {
      failed_ = true;
      backend_.SetLastError(WindowsErrorFromErrno(errno));
    }
    return !failed_;
  }

 private:
  bool Fail(uint32_t code) {
    backend_.SetLastError(code);
    return false;
  }
  PosixBackend& backend_;
  Fd fd_;
  bool failed_ = false;
};

bool StatPath(const std::string& path, struct stat& info) { return ::stat(path.c_str(), &info) == 0; }

// Makes a rename or a new file durable: the folder entry is written through.
void SyncFolderOf(const std::string& path) {
  size_t slash = path.rfind('/');
  std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
  Fd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.Valid()) ::fsync(dir.Get());
}
}  // namespace

bool PosixBackend::FailWithErrno(const std::string& osPath) {
  uint32_t code = WindowsErrorFromErrno(errno);
  // Windows tells a missing folder (3) from a missing file (2).
  if (code == kErrorFileNotFound && !osPath.empty()) {
    const size_t slash = osPath.rfind('/');
    struct stat info;
    if (slash != std::string::npos && slash > 0 &&
        (!StatPath(osPath.substr(0, slash), info) || !S_ISDIR(info.st_mode)))
      code = kErrorPathNotFound;
  }
  SetLastError(code);
  return false;
}

bool PosixBackend::FileExists(std::string_view path) {
  struct stat info;
  return StatPath(OsPath(path), info) && !S_ISDIR(info.st_mode);
}

bool PosixBackend::DirectoryExists(std::string_view path) {
  struct stat info;
  return StatPath(OsPath(path), info) && S_ISDIR(info.st_mode);
}

bool PosixBackend::FindFiles(std::string_view pattern, std::vector<FindEntry>& entries) {
  return Find(pattern, entries, true);
}

bool PosixBackend::FindNames(std::string_view pattern, std::vector<FindEntry>& entries) {
  return Find(pattern, entries, false);
}

bool PosixBackend::Find(std::string_view pattern, std::vector<FindEntry>& entries, bool details) {
  entries.clear();
  std::string_view folderPart, namePart;
  SplitPath(pattern, folderPart, namePart);
  std::string folder = folderPart.empty() ? (pattern.find_first_of("\\/") == 0 ? "/" : ".")
                                          : OsPath(folderPart);
  DIR* raw = ::opendir(folder.c_str());
  if (!raw) {
    SetLastError(errno == ENOENT ? kErrorPathNotFound : WindowsErrorFromErrno(errno));
    return false;
  }
  std::unique_ptr<DIR, int (*)(DIR*)> dir(raw, ::closedir);
  while (dirent* entry = ::readdir(dir.get())) {
    std::string_view name = entry->d_name;
    if (name == "." || name == ".." || !MatchWildcard(namePart, name)) continue;
    FindEntry found{std::string(name), 0, 0};
    // The listing tells folders from files itself; a link must be followed,
    // as Windows lists what it points to.
    const unsigned char type = entry->d_type;
    if (!details && type != DT_UNKNOWN && type != DT_LNK) {
      found.attributes = type == DT_DIR ? kAttrDirectory : kAttrArchive;
    } else {
      struct stat info;
      if (::fstatat(::dirfd(dir.get()), entry->d_name, &info, 0) != 0) continue;  // gone meanwhile
      if (S_ISDIR(info.st_mode)) {
        found.attributes = kAttrDirectory;
      } else {
        found.attributes = kAttrArchive;
        found.size = static_cast<uint64_t>(info.st_size);
      }
      if (!(info.st_mode & S_IWUSR)) found.attributes |= kAttrReadOnly;
    }
    if (name.front() == '.') found.attributes |= kAttrHidden;
    entries.push_back(std::move(found));
  }
  // Windows lists names in order; readdir does not.
  std::sort(entries.begin(), entries.end(),
            [](const FindEntry& a, const FindEntry& b) { return LessNoCase(a.name, b.name); });
  if (entries.empty()) SetLastError(kErrorFileNotFound);
  return true;
}

std::unique_ptr<InFile> PosixBackend::OpenRead(std::string_view path) {
  // A scan opens thousands of files named as the folder listing spells them:
  // try the name as given and resolve its case only when that fails. A folder
  // opens here, but its first read fails with EISDIR, which is access denied
  // as Windows gives it for the open.
  std::string osPath(path);
  for (size_t at = osPath.find('\\'); at != std::string::npos; at = osPath.find('\\', at + 1))
    osPath[at] = '/';
  // A pipe named like a font must not hold the scan until someone writes to
  // it: it opens at once, and its first read fails.
  constexpr int kFlags = O_RDONLY | O_CLOEXEC | O_NONBLOCK;
  int fd = ::open(osPath.c_str(), kFlags);
  if (fd < 0 && errno == ENOENT) {
    std::string resolved = OsPath(path);
    if (resolved != osPath) {
      osPath = std::move(resolved);
      fd = ::open(osPath.c_str(), kFlags);
    } else {
      errno = ENOENT;
    }
  }
  if (fd < 0) {
    FailWithErrno(osPath);
    return nullptr;
  }
  return std::make_unique<PosixInFile>(*this, fd);
}

std::unique_ptr<OutFile> PosixBackend::CreateWrite(std::string_view path) {
  return Create(path, O_TRUNC);
}

std::unique_ptr<OutFile> PosixBackend::CreateNew(std::string_view path) {
  return Create(path, O_EXCL);
}

std::unique_ptr<OutFile> PosixBackend::Create(std::string_view path, int mode) {
  const std::string osPath = OsPath(path);
  int fd = ::open(osPath.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | mode, 0666);
  if (fd < 0) {
    // Windows says "the file exists" where the exclusive create meets one.
    if (errno == EEXIST) {
      SetLastError(kErrorFileExists);
    } else {
      FailWithErrno(osPath);
    }
    return nullptr;
  }
  return std::make_unique<PosixOutFile>(*this, fd);
}

bool PosixBackend::CopyFileTo(std::string_view from, std::string_view to, bool failIfExists) {
  const std::string source = OsPath(from), target = OsPath(to);
  Fd in(::open(source.c_str(), O_RDONLY | O_CLOEXEC));
  struct stat sourceInfo, targetInfo;
  if (!in.Valid() || ::fstat(in.Get(), &sourceInfo) != 0) return FailWithErrno(source);
  if (S_ISDIR(sourceInfo.st_mode)) {
    SetLastError(kErrorAccessDenied);
    return false;
  }
  if (StatPath(target, targetInfo)) {
    if (failIfExists) {
      SetLastError(kErrorFileExists);
      return false;
    }
    // Truncating the target would destroy a source that is the same file.
    if (targetInfo.st_dev == sourceInfo.st_dev && targetInfo.st_ino == sourceInfo.st_ino) {
      SetLastError(kErrorSharingViolation);
      return false;
    }
  }
  const int mode = O_WRONLY | O_CREAT | O_CLOEXEC | (failIfExists ? O_EXCL : O_TRUNC);
  Fd out(::open(target.c_str(), mode, sourceInfo.st_mode & 0777));
  if (!out.Valid()) {
    if (errno == EEXIST) {
      SetLastError(kErrorFileExists);
      return false;
    }
    return FailWithErrno(target);
  }
  char buffer[65536];
  for (;;) {
    ssize_t n = ::read(in.Get(), buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return FailWithErrno({});
    if (n == 0) break;
    for (ssize_t done = 0; done < n;) {
      ssize_t w = ::write(out.Get(), buffer + done, static_cast<size_t>(n - done));
      if (w < 0 && errno == EINTR) continue;
      if (w <= 0) return FailWithErrno({});
      done += w;
    }
  }
  if (!out.Reset()) return FailWithErrno({});
  return true;
}

bool PosixBackend::RemoveFile(std::string_view path) {
  const std::string osPath = OsPath(path);
  return ::unlink(osPath.c_str()) == 0 || FailWithErrno(osPath);
}

bool PosixBackend::MoveFileReplace(std::string_view from, std::string_view to) {
  const std::string source = OsPath(from), target = OsPath(to);
  struct stat targetInfo;
  if (StatPath(target, targetInfo) && S_ISDIR(targetInfo.st_mode)) {
    SetLastError(kErrorAccessDenied);  // Windows never replaces a folder
    return false;
  }
  if (::rename(source.c_str(), target.c_str()) != 0) return FailWithErrno(source);
  SyncFolderOf(target);
  return true;
}

bool PosixBackend::SetAttributes(std::string_view path, uint32_t attributes) {
  // Only read-only has a meaning here: a hidden file is one whose name starts
  // with a dot, and there are no system or archive bits.
  const std::string osPath = OsPath(path);
  struct stat info;
  if (!StatPath(osPath, info)) return FailWithErrno(osPath);
  mode_t mode = info.st_mode & 07777;
  if (attributes & kAttrReadOnly)
    mode &= ~static_cast<mode_t>(S_IWUSR | S_IWGRP | S_IWOTH);
  else
    mode |= S_IWUSR;
  return ::chmod(osPath.c_str(), mode) == 0 || FailWithErrno(osPath);
}

bool PosixBackend::MakeDirectory(std::string_view path) {
  const std::string osPath = OsPath(path);
  return ::mkdir(osPath.c_str(), 0777) == 0 || FailWithErrno(osPath);
}

std::string PosixBackend::ProgramPath() {
  char buffer[4096];
  ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  return n > 0 ? std::string(buffer, static_cast<size_t>(n)) : std::string();
}

}  // namespace sys
