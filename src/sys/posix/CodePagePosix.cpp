// Code page conversions through iconv. Characters the code page lacks become
// "?", as Windows' default character.
#include <errno.h>
#include <iconv.h>

#include <algorithm>
#include <atomic>
#include <map>
#include <memory>
#include <string>

#include "sys/Utf8.h"
#include "sys/codepage.h"

namespace sys {

namespace {
std::atomic<unsigned> g_codePage{936};

std::string IconvName(unsigned codePage) {
  switch (codePage) {
    case 65001: return "UTF-8";
    case 20127: return "ASCII";
    case 28591: return "ISO-8859-1";
    default: return "CP" + std::to_string(codePage);
  }
}

// One converter, reset before each use. Not shared between threads.
class Converter {
 public:
  Converter(const std::string& to, const std::string& from)
      : handle_(iconv_open(to.c_str(), from.c_str())) {}
  ~Converter() {
    if (handle_ != reinterpret_cast<iconv_t>(-1)) iconv_close(handle_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  bool Valid() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

  // Converts `in`; an input unit (`unitSize` bytes) that cannot be converted
  // is skipped and `replacement` written.
  std::string Run(std::string_view in, size_t unitSize, std::string_view replacement) {
    std::string out;
    iconv(handle_, nullptr, nullptr, nullptr, nullptr);
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    char buffer[1024];
    while (srcLeft > 0) {
      char* dst = buffer;
      size_t dstLeft = sizeof buffer;
      size_t done = iconv(handle_, &src, &srcLeft, &dst, &dstLeft);
      out.append(buffer, static_cast<size_t>(dst - buffer));
      if (done != static_cast<size_t>(-1)) break;
      if (errno == E2BIG) continue;
      // EILSEQ or EINVAL: an unconvertible or incomplete unit.
      // One replacement per UTF-16 unit: Windows gives "??" for a surrogate pair.
      size_t skip = std::min(unitSize, srcLeft);
      src += skip;
      srcLeft -= skip;
      out.append(replacement);
    }
    // Stateful code pages (1258) hold back a character that a following
    // accent might have joined.
    char* dst = buffer;
    size_t dstLeft = sizeof buffer;
    iconv(handle_, nullptr, nullptr, &dst, &dstLeft);
    out.append(buffer, static_cast<size_t>(dst - buffer));
    return out;
  }

 private:
  iconv_t handle_;
};

Converter& ConverterFor(unsigned codePage, bool toUtf16) {
  thread_local std::map<std::pair<unsigned, bool>, std::unique_ptr<Converter>> cache;
  auto& slot = cache[{codePage, toUtf16}];
  if (!slot) {
    const std::string name = IconvName(codePage);
    slot = toUtf16 ? std::make_unique<Converter>("UTF-16LE", name)
                   : std::make_unique<Converter>(name, "UTF-16LE");
    if (!slot->Valid())  // an unknown code page falls back to 936
      slot = toUtf16 ? std::make_unique<Converter>("UTF-16LE", "CP936")
                     : std::make_unique<Converter>("CP936", "UTF-16LE");
  }
  return *slot;
}
}  // namespace

unsigned CodePage() { return g_codePage.load(); }
void SetCodePage(unsigned codePage) { g_codePage.store(codePage ? codePage : 936); }

std::string Utf16ToAnsi(std::u16string_view text) {
  // Font names are mostly plain ASCII, which these code pages keep as it is;
  // iconv costs far more than the copy.
  // One pass narrows the text and tells whether it was all ASCII.
  if (CodePageKeepsAscii(CodePage())) {
    std::string out(text.size(), '\0');
    char* const dst = out.data();
    const char16_t* const src = text.data();
    char16_t seen = 0;
    for (size_t i = 0; i < text.size(); ++i) {
      seen |= src[i];
      dst[i] = static_cast<char>(src[i]);
    }
    if (seen < 0x80) return out;
  }
  std::string_view bytes(reinterpret_cast<const char*>(text.data()), text.size() * 2);
  return ConverterFor(CodePage(), false).Run(bytes, 2, "?");
}

std::u16string AnsiToUtf16(std::string_view text) {
  std::string bytes = ConverterFor(CodePage(), true).Run(text, 1, std::string_view("?\0", 2));
  std::u16string out(bytes.size() / 2, u'\0');
  for (size_t i = 0; i < out.size(); ++i)
    out[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                   static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
  return out;
}

std::string AnsiToUtf8(std::string_view text) {
  // Plain ASCII is the same text in UTF-8; most names and paths are.
  if (CodePageKeepsAscii(CodePage()) &&
      std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
    return std::string(text);
  return Utf16ToUtf8(AnsiToUtf16(text));
}
std::string Utf8ToAnsi(std::string_view text) { return Utf16ToAnsi(Utf8ToUtf16(text)); }

std::string CodePointToAnsi(char32_t c) {
  if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return {};
  std::u16string units;
  if (c >= 0x10000) {
    units = {char16_t(0xD800 + ((c - 0x10000) >> 10)), char16_t(0xDC00 + ((c - 0x10000) & 0x3FF))};
  } else {
    units = std::u16string(1, char16_t(c));
  }
  std::string bytes(units.size() * 2, '\0');
  for (size_t i = 0; i < units.size(); ++i) {
    bytes[2 * i] = static_cast<char>(units[i] & 0xFF);
    bytes[2 * i + 1] = static_cast<char>(units[i] >> 8);
  }
  // An empty replacement: a character iconv cannot convert leaves nothing.
  return ConverterFor(CodePage(), false).Run(bytes, units.size() * 2, "");
}

// wchar_t holds whole code points here.
std::wstring Widen(std::string_view ansi) {
  std::u16string units = AnsiToUtf16(ansi);
  std::wstring out;
  out.reserve(units.size());
  for (size_t i = 0; i < units.size(); ++i) {
    char32_t c = units[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
        units[i + 1] <= 0xDFFF)
      c = 0x10000 + ((c - 0xD800) << 10) + (units[++i] - 0xDC00);
    out += static_cast<wchar_t>(c);
  }
  return out;
}

std::string Narrow(std::wstring_view wide) {
  std::u16string units;
  units.reserve(wide.size());
  for (wchar_t w : wide) {
    auto c = static_cast<char32_t>(w);
    if (c >= 0x10000 && c <= 0x10FFFF) {
      c -= 0x10000;
      units += static_cast<char16_t>(0xD800 + (c >> 10));
      units += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    } else {
      units += static_cast<char16_t>(c > 0x10FFFF ? u'?' : c);
    }
  }
  return Utf16ToAnsi(units);
}

}  // namespace sys
