// Options and Help: wired here until the options dialog and the help viewer call land.
#include "app/VLMMain.h"
void TfrmVLMMain::mmViewOptionsClick() {}
void TfrmVLMMain::mmHelpContentsClick() {}
