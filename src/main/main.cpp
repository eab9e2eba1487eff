// The program's entry point: the frame window and its message loop.
#include <cstdlib>
#include <memory>

#include "app/VLMMain.h"
#include "ui/Application.h"
#include "ui/TProgress.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  ui::InitControls();
  InstallProgressWindows();
  const auto frame = std::make_unique<TfrmVLMMain>();
  frame->Arguments.assign(__argv + 1, __argv + __argc);
  frame->MakeMainForm();
  frame->Show();
  return ui::RunMessageLoop();
}
