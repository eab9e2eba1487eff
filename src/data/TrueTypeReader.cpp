// ReadFontFile: copies the names, metrics, style flags and font kind out of a
// font's name, head, hhea and OS/2 tables into a record. The font is a file of
// its own (TrueType or CFF outlines) or one face of a collection, whose header
// says where the face's table directory lies. The file is read a block at a
// time, never whole. Hostile files are bounded: a face the collection header
// cannot hold is refused, a directory ends at its first missing tag, reads
// past the end cost no system call, and the name records and string bytes one
// file may make us visit are capped.
#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <vector>

#include "data/BlockReader.h"
#include "data/FontFileInfo.h"
#include "data/VLMUtil.h"
#include "sys/codepage.h"
#include "sys/sys.h"

namespace {

constexpr uint16_t kPlatformMac = 1;
constexpr uint16_t kPlatformMicrosoft = 3;
constexpr uint16_t kFullNameId = 4;
constexpr uint16_t kLastNameId = 14;
constexpr size_t kMaxNameRecords = 1u << 20;    // real fonts carry a few thousand at most
constexpr size_t kMaxStringBytes = 16u << 20;  // across all strings of one file
constexpr size_t kMaxMacCandidates = 8;
// What the reader fetches ahead: directory entries a names-only read expects
// at most, bounds on a directory and a name table fetched whole, the gap
// between tables worth reading through rather than asking again, and the
// bytes of the other tables the reader uses.
constexpr size_t kGuessTables = 32;
constexpr size_t kMaxDirectoryFetch = 16 * 4096;
constexpr size_t kMaxNameFetch = 256u << 10;
constexpr uint64_t kMergeGap = 4096;
constexpr std::pair<const char*, size_t> kFixedTables[] = {{"head", 48}, {"hhea", 18}, {"OS/2", 78}};

bool IsEnglishLanguage(uint16_t language) {
  switch (language) {
    case 0x0409:  // United States
    case 0x0809:  // United Kingdom
    case 0x0C09:  // Australia
    case 0x1009:  // Canada
    case 0x1409:  // New Zealand
    case 0x1809:  // Ireland
      return true;
    default:
      return false;
  }
}

std::string TFontFields::*NameField(uint16_t nameId) {
  static std::string TFontFields::*const kFields[kLastNameId + 1] = {
      &TFontFields::Copyright,    &TFontFields::FamilyName,     &TFontFields::SubfamilyName,
      &TFontFields::UniqueID,     &TFontFields::FontName,       &TFontFields::Version,
      &TFontFields::PostScriptName, &TFontFields::Trademark,    &TFontFields::Manufacturer,
      &TFontFields::Designer,     &TFontFields::Description,    &TFontFields::VendorURL,
      &TFontFields::DesignerURL,  &TFontFields::License,        &TFontFields::LicenseURL};
  return nameId <= kLastNameId ? kFields[nameId] : nullptr;
}

struct NameRecord {
  uint16_t platform = 0;
  uint16_t nameId = 0;
  uint16_t length = 0;
  uint64_t position = 0;  // of the string in the file
};

class TFontReader {
 public:
  TFontReader(TBlockReader& reader, TFontFields& fields) : in_(reader), f_(fields) {}

  // False when the face or its table directory cannot be read.
  bool ReadDirectory(bool allTables) {
    Prefetch(allTables);
    uint64_t base = 0;
    if (!FindFace(base)) return false;
    bool failed = false;
    const uint16_t numTables = in_.U16(base + 4, &failed);
    if (failed) return Refused();
    for (uint32_t i = 0; i < numTables; ++i) {
      // The whole entry at once: tag, checkSum, offset, length.
      uint8_t entry[16];
      size_t got = 0;
      if (!in_.Read(base + 12 + 16 * uint64_t(i), entry, sizeof entry, got)) return Refused();
      if (got < 4) return RanOffTheEnd();
      const uint32_t offset = got >= 12 ? TBlockReader::Be32(entry + 8) : 0;  // cut off by the end: 0
      const auto* tag = reinterpret_cast<const char*>(entry);
      if (std::memcmp(tag, "name", 4) == 0) {
        ReadNameTable(offset, allTables);
        if (!allTables) break;
      } else if (allTables && std::memcmp(tag, "head", 4) == 0) {
        ReadHead(offset);
      } else if (allTables && std::memcmp(tag, "hhea", 4) == 0) {
        ReadHhea(offset);
      } else if (allTables && std::memcmp(tag, "OS/2", 4) == 0) {
        ReadOs2(offset);
      }
    }
    return true;
  }

