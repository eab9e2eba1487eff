// The program's message loop and the common controls it needs.
#pragma once

namespace ui {

// Loads the common controls the layer uses; call once before any window.
void InitControls();
// Runs until the main form is destroyed; returns the exit code.
int RunMessageLoop();
// Handles the messages waiting now, then returns.
void ProcessMessages();

}  // namespace ui
