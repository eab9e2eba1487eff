// Font files on the clipboard as the shell's dropped-file list.
#include <windows.h>
#include <shellapi.h>

#include <cstring>

#include "sys/DropFiles.h"
#include "sys/win32/Win32Backend.h"
#include "sys/win32/Win32Handles.h"

namespace sys {

namespace {

struct GlobalTraits {
  using Handle = HGLOBAL;
  static Handle Invalid() { return nullptr; }
  static bool Close(Handle h) { return ::GlobalFree(h) == nullptr; }
};

// The clipboard is open for as long as this lives.
class ClipboardScope {
 public:
  ClipboardScope() : open_(::OpenClipboard(nullptr) != FALSE) {}
  ~ClipboardScope() {
    if (open_) ::CloseClipboard();
  }
  ClipboardScope(const ClipboardScope&) = delete;
  ClipboardScope& operator=(const ClipboardScope&) = delete;
  bool Open() const { return open_; }

 private:
  bool open_;
};

}  // namespace

DroppedFiles ReadDropHandle(void* handle) {
  const auto drop = static_cast<HDROP>(handle);
  DroppedFiles dropped;
  POINT pt{0, 0};
  ::DragQueryPoint(drop, &pt);
  dropped.x = pt.x;
  dropped.y = pt.y;
  const UINT count = ::DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    // Zeroed and ended here: a name too long for the buffer may come back unended.
    char name[kMaxDropName + 1] = {};
    ::DragQueryFileA(drop, i, name, sizeof(name));
    dropped.names.emplace_back(name, strnlen(name, kMaxDropName));
  }
  return dropped;
}

bool Win32Backend::SetClipboardFiles(const std::vector<std::string>& names) {
  const std::string block = MakeDropFiles(names);
  UniqueHandle<GlobalTraits> memory(::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, block.size()));
  if (!memory) return false;
  void* bytes = ::GlobalLock(memory.Get());
  if (!bytes) return false;
  std::memcpy(bytes, block.data(), block.size());
  ::GlobalUnlock(memory.Get());

  const ClipboardScope clipboard;
  if (!clipboard.Open() || !::EmptyClipboard()) return false;
  if (!::SetClipboardData(CF_HDROP, memory.Get())) return false;
  memory.Release();  // the system's now
  return true;
}

bool Win32Backend::GetClipboardFiles(DroppedFiles& dropped) {
  dropped = {};
  const ClipboardScope clipboard;
  if (!clipboard.Open()) return false;
  HANDLE drop = ::GetClipboardData(CF_HDROP);
  if (!drop) return false;
  dropped = ReadDropHandle(drop);
  return true;
}

bool Win32Backend::ClipboardHasFiles() { return ::IsClipboardFormatAvailable(CF_HDROP) != FALSE; }

bool Win32Backend::ClipboardHasText() { return ::IsClipboardFormatAvailable(CF_TEXT) != FALSE; }

}  // namespace sys
