#include "tools/vlminfo/json.h"

#include <cstdio>

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

class JsonObject {
 public:
  void Key(const char* name) {
    out_ += first_ ? "{" : ",";
    first_ = false;
    out_ += JsonString(name);
    out_ += ':';
  }
  void Text(const char* name, const std::string& ansi) { Utf8(name, sys::AnsiToUtf8(ansi)); }
  void Utf8(const char* name, std::string_view utf8) {
    Key(name);
    out_ += JsonString(utf8);
  }
  void Bool(const char* name, bool value) {
    Key(name);
    out_ += value ? "true" : "false";
  }
  void Int(const char* name, long long value) {
    Key(name);
    out_ += std::to_string(value);
  }
  std::string Finish() { return first_ ? "{}" : out_ + "}"; }

 private:
  std::string out_;
  bool first_ = true;
};

}  // namespace

std::string JsonString(std::string_view utf8) {
  std::string out = "\"";
  for (size_t i = 0; i < utf8.size();) {
    const unsigned char c = static_cast<unsigned char>(utf8[i]);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
      ++i;
    } else if (c < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04X", c);
      out += escaped;
      ++i;
    } else if (size_t n = Utf8Length(utf8, i)) {
      out.append(utf8.substr(i, n));
      i += n;
    } else {
      out += "\xEF\xBF\xBD";
      ++i;
    }
  }
  return out + "\"";
}

std::string RecordToJson(const TFontFields& f) {
  JsonObject o;
  o.Text("FileName", f.FileName);
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
  return o.Finish();
}
