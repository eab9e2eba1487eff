// Collection files (.VLM) open in this program from the shell.
#pragma once

#include <string>

// Registers the collection file type for the program at `programPath`,
// creating only the keys that are missing: a registration made by a copy of
// the program in another folder stays. Tells the shell when anything was
// registered, and returns whether it was. Nothing is registered without a path.
bool RegisterFileType(const std::string& programPath);
// For the running program.
bool RegisterFileType();
