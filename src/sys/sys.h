// The platform layer: every call the program makes of the operating system goes
// through the backend installed here. Production code never names a backend.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "sys/Print.h"

namespace sys {

// Windows error codes the program itself sets or tests.
enum : uint32_t {
  kErrorSuccess = 0,
  kErrorFileNotFound = 2,
  kErrorPathNotFound = 3,
  kErrorAccessDenied = 5,
  kErrorInvalidHandle = 6,
  kErrorInvalidData = 13,
  kErrorSeek = 25,
  kErrorWriteFault = 29,
  kErrorReadFault = 30,
  kErrorSharingViolation = 32,
  kErrorHandleEof = 38,
  kErrorFileExists = 80,
  kErrorInvalidParameter = 87,
  kErrorDiskFull = 112,
  kErrorAlreadyExists = 183,
  kErrorMoreData = 234,
  kErrorNoMoreItems = 259,
};

// Registry value types, numbered as Windows numbers them.
enum : uint32_t {
  kRegNone = 0,
  kRegSz = 1,
  kRegExpandSz = 2,
  kRegBinary = 3,
  kRegDword = 4,
  kRegMultiSz = 7,
};

// File attributes, numbered as Windows numbers them.
enum : uint32_t {
  kAttrReadOnly = 0x01,
  kAttrHidden = 0x02,
  kAttrSystem = 0x04,
  kAttrDirectory = 0x10,
  kAttrArchive = 0x20,
  kAttrNormal = 0x80,
};

// Shell file operations and their flags (SHFileOperation).
enum ShellOp : unsigned { kFoMove = 1, kFoCopy = 2, kFoDelete = 3, kFoRename = 4 };
enum : uint16_t {
  kFofMultiDestFiles = 0x0001,
  kFofSilent = 0x0004,
  kFofRenameOnCollision = 0x0008,
  kFofNoConfirmation = 0x0010,
  kFofAllowUndo = 0x0040,
  kFofFilesOnly = 0x0080,
  kFofNoConfirmMkdir = 0x0200,
  kFofNoErrorUi = 0x0400,
};

// Message box flags and answers (MessageBox).
enum : unsigned {
  kMbOk = 0x0000,
  kMbOkCancel = 0x0001,
  kMbYesNoCancel = 0x0003,
  kMbYesNo = 0x0004,
  kMbIconStop = 0x0010,
  kMbIconQuestion = 0x0020,
  kMbIconWarning = 0x0030,
  kMbIconInformation = 0x0040,
  kMbDefButton2 = 0x0100,
  kMbTaskModal = 0x2000,
};
enum : int { kIdOk = 1, kIdCancel = 2, kIdYes = 6, kIdNo = 7 };

// What opening the manual came to. The viewer is the system's HTML Help,
// a library loaded when first asked for, so that the program also starts
// where it is absent.
enum class HelpResult {
  Shown,
  NoManual,  // the manual's file is not there
  NoViewer,  // the viewer's library (kHelpViewerLibrary) is not there
  NoTopic,   // the manual has no topic for the context, or the viewer refused
};
inline constexpr char kHelpViewerLibrary[] = "hhctrl.ocx";

enum class Hive { LocalMachine, CurrentUser, ClassesRoot };

struct RegValueInfo {
  std::string name;
  uint32_t type = kRegNone;
  // A string value's text, as ReadString gives it; empty for other types.
  // Listed with the name, it spares a look-up per value.
  std::string text;
};

// An open registry key. Closing happens when the object goes.
class RegKey {
 public:
  virtual ~RegKey() = default;
  RegKey(const RegKey&) = delete;
  RegKey& operator=(const RegKey&) = delete;

  virtual bool ValueExists(std::string_view name) = 0;
  // False when the value is missing or not a string (REG_SZ or REG_EXPAND_SZ).
  virtual bool ReadString(std::string_view name, std::string& value) = 0;
  virtual bool WriteString(std::string_view name, std::string_view value) = 0;
  virtual bool DeleteValue(std::string_view name) = 0;
  // Every value with its type. On failure `values` holds what was read so far.
  virtual bool ListValues(std::vector<RegValueInfo>& values) = 0;
  virtual bool ListSubkeys(std::vector<std::string>& names) = 0;
  // Deletes a subkey with everything below it.
  virtual bool DeleteSubkey(std::string_view name) = 0;

