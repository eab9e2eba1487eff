// What the file operations of a font record share with their callers: the
// deletion modes, the announcement of font changes and the shell's recycling.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// How Uninstall and Delete dispose of a font file.
enum TDeleteMode : int {
  dmRecycle = 0,  // to the recycle bin
  dmDelete = 1,   // deleted for good
  dmLeave = 2,    // left where it is; the caller disposes of it
};

// Tells every top-level window that the system's fonts changed.
void AnnounceFontChange();

// Whether a value of the installed-font table names the file, by its path or,
// in the fonts folder, by its bare name. A table that cannot be read may.
bool FontTableNamesFile(std::string_view path);

// Sends the files to the recycle bin in one shell operation, without asking.
// On failure the shell's result is left as the last system error, so that
// ShowError can name the reason.
bool RecycleFiles(const std::vector<std::string>& files);
