#include "sys/DropFiles.h"

#include <cstdint>
#include <utility>

#include "sys/codepage.h"

namespace sys {

namespace {

void PutDword(std::string& block, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) block[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

uint32_t GetDword(std::string_view block, size_t at) {
  uint32_t value = 0;
  for (int i = 0; i < 4; ++i) value |= static_cast<uint32_t>(static_cast<unsigned char>(block[at + i])) << (8 * i);
  return value;
}

std::string Cut(std::string name) {
  if (name.size() > kMaxDropName) name.resize(kMaxDropName);
  return name;
}

// The names of a list, each ended by NUL, the list by one more. False when
// a name or the list runs off the block.
bool ReadAnsi(std::string_view list, std::vector<std::string>& names) {
  for (size_t at = 0; at < list.size();) {
    if (list[at] == '\0') return true;
    const size_t end = list.find('\0', at);
    if (end == std::string_view::npos) return false;
    names.push_back(Cut(std::string(list.substr(at, end - at))));
    at = end + 1;
  }
  return false;
}

bool ReadWide(std::string_view list, std::vector<std::string>& names) {
  std::u16string name;
  for (size_t at = 0; at + 1 < list.size(); at += 2) {
    const auto unit = static_cast<char16_t>(static_cast<unsigned char>(list[at]) |
                                            static_cast<unsigned char>(list[at + 1]) << 8);
    if (unit != 0) {
      name.push_back(unit);
      continue;
    }
    if (name.empty()) return true;
    // As the wide name is read: cut in characters, then turned into ANSI.
    if (name.size() > kMaxDropName) name.resize(kMaxDropName);
    names.push_back(Cut(Utf16ToAnsi(name)));
    name.clear();
  }
  return false;
}

}  // namespace

std::string MakeDropFiles(const std::vector<std::string>& names) {
  std::string block(kDropFilesHeader, '\0');
  PutDword(block, 0, kDropFilesHeader);
  for (const std::string& name : names) {
    if (name.empty()) continue;
    block += name;
    block += '\0';
  }
  block += '\0';
  return block;
}

bool ParseDropFiles(std::string_view block, DroppedFiles& dropped) {
  dropped = {};
  if (block.size() < kDropFilesHeader) return false;
  const uint32_t offset = GetDword(block, 0);
  if (offset < kDropFilesHeader || offset > block.size()) return false;
  DroppedFiles read;
  read.x = static_cast<int32_t>(GetDword(block, 4));
  read.y = static_cast<int32_t>(GetDword(block, 8));
  const std::string_view list = block.substr(offset);
  const bool wide = GetDword(block, 16) != 0;
  if (!(wide ? ReadWide(list, read.names) : ReadAnsi(list, read.names))) return false;
  dropped = std::move(read);
  return true;
}

}  // namespace sys