 protected:
  RegKey() = default;
};

struct FindEntry {
  std::string name;
  uint32_t attributes = 0;
  uint64_t size = 0;
  bool IsDirectory() const { return (attributes & kAttrDirectory) != 0; }
};

// The names of a dropped-file list in its order, with the point it stores
// (client coordinates of the window dropped on; (0, 0) when none was meant).
struct DroppedFiles {
  std::vector<std::string> names;
  int x = 0;
  int y = 0;
};

// A file open for reading at any position.
class InFile {
 public:
  virtual ~InFile() = default;
  InFile(const InFile&) = delete;
  InFile& operator=(const InFile&) = delete;
  // Reads up to `size` bytes at `pos`; `got` is less than `size` at the end of
  // the file (0 past it). False only when the system refused the read. One
  // thread at a time: a read may move the file's position.
  virtual bool ReadAt(uint64_t pos, void* buffer, size_t size, size_t& got) = 0;

 protected:
  InFile() = default;
};

// A file created (or truncated) for writing from its start.
class OutFile {
 public:
  virtual ~OutFile() = default;
  OutFile(const OutFile&) = delete;
  OutFile& operator=(const OutFile&) = delete;
  virtual bool Write(std::string_view data) = 0;
  // Flushes to the disk; false when any earlier write or the flush failed.
  virtual bool Close() = 0;

 protected:
  OutFile() = default;
};

// The operations of one backend. All strings are ANSI code-page text except
// the message box's, which are the interface's own wide texts.
class Backend {
 public:
  virtual ~Backend() = default;

  // Registry. Paths may start with "\"; they are relative to the hive.
  virtual std::unique_ptr<RegKey> OpenKey(Hive hive, std::string_view path, bool create) = 0;
  virtual bool DeleteKey(Hive hive, std::string_view path) = 0;

  // Files.
  virtual bool FileExists(std::string_view path) = 0;
  virtual bool DirectoryExists(std::string_view path) = 0;
  // Entries matching a pattern ("C:\X\*.TTF"), hidden, system and read-only
  // included, without regard to case. No match is success with no entries.
  virtual bool FindFiles(std::string_view pattern, std::vector<FindEntry>& entries) = 0;
  // The same entries, of which only the names and the folder and reparse-point
  // attributes are sure: where the system lists bare names (Linux), the size
  // and the other attributes cost a call per entry, and a scan wants neither.
  virtual bool FindNames(std::string_view pattern, std::vector<FindEntry>& entries) {
    return FindFiles(pattern, entries);
  }
  virtual std::unique_ptr<InFile> OpenRead(std::string_view path) = 0;
  virtual std::unique_ptr<OutFile> CreateWrite(std::string_view path) = 0;
  // Creates a file only where there is none: whatever stands at the path,
  // even one made a moment ago by someone else, is left untouched and the
  // call fails with error 80 (ERROR_FILE_EXISTS).
  virtual std::unique_ptr<OutFile> CreateNew(std::string_view path) = 0;
  virtual bool CopyFileTo(std::string_view from, std::string_view to, bool failIfExists) = 0;
  virtual bool RemoveFile(std::string_view path) = 0;
  // Replaces `to` if it exists, written through to the disk.
  virtual bool MoveFileReplace(std::string_view from, std::string_view to) = 0;
  // Sets a file's read-only, hidden, system and archive attributes (kAttr...).
  virtual bool SetAttributes(std::string_view path, uint32_t attributes) = 0;
  virtual bool MakeDirectory(std::string_view path) = 0;
  // Drive roots such as "C:\".
  virtual std::vector<std::string> LogicalDrives() = 0;

