// For the tests and the benchmark of the multiple sample view under Wine: the
// system's own font table, counted (the product's backend with every
// AddFontResource and RemoveFontResource recorded per file), and copies of
// Debian's fonts under names of their own, which Wine has not installed.
#pragma once

#include <algorithm>
#include <map>
#include <string>
#include <memory>
#include <string_view>
#include <vector>

#include "data/VLMUtil.h"
#include "sys/win32/Win32Backend.h"

class TCountingFontBackend : public sys::Win32Backend {
 public:
  int AddFont(std::string_view path) override {
    const int result = Win32Backend::AddFont(path);
    if (++net_[UpperAscii(path)] == 1) peak_ = std::max(peak_, ++current_);
    added.emplace_back(path);
    return result;
  }
  bool RemoveFont(std::string_view path) override {
    const bool result = Win32Backend::RemoveFont(path);
    int& count = net_[UpperAscii(path)];
    if (count > 0 && --count == 0) --current_;
    removed.emplace_back(path);
    return result;
  }
  // How often the file is added now, as counted through this backend.
  int Net(std::string_view path) const {
    const auto it = net_.find(UpperAscii(path));
    return it == net_.end() ? 0 : it->second;
  }
  // Files added now, and the most ever added at once since ResetPeak.
  int Current() const { return current_; }
  int Peak() const { return peak_; }
  void ResetPeak() { peak_ = current_; }

  std::vector<std::string> added;
  std::vector<std::string> removed;

 private:
  std::map<std::string, int> net_;
  int current_ = 0;
  int peak_ = 0;
};

namespace multi_test {

// `font` with every spelling of `from` in its name table, UTF-16 or 8-bit,
// replaced by `to` (of the same length): a face of another name.
inline std::string RenamedFont(std::string font, std::string_view from, std::string_view to) {
  auto u16 = [](const std::string& bytes, size_t at) {
    return at + 2 <= bytes.size() ? (uint8_t(bytes[at]) << 8) | uint8_t(bytes[at + 1]) : 0u;
  };
  auto u32 = [&](size_t at) { return (u16(font, at) << 16) | u16(font, at + 2); };
  if (from.size() != to.size()) return font;
  std::string wideFrom, wideTo;
  for (size_t i = 0; i < from.size(); ++i) {
    wideFrom += '\0';
    wideFrom += from[i];
    wideTo += '\0';
    wideTo += to[i];
  }
  const unsigned tables = u16(font, 4);
  for (unsigned t = 0; t < tables; ++t) {
    const size_t entry = 12 + 16 * size_t(t);
    if (entry + 16 > font.size() || font.compare(entry, 4, "name") != 0) continue;
    const size_t start = u32(entry + 8);
    const size_t end = std::min(font.size(), start + u32(entry + 12));
    for (const auto& [a, b] : {std::pair{wideFrom, wideTo}, std::pair{std::string(from), std::string(to)}}) {
      for (size_t at = font.find(a, start); at != std::string::npos && at + a.size() <= end;
           at = font.find(a, at + a.size()))
        font.replace(at, a.size(), b);
    }
  }
  return font;
}

inline std::string ReadWhole(std::string_view path) {
  std::string bytes;
  const std::unique_ptr<sys::InFile> in = sys::Current().OpenRead(path);
  char buffer[65536];
  size_t got = 0;
  while (in && in->ReadAt(bytes.size(), buffer, sizeof(buffer), got) && got > 0) bytes.append(buffer, got);
  return bytes;
}

// Writes `copies` copies of each of Debian's DejaVu and Liberation fonts into
// `folder` (which must exist), each under a family name of its own (up to
// 10,000 copies); returns how many files it wrote.
inline int WriteRenamedFonts(const std::string& folder, int copies) {
  struct Source {
    const char* pattern;
    const char* family;  // renamed to its first letters and the copy's number
  };
  const Source sources[] = {{"Z:\\usr\\share\\fonts\\truetype\\dejavu\\", "DejaVu"},
                            {"Z:\\usr\\share\\fonts\\truetype\\liberation\\", "Liberation"}};
  int written = 0;
  for (const Source& source : sources) {
    std::vector<sys::FindEntry> entries;
    sys::Current().FindFiles(std::string(source.pattern) + "*.ttf", entries);
    for (const sys::FindEntry& e : entries) {
      const std::string font = ReadWhole(source.pattern + e.name);
      const std::string family = source.family;
      for (int copy = 0; copy < copies; ++copy) {
        // "DejaVu" -> "Dx0042": the first letter, "x", the number in the rest.
        const std::string number = std::to_string(copy);
        const size_t digits = family.size() - 2;
        if (number.size() > digits) break;
        const std::string name = family.substr(0, 1) + "x" + std::string(digits - number.size(), '0') + number;
        const std::unique_ptr<sys::OutFile> out =
            sys::Current().CreateWrite(folder + "\\" + std::to_string(copy) + "-" + e.name);
        if (out && out->Write(RenamedFont(font, family, name)) && out->Close()) ++written;
      }
    }
  }
  return written;
}

}  // namespace multi_test
