// Collection files: one line per font, "name","path", CR LF after every line,
// in the ANSI code page. Files live in a collections folder as NAME.VLM.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::string_view kCollectionFileExt = ".VLM";

// The written form of one line, line end included. A name reads back as
// written: its quotes become apostrophes, its CR and LF blanks.
std::string CollectionLine(std::string_view fontName, std::string_view path);
// Splits a line into its two fields; quotes are optional, a missing path is empty.
void ParseCollectionLine(std::string line, std::string& fontName, std::string& path);

// Calls `onLine` for each line of the file that is not blank, line end
// removed (CR LF, LF or CR). False when the file will not open or a read
// fails; the lines read completely before the failure have been passed on.
bool ReadCollectionLines(std::string_view path, const std::function<void(std::string&)>& onLine);

// Writes `content` to a temporary file beside `path` and puts it in place of
// `path` only when it was written completely, under the name the file has
// and with its hidden and system attributes. On failure the old file is
// untouched, the temporary file is gone and the system error stays pending.
bool WriteFileReplacing(std::string_view path, std::string_view content);

// The file a collection is read from and written to: the name in the folder
// with ".VLM" appended, always. A name with a folder part is a file of its
// own, given ".VLM" only when it does not end in it.
std::string CollectionFile(std::string_view folder, std::string_view name);
// Whether the name makes a file of the collections folder itself: not blank,
// no folder part, no character the system reads as a wildcard or forbids.
bool IsCollectionName(std::string_view name);
// Names of the collection files in the folder, in the order the file system
// lists them; a missing or unreadable folder gives none.
std::vector<std::string> ListCollectionNames(std::string_view folder);
// Creates an empty collection. Fails with error 183 pending when it exists,
// 123 when the name is no collection name.
bool CreateCollection(std::string_view folder, std::string_view name);
// Through the shell, so the user may undo it; the shell reports its errors.
// Names that are no collection names are left alone.
void RenameCollection(std::string_view folder, std::string_view oldName, std::string_view newName);
// At once with `shiftDown`, otherwise to the recycle bin without asking.
// A name that is no collection name deletes nothing.
void DeleteCollection(std::string_view folder, std::string_view name, bool shiftDown);
// After a font file got a new name: every collection in the folder that lists
// the old path is rewritten with the new one. Failures skip that file.
void RewriteCollectionReferences(std::string_view folder, std::string_view oldPath,
                                 std::string_view newPath);
