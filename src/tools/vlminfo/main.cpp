// vlminfo: the data layer on the command line. Prints one JSON line per font
// file record: per face of a collection.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "data/CharacterMap.h"
#include "data/FontFileInfo.h"
#include "data/InstalledFonts.h"
#include "data/VLMUtil.h"
#include "sys/PathText.h"
#include "sys/codepage.h"
#include "sys/sys.h"
#include "tools/vlminfo/json.h"
#include "tools/vlminfo/list_modes.h"

namespace {

const char kUsage[] =
    "usage: vlminfo [--names-only] [--coverage] [--codepage N] PATH...\n"
    "       vlminfo --list FOLDER [--subfolders [--depth N]]\n"
    "       vlminfo --collection FILE | --installed\n"
    "  Prints one JSON object per font, each face of a collection with its\n"
    "  \"face\" (from 0): a PATH that is a folder means its *.TTF, *.TTC, *.OTC\n"
    "  and *.OTF files (not its subfolders).\n"
    "  --names-only   read only the font's full name, as folder listings do\n"
    "  --coverage     add \"CodePoints\", the number of code points the face\n"
    "                 maps (its Windows cmap subtables 3,0, 3,1 and 3,10 of\n"
    "                 formats 4 and 12; glyph 0 maps nothing), and \"Blocks\",\n"
    "                 how many of them fall in each Unicode block\n"
    "  --codepage N   the ANSI code page of file names and names (default: the\n"
    "                 system's on Windows, 936 elsewhere)\n"
    "  --list, --collection, --installed  scan as the font lists do (names\n"
    "                 only) and print FileName, face, Format, FontName, Bad,\n"
    "                 Installed and Bodgey of each record in list order;\n"
    "                 --installed reads the machine's table and the current\n"
    "                 user's; --depth: levels of subfolders (default 3,\n"
    "                 negative: all)\n"
    "  No window is ever opened: the warning of a scan that met trouble with\n"
    "  the registry or the file system goes to standard error.\n"
    "Exit status: 0 (unreadable fonts are printed as bad records), 1 when a\n"
    "folder or collection cannot be found or listed, 2 on wrong usage, 3 when\n"
    "a list mode's scan met trouble (its records are printed all the same).\n";

struct Options {
  bool namesOnly = false;
  bool coverage = false;
  TListRequest list;
  std::vector<std::string> paths;
};

int Usage(const char* problem) {
  if (problem) std::fprintf(stderr, "vlminfo: %s\n", problem);
  std::fputs(kUsage, stderr);
  return 2;
}

// Parses the command line; a result other than -1 is the exit status.
int ParseArguments(int argc, char** argv, Options& options) {
  bool optionsEnded = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
      options.paths.push_back(arg);
    } else if (arg == "--") {
      optionsEnded = true;
    } else if (arg == "--names-only") {
      options.namesOnly = true;
    } else if (arg == "--coverage") {
      options.coverage = true;
    } else if (arg == "--codepage") {
      if (++i == argc) return Usage("--codepage needs a number");
      char* end = nullptr;
      const long codePage = std::strtol(argv[i], &end, 10);
      if (*argv[i] == '\0' || *end != '\0' || codePage <= 0 || codePage > 65535)
        return Usage("--codepage needs a code page number");
      sys::SetCodePage(static_cast<unsigned>(codePage));
    } else if (arg == "--list" || arg == "--collection") {
      if (++i == argc) return Usage((arg + " needs a path").c_str());
      options.list.kind = arg == "--list" ? TListRequest::kFolder : TListRequest::kCollection;
      options.list.path = argv[i];
    } else if (arg == "--installed") {
      options.list.kind = TListRequest::kInstalled;
    } else if (arg == "--subfolders") {
      options.list.subfolders = true;
    } else if (arg == "--depth") {
      if (++i == argc) return Usage("--depth needs a number");
      char* end = nullptr;
      const long depth = std::strtol(argv[i], &end, 10);
      if (*argv[i] == '\0' || *end != '\0' || depth < -1000000 || depth > 1000000)
        return Usage("--depth needs a number");
      options.list.depth = static_cast<int>(depth);
    } else if (arg == "--help" || arg == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    } else {
      return Usage(("unknown option " + arg).c_str());
    }
  }
  if (options.list.kind != TListRequest::kNone) {
    if (!options.paths.empty()) return Usage("a list mode takes no further PATH");
    return -1;
  }
  if (options.paths.empty()) return Usage("no PATH given");
  return -1;
}

