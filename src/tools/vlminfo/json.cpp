#include "tools/vlminfo/json.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <cstdio>
#include <string>

#include "data/UnicodeBlocks.h"
#include "sys/codepage.h"

namespace {

// Length of the well-formed UTF-8 sequence at `i`, or 0.
size_t Utf8Length(std::string_view s, size_t i) {
  const unsigned char c = static_cast<unsigned char>(s[i]);
  size_t n;
  unsigned char lo = 0x80, hi = 0xBF;  // bounds of the second byte
  if (c < 0x80) return 1;
  if (c >= 0xC2 && c <= 0xDF) n = 2;
  else if (c >= 0xE0 && c <= 0xEF) n = 3, lo = c == 0xE0 ? 0xA0 : 0x80, hi = c == 0xED ? 0x9F : 0xBF;
  else if (c >= 0xF0 && c <= 0xF4) n = 4, lo = c == 0xF0 ? 0x90 : 0x80, hi = c == 0xF4 ? 0x8F : 0xBF;
  else return 0;
  if (i + n > s.size()) return 0;
  for (size_t k = 1; k < n; ++k) {
    const unsigned char b = static_cast<unsigned char>(s[i + k]);
    if (b < (k == 1 ? lo : 0x80) || b > (k == 1 ? hi : 0xBF)) return 0;
  }
  return n;
}

// Bytes that go into a JSON string as they are: printable ASCII but the quote
// and the backslash.
constexpr auto kPlain = [] {
  std::array<bool, 256> plain{};
  for (int c = 0x20; c < 0x80; ++c) plain[c] = c != '"' && c != '\\';
  return plain;
}();

// Whether the 8 bytes at `p` are all plain, eight at a time: none below 0x20
// or above 0x7F, no quote, no backslash.
bool AllPlain(const char* p) {
  uint64_t x;
  std::memcpy(&x, p, sizeof x);
  constexpr uint64_t kOnes = 0x0101010101010101, kHigh = 0x8080808080808080;
  auto anyBelow = [](uint64_t v, uint64_t n) { return (v - kOnes * n) & ~v & kHigh; };
  return ((x & kHigh) | anyBelow(x, 0x20) | anyBelow(x ^ (kOnes * '"'), 1) |
          anyBelow(x ^ (kOnes * '\\'), 1)) == 0;
}

// Appends `text` as a JSON string literal. With `asciiOnly`, gives up (false,
// `out` partly written) at the first byte that is not ASCII.
bool AppendEscaped(TTextBuffer& out, std::string_view text, bool asciiOnly) {
  out += '"';
  const char* p = text.data();
  const char* const end = p + text.size();
  while (p < end) {
    // A run of printable ASCII goes in as it is, at once.
    const char* plain = p;
    while (end - plain >= 8 && AllPlain(plain)) plain += 8;
    while (plain < end && kPlain[static_cast<unsigned char>(*plain)]) ++plain;
    out.append(p, plain);
    if ((p = plain) == end) break;
    const unsigned char c = static_cast<unsigned char>(*p);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
      ++p;
    } else if (c < 0x20) {
      static constexpr char kHex[] = "0123456789ABCDEF";
      const char escaped[] = {'\\', 'u', '0', '0', kHex[c >> 4], kHex[c & 15]};
      out.append(escaped, sizeof escaped);
      ++p;
    } else if (asciiOnly) {
      return false;
    } else if (size_t n = Utf8Length(text, static_cast<size_t>(p - text.data()))) {
      out.append(p, n);
      p += n;
    } else {
      out += "\xEF\xBF\xBD";
      ++p;
    }
  }
  out += '"';
  return true;
}

// Writes one object's members straight into the output.
class JsonObject {
 public:
  explicit JsonObject(TTextBuffer& out)
      : out_(out), keepsAscii_(sys::CodePageKeepsAscii(sys::CodePage())) {}
  void Text(std::string_view name, std::string_view ansi) {
    Member(name);
    // Plain ASCII, as most names and paths are, is UTF-8 already.
    const size_t mark = out_.size();
    if (keepsAscii_ && AppendEscaped(out_, ansi, true)) return;
    out_.Truncate(mark);
    AppendEscaped(out_, sys::AnsiToUtf8(ansi), false);
  }
  void Utf8(std::string_view name, std::string_view utf8) {
    Member(name);
    AppendEscaped(out_, utf8, false);
  }
  void Bool(std::string_view name, bool value) { Member(name, value ? "true" : "false"); }
  void Int(std::string_view name, long long value) {
    char digits[24];
    const char* const end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    Member(name, {digits, static_cast<size_t>(end - digits)});
  }
  // A value written as it stands: a number or an object made of them.
  void Raw(std::string_view name, std::string_view json) { Member(name, json); }
  void Finish() { out_ += first_ ? "{}" : "}"; }

