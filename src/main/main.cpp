// The program's entry point: the frame window and its message loop.
#include "app/VLMMain.h"
#include "ui/Application.h"
#include "ui/TProgress.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  ui::InitControls();
  InstallProgressWindows();
  TfrmVLMMain frame;
  frame.MakeMainForm();
  frame.Show();
  return ui::RunMessageLoop();
}
