// The program's entry point: the frame window and its message loop.
#include <memory>

#include "app/VLMMain.h"
#include "ui/Application.h"
#include "ui/TProgress.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  ui::InitControls();
  InstallProgressWindows();
  const auto frame = std::make_unique<TfrmVLMMain>();
  frame->MakeMainForm();
  frame->Show();
  return ui::RunMessageLoop();
}
