// Where the notes and collections live when the settings name no usable
// folder.
#pragma once

#include <string>
#include <string_view>

struct TDataFolder {
  std::string folder;    // ends in "\"
  bool replaced = false;  // the setting must take this folder and be saved
};

// The configured folder when it exists; else the program's folder followed by
// `subfolder`, created when missing; when that cannot be created, the user's
// documents folder (or the program's own folder) and the setting is replaced.
TDataFolder EnsureDataFolder(std::string_view configured, std::string_view subfolder);