 private:
  // Where the face's table directory starts, and what the file says of its
  // format. A file of one font is its own face 0, read as always: even one
  // too short for a version. A collection must hold its face count's
  // offsets and the face's directory header; a face it does not have is bad.
  bool FindFace(uint64_t& base) {
    uint8_t header[12];
    size_t got = 0;
    if (!in_.Read(0, header, sizeof header, got)) return Refused();
    const bool collection = got >= 4 && std::memcmp(header, "ttcf", 4) == 0;
    const uint32_t face = f_.FaceIndex;
    const uint8_t* version = header;
    uint8_t faceHeader[12];
    if (collection) {
      if (got < 12) return RanOffTheEnd();
      const uint32_t count = TBlockReader::Be32(header + 8);
      if (face >= count) return NoSuchFace();
      uint8_t offset[4];
      // The last offset first: a count the file cannot hold goes no further.
      if (!in_.Read(12 + 4 * uint64_t(count - 1), offset, 4, got)) return Refused();
      if (got < 4) return RanOffTheEnd();
      if (!in_.Read(12 + 4 * uint64_t(face), offset, 4, got)) return Refused();
      if (got < 4) return RanOffTheEnd();
      base = TBlockReader::Be32(offset);
      if (!in_.Read(base, faceHeader, sizeof faceHeader, got)) return Refused();
      if (got < sizeof faceHeader) return RanOffTheEnd();
      f_.FaceCount = count;
      version = faceHeader;
    } else if (face != 0) {
      return NoSuchFace();
    }
    f_.Format = std::memcmp(version, "OTTO", 4) == 0 ? ffCff : ffTrueType;
    return true;
  }

  // Ran off the end: the system has nothing to say, so say why.
  static bool RanOffTheEnd() {
    sys::Current().SetLastError(sys::kErrorHandleEof);
    return false;
  }
  static bool NoSuchFace() {
    sys::Current().SetLastError(sys::kErrorInvalidData);
    return false;
  }

  // Where the face's directory lies, as far as the bytes held tell: 0 for a
  // file of one font, nothing when they do not tell.
  std::optional<uint64_t> HeldFaceBase() const {
    const uint8_t* const header = in_.Peek(0, 12);
    if (!header || std::memcmp(header, "ttcf", 4) != 0) return 0;
    if (TBlockReader::Be32(header + 8) <= f_.FaceIndex) return std::nullopt;
    const uint8_t* const offset = in_.Peek(12 + 4 * uint64_t(f_.FaceIndex), 4);
    if (!offset) return std::nullopt;
    return TBlockReader::Be32(offset);
  }

  // Fetches the directory, then the tables the walk below will visit, each
  // with one system call (neighbours together), so that the walk finds them
  // in memory. Only a shortcut: what it misses, or what the system refuses,
  // the walk reads field by field, failing as it always did.
  void Prefetch(bool allTables) {
    // Names only: about as far as a real directory goes. All tables: the
    // first block, which usually holds head, hhea and OS/2 as well. A
    // collection's directories usually follow its header there too.
    const size_t first = allTables ? TBlockReader::kBlockSize : 12 + 16 * kGuessTables;
    if (!in_.Fetch(0, first)) return;
    const std::optional<uint64_t> faceBase = HeldFaceBase();
    if (!faceBase) return;
    const uint64_t base = *faceBase;
    if (base != 0 && in_.Held(base + 4) < 2 && !in_.Fetch(base, 12 + 16 * kGuessTables)) return;
    if (in_.Held(base + 4) < 2) return;
    const uint16_t numTables = in_.U16(base + 4);
    const uint64_t dirEnd = base + 12 + 16 * uint64_t(numTables);
    const uint64_t held = base + 4 + in_.Held(base + 4);
    if (held < dirEnd && (dirEnd - held > kMaxDirectoryFetch || !in_.Fetch(held, dirEnd - held)))
      return;
    struct Range {
      uint64_t pos, end;
    };
    std::array<Range, 8> wanted;
    size_t count = 0;
    for (uint32_t i = 0; i < numTables && count < wanted.size(); ++i) {
      const uint8_t* const entry = in_.Peek(base + 12 + 16 * uint64_t(i), 16);
      if (!entry) break;  // the walk ends here
      const uint32_t offset = TBlockReader::Be32(entry + 8);
      const uint32_t length = TBlockReader::Be32(entry + 12);
      size_t size = 0;
      const bool isName = std::memcmp(entry, "name", 4) == 0;
      if (isName) {
        size = std::clamp<size_t>(length, 6, kMaxNameFetch);
      } else if (allTables) {
        for (const auto& [tag, bytes] : kFixedTables)
          if (std::memcmp(entry, tag, 4) == 0) size = bytes;
      }
      if (size > 0 && in_.Held(offset) < size) wanted[count++] = {offset, offset + size};
      if (isName && !allTables) break;
    }
    std::sort(wanted.begin(), wanted.begin() + count,
              [](const Range& a, const Range& b) { return a.pos < b.pos; });
    for (size_t i = 0; i < count;) {
      Range r = wanted[i++];
      while (i < count && wanted[i].pos <= r.end + kMergeGap) r.end = std::max(r.end, wanted[i++].end);
      if (!in_.Fetch(r.pos, static_cast<size_t>(r.end - r.pos))) return;
    }
  }

