// The clipboard in memory: one block per format, as the system keeps it.
#include "sys/DropFiles.h"
#include "sys/memory/MemoryState.h"

namespace sys {

namespace {
enum : uint32_t { kCfText = 1, kCfOemText = 7, kCfHDrop = 15, kCfUnicodeText = 13 };
}  // namespace

void MemoryBackend::PutClipboard(uint32_t format, std::string bytes) {
  std::lock_guard lock(impl_->mutex);
  clipboard_[format] = std::move(bytes);
}

void MemoryBackend::ClearClipboard() {
  std::lock_guard lock(impl_->mutex);
  clipboard_.clear();
}

std::string MemoryBackend::ClipboardData(uint32_t format) const {
  std::lock_guard lock(impl_->mutex);
  const auto found = clipboard_.find(format);
  return found == clipboard_.end() ? std::string() : found->second;
}

void MemoryBackend::FailClipboard() {
  std::lock_guard lock(impl_->mutex);
  clipboardFails_ = true;
}

bool MemoryBackend::SetClipboardFiles(const std::vector<std::string>& names) {
  std::lock_guard lock(impl_->mutex);
  if (clipboardFails_) return false;
  clipboard_.clear();
  clipboard_[kCfHDrop] = MakeDropFiles(names);
  return true;
}

bool MemoryBackend::GetClipboardFiles(DroppedFiles& dropped) {
  dropped = {};
  std::lock_guard lock(impl_->mutex);
  if (clipboardFails_) return false;
  const auto found = clipboard_.find(kCfHDrop);
  return found != clipboard_.end() && ParseDropFiles(found->second, dropped);
}

bool MemoryBackend::ClipboardHasFiles() {
  std::lock_guard lock(impl_->mutex);
  return clipboard_.count(kCfHDrop) != 0;
}

bool MemoryBackend::ClipboardHasText() {
  std::lock_guard lock(impl_->mutex);
  // The system makes ANSI text of the other two on request.
  return clipboard_.count(kCfText) || clipboard_.count(kCfOemText) || clipboard_.count(kCfUnicodeText);
}

bool MemoryBackend::SetClipboardUnicodeText(std::u16string_view text) {
  std::lock_guard lock(impl_->mutex);
  if (clipboardFails_) return false;
  clipboard_.clear();
  // Little-endian UTF-16 with its terminating zero, as the system keeps it.
  std::string block;
  for (char16_t unit : text) {
    block += static_cast<char>(unit & 0xFF);
    block += static_cast<char>(unit >> 8);
  }
  block.append(2, '\0');
  clipboard_[kCfUnicodeText] = std::move(block);
  return true;
}

}  // namespace sys
