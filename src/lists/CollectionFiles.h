// What the collections list adds to the file operations of data/Collections.h:
// the order it shows the names in, and a rename whose outcome is known.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Orders captions as the system's locale-aware, case-sensitive comparison
// does; names it holds equal keep their order.
void SortCollectionNames(std::vector<std::string>& names);

// Renames through the shell, which may ask the user or refuse. True only when
// the file now stands under the new name.
bool RenameCollectionFile(std::string_view folder, std::string_view oldName,
                          std::string_view newName);