 private:
  // The member's key and a value that needs no escaping, with one growth
  // of the output. Keys are the record's field names: nothing to escape.
  void Member(std::string_view name, std::string_view value = {}) {
    char* p = out_.Extend(name.size() + value.size() + 4);
    *p++ = first_ ? '{' : ',';
    *p++ = '"';
    p = std::copy(name.begin(), name.end(), p);
    *p++ = '"';
    *p++ = ':';
    std::copy(value.begin(), value.end(), p);
    first_ = false;
  }

  TTextBuffer& out_;
  const bool keepsAscii_;
  bool first_ = true;
};

}  // namespace

namespace {

// Which face of a collection, and the face's outlines: "TrueType" or "CFF".
void FaceMembers(JsonObject& o, const TFontFields& f) {
  if (f.FaceCount > 0) o.Int("face", f.FaceIndex);
  o.Utf8("Format", f.Format == ffCff ? "CFF" : "TrueType");
}

// How many code points the face maps, and how many in each block that holds
// any, by the blocks' standard names.
void CoverageMembers(JsonObject& o, const std::vector<char32_t>& points) {
  o.Int("CodePoints", static_cast<long long>(points.size()));
  std::string blocks;
  const TUnicodeBlock* block = nullptr;
  size_t count = 0;
  const auto flush = [&] {
    if (!block || count == 0) return;
    blocks += blocks.empty() ? "{\"" : ",\"";
    blocks += block->name;
    blocks += "\":" + std::to_string(count);
  };
  for (char32_t c : points) {
    if (block && c <= block->last) {
      ++count;
      continue;
    }
    flush();
    block = BlockOf(c);
    count = block ? 1 : 0;
  }
  flush();
  o.Raw("Blocks", blocks.empty() ? "{}" : blocks + "}");
}

}  // namespace

void AppendRecordJson(TTextBuffer& out, const TFontFields& f, const std::vector<char32_t>* codePoints) {
  JsonObject o(out);
  o.Text("FileName", f.FileName);
  FaceMembers(o, f);
  o.Bool("Bad", f.Bad);
  o.Bool("InfoRead", f.InfoRead);
  o.Bool("Installed", f.Installed);
  o.Bool("InFontsFolder", f.InFontsFolder);
  o.Text("FontName", f.FontName);
  o.Text("FamilyName", f.FamilyName);
  o.Text("SubfamilyName", f.SubfamilyName);
  o.Text("PostScriptName", f.PostScriptName);
  o.Text("UniqueID", f.UniqueID);
  o.Text("Version", f.Version);
  o.Text("Copyright", f.Copyright);
  o.Text("Trademark", f.Trademark);
  o.Text("Manufacturer", f.Manufacturer);
  o.Text("VendorURL", f.VendorURL);
  o.Text("Designer", f.Designer);
  o.Text("DesignerURL", f.DesignerURL);
  o.Text("Description", f.Description);
  o.Text("License", f.License);
  o.Text("LicenseURL", f.LicenseURL);
  o.Int("UnitsPerEm", f.UnitsPerEm);
  o.Int("Ascender", f.Ascender);
  o.Int("Descender", f.Descender);
  o.Int("LineGap", f.LineGap);
  o.Int("MaxExtent", f.MaxExtent);
  o.Int("LowestRecPPEM", f.LowestRecPPEM);
  o.Int("WeightClass", f.WeightClass);
  o.Int("WidthClass", f.WidthClass);
  o.Int("WinHeight", f.WinHeight);
  o.Int("WinAscent", f.WinAscent);
  o.Int("WinDescent", f.WinDescent);
  o.Int("AvgCharWidth", f.AvgCharWidth);
  o.Bool("Italic", f.Italic);
  o.Bool("Underscore", f.Underscore);
  o.Bool("Negative", f.Negative);
  o.Bool("Outlined", f.Outlined);
  o.Bool("Strikeout", f.Strikeout);
  o.Bool("Bold", f.Bold);
  o.Bool("Regular", f.Regular);
  o.Utf8("FontKind", FontKindName(f.FontKind));
  if (codePoints) CoverageMembers(o, *codePoints);
  o.Finish();
}

void AppendListRecordJson(TTextBuffer& out, const TFontFields& f) {
  JsonObject o(out);
  o.Text("FileName", f.FileName);
  FaceMembers(o, f);
  o.Text("FontName", f.FontName);
  o.Bool("Bad", f.Bad);
  o.Bool("Installed", f.Installed);
  o.Bool("Bodgey", f.Bodgey);
  o.Finish();
}

void TTextBuffer::Grow(size_t n) {
  const size_t capacity = std::max(2 * capacity_, size_ + n + 4096);
  auto grown = std::make_unique_for_overwrite<char[]>(capacity);
  if (size_ > 0) std::memcpy(grown.get(), data_.get(), size_);
  data_ = std::move(grown);
  capacity_ = capacity;
}

void TJsonLines::Flush() {
  if (text.size() > 0) std::fwrite(text.data(), 1, text.size(), stream_);
  text.Truncate(0);
}
