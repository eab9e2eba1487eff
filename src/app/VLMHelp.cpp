#include "app/VLMHelp.h"

#include "data/VLMUtil.h"
#include "sys/sys.h"

namespace {

bool g_helpOpened = false;

void ShowHelp(unsigned command, uintptr_t data) {
  g_helpOpened = sys::Current().ShowHelp(HelpFileName(), command, data) || g_helpOpened;
}

}  // namespace

std::string HelpFileName() { return ExtractFilePath(sys::Current().ProgramPath()) + "VLM.hlp"; }

void ShowHelpContext(uint32_t context) { ShowHelp(sys::kHelpContext, context); }

void ShowHelpContents() { ShowHelp(sys::kHelpFinder, 0); }

void QuitHelp() {
  if (!g_helpOpened) return;
  g_helpOpened = false;
  sys::Current().ShowHelp(HelpFileName(), sys::kHelpQuit, 0);
}
