// The program's message loop and the common controls it needs.
#pragma once

#include "ui/Win.h"

namespace ui {

// Loads the common controls the layer uses and makes every pump of the
// program route messages as HandleMessage does; call once before any window.
void InitControls();
// Runs until the main form is destroyed; returns the exit code.
int RunMessageLoop();
// Handles the messages waiting now, then returns.
void ProcessMessages();
// What every pump does with a message it took: the frame's document-window
// keys, the shortcut and dialog keys, then translation and dispatch.
void HandleMessage(MSG& msg);

}  // namespace ui
