#include "app/VLMHelp.h"

#include "data/VLMUtil.h"
#include "sys/sys.h"

std::string HelpFileName() { return ExtractFilePath(sys::Current().ProgramPath()) + "VLM.hlp"; }

void ShowHelpContext(uint32_t context) {
  sys::Current().ShowHelp(HelpFileName(), sys::kHelpContext, context);
}
