// Folders, the installed-font table's key, errors, shell file operations and
// the small text helpers the whole program shares. Nothing here keeps state.
#pragma once

#include "sys/PathText.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace sys {
class RegKey;
}

bool IsWindowsNT();
std::string GetFontsFolder();
std::string GetPersonalFolder();
std::string GetCollectionsFolder();
std::string GetFontsRegKey();
// The installed-font table's key (the one GetFontsRegKey names), opened for
// reading; null when it cannot be opened.
std::unique_ptr<sys::RegKey> OpenFontsRegKey();
// The current user's own table of the same name (in HKEY_CURRENT_USER),
// whose values give full paths; null when there is none.
std::unique_ptr<sys::RegKey> OpenUserFontsRegKey(bool create = false);
std::string FontRegValueName(std::string_view fontName);
// Whether FontRegValueName may have cut a longer name down to this one, so
// that the name cannot be taken as the font's full name.
bool FontRegNameMayBeCut(std::string_view name);

// "(code) text" of the last system error, or empty when there is none.
std::string SysErrorText();
// Task-modal stop box captioned "Error"; with `withSysError` the last system
// error's text follows on its own line.
void ShowError(std::wstring_view message, bool withSysError);
// Task-modal Yes/No question with No as the default; true on Yes.
bool Confirm(std::wstring_view question);

int ShellFileOp(unsigned op, uint16_t flags, std::string_view source, std::string_view dest);
int ShellFileOpList(unsigned op, uint16_t flags, const std::vector<std::string>& sources,
                    std::string_view dest);

std::string IncludeTrailingBackslash(std::string_view text);
std::string ReplacePercent(std::string_view templ, std::string_view value);
std::wstring ReplacePercent(std::wstring_view templ, std::wstring_view value);
std::string SplitAt(std::string& line, std::string_view separator);
std::string ExtractField(std::string& line, std::string_view separator);
std::string StripAmpersand(std::string_view text);
std::string EnsureLeadingDot(std::string_view ext);
std::string FileNameNoExt(std::string_view path);

// Helpers shared by the data layer. Paths and names are ANSI text: the
// splitting and upper-casing helpers step over double-byte characters, whose
// second byte may be a backslash or a letter in the East Asian code pages.
using sys::AppendUpperAscii;
using sys::LowerAscii;
using sys::UpperAscii;
// ASCII case-insensitive.
inline bool SameText(std::string_view a, std::string_view b) { return sys::EqualNoCase(a, b); }
std::string Trim(std::string_view text);                // drops chars <= ' ' at both ends
std::string ExtractFilePath(std::string_view path);     // up to and including the last "\" or ":"
std::string ExtractFileName(std::string_view path);
std::string ExtractFileExt(std::string_view path);      // from the last "." of the name on
// Files the program lists as fonts: .TTF, .TTC, .OTC and .OTF, any case.
bool IsFontFileName(std::string_view path);
// Those of them that may hold several faces: .TTC and .OTC.
bool IsCollectionFileName(std::string_view path);
bool IsPlainTrueTypeFileName(std::string_view path);  // .TTF

using sys::AnsiLeadBytes;

// Settings keys shared by several parts.
inline constexpr std::string_view kVelmaraKey = "\\Software\\Corvell\\Velmara";
inline constexpr std::string_view kShellFoldersKey =
    "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
