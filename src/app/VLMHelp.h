// The program's help file: "VLM.hlp" in the program's own folder.
#pragma once

#include <cstdint>
#include <string>

std::string HelpFileName();
// Opens the help file at a topic (the help context of a dialog).
void ShowHelpContext(uint32_t context);
// Opens the help file's contents and index.
void ShowHelpContents();
// Closes the viewer, when this run of the program opened it.
void QuitHelp();