  // A refused read should come with the system's reason; if it has none, the
  // user still learns that the file could not be read.
  static bool Refused() {
    if (sys::Current().LastError() == 0) sys::Current().SetLastError(sys::kErrorReadFault);
    return false;
  }

  void ReadNameTable(uint64_t table, bool allTables) {
    const uint16_t count = in_.U16(table + 2);
    const uint64_t storage = table + in_.U16(table + 4);
    // Macintosh full names only count when no Microsoft one turns up, so the
    // names-only read fetches their strings at the end, if at all.
    std::vector<NameRecord> macFullNames;
    // The records straight from memory when the fetch holds them all, as it
    // usually does; else each is read, and a field cut off by the end is 0.
    const uint8_t* const held = in_.Peek(table + 6, 12 * size_t(count));
    for (uint32_t i = 0; i < count && namesLeft_ > 0; ++i, --namesLeft_) {
      uint8_t copy[12];
      size_t got = sizeof copy;
      const uint8_t* p = held ? held + 12 * size_t(i) : copy;
      if (!held && !in_.Read(table + 6 + 12 * uint64_t(i), copy, sizeof copy, got)) got = 0;
      auto u16 = [p, got](size_t at) {
        return at + 2 <= got ? TBlockReader::Be16(p + at) : uint16_t(0);
      };
      NameRecord r;
      r.platform = u16(0);
      const uint16_t language = u16(4);
      r.nameId = u16(6);
      r.length = u16(8);
      r.position = storage + u16(10);
      const bool microsoft = r.platform == kPlatformMicrosoft && IsEnglishLanguage(language);
      if (!microsoft && r.platform != kPlatformMac) continue;
      if (allTables) {
        if (auto field = NameField(r.nameId)) Store(f_.*field, r, microsoft);
      } else if (r.nameId == kFullNameId) {
        if (microsoft) {
          Store(f_.FontName, r, true);
          return;
        }
        if (macFullNames.size() < kMaxMacCandidates) macFullNames.push_back(r);
      }
    }
    for (const NameRecord& r : macFullNames) Store(f_.FontName, r, false);
  }

  // A Microsoft name replaces the field; a Macintosh one only fills it.
  void Store(std::string& field, const NameRecord& r, bool microsoft) {
    if (microsoft)
      field = Decode(r);
    else if (field.empty())
      field = Decode(r);
  }

  std::string Decode(const NameRecord& r) {
    if (r.length == 0 || r.length > stringBytesLeft_) return {};
    stringBytesLeft_ -= r.length;
    // The string's bytes where the fetched table holds them, else read.
    std::string copy;
    const auto* bytes = reinterpret_cast<const char*>(in_.Peek(r.position, r.length));
    if (!bytes) {
      copy.resize(r.length);
      size_t got = 0;
      if (!in_.Read(r.position, copy.data(), copy.size(), got) || got < copy.size()) return {};
      bytes = copy.data();
    }
    if (r.platform == kPlatformMac)
      return Trimmed(copy.empty() ? std::string(bytes, r.length) : std::move(copy));
    // Big-endian UTF-16; an odd last byte is dropped. Plain ASCII, as most
    // names are, is the same text in a code page that keeps ASCII.
    const size_t units = r.length / 2;
    std::string ascii(units, '\0');
    unsigned high = 0, low = 0;
    for (size_t i = 0; i < units; ++i) {
      high |= static_cast<uint8_t>(bytes[2 * i]);
      low |= static_cast<uint8_t>(bytes[2 * i + 1]);
      ascii[i] = bytes[2 * i + 1];
    }
    if (keepsAscii_ && high == 0 && low < 0x80) return Trimmed(std::move(ascii));
    std::u16string text(units, u'\0');
    for (size_t i = 0; i < units; ++i)
      text[i] = char16_t(static_cast<uint8_t>(bytes[2 * i]) << 8 | static_cast<uint8_t>(bytes[2 * i + 1]));
    return Trimmed(sys::Utf16ToAnsi(text));
  }

