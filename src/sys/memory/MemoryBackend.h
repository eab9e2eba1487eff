// An in-memory registry and file system with case-insensitive backslash paths,
// fault injection and recording. Tests install it with sys::ScopedBackend.
#pragma once

#include <atomic>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "sys/memory/MemoryPrinter.h"
#include "sys/sys.h"

namespace sys {

class MemoryBackend : public Backend {
 public:
  MemoryBackend();
  ~MemoryBackend() override;

  // ---- Setting up the world -------------------------------------------------
  // Parent folders are created as needed.
  void AddFile(std::string_view path, std::string_view content, uint32_t attributes = kAttrArchive);
  void AddDirectory(std::string_view path);
  bool HasFile(std::string_view path) const;
  std::string FileContent(std::string_view path) const;  // empty when missing
  std::vector<std::string> FilesIn(std::string_view folder) const;  // full paths, sorted
  // Creates the key as needed.
  void SetValue(Hive hive, std::string_view key, std::string_view name, std::string_view data,
                uint32_t type = kRegSz);
  bool GetValue(Hive hive, std::string_view key, std::string_view name, std::string& data) const;
  bool KeyExists(Hive hive, std::string_view key) const;
  void SetPlatformId(int id) { platformId_ = id; }
  void SetProgramPath(std::string path) { programPath_ = std::move(path); }
  void SetLocalAppDataFolder(std::string folder) { localAppData_ = std::move(folder); }
  void SetShiftDown(bool down) { shiftDown_ = down; }
  void SetDrives(std::vector<std::string> drives) { drives_ = std::move(drives); }
  // The clipboard: one block of bytes per format (15 CF_HDROP, 1 CF_TEXT...).
  // Putting adds a format as another program would; clearing empties it.
  void PutClipboard(uint32_t format, std::string bytes);
  void ClearClipboard();
  std::string ClipboardData(uint32_t format) const;  // empty when absent

  // ---- Faults ---------------------------------------------------------------
  void FailKey(Hive hive, std::string_view key);  // will not open or be created
  void DenyHive(Hive hive);                        // access denied for every key
  void FailListValues(Hive hive, std::string_view key, size_t afterCount);
  void FailFind(std::string_view folder);          // listing the folder fails
  void FailReadAfter(std::string_view path, uint64_t bytes);
  void RefuseSeek(std::string_view path);          // reads at a position other than 0 fail
  void FailWrite(std::string_view path, uint64_t afterBytes = 0);
  void FailWritesIn(std::string_view folder);      // every file written in the folder fails
  void LockFile(std::string_view path);            // opens fail with a sharing violation
  void FailMove(std::string_view toPath);          // MoveFileReplace onto this path fails
  void FailShellOps(int result);                   // every later shell operation returns this
  void FailAddFont(std::string_view path);         // refused as holding no font (last error 13)
  void FailClipboard();                            // opening the clipboard fails
  void FailRemoveFont(std::string_view path);
  void LackHelpViewer();                           // the manual's viewer is not installed

  // ---- Recording ------------------------------------------------------------
  struct ShellOpRecord {
    unsigned op = 0;
    uint16_t flags = 0;
    std::vector<std::string> from;
    std::vector<std::string> to;
    int result = 0;
  };
  struct HelpRecord {
    std::string file;
    std::string window;
    uint32_t context = 0;  // 0: the contents
  };
  struct MessageRecord {
    std::wstring text;
    std::wstring caption;
    unsigned flags = 0;
  };
  const std::vector<ShellOpRecord>& ShellOps() const { return shellOps_; }
  const std::vector<std::string>& UrlsOpened() const { return urlsOpened_; }
  const std::vector<std::string>& PropertiesShown() const { return propertiesShown_; }
  // Every request to show the manual, answered or not.
  const std::vector<HelpRecord>& HelpShown() const { return helpShown_; }
  int HelpCloses() const { return helpCloses_; }
  const std::vector<std::string>& RecycleBin() const { return recycleBin_; }  // paths deleted with undo
  const std::vector<std::string>& FontsAdded() const { return fontsAdded_; }
  const std::vector<std::string>& FontsRemoved() const { return fontsRemoved_; }
  // Net resource count per upper-cased path, as the system keeps it.
  int FontResourceCount(std::string_view path) const;
  int Broadcasts() const { return broadcasts_; }
  int AssociationNotices() const { return associationNotices_; }
  // The default printer: its jobs' calls, its faults.
  MemoryPrinter& Printer() { return printer_; }
  const MemoryPrinter& Printer() const { return printer_; }
  const std::vector<MessageRecord>& Messages() const { return messages_; }
  void ClearMessages() { messages_.clear(); }
  // Answers for the next message boxes, in order; then kIdOk.
  void QueueAnswer(int answer) { answers_.push_back(answer); }
  // Called by ProcessMessages (re-entrancy tests).
  std::function<void()> onProcessMessages;
  // Called while a message box is up, as a modal box lets window messages run.
  std::function<void()> onMessageBox;
  // Called as a shell operation starts, as the shell's progress window lets
  // window messages run.
  std::function<void()> onShellOp;
  int ProcessMessagesCalls() const { return processMessagesCalls_; }
  // File system calls made (opens, reads, closes), for the reader's economy.
  int Opens() const { return opens_; }
  int Reads() const { return reads_; }

  // ---- Backend --------------------------------------------------------------
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
  // Recorded; there is no viewer. A manual missing from the file system
  // fails as it would, any topic of one that is there is found.
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
  // Without the system's tables: letters without regard to case, a tie broken
  // with lower case first, as the system's word sort orders ASCII text.
  int CompareText(std::string_view a, std::string_view b) override;
  int ShowMessageBox(std::wstring_view text, std::wstring_view caption, unsigned flags) override;
  bool ShiftDown() override { return shiftDown_; }
  void ProcessMessages() override;
  std::string ProgramPath() override { return programPath_; }
  std::string LocalAppDataFolder() override { return localAppData_; }
  void NotifyAssociationsChanged() override;
  int PlatformId() override { return platformId_; }

 protected:
  // For derived backends that perform shell operations themselves.
  void RecordShellOp(ShellOpRecord record);

 private:
  friend class MemoryRegKey;
  friend class MemoryInFile;
  friend class MemoryOutFile;
  struct Impl;
  std::unique_ptr<OutFile> Create(std::string_view path, bool exclusive);
  std::unique_ptr<Impl> impl_;
  int platformId_ = 2;
  std::string programPath_ = "C:\\Program Files\\Velmara\\velmara.exe";
  std::string localAppData_ = "C:\\Users\\User\\AppData\\Local\\";
  bool shiftDown_ = false;
  std::vector<std::string> drives_{"C:\\"};
  std::vector<ShellOpRecord> shellOps_;
  std::vector<std::string> recycleBin_;
  std::vector<std::string> urlsOpened_;
  std::vector<std::string> propertiesShown_;
  std::vector<HelpRecord> helpShown_;
  int helpCloses_ = 0;
  bool helpViewerMissing_ = false;
  std::map<uint32_t, std::string> clipboard_;
  bool clipboardFails_ = false;
  std::vector<std::string> fontsAdded_;
  std::vector<std::string> fontsRemoved_;
  int broadcasts_ = 0;
  int associationNotices_ = 0;
  MemoryPrinter printer_;
  std::vector<MessageRecord> messages_;
  std::vector<int> answers_;
  int processMessagesCalls_ = 0;
  // Counted by reader threads too, read by the test meanwhile.
  std::atomic<int> opens_{0};
  std::atomic<int> reads_{0};
};

}  // namespace sys
