// The product's backend: thin calls of the Windows API.
#pragma once

#include "sys/sys.h"

namespace sys {

class Win32Backend : public Backend {
 public:
  std::unique_ptr<RegKey> OpenKey(Hive hive, std::string_view path, bool create) override;
  bool DeleteKey(Hive hive, std::string_view path) override;
  bool FileExists(std::string_view path) override;
  bool DirectoryExists(std::string_view path) override;
  bool FindFiles(std::string_view pattern, std::vector<FindEntry>& entries) override;
  std::unique_ptr<InFile> OpenRead(std::string_view path) override;
  std::unique_ptr<OutFile> CreateWrite(std::string_view path) override;
  std::unique_ptr<OutFile> CreateNew(std::string_view path) override;
  bool CopyFileTo(std::string_view from, std::string_view to, bool failIfExists) override;
  bool RemoveFile(std::string_view path) override;
  bool MoveFileReplace(std::string_view from, std::string_view to) override;
  bool SetAttributes(std::string_view path, uint32_t attributes) override;
  bool MakeDirectory(std::string_view path) override;
  std::vector<std::string> LogicalDrives() override;
  int ShellFileOperation(unsigned op, uint16_t flags, std::string_view from,
                         std::string_view to) override;
  bool OpenUrl(std::string_view url) override;
  bool ShowFileProperties(std::string_view path) override;
  HelpResult ShowHelp(std::string_view file, std::string_view window, uint32_t context) override;
  void CloseHelp() override;
  bool SetClipboardFiles(const std::vector<std::string>& names) override;
  bool GetClipboardFiles(DroppedFiles& dropped) override;
  bool ClipboardHasFiles() override;
  bool ClipboardHasText() override;
  bool SetClipboardUnicodeText(std::u16string_view text) override;
  int AddFont(std::string_view path) override;
  bool RemoveFont(std::string_view path) override;
  void BroadcastFontChange() override;
  std::unique_ptr<PrintJob> StartPrintJob(std::wstring_view title) override;
  uint32_t LastError() override;
  void SetLastError(uint32_t code) override;
  std::string ErrorMessage(uint32_t code) override;
  int CompareText(std::string_view a, std::string_view b) override;
  int ShowMessageBox(std::wstring_view text, std::wstring_view caption, unsigned flags) override;
  bool ShiftDown() override;
  void ProcessMessages() override;
  std::string ProgramPath() override;
  std::string LocalAppDataFolder() override;
  void NotifyAssociationsChanged() override;
  int PlatformId() override;
};

}  // namespace sys
