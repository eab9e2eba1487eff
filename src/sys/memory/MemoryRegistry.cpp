// The memory backend's registry: three hives of keys named without regard to
// case, each with typed values in the order they were written.
#include "sys/PathText.h"
#include "sys/memory/MemoryState.h"

namespace sys {

namespace {
constexpr uint32_t kErrorKeyDeleted = 1018;
size_t HiveIndex(Hive hive) { return static_cast<size_t>(hive); }

// Upper-cased names of the parts of a key path, with their spelling as given.
std::vector<std::string> KeyParts(std::string_view path) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find_first_of("\\/", start);
    if (end == std::string_view::npos) end = path.size();
    if (end > start) parts.emplace_back(path.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}


}  // namespace

std::string NormaliseKey(std::string_view path) {
  std::string out;
  for (const std::string& part : KeyParts(path)) {
    if (!out.empty()) out += '\\';
    out += UpperAscii(part);
  }
  return out;
}

MemKey* MemoryBackend::Impl::FindKey(Hive hive, const std::string& normalised) {
  auto& hiveKeys = keys[HiveIndex(hive)];
  if (normalised.empty()) return &hiveKeys[""];  // the hive's root always exists
  auto it = hiveKeys.find(normalised);
  return it == hiveKeys.end() ? nullptr : &it->second;
}

MemKey& MemoryBackend::Impl::MakeKey(Hive hive, std::string_view path) {
  auto& hiveKeys = keys[HiveIndex(hive)];
  std::string normalised;
  MemKey* key = &hiveKeys[""];
  for (const std::string& part : KeyParts(path)) {
    if (!normalised.empty()) normalised += '\\';
    normalised += UpperAscii(part);
    auto [it, added] = hiveKeys.try_emplace(normalised);
    if (added) it->second.name = part;
    key = &it->second;
  }
  return *key;
}

class MemoryRegKey : public RegKey {
 public:
  MemoryRegKey(MemoryBackend& backend, Hive hive, std::string path)
      : backend_(backend), impl_(*backend.impl_), hive_(hive), path_(std::move(path)) {}

  bool ValueExists(std::string_view name) override {
    std::lock_guard lock(impl_.mutex);
    MemKey* key = Key();
    return key && FindValue(*key, name);
  }

  bool ReadString(std::string_view name, std::string& value) override {
    std::lock_guard lock(impl_.mutex);
    MemKey* key = Key();
    if (!key) return false;
    const MemValue* found = FindValue(*key, name);
    if (!found) return Fail(kErrorFileNotFound);
    if (found->type != kRegSz && found->type != kRegExpandSz) return false;
    value = found->data;
    return true;
  }

  bool WriteString(std::string_view name, std::string_view value) override {
    std::lock_guard lock(impl_.mutex);
    MemKey* key = Key();
    if (!key) return false;
    if (impl_.deniedHives[HiveIndex(hive_)]) return Fail(kErrorAccessDenied);
    for (MemValue& existing : key->values)
      if (EqualNoCase(existing.name, name)) {
        existing.data = std::string(value);
        existing.type = kRegSz;
        return true;
      }
    key->values.push_back({std::string(name), std::string(value), kRegSz});
    return true;
  }

  bool DeleteValue(std::string_view name) override {
    std::lock_guard lock(impl_.mutex);
    MemKey* key = Key();
    if (!key) return false;
    if (impl_.deniedHives[HiveIndex(hive_)]) return Fail(kErrorAccessDenied);
    for (auto it = key->values.begin(); it != key->values.end(); ++it)
      if (EqualNoCase(it->name, name)) {
        key->values.erase(it);
        return true;
      }
    return Fail(kErrorFileNotFound);
  }

  bool ListValues(std::vector<RegValueInfo>& values) override {
    std::lock_guard lock(impl_.mutex);
    values.clear();
    MemKey* key = Key();
    if (!key) return false;
    const auto& limits = impl_.failListValues[HiveIndex(hive_)];
    auto limit = limits.find(path_);
    for (const MemValue& value : key->values) {
      if (limit != limits.end() && values.size() >= limit->second) return Fail(kErrorMoreData);
      const bool text = value.type == kRegSz || value.type == kRegExpandSz;
      values.push_back({value.name, value.type, text ? value.data : std::string()});
    }
    return true;
  }

  bool ListSubkeys(std::vector<std::string>& names) override {
    std::lock_guard lock(impl_.mutex);
    names.clear();
    if (!Key()) return false;
    const std::string prefix = path_.empty() ? std::string() : path_ + '\\';
    for (const auto& [fullName, key] : impl_.keys[HiveIndex(hive_)]) {
      if (fullName.size() <= prefix.size() || fullName.compare(0, prefix.size(), prefix) != 0)
        continue;
      if (fullName.find('\\', prefix.size()) == std::string::npos) names.push_back(key.name);
    }
    return true;
  }

  bool DeleteSubkey(std::string_view name) override {
    std::lock_guard lock(impl_.mutex);
    if (!Key()) return false;
    const std::string below = NormaliseKey(name);
    if (below.empty()) return Fail(kErrorInvalidParameter);
    return EraseKeyTree(impl_, backend_, hive_, path_.empty() ? below : path_ + '\\' + below);
  }

  // Requires the lock.
  static bool EraseKeyTree(MemoryBackend::Impl& impl, MemoryBackend& backend, Hive hive,
                           const std::string& root) {
    if (impl.deniedHives[HiveIndex(hive)] || root.empty()) {
      backend.SetLastError(kErrorAccessDenied);
      return false;
    }
    auto& hiveKeys = impl.keys[HiveIndex(hive)];
    auto it = hiveKeys.find(root);
    if (it == hiveKeys.end()) {
      backend.SetLastError(kErrorFileNotFound);
      return false;
    }
    hiveKeys.erase(it);
    EraseBelow(hiveKeys, root);
    return true;
  }

 private:
  MemKey* Key() {
    MemKey* key = impl_.FindKey(hive_, path_);
    if (!key) backend_.SetLastError(kErrorKeyDeleted);
    return key;
  }

  static const MemValue* FindValue(const MemKey& key, std::string_view name) {
    for (const MemValue& value : key.values)
      if (EqualNoCase(value.name, name)) return &value;
    return nullptr;
  }

  bool Fail(uint32_t code) {
    backend_.SetLastError(code);
    return false;
  }

  MemoryBackend& backend_;
  MemoryBackend::Impl& impl_;
  Hive hive_;
  std::string path_;
};

std::unique_ptr<RegKey> MemoryBackend::OpenKey(Hive hive, std::string_view path, bool create) {
  std::lock_guard lock(impl_->mutex);
  const std::string normalised = NormaliseKey(path);
  if (impl_->deniedHives[HiveIndex(hive)] || impl_->failedKeys[HiveIndex(hive)].count(normalised)) {
    SetLastError(kErrorAccessDenied);
    return nullptr;
  }
  if (!impl_->FindKey(hive, normalised)) {
    if (!create) {
      SetLastError(kErrorFileNotFound);
      return nullptr;
    }
    impl_->MakeKey(hive, path);
  }
  return std::make_unique<MemoryRegKey>(*this, hive, normalised);
}

bool MemoryBackend::DeleteKey(Hive hive, std::string_view path) {
  std::lock_guard lock(impl_->mutex);
  return MemoryRegKey::EraseKeyTree(*impl_, *this, hive, NormaliseKey(path));
}

}  // namespace sys
