// What the collections list needs of a collections folder beyond the file
// operations of data/Collections.h: the names it shows, in the order it shows
// them, and a rename whose outcome is known.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Names of the collection files in the folder (ending in "\"), in the order
// the file system lists them; a missing or unreadable folder gives none.
std::vector<std::string> ListCollectionNames(std::string_view folder);

// Orders captions as the system's locale-aware, case-sensitive comparison
// does; names it holds equal keep their order.
void SortCollectionNames(std::vector<std::string>& names);

// Renames through the shell, which may ask the user or refuse. True only when
// the file now stands under the new name.
bool RenameCollectionFile(std::string_view folder, std::string_view oldName,
                          std::string_view newName);
