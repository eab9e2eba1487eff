// The program's manual: "VLM.chm" in the program's own folder, shown in the
// system's HTML Help viewer. Where the manual or the viewer is missing, one
// box names the missing file.
#pragma once

#include <cstdint>
#include <string>

class TForm;

std::string HelpFileName();
// Opens the manual at a topic of its map (HelpContexts.h).
void ShowHelpContext(uint32_t context);
// Opens the manual at its contents.
void ShowHelpContents();
// Closes the viewers this run of the program opened.
void QuitHelp();
// F1 in `form` opens the topic of `context`; the form's other keys go on to
// whatever handled them before.
void ShowHelpOnF1(TForm& form, uint32_t context);
