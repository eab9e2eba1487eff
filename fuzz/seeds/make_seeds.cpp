// Writes the fuzzers' font seeds into a folder: fonts made by the test writer,
// and compact copies of real fonts given on the command line (their directory
// as it is, but only the tables the readers look at keep their contents, so
// that the fuzzer does not spend its time mutating glyph data).
#include <cstdint>
#include <fstream>
#include <iostream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "tests/support/TrueTypeWriter.h"

namespace {

uint32_t BigEndian(const std::string& bytes, size_t pos, size_t size) {
  uint32_t value = 0;
  for (size_t i = 0; i < size && pos + i < bytes.size(); ++i) value = value << 8 | uint8_t(bytes[pos + i]);
  return value;
}

// One face: the directory at `base`, the tables wherever it says.
tt::FontBuilder CompactFace(const std::string& font, size_t base) {
  static const std::set<std::string> kRead = {"name", "head", "hhea", "OS/2", "cmap"};
  tt::FontBuilder builder;
  builder.Version(BigEndian(font, base, 4));
  const uint32_t count = BigEndian(font, base + 4, 2);
  for (uint32_t i = 0; i < count && base + 12 + 16 * (i + 1) <= font.size(); ++i) {
    const size_t entry = base + 12 + 16 * i;
    const std::string tag = font.substr(entry, 4);
    const uint32_t offset = BigEndian(font, entry + 8, 4);
    const uint32_t length = BigEndian(font, entry + 12, 4);
    builder.Table(tag, kRead.count(tag) && offset < font.size() ? font.substr(offset, length) : "");
  }
  return builder;
}

std::string Compact(const std::string& font) {
  if (font.compare(0, 4, "ttcf") != 0) return CompactFace(font, 0).Build();
  std::vector<tt::FontBuilder> faces;
  const uint32_t count = BigEndian(font, 8, 4);
  for (uint32_t i = 0; i < count && 12 + 4 * (i + 1) <= font.size(); ++i)
    faces.push_back(CompactFace(font, BigEndian(font, 12 + 4 * i, 4)));
  return tt::Collection(faces, {.version = BigEndian(font, 4, 4)});
}

bool Write(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
  if (!out) std::cerr << "cannot write " << path << "\n";
  return bool(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << "usage: make_fuzz_seeds FOLDER [REAL_FONT...]\n";
    return 2;
  }
  const std::string folder = argv[1];
  using tt::MacName;
  using tt::MsName;
  const std::vector<std::pair<std::string, std::string>> made = {
      {"standard", tt::StandardFont("Seed Sans", "Seed").Build()},
      {"mac_and_ms", tt::FontBuilder()
                         .Os2({.panose = {2, 2, 0, 9}, .fsSelection = 0x21})
                         .Names({MacName(4, "Mac"), MsName(4, "US"), MsName(4, "UK", 0x0809),
                                 MsName(1, "Family"), MsName(13, std::string(300, 'L'))})
                         .Head()
                         .Hhea()
                         .Build()},
      {"chinese_names", tt::FontBuilder().Names({MsName(4, "微软雅黑", 0x0804), MsName(4, "宋体")}).Build()},
      {"empty_directory", tt::FontBuilder().Build()},
      {"cff", tt::StandardFont("Seed Cff", "Seed").Version(tt::kOtto).Build()},
      {"collection", tt::Collection({tt::StandardFont("Seed One", "Seed"),
                                     tt::StandardFont("Seed Two", "Seed").Version(tt::kOtto)})},
      {"cmap", tt::StandardFont("Seed Map", "Seed")
                   .Table("cmap", tt::CmapTable({{3, 1, tt::CmapFormat4({{0x20, 0x7E, 0xFFE3}, {0x4E00, 0x4E02, 0, 4},
                                                                         {0xFFFF, 0xFFFF, 1}},
                                                                        {5, 0, 7})},
                                                 {3, 10, tt::CmapFormat12({{0x20, 0x7E, 1}, {0x20000, 0x20010, 99}})},
                                                 {3, 0, tt::CmapFormat4({{0xF020, 0xF0FF, 1}, {0xFFFF, 0xFFFF, 1}})}}))
                   .Build()},
      {"collection_v2", tt::Collection({tt::StandardFont("Seed V2", "Seed")}, {.version = 0x00020000})},
  };
  bool ok = true;
  for (const auto& [name, bytes] : made) ok &= Write(folder + "/" + name + ".ttf", bytes);
  for (int i = 2; i < argc; ++i) {
    std::ifstream in(argv[i], std::ios::binary);
    const std::string font((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string name = argv[i];
    name = name.substr(name.find_last_of('/') + 1);
    if (in.bad() || font.empty()) {
      std::cerr << "cannot read " << argv[i] << "\n";
      ok = false;
      continue;
    }
    ok &= Write(folder + "/real_" + name, Compact(font));
  }
  return ok ? 0 : 1;
}
