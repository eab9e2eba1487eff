#include <climits>

#include "sys/PathText.h"
#include "sys/win32/Win32Backend.h"
#include "sys/win32/Win32Handles.h"

namespace sys {

namespace {
using win32::FileHandle;
using win32::FindHandle;

class Win32InFile : public InFile {
 public:
  explicit Win32InFile(FileHandle file) : file_(std::move(file)) {}

  bool ReadAt(uint64_t pos, void* buffer, size_t size, size_t& got) override {
    got = 0;
    // A seek and a plain read: a read at a position given in an OVERLAPPED
    // also reports its completion, which under Wine is a round trip to the
    // server per read.
    LARGE_INTEGER at{};
    at.QuadPart = static_cast<LONGLONG>(pos);
    if (!::SetFilePointerEx(file_.Get(), at, nullptr, FILE_BEGIN)) return false;
    const DWORD wanted = size > INT_MAX ? INT_MAX : static_cast<DWORD>(size);
    DWORD read = 0;
    if (!::ReadFile(file_.Get(), buffer, wanted, &read, nullptr)) {
      // Reading past the end is not an error; it just gives nothing.
      return ::GetLastError() == ERROR_HANDLE_EOF;
    }
    got = read;
    return true;
  }

 private:
  FileHandle file_;
};

class Win32OutFile : public OutFile {
 public:
  explicit Win32OutFile(FileHandle file) : file_(std::move(file)) {}

  bool Write(std::string_view data) override {
    if (!file_.Valid() || failed_) {
      ::SetLastError(failed_ ? ERROR_WRITE_FAULT : ERROR_INVALID_HANDLE);
      return false;
    }
    while (!data.empty()) {
      const DWORD chunk = data.size() > (1u << 30) ? (1u << 30) : static_cast<DWORD>(data.size());
      DWORD written = 0;
      if (!::WriteFile(file_.Get(), data.data(), chunk, &written, nullptr) || written == 0) {
        failed_ = true;
        return false;
      }
      data.remove_prefix(written);
    }
    return true;
  }

  bool Close() override {
    if (!file_.Valid()) return !failed_;
    if (!::FlushFileBuffers(file_.Get())) failed_ = true;
    DWORD error = ::GetLastError();
    if (!file_.Reset()) failed_ = true;
    else if (failed_) ::SetLastError(error);
    return !failed_;
  }

 private:
  FileHandle file_;
  bool failed_ = false;
};

DWORD Attributes(std::string_view path) { return ::GetFileAttributesA(std::string(path).c_str()); }

std::unique_ptr<OutFile> Create(std::string_view path, DWORD disposition) {
  FileHandle file(::CreateFileA(std::string(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                disposition, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) return nullptr;
  return std::make_unique<Win32OutFile>(std::move(file));
}
}  // namespace

bool Win32Backend::FileExists(std::string_view path) {
  DWORD attributes = Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32Backend::DirectoryExists(std::string_view path) {
  DWORD attributes = Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32Backend::FindFiles(std::string_view pattern, std::vector<FindEntry>& entries) {
  entries.clear();
  std::string_view folder, namePattern;
  SplitPath(pattern, folder, namePattern);
  WIN32_FIND_DATAA data;
  // The short names are never used: Windows lists faster without them, and
  // in larger batches.
  FindHandle find(::FindFirstFileExA(std::string(pattern).c_str(), FindExInfoBasic, &data,
                                     FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
  if (!find.Valid()) {
    DWORD error = ::GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES;
  }
  do {
    std::string_view name = data.cFileName;
    if (name == "." || name == "..") continue;
    // Short 8.3 names match more than the pattern says ("*.TTF" finds
    // "A.TTFX" through "A~1.TTF"); only the long name counts.
    if (HasWildcard(namePattern) && !MatchWildcard(namePattern, name)) continue;
    entries.push_back({std::string(name), data.dwFileAttributes,
                       (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow});
  } while (::FindNextFileA(find.Get(), &data));
  DWORD error = ::GetLastError();
  if (error != ERROR_NO_MORE_FILES) return false;
  return true;
}

std::unique_ptr<InFile> Win32Backend::OpenRead(std::string_view path) {
  FileHandle file(::CreateFileA(std::string(path).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) return nullptr;
  return std::make_unique<Win32InFile>(std::move(file));
}

std::unique_ptr<OutFile> Win32Backend::CreateWrite(std::string_view path) {
  return Create(path, CREATE_ALWAYS);
}

std::unique_ptr<OutFile> Win32Backend::CreateNew(std::string_view path) {
  return Create(path, CREATE_NEW);
}

bool Win32Backend::CopyFileTo(std::string_view from, std::string_view to, bool failIfExists) {
  return ::CopyFileA(std::string(from).c_str(), std::string(to).c_str(), failIfExists) != 0;
}

bool Win32Backend::RemoveFile(std::string_view path) {
  return ::DeleteFileA(std::string(path).c_str()) != 0;
}

bool Win32Backend::MoveFileReplace(std::string_view from, std::string_view to) {
  return ::MoveFileExA(std::string(from).c_str(), std::string(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool Win32Backend::SetAttributes(std::string_view path, uint32_t attributes) {
  return ::SetFileAttributesA(std::string(path).c_str(),
                              attributes ? attributes : FILE_ATTRIBUTE_NORMAL) != 0;
}

bool Win32Backend::MakeDirectory(std::string_view path) {
  return ::CreateDirectoryA(std::string(path).c_str(), nullptr) != 0;
}

std::vector<std::string> Win32Backend::LogicalDrives() {
  std::vector<std::string> drives;
  const DWORD mask = ::GetLogicalDrives();
  for (int letter = 0; letter < 26; ++letter)
    if (mask & (1u << letter)) drives.push_back(std::string(1, static_cast<char>('A' + letter)) + ":\\");
  return drives;
}

}  // namespace sys