// Joins a folder and a name with the separator the folder already uses, so
// that native paths stay readable.
std::string JoinPath(const std::string& folder, const std::string& name) {
  const char last = folder.empty() ? '\0' : folder.back();
  if (last == '\\' || last == '/') return folder + name;
  const bool slashes = folder.find('/') != std::string::npos && folder.find('\\') == std::string::npos;
  return folder + (slashes ? "/" : "\\") + name;
}

// The font files a PATH stands for: a folder's font files sorted by name, or
// the path itself. False when a folder cannot be listed.
bool FontFiles(const std::string& path, std::vector<std::string>& files) {
  sys::Backend& os = sys::Current();
  if (!os.DirectoryExists(path)) {
    files.push_back(path);
    return true;
  }
  std::vector<sys::FindEntry> entries;
  if (!os.FindNames(JoinPath(path, "*"), entries)) {
    std::fprintf(stderr, "vlminfo: cannot list %s: %s\n", sys::AnsiToUtf8(path).c_str(),
                 sys::AnsiToUtf8(SysErrorText()).c_str());
    return false;
  }
  // Sorted by the upper-cased name; a listing that comes sorted, as most do,
  // is taken as it is.
  std::vector<const std::string*> names;
  for (const sys::FindEntry& e : entries)
    if (!e.IsDirectory() && IsFontFileName(e.name)) names.push_back(&e.name);
  const auto byName = [](const std::string* a, const std::string* b) { return sys::LessNoCase(*a, *b); };
  if (!std::is_sorted(names.begin(), names.end(), byName))
    std::stable_sort(names.begin(), names.end(), byName);
  for (const std::string* name : names) files.push_back(JoinPath(path, *name));
  return true;
}

// The file's first face, then the other faces its collection header announces.
void PrintRecords(const std::string& file, const Options& options, TInstalledFonts& installed,
                  TJsonLines& lines) {
  std::vector<TFontFields> read;  // names only: every face, read through one open
  if (options.namesOnly) read = ReadFileFaces(file);
  uint32_t faces = options.namesOnly ? static_cast<uint32_t>(read.size()) : 1;
  for (uint32_t face = 0; face < faces; ++face) {
    TFontFileInfo record;
    if (options.namesOnly) {
      record.SetFileNameRead(std::move(read[face]), installed);
    } else {
      record.SetFileNameAndRead(file, true, installed, face);
    }
    std::vector<char32_t> points;
    if (options.coverage) points = ReadCodePoints(file, face);
    record.LookAtFields([&](const TFontFields& fields) {
      AppendRecordJson(lines.text, fields, options.coverage ? &points : nullptr);
      if (face == 0 && !options.namesOnly) faces = std::clamp<uint32_t>(fields.FaceCount, 1, kMaxListedFaces);
    });
    lines.EndLine();
  }
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (int status = ParseArguments(argc, argv, options); status >= 0) return status;
  if (options.list.kind != TListRequest::kNone) return PrintList(options.list);
  int status = 0;
  TInstalledFonts installed;  // opened once for every record
  TJsonLines lines(stdout);
  for (const std::string& path : options.paths) {
    std::vector<std::string> files;
    lines.Flush();  // what went before stays before a listing's complaint
    if (!FontFiles(path, files)) status = 1;
    for (const std::string& file : files) PrintRecords(file, options, installed, lines);
  }
  lines.Flush();
  std::fflush(stdout);
  return status;
}
