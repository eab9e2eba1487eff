// The text helpers of VLMUtil: fields, placeholders and path pieces.
#include "data/VLMUtil.h"

#include "sys/codepage.h"

namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

// Position of the last of `delims` (ASCII) that is a character of its own
// (not the second byte of a double-byte one), or npos. Every scanned file
// name passes through here several times: no call per byte.
size_t LastDelimiter(std::string_view text, std::string_view delims) {
  uint64_t wanted[2] = {0, 0};
  for (const char d : delims) wanted[(d >> 6) & 1] |= uint64_t{1} << (d & 63);
  const auto isDelimiter = [&](unsigned char c) { return c < 128 && (wanted[c >> 6] >> (c & 63) & 1) != 0; };
  const AnsiLeadBytes lead;
  if (!lead.DoubleByte()) {
    for (size_t i = text.size(); i-- > 0;)
      if (isDelimiter(static_cast<unsigned char>(text[i]))) return i;
    return std::string_view::npos;
  }
  size_t found = std::string_view::npos;
  for (size_t i = 0; i < text.size(); ++i) {
    if (lead(text[i])) {
      ++i;
      continue;
    }
    if (isDelimiter(static_cast<unsigned char>(text[i]))) found = i;
  }
  return found;
}

// The extension of `path` with its dot, or empty.
std::string_view FileExt(std::string_view path) {
  // A dot is never the second byte of a double-byte character, and neither
  // is a colon; a backslash may be, so only a name with one after its last
  // dot is read from the start.
  const size_t dot = path.rfind('.');
  if (dot == std::string_view::npos) return {};
  const std::string_view tail = path.substr(dot);
  if (tail.find_first_of("\\:") == std::string_view::npos) return tail;
  size_t pos = LastDelimiter(path, "\\:.");
  if (pos == std::string_view::npos || path[pos] != '.') return {};
  return path.substr(pos);
}

}  // namespace

std::string IncludeTrailingBackslash(std::string_view text) {
  std::string result(text);
  if (!result.empty() && LastDelimiter(result, "\\") != result.size() - 1) result += '\\';
  return result;
}

std::string ReplacePercent(std::string_view templ, std::string_view value) {
  // "%" is never the second byte of a double-byte character.
  std::string result(templ);
  size_t pos = result.find('%');
  if (pos != std::string::npos) result.replace(pos, 1, value);
  return result;
}

std::wstring ReplacePercent(std::wstring_view templ, std::wstring_view value) {
  std::wstring result(templ);
  size_t pos = result.find(L'%');
  if (pos != std::wstring::npos) result.replace(pos, 1, value);
  return result;
}

std::string SplitAt(std::string& line, std::string_view separator) {
  size_t pos = separator.empty() ? std::string::npos : line.find(separator);
  std::string head;
  if (pos == std::string::npos) {
    head.swap(line);
  } else {
    head = line.substr(0, pos);
    line.erase(0, pos + separator.size());
  }
  return head;
}

std::string ExtractField(std::string& line, std::string_view separator) {
  if (line.empty()) return {};
  if (line[0] != '"') return SplitAt(line, separator);
  size_t close = line.find('"', 1);
  std::string field;
  if (close == std::string::npos) {
    field = line.substr(1);
    line.clear();
  } else {
    field = line.substr(1, close - 1);
    line.erase(0, close + 1);
    SplitAt(line, separator);
    line = Trim(line);
  }
  return field;
}

std::string StripAmpersand(std::string_view text) {
  std::string result(text);
  size_t pos = result.find('&');
  if (pos != std::string::npos) result.erase(pos, 1);
  return result;
}

std::string EnsureLeadingDot(std::string_view ext) {
  if (ext.empty() || ext[0] == '.') return std::string(ext);
  return "." + std::string(ext);
}

std::string FileNameNoExt(std::string_view path) {
  std::string name = ExtractFileName(path);
  name.resize(name.size() - ExtractFileExt(name).size());
  return name;
}

std::string Trim(std::string_view text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return std::string(text.substr(begin, end - begin));
}

std::string ExtractFilePath(std::string_view path) {
  size_t pos = LastDelimiter(path, "\\:");
  return pos == std::string_view::npos ? std::string() : std::string(path.substr(0, pos + 1));
}

std::string ExtractFileName(std::string_view path) {
  size_t pos = LastDelimiter(path, "\\:");
  return std::string(pos == std::string_view::npos ? path : path.substr(pos + 1));
}

std::string ExtractFileExt(std::string_view path) { return std::string(FileExt(path)); }

bool IsPlainTrueTypeFileName(std::string_view path) { return SameText(FileExt(path), ".TTF"); }

bool IsCollectionFileName(std::string_view path) {
  const std::string_view ext = FileExt(path);
  return SameText(ext, ".TTC") || SameText(ext, ".OTC");
}

bool IsFontFileName(std::string_view path) {
  const std::string_view ext = FileExt(path);
  return SameText(ext, ".TTF") || SameText(ext, ".TTC") || SameText(ext, ".OTC") || SameText(ext, ".OTF");
}