  // Trim, without a copy in the usual case of nothing to cut.
  static std::string Trimmed(std::string text) {
    auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    if (!text.empty() && (blank(text.front()) || blank(text.back()))) return Trim(text);
    return text;
  }

  static int32_t Signed(uint16_t v) { return static_cast<int16_t>(v); }

  void ReadHead(uint64_t t) {
    f_.UnitsPerEm = in_.U16(t + 18);
    f_.LowestRecPPEM = in_.U16(t + 46);
  }

  void ReadHhea(uint64_t t) {
    f_.Ascender = Signed(in_.U16(t + 4));
    f_.Descender = Signed(in_.U16(t + 6));
    f_.LineGap = Signed(in_.U16(t + 8));
    f_.MaxExtent = Signed(in_.U16(t + 16));
  }

  void ReadOs2(uint64_t t) {
    f_.AvgCharWidth = Signed(in_.U16(t + 2));
    f_.WeightClass = in_.U16(t + 4);
    f_.WidthClass = in_.U16(t + 6);
    std::array<uint8_t, 10> panose{};
    for (size_t i = 0; i < panose.size(); ++i) panose[i] = in_.U8(t + 32 + i);
    const uint16_t selection = in_.U16(t + 62);
    f_.WinAscent = in_.U16(t + 74);
    f_.WinDescent = in_.U16(t + 76);
    f_.WinHeight = f_.WinAscent + f_.WinDescent;
    bool* const flags[] = {&f_.Italic,    &f_.Underscore, &f_.Negative, &f_.Outlined,
                           &f_.Strikeout, &f_.Bold,       &f_.Regular};
    for (size_t bit = 0; bit < std::size(flags); ++bit) *flags[bit] = (selection >> bit) & 1;
    f_.FontKind = FontKindFromPanose(panose[0], panose[1], panose[3]);
  }

  TBlockReader& in_;
  TFontFields& f_;
  const bool keepsAscii_ = sys::CodePageKeepsAscii(sys::CodePage());
  size_t namesLeft_ = kMaxNameRecords;
  size_t stringBytesLeft_ = kMaxStringBytes;
};

// Reads into `fields`; false when the file cannot be opened or its directory
// cannot be read.
bool ReadInto(const std::string& path, TFontFields& fields, bool allTables) {
  std::unique_ptr<sys::InFile> file = sys::Current().OpenRead(path);
  if (!file) return false;
  TBlockReader reader(*file);
  return TFontReader(reader, fields).ReadDirectory(allTables);
}

}  // namespace

void ReadFontFields(TFontFields& fields, bool allTables) {
  fields.Bad = false;
  if (ReadInto(fields.FileName, fields, allTables)) {
    fields.KnownName = fields.FontName;
    if (allTables) fields.InfoRead = true;
  } else {
    fields.Bad = true;
    fields.FontName = SysErrorText();
  }
}

namespace {

// Names-only reads of faces first.. of `faces` through `reader`; a face that
// cannot be read is a bad one.
void ReadFaces(TBlockReader& reader, std::vector<TFontFields>& faces, uint32_t first, const std::string& path) {
  for (uint32_t i = first; i < faces.size(); ++i) {
    TFontFields& fields = faces[i];
    fields.FileName = path;
    fields.FaceIndex = i;
    if (TFontReader(reader, fields).ReadDirectory(false)) {
      fields.KnownName = fields.FontName;
    } else {
      fields.Bad = true;
      fields.FontName = SysErrorText();
    }
  }
}

}  // namespace

std::vector<TFontFields> ReadFileFaces(const std::string& path) {
  std::vector<TFontFields> faces(1);
  std::unique_ptr<sys::InFile> file = sys::Current().OpenRead(path);
  if (!file) {
    faces[0].FileName = path;
    faces[0].Bad = true;
    faces[0].FontName = SysErrorText();
    return faces;
  }
  // One reader for all: the blocks of the header and the offsets are read once.
  TBlockReader reader(*file);
  ReadFaces(reader, faces, 0, path);
  faces.resize(faces[0].Bad ? 1 : std::clamp(faces[0].FaceCount, 1u, kMaxListedFaces));
  ReadFaces(reader, faces, 1, path);
  return faces;
}

void ReadFontFile(TFontFileInfo& info, bool allTables) {
  // The file is read into a copy, without the lock, so that a window thread
  // reading the record is never held up by the disk.
  std::lock_guard<std::mutex> oneAtATime(info.ReadLock());
  TFontFields fields = info.Snapshot();
  ReadFontFields(fields, allTables);
  info.TakeFileValues(std::move(fields));
}
