// Real files, fonts and registry values for the Wine tests of the font file
// operations: a scratch folder, renamed copies of a Debian font, and a record
// of registry keys to put back as they were.
#pragma once

#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "ui/Handles.h"

namespace scratch {

inline void DeleteTree(const std::string& folder) {
  WIN32_FIND_DATAA data;
  HANDLE find = ::FindFirstFileA((folder + "*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = data.cFileName;
      if (name == "." || name == "..") continue;
      const std::string path = folder + name;
      ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        DeleteTree(path + "\\");
      else
        ::DeleteFileA(path.c_str());
    } while (::FindNextFileA(find, &data));
    ::FindClose(find);
  }
  ::RemoveDirectoryA(folder.c_str());
}

// A fresh folder under the temporary folder, removed with everything in it.
class Folder {
 public:
  explicit Folder(const char* tag) {
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    path_ = std::string(temp) + tag + "-" + std::to_string(::GetCurrentProcessId()) + "\\";
    DeleteTree(path_);
    ::CreateDirectoryA(path_.c_str(), nullptr);
  }
  ~Folder() { DeleteTree(path_); }
  Folder(const Folder&) = delete;
  Folder& operator=(const Folder&) = delete;
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

inline std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline bool WriteAll(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
  return static_cast<bool>(out);
}

inline void ReplaceAll(std::string& bytes, const std::string& from, const std::string& to) {
  for (size_t at = bytes.find(from); at != std::string::npos; at = bytes.find(from, at + to.size()))
    bytes.replace(at, from.size(), to);
}

inline std::string Utf16BE(const std::string& ascii) {
  std::string out;
  for (char c : ascii) {
    out += '\0';
    out += c;
  }
  return out;
}

// DejaVu Sans with its family renamed to `family` (six letters, so every
// table keeps its length): a real font that nothing on the machine knows.
inline std::string RenamedDejaVu(const std::string& family) {
  std::string bytes = ReadAll("Z:\\usr\\share\\fonts\\truetype\\dejavu\\DejaVuSans.ttf");
  ReplaceAll(bytes, "DejaVu", family);
  ReplaceAll(bytes, Utf16BE("DejaVu"), Utf16BE(family));
  return bytes;
}

inline int CALLBACK NoteFace(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

// Whether GDI knows a font family of that name.
inline bool FaceExists(const std::string& face) {
  const TWindowDC screen(nullptr);
  LOGFONTA font{};
  font.lfCharSet = DEFAULT_CHARSET;
  face.copy(font.lfFaceName, LF_FACESIZE - 1);
  bool found = false;
  ::EnumFontFamiliesExA(screen.Get(), &font, NoteFace, reinterpret_cast<LPARAM>(&found), 0);
  return found;
}

// The face GDI gives a font created by that name (another one when it lacks
// it). Wine keeps the face it chose for a font description even after fonts
// come and go, so each question should ask with a height of its own.
inline std::string CreatedFace(const std::string& face, int height) {
  const TWindowDC screen(nullptr);
  const TFontHandle font(::CreateFontA(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, face.c_str()));
  const TSelectObject selected(screen.Get(), font.Get());
  char name[LF_FACESIZE] = {};
  ::GetTextFaceA(screen.Get(), LF_FACESIZE, name);
  return name;
}

// The string values of a key as they stand, put back when this goes: a key
// that did not exist is deleted again with everything below it.
class SavedKey {
 public:
  // `path` as the program names keys, with or without a leading backslash.
  SavedKey(HKEY hive, std::string path) : hive_(hive), path_(std::move(path)) {
    if (!path_.empty() && path_[0] == '\\') path_.erase(0, 1);
    HKEY key = nullptr;
    existed_ = ::RegOpenKeyExA(hive_, path_.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS;
    if (!existed_) return;
    for (DWORD i = 0;; ++i) {
      char name[512];
      DWORD nameSize = sizeof(name);
      DWORD type = 0;
      char data[4096];
      DWORD dataSize = sizeof(data);
      if (::RegEnumValueA(key, i, name, &nameSize, nullptr, &type, reinterpret_cast<BYTE*>(data),
                          &dataSize) != ERROR_SUCCESS)
        break;
      if (type == REG_SZ) values_.emplace_back(name, std::string(data, strnlen(data, dataSize)));
    }
    ::RegCloseKey(key);
  }
  ~SavedKey() {
    if (!existed_) {
      ::RegDeleteTreeA(hive_, path_.c_str());
      ::RegDeleteKeyA(hive_, path_.c_str());
      return;
    }
    HKEY key = nullptr;
    if (::RegCreateKeyExA(hive_, path_.c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key,
                          nullptr) != ERROR_SUCCESS)
      return;
    for (;;) {  // its subkeys are someone else's to put back
      char name[512];
      DWORD nameSize = sizeof(name);
      if (::RegEnumValueA(key, 0, name, &nameSize, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS ||
          ::RegDeleteValueA(key, name) != ERROR_SUCCESS)
        break;
    }
    for (const auto& [name, data] : values_)
      ::RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                       static_cast<DWORD>(data.size() + 1));
    ::RegCloseKey(key);
  }
  SavedKey(const SavedKey&) = delete;
  SavedKey& operator=(const SavedKey&) = delete;

 private:
  HKEY hive_;
  std::string path_;
  bool existed_ = false;
  std::vector<std::pair<std::string, std::string>> values_;
};

}  // namespace scratch
