#include "sys/win32/Win32Backend.h"

#include "sys/MessageHandler.h"

#include <windows.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

namespace sys {

int Win32Backend::ShellFileOperation(unsigned op, uint16_t flags, std::string_view from,
                                     std::string_view to) {
  // The lists must end in an empty name whatever the caller passed.
  std::string source(from), target(to);
  source.append(2, '\0');
  target.append(2, '\0');
  SHFILEOPSTRUCTA operation{};
  operation.hwnd = nullptr;
  operation.wFunc = op;
  operation.pFrom = source.c_str();
  operation.pTo = target.c_str();
  operation.fFlags = flags;
  int result = ::SHFileOperationA(&operation);
  // A cancelled operation can report 0; it did not all happen.
  if (result == 0 && operation.fAnyOperationsAborted) result = ERROR_CANCELLED;
  return result;
}

bool Win32Backend::OpenUrl(std::string_view url) {
  // ShellExecute's result is an error code only when it is 32 or less.
  const HINSTANCE result = ::ShellExecuteA(nullptr, "open", std::string(url).c_str(), nullptr,
                                           nullptr, SW_SHOWNORMAL);
  return reinterpret_cast<INT_PTR>(result) > 32;
}

bool Win32Backend::ShowFileProperties(std::string_view path) {
  // The verb is the item's context menu's, a COM object.
  const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  struct ComScope {
    HRESULT result;
    ~ComScope() {
      if (SUCCEEDED(result)) ::CoUninitialize();
    }
  } scope{com};
  const std::string file(path);
  SHELLEXECUTEINFOA info{};
  info.cbSize = sizeof(info);
  info.fMask = SEE_MASK_INVOKEIDLIST;
  info.lpVerb = "properties";
  info.lpFile = file.c_str();
  info.nShow = SW_SHOW;
  return ::ShellExecuteExA(&info) != FALSE;
}

int Win32Backend::AddFont(std::string_view path) {
  return ::AddFontResourceA(std::string(path).c_str());
}

bool Win32Backend::RemoveFont(std::string_view path) {
  return ::RemoveFontResourceA(std::string(path).c_str()) != 0;
}

void Win32Backend::BroadcastFontChange() {
  // A hung window must not stop us: each gets a short while, then is skipped.
  DWORD_PTR result = 0;
  ::SendMessageTimeoutW(HWND_BROADCAST, WM_FONTCHANGE, 0, 0, SMTO_ABORTIFHUNG | SMTO_NORMAL, 200,
                        &result);
}

uint32_t Win32Backend::LastError() { return ::GetLastError(); }

void Win32Backend::SetLastError(uint32_t code) { ::SetLastError(code); }

std::string Win32Backend::ErrorMessage(uint32_t code) {
  char text[255];
  DWORD length = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, code, 0x0400, text, sizeof text, nullptr);
  return std::string(text, length);
}

int Win32Backend::CompareText(std::string_view a, std::string_view b) {
  // lstrcmpA's comparison, with lengths so that no copy needs a terminator.
  const int result = ::CompareStringA(LOCALE_USER_DEFAULT, 0, a.data(), static_cast<int>(a.size()),
                                      b.data(), static_cast<int>(b.size()));
  if (result != 0) return result - CSTR_EQUAL;
  return a.compare(b) < 0 ? -1 : a == b ? 0 : 1;
}

int Win32Backend::ShowMessageBox(std::wstring_view text, std::wstring_view caption, unsigned flags) {
  return ::MessageBoxW(nullptr, std::wstring(text).c_str(), std::wstring(caption).c_str(), flags);
}

bool Win32Backend::ShiftDown() { return ::GetKeyState(VK_SHIFT) < 0; }

void Win32Backend::ProcessMessages() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      // The main loop must still see it and end.
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    if (MessageHandler handler = CurrentMessageHandler()) {
      handler(&msg);
    } else {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
  }
}

std::string Win32Backend::LocalAppDataFolder() {
  char path[MAX_PATH] = {};
  if (FAILED(::SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
  std::string folder = path;
  if (!folder.empty() && folder.back() != '\\') folder += '\\';
  return folder;
}

std::string Win32Backend::ProgramPath() {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    DWORD length = ::GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    if (path.size() >= 32768) return {};
    path.resize(path.size() * 2);
  }
}

void Win32Backend::NotifyAssociationsChanged() {
  ::SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
}

int Win32Backend::PlatformId() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = 148;
  static_assert(sizeof(OSVERSIONINFOA) == 148);
  if (!::GetVersionExA(&info)) return -1;
  return static_cast<int>(info.dwPlatformId);
}

Backend& DefaultBackend() {
  static Win32Backend backend;
  return backend;
}

}  // namespace sys
