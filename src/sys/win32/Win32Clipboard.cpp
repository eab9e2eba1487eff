// Font files on the clipboard as the shell's dropped-file list.
#include <windows.h>

#include <cstring>
#include <string_view>

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

bool ReadDropHandle(void* handle, DroppedFiles& dropped) {
  dropped = {};
  // Another program made the block: its size is the system's, not its own word.
  const auto memory = static_cast<HGLOBAL>(handle);
  const SIZE_T size = ::GlobalSize(memory);
  const void* bytes = size != 0 ? ::GlobalLock(memory) : nullptr;
  if (!bytes) return false;
  const bool read = ParseDropFiles(std::string_view(static_cast<const char*>(bytes), size), dropped);
  ::GlobalUnlock(memory);
  return read;
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
  return drop && ReadDropHandle(drop, dropped);
}

bool Win32Backend::ClipboardHasFiles() { return ::IsClipboardFormatAvailable(CF_HDROP) != FALSE; }

bool Win32Backend::SetClipboardUnicodeText(std::u16string_view text) {
  const size_t bytes = (text.size() + 1) * sizeof(char16_t);
  UniqueHandle<GlobalTraits> memory(::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes));
  if (!memory) return false;
  void* block = ::GlobalLock(memory.Get());
  if (!block) return false;
  std::memcpy(block, text.data(), text.size() * sizeof(char16_t));  // the zero is there already
  ::GlobalUnlock(memory.Get());

  const ClipboardScope clipboard;
  if (!clipboard.Open() || !::EmptyClipboard()) return false;
  if (!::SetClipboardData(CF_UNICODETEXT, memory.Get())) return false;
  memory.Release();  // the system's now
  return true;
}

bool Win32Backend::ClipboardHasText() { return ::IsClipboardFormatAvailable(CF_TEXT) != FALSE; }

}  // namespace sys
