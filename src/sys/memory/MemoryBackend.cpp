#include "sys/memory/MemoryBackend.h"

#include <algorithm>

#include "sys/PathText.h"
#include "sys/memory/MemoryState.h"

namespace sys {

namespace {
// Windows keeps the last error per thread; so does every memory backend.
thread_local uint32_t t_lastError = 0;

size_t HiveIndex(Hive hive) { return static_cast<size_t>(hive); }
}  // namespace

MemoryBackend::MemoryBackend() : impl_(std::make_unique<Impl>()) { impl_->Make("C:", true); }

MemoryBackend::~MemoryBackend() = default;

// ---- Setting up the world ----------------------------------------------------

void MemoryBackend::AddFile(std::string_view path, std::string_view content, uint32_t attributes) {
  std::lock_guard lock(impl_->mutex);
  MemFile& file = impl_->Make(path, false);
  file.directory = false;
  file.content = std::string(content);
  file.attributes = attributes & ~kAttrDirectory;
}

void MemoryBackend::AddDirectory(std::string_view path) {
  std::lock_guard lock(impl_->mutex);
  impl_->Make(path, true);
}

bool MemoryBackend::HasFile(std::string_view path) const {
  std::lock_guard lock(impl_->mutex);
  MemFile* file = impl_->Find(NormalisePath(path));
  return file && !file->directory;
}

std::string MemoryBackend::FileContent(std::string_view path) const {
  std::lock_guard lock(impl_->mutex);
  MemFile* file = impl_->Find(NormalisePath(path));
  return file && !file->directory ? file->content : std::string();
}

std::vector<std::string> MemoryBackend::FilesIn(std::string_view folder) const {
  std::lock_guard lock(impl_->mutex);
  const std::string parent = NormalisePath(folder);
  std::vector<std::string> paths;
  for (const auto& [key, file] : impl_->files)
    if (!file->directory && ParentOf(key) == parent) paths.push_back(file->path);
  return paths;  // the map's order: sorted by upper-cased path
}

void MemoryBackend::SetValue(Hive hive, std::string_view key, std::string_view name,
                             std::string_view data, uint32_t type) {
  std::lock_guard lock(impl_->mutex);
  MemKey& target = impl_->MakeKey(hive, key);
  for (MemValue& value : target.values)
    if (EqualNoCase(value.name, name)) {
      value.data = std::string(data);
      value.type = type;
      return;
    }
  target.values.push_back({std::string(name), std::string(data), type});
}

bool MemoryBackend::GetValue(Hive hive, std::string_view key, std::string_view name,
                             std::string& data) const {
  std::lock_guard lock(impl_->mutex);
  MemKey* found = impl_->FindKey(hive, NormaliseKey(key));
  if (!found) return false;
  for (const MemValue& value : found->values)
    if (EqualNoCase(value.name, name)) {
      data = value.data;
      return true;
    }
  return false;
}

bool MemoryBackend::KeyExists(Hive hive, std::string_view key) const {
  std::lock_guard lock(impl_->mutex);
  return impl_->FindKey(hive, NormaliseKey(key)) != nullptr;
}

// ---- Faults -----------------------------------------------------------------

void MemoryBackend::FailKey(Hive hive, std::string_view key) {
  std::lock_guard lock(impl_->mutex);
  impl_->failedKeys[HiveIndex(hive)].insert(NormaliseKey(key));
}

void MemoryBackend::DenyHive(Hive hive) {
  std::lock_guard lock(impl_->mutex);
  impl_->deniedHives[HiveIndex(hive)] = true;
}

void MemoryBackend::FailListValues(Hive hive, std::string_view key, size_t afterCount) {
  std::lock_guard lock(impl_->mutex);
  impl_->failListValues[HiveIndex(hive)][NormaliseKey(key)] = afterCount;
}

void MemoryBackend::FailFind(std::string_view folder) {
  std::lock_guard lock(impl_->mutex);
  impl_->failedFinds.insert(NormalisePath(folder));
}

void MemoryBackend::FailReadAfter(std::string_view path, uint64_t bytes) {
  std::lock_guard lock(impl_->mutex);
  impl_->failReadAfter[NormalisePath(path)] = bytes;
}

void MemoryBackend::RefuseSeek(std::string_view path) {
  std::lock_guard lock(impl_->mutex);
  impl_->refusedSeeks.insert(NormalisePath(path));
}

void MemoryBackend::FailWrite(std::string_view path, uint64_t afterBytes) {
  std::lock_guard lock(impl_->mutex);
  impl_->failWriteAfter[NormalisePath(path)] = afterBytes;
}

void MemoryBackend::FailWritesIn(std::string_view folder) {
  std::lock_guard lock(impl_->mutex);
  impl_->failedWriteFolders.insert(NormalisePath(folder));
}

void MemoryBackend::LockFile(std::string_view path) {
  std::lock_guard lock(impl_->mutex);
  impl_->lockedFiles.insert(NormalisePath(path));
}

void MemoryBackend::FailMove(std::string_view toPath) {
  std::lock_guard lock(impl_->mutex);
  impl_->failedMoves.insert(NormalisePath(toPath));
}

void MemoryBackend::FailShellOps(int result) {
  std::lock_guard lock(impl_->mutex);
  impl_->shellFailure = result;
}

void MemoryBackend::FailAddFont(std::string_view path) {
  std::lock_guard lock(impl_->mutex);
  impl_->failedAddFonts.insert(UpperAscii(path));
}

void MemoryBackend::FailRemoveFont(std::string_view path) {
  std::lock_guard lock(impl_->mutex);
  impl_->failedRemoveFonts.insert(UpperAscii(path));
}

// ---- Font resources ---------------------------------------------------------

int MemoryBackend::FontResourceCount(std::string_view path) const {
  std::lock_guard lock(impl_->mutex);
  auto it = impl_->fontCounts.find(UpperAscii(path));
  return it == impl_->fontCounts.end() ? 0 : it->second;
}

int MemoryBackend::AddFont(std::string_view path) {
  // FileExists is virtual: a derived backend with real files counts those.
  const bool exists = FileExists(path);
  {
    std::lock_guard lock(impl_->mutex);
    const std::string key = UpperAscii(path);
    if (exists && !impl_->failedAddFonts.count(key)) {
      ++impl_->fontCounts[key];
      fontsAdded_.emplace_back(path);
      return 1;
    }
  }
  // A refusal leaves its reason, as the system's does.
  SetLastError(exists ? kErrorInvalidData : kErrorFileNotFound);
  return 0;
}

std::unique_ptr<PrintJob> MemoryBackend::StartPrintJob(std::wstring_view title) {
  uint32_t error = 0;
  std::unique_ptr<PrintJob> job = printer_.Start(title, error);
  if (!job) SetLastError(error);
  return job;
}

bool MemoryBackend::RemoveFont(std::string_view path) {
  std::lock_guard lock(impl_->mutex);
  const std::string key = UpperAscii(path);
  auto it = impl_->fontCounts.find(key);
  if (it == impl_->fontCounts.end() || impl_->failedRemoveFonts.count(key)) return false;
  if (--it->second == 0) impl_->fontCounts.erase(it);
  fontsRemoved_.emplace_back(path);
  return true;
}

void MemoryBackend::BroadcastFontChange() {
  std::lock_guard lock(impl_->mutex);
  ++broadcasts_;
}

void MemoryBackend::NotifyAssociationsChanged() {
  std::lock_guard lock(impl_->mutex);
  ++associationNotices_;
}

// ---- Errors -----------------------------------------------------------------

uint32_t MemoryBackend::LastError() { return t_lastError; }

void MemoryBackend::SetLastError(uint32_t code) { t_lastError = code; }

std::string MemoryBackend::ErrorMessage(uint32_t code) { return WindowsErrorText(code); }

// ---- User interaction -------------------------------------------------------

int MemoryBackend::CompareText(std::string_view a, std::string_view b) {
  auto lower = [](char c) {
    return static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  };
  const size_t common = std::min(a.size(), b.size());
  for (size_t i = 0; i < common; ++i) {
    if (lower(a[i]) != lower(b[i])) return lower(a[i]) < lower(b[i]) ? -1 : 1;
  }
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  for (size_t i = 0; i < common; ++i) {
    if (a[i] != b[i]) return a[i] >= 'a' && a[i] <= 'z' ? -1 : 1;
  }
  return 0;
}

int MemoryBackend::ShowMessageBox(std::wstring_view text, std::wstring_view caption, unsigned flags) {
  int answer = kIdOk;
  {
    std::lock_guard lock(impl_->mutex);
    messages_.push_back({std::wstring(text), std::wstring(caption), flags});
    if (!answers_.empty()) {
      answer = answers_.front();
      answers_.erase(answers_.begin());
    }
  }
  if (auto hook = onMessageBox) hook();
  return answer;
}

void MemoryBackend::ProcessMessages() {
  {
    std::lock_guard lock(impl_->mutex);
    ++processMessagesCalls_;
  }
  if (onProcessMessages) onProcessMessages();
}

}  // namespace sys