  // Shell file operations. `from` and `to` are lists of names each ended by
  // NUL, the list ended by an empty name. Result 0 is success.
  virtual int ShellFileOperation(unsigned op, uint16_t flags, std::string_view from,
                                 std::string_view to) = 0;
  // Opens an address with the program the shell has for it. The caller
  // decides which addresses may be opened at all.
  virtual bool OpenUrl(std::string_view url) = 0;

  // The shell's properties sheet of a file; false when the shell refused.
  virtual bool ShowFileProperties(std::string_view path) = 0;

  // Opens the compiled manual `file` in its viewer window `window` (a window
  // type the manual defines; one viewer, reused by later calls) at the topic
  // its context map ties to `context`, or at its contents when `context` is
  // 0. The viewer belongs to the top window the user is in (the one that owns
  // a dialog), so it closes with that window and stays when a dialog goes.
  virtual HelpResult ShowHelp(std::string_view file, std::string_view window, uint32_t context) = 0;
  // Closes every viewer this process opened.
  virtual void CloseHelp() = 0;

  // The clipboard. Font files travel on it as a dropped-file list (CF_HDROP).
  // Replaces everything the clipboard holds with the list of the names (full
  // ANSI file names); false when the clipboard could not be opened or did not
  // take the list, which then is not there.
  virtual bool SetClipboardFiles(const std::vector<std::string>& names) = 0;
  // The clipboard's dropped-file list, ANSI or wide, each name cut to 258
  // characters; false when it holds none.
  virtual bool GetClipboardFiles(DroppedFiles& dropped) = 0;
  virtual bool ClipboardHasFiles() = 0;
  // Text in any of the forms the system turns into ANSI text (CF_TEXT).
  virtual bool ClipboardHasText() = 0;
  // Replaces everything the clipboard holds with the text as Unicode text
  // (CF_UNICODETEXT), from which the system makes the other text forms.
  virtual bool SetClipboardUnicodeText(std::u16string_view text) = 0;

  // Font resources.
  virtual int AddFont(std::string_view path) = 0;
  virtual bool RemoveFont(std::string_view path) = 0;
  virtual void BroadcastFontChange() = 0;

  // Printing. A job on the default printer, named `title` in the printer's
  // queue, without asking the user anything; null with LastError set when
  // there is no printer or it refused the job.
  virtual std::unique_ptr<PrintJob> StartPrintJob(std::wstring_view title) = 0;

  // Errors.
  virtual uint32_t LastError() = 0;
  virtual void SetLastError(uint32_t code) = 0;
  // The system's message text for an error code, as the system words it
  // (with the line break FormatMessage ends it with); empty when unknown.
  virtual std::string ErrorMessage(uint32_t code) = 0;

  // Orders two strings as the system's locale-aware, case-sensitive comparison
  // of the user's locale does: negative, 0 or positive.
  virtual int CompareText(std::string_view a, std::string_view b) = 0;

  // User interaction and process.
  virtual int ShowMessageBox(std::wstring_view text, std::wstring_view caption, unsigned flags) = 0;
  virtual bool ShiftDown() = 0;
  virtual void ProcessMessages() = 0;
  virtual std::string ProgramPath() = 0;
  // The current user's local application data folder, ending in "\"; empty
  // when the system has none.
  virtual std::string LocalAppDataFolder() = 0;
  // Tells the shell that file types were registered or changed, so that
  // open windows show the new icons and commands.
  virtual void NotifyAssociationsChanged() = 0;
  // GetVersionEx's platform id (2 on the NT family), or -1 when it fails.
  virtual int PlatformId() = 0;
};

// The process-wide current backend.
Backend& Current();

// Installs a backend for as long as the guard lives (tests).
class ScopedBackend {
 public:
  explicit ScopedBackend(Backend& backend);
  ~ScopedBackend();
  ScopedBackend(const ScopedBackend&) = delete;
  ScopedBackend& operator=(const ScopedBackend&) = delete;

 private:
  Backend* previous_;
};

// The product's backend for this platform: win32 on Windows, posix elsewhere.
Backend& DefaultBackend();

}  // namespace sys
