#include <string>
#include <vector>

#include "sys/win32/Win32Backend.h"
#include "sys/win32/Win32Handles.h"

namespace sys {

namespace {
using win32::KeyHandle;

HKEY Root(Hive hive) {
  switch (hive) {
    case Hive::LocalMachine: return HKEY_LOCAL_MACHINE;
    case Hive::CurrentUser: return HKEY_CURRENT_USER;
    case Hive::ClassesRoot: return HKEY_CLASSES_ROOT;
  }
  return HKEY_CURRENT_USER;
}

// The registry takes paths relative to the hive, without a leading "\".
std::string Relative(std::string_view path) {
  while (!path.empty() && path.front() == '\\') path.remove_prefix(1);
  return std::string(path);
}

bool Check(LSTATUS status) {
  if (status == ERROR_SUCCESS) return true;
  ::SetLastError(static_cast<DWORD>(status));
  return false;
}

// A string value's text: the stored data need not end in NUL, and may hold
// one before its end.
std::string StringData(const std::vector<char>& data, DWORD size) {
  size_t length = 0;
  while (length < size && length < data.size() && data[length] != '\0') ++length;
  return std::string(data.data(), length);
}

class Win32RegKey : public RegKey {
 public:
  explicit Win32RegKey(KeyHandle key) : key_(std::move(key)) {}

  bool ValueExists(std::string_view name) override {
    return ::RegQueryValueExA(key_.Get(), std::string(name).c_str(), nullptr, nullptr, nullptr,
                              nullptr) == ERROR_SUCCESS;
  }

  bool ReadString(std::string_view name, std::string& value) override {
    const std::string valueName(name);
    std::vector<char> data(256);
    // The value may grow between the calls; retry with the size reported.
    for (int attempt = 0; attempt < 8; ++attempt) {
      DWORD type = REG_NONE;
      DWORD size = static_cast<DWORD>(data.size());
      LSTATUS status = ::RegQueryValueExA(key_.Get(), valueName.c_str(), nullptr, &type,
                                          reinterpret_cast<BYTE*>(data.data()), &size);
      if (status == ERROR_MORE_DATA) {
        data.resize(static_cast<size_t>(size) + 1);
        continue;
      }
      if (!Check(status)) return false;
      if (type != REG_SZ && type != REG_EXPAND_SZ) return false;
      value = StringData(data, size);
      return true;
    }
    ::SetLastError(ERROR_MORE_DATA);
    return false;
  }

  bool WriteString(std::string_view name, std::string_view value) override {
    const std::string data(value);
    return Check(::RegSetValueExA(key_.Get(), std::string(name).c_str(), 0, REG_SZ,
                                  reinterpret_cast<const BYTE*>(data.c_str()),
                                  static_cast<DWORD>(data.size() + 1)));
  }

  bool DeleteValue(std::string_view name) override {
    return Check(::RegDeleteValueA(key_.Get(), std::string(name).c_str()));
  }

  bool ListValues(std::vector<RegValueInfo>& values) override {
    values.clear();
    DWORD longestName = 0, longestData = 0;
    if (!Check(::RegQueryInfoKeyA(key_.Get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                  nullptr, &longestName, &longestData, nullptr, nullptr)))
      return false;
    std::vector<char> name(static_cast<size_t>(longestName) + 1);
    std::vector<char> data(static_cast<size_t>(longestData) + 1);
    for (DWORD index = 0, attempts = 0;;) {
      DWORD length = static_cast<DWORD>(name.size());
      DWORD type = REG_NONE;
      DWORD size = static_cast<DWORD>(data.size());
      LSTATUS status = ::RegEnumValueA(key_.Get(), index, name.data(), &length, nullptr, &type,
                                       reinterpret_cast<BYTE*>(data.data()), &size);
      if (status == ERROR_NO_MORE_ITEMS) return true;
      // A longer name or larger data was written meanwhile: the data's size
      // is told, the name's is not.
      if (status == ERROR_MORE_DATA && ++attempts < 8) {
        if (size > data.size()) {
          data.resize(static_cast<size_t>(size) + 1);
        } else if (name.size() < 32768) {
          name.resize(name.size() * 2);
        }
        continue;
      }
      if (!Check(status)) return false;
      RegValueInfo& value = values.emplace_back(RegValueInfo{std::string(name.data(), length), type, {}});
      if (type == REG_SZ || type == REG_EXPAND_SZ) value.text = StringData(data, size);
      ++index;
      attempts = 0;
    }
  }

  bool ListSubkeys(std::vector<std::string>& names) override {
    names.clear();
    DWORD longest = 0;
    if (!Check(::RegQueryInfoKeyA(key_.Get(), nullptr, nullptr, nullptr, nullptr, &longest,
                                  nullptr, nullptr, nullptr, nullptr, nullptr, nullptr)))
      return false;
    std::vector<char> name(static_cast<size_t>(longest) + 1);
    for (DWORD index = 0;;) {
      DWORD length = static_cast<DWORD>(name.size());
      LSTATUS status = ::RegEnumKeyExA(key_.Get(), index, name.data(), &length, nullptr, nullptr,
                                       nullptr, nullptr);
      if (status == ERROR_NO_MORE_ITEMS) return true;
      if (status == ERROR_MORE_DATA && name.size() < 32768) {
        name.resize(name.size() * 2);
        continue;
      }
      if (!Check(status)) return false;
      names.emplace_back(name.data(), length);
      ++index;
    }
  }

  bool DeleteSubkey(std::string_view name) override {
    const std::string sub = Relative(name);
    if (sub.empty()) return Check(ERROR_INVALID_PARAMETER);  // never the key itself
    return Check(::RegDeleteTreeA(key_.Get(), sub.c_str()));
  }

 private:
  KeyHandle key_;
};
}  // namespace

std::unique_ptr<RegKey> Win32Backend::OpenKey(Hive hive, std::string_view path, bool create) {
  const std::string sub = Relative(path);
  KeyHandle key;
  LSTATUS status;
  if (create) {
    status = ::RegCreateKeyExA(Root(hive), sub.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                               KEY_READ | KEY_WRITE, nullptr, key.Receive(), nullptr);
  } else {
    status = ::RegOpenKeyExA(Root(hive), sub.c_str(), 0, KEY_READ | KEY_WRITE, key.Receive());
  }
  // Without the right to write (HKEY_LOCAL_MACHINE for a plain user) the key
  // can still be read.
  if (status == ERROR_ACCESS_DENIED)
    status = ::RegOpenKeyExA(Root(hive), sub.c_str(), 0, KEY_READ, key.Receive());
  if (!Check(status)) return nullptr;
  return std::make_unique<Win32RegKey>(std::move(key));
}

bool Win32Backend::DeleteKey(Hive hive, std::string_view path) {
  const std::string sub = Relative(path);
  if (sub.empty()) return Check(ERROR_ACCESS_DENIED);  // never a whole hive
  return Check(::RegDeleteTreeA(Root(hive), sub.c_str()));
}

}  // namespace sys
