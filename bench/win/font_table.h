// The installed-font table as the Windows benchmarks use it: a bare loop over
// it to set our figures beside, and bench values that make it as big as a
// machine with many fonts has it.
#pragma once

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "data/InstalledFonts.h"
#include "data/VLMUtil.h"
#include "sys/sys.h"

namespace bench {

// Every value's name and type, then its data; milliseconds.
inline double BareRegistryLoop(int& values) {
  const auto start = std::chrono::steady_clock::now();
  HKEY key = nullptr;
  values = 0;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts", 0,
                    KEY_READ, &key) != ERROR_SUCCESS)
    return 0;
  char name[16384];
  BYTE data[4096];
  for (DWORD index = 0;; ++index) {
    DWORD nameLength = sizeof name, type = 0;
    if (RegEnumValueA(key, index, name, &nameLength, nullptr, &type, nullptr, nullptr) != ERROR_SUCCESS)
      break;
    DWORD size = sizeof data;
    RegQueryValueExA(key, name, nullptr, &type, data, &size);
    ++values;
  }
  RegCloseKey(key);
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// The benchmarks' arguments: [FOLDER] [--keep].
struct TTableArgs {
  TTableArgs(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
      const std::string arg = argv[i];
      if (arg == "--keep") keep = true;
      else folder = arg;
    }
  }
  std::string folder;  // its fonts are added to the table; none: the table as it is
  bool keep = false;   // the added values stay
};

// Adds the folder's .TTF files as "Bench NNNNN (TrueType)" values; their names.
inline std::vector<std::string> AddBenchValues(const std::string& folder) {
  std::vector<std::string> added;
  if (folder.empty()) return added;
  std::vector<sys::FindEntry> entries;
  auto key = sys::Current().OpenKey(sys::Hive::LocalMachine, GetFontsRegKey(), true);
  if (!key || !sys::Current().FindFiles(IncludeTrailingBackslash(folder) + "*.TTF", entries)) return added;
  for (const auto& entry : entries) {
    char name[64];
    std::snprintf(name, sizeof name, "Bench %05zu (TrueType)", added.size());
    if (key->WriteString(name, IncludeTrailingBackslash(folder) + entry.name)) added.push_back(name);
  }
  return added;
}

inline void RemoveBenchValues(const std::vector<std::string>& added) {
  auto key = sys::Current().OpenKey(sys::Hive::LocalMachine, GetFontsRegKey(), false);
  for (const auto& name : added)
    if (key) key->DeleteValue(name);
}

}  // namespace bench
