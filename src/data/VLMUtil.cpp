// Folders, the installed-font key, errors and shell file operations. Every
// answer is taken from the system afresh; registry trouble gives the default.
#include "data/VLMUtil.h"

#include "sys/codepage.h"
#include "sys/sys.h"

namespace {

constexpr int kPlatformWin32Nt = 2;
constexpr std::string_view kNtFontsKey = "\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
constexpr std::string_view kWinFontsKey = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Fonts";
constexpr size_t kRegNameLimit = 40;

// A string value of an existing key, or `fallback` on any failure.
std::string ReadRegString(sys::Hive hive, std::string_view key, std::string_view name,
                          std::string fallback) {
  auto k = sys::Current().OpenKey(hive, key, false);
  std::string value;
  if (k && k->ReadString(name, value)) return value;
  return fallback;
}

}  // namespace

bool IsWindowsNT() { return sys::Current().PlatformId() == kPlatformWin32Nt; }

std::string GetFontsFolder() {
  std::string folder = IsWindowsNT() ? "C:\\WinNT\\Fonts" : "C:\\Windows\\Fonts";
  return IncludeTrailingBackslash(
      ReadRegString(sys::Hive::CurrentUser, kShellFoldersKey, "Fonts", std::move(folder)));
}

std::string GetPersonalFolder() {
  return IncludeTrailingBackslash(
      ReadRegString(sys::Hive::CurrentUser, kShellFoldersKey, "Personal", "C:\\My Documents"));
}

std::string GetCollectionsFolder() {
  return IncludeTrailingBackslash(
      ReadRegString(sys::Hive::LocalMachine, kVelmaraKey, "Collections Folder", ""));
}

std::string GetFontsRegKey() {
  if (IsWindowsNT() && sys::Current().OpenKey(sys::Hive::LocalMachine, kNtFontsKey, false))
    return std::string(kNtFontsKey);
  return std::string(kWinFontsKey);
}

std::unique_ptr<sys::RegKey> OpenFontsRegKey() {
  // The probe that chooses the table opens the very key wanted: keep it.
  if (IsWindowsNT()) {
    if (auto key = sys::Current().OpenKey(sys::Hive::LocalMachine, kNtFontsKey, false)) return key;
  }
  return sys::Current().OpenKey(sys::Hive::LocalMachine, kWinFontsKey, false);
}

std::unique_ptr<sys::RegKey> OpenUserFontsRegKey(bool create) {
  return sys::Current().OpenKey(sys::Hive::CurrentUser, kNtFontsKey, create);
}

std::string FontRegValueName(std::string_view fontName) {
  // The limit counts bytes, but a double-byte character is never cut in two.
  size_t end = 0;
  const AnsiLeadBytes lead;
  while (end < fontName.size()) {
    size_t step = lead(fontName[end]) && end + 1 < fontName.size() ? 2 : 1;
    if (end + step > kRegNameLimit) break;
    end += step;
  }
  std::string name(fontName.substr(0, end));
  name += " (TrueType)";
  return name;
}

bool FontRegNameMayBeCut(std::string_view name) {
  // A double-byte character straddling the limit is left out whole, which
  // leaves a name one byte short of it.
  return name.size() >= kRegNameLimit ||
         (name.size() + 1 == kRegNameLimit && AnsiLeadBytes().DoubleByte());
}

std::string SysErrorText() {
  sys::Backend& backend = sys::Current();
  uint32_t code = backend.LastError() & 0xFFFF;
  if (code == 0) return {};
  return Trim("(" + std::to_string(code) + ") " + backend.ErrorMessage(code));
}

void ShowError(std::wstring_view message, bool withSysError) {
  std::wstring text(message);
  if (withSysError) {
    text += L"\r\n";
    text += sys::Widen(SysErrorText());
  }
  sys::Current().ShowMessageBox(text, L"Error", sys::kMbIconStop | sys::kMbTaskModal);
}

bool Confirm(std::wstring_view question) {
  return sys::Current().ShowMessageBox(question, L"确认        ",
                                       sys::kMbYesNo | sys::kMbIconQuestion | sys::kMbDefButton2 |
                                           sys::kMbTaskModal) == sys::kIdYes;
}

int ShellFileOp(unsigned op, uint16_t flags, std::string_view source, std::string_view dest) {
  if (Trim(source).empty()) return 0;
  // The shell takes lists of NUL-ended names closed by an empty name.
  std::string from(source);
  from.append(2, '\0');
  std::string to(dest);
  to.append(2, '\0');
  return sys::Current().ShellFileOperation(op, flags, from, to);
}

int ShellFileOpList(unsigned op, uint16_t flags, const std::vector<std::string>& sources,
                    std::string_view dest) {
  if (sources.empty()) return 0;
  std::string joined;
  for (const std::string& s : sources) {
    joined += s;
    joined += '\0';
  }
  return ShellFileOp(op, flags, joined, dest);
}
