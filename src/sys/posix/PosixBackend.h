// The native backend: real files by their Linux paths ("\" turned into "/"),
// names matched without regard to case; the registry and the rest of the
// Windows services stay in memory, as the memory backend keeps them.
#pragma once

#include "sys/memory/MemoryBackend.h"

namespace sys {

// errno as the Windows error code that means the same.
uint32_t WindowsErrorFromErrno(int error);
std::string OsPath(std::string_view path);

class PosixBackend : public MemoryBackend {
 public:
  bool FileExists(std::string_view path) override;
  bool DirectoryExists(std::string_view path) override;
  bool FindFiles(std::string_view pattern, std::vector<FindEntry>& entries) override;
  bool FindNames(std::string_view pattern, std::vector<FindEntry>& entries) override;
  std::unique_ptr<InFile> OpenRead(std::string_view path) override;
  std::unique_ptr<OutFile> CreateWrite(std::string_view path) override;
  std::unique_ptr<OutFile> CreateNew(std::string_view path) override;
  bool CopyFileTo(std::string_view from, std::string_view to, bool failIfExists) override;
  bool RemoveFile(std::string_view path) override;
  bool MoveFileReplace(std::string_view from, std::string_view to) override;
  bool SetAttributes(std::string_view path, uint32_t attributes) override;
  bool MakeDirectory(std::string_view path) override;
  std::vector<std::string> LogicalDrives() override { return {"/"}; }
  int ShellFileOperation(unsigned op, uint16_t flags, std::string_view from,
                         std::string_view to) override;
  // There is no printing here: every job fails with kErrorNoPrinter.
  std::unique_ptr<PrintJob> StartPrintJob(std::wstring_view title) override;
  std::string ProgramPath() override;

 private:
  bool FailWithErrno(const std::string& osPath);
  // `mode`: O_TRUNC or O_EXCL.
  std::unique_ptr<OutFile> Create(std::string_view path, int mode);
  bool Find(std::string_view pattern, std::vector<FindEntry>& entries, bool details);
};

}  // namespace sys
