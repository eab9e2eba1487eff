// TfrmVLMMain: the frame holding the font windows, with the main menu.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ui/Controls.h"

class TfrmVLMChild;

class TfrmVLMMain : public TMDIFrame {
 public:
  TfrmVLMMain();
  ~TfrmVLMMain() override;

  TfrmVLMChild* ActiveChild() const;
  int ChildCount() const { return MDIChildCount(); }
  TfrmVLMChild& Child(int index) const;
  // Files loaded for the session, upper case; shared by every font window.
  std::vector<std::string>& LoadedFonts() { return FLoadedFonts; }

  void mmFileNewClick();
  void mmFileCloseClick();
  void mmFileCloseAllClick();
  void mmFileExitClick();
  void mmWindowTileClick();
  void mmWindowCascadeClick();

  TMainMenu mainMenu;
  TMenuItem& mmFile = mainMenu.Items().Add(L"文件(&F)");
  TMenuItem& mmFileNew = mmFile.Add(L"新建字体窗口(&N)", TShortCut{'N', ssCtrl});
  TMenuItem& mmFileSep1 = mmFile.AddSeparator();
  TMenuItem& mmFileClose = mmFile.Add(L"关闭(&C)");
  TMenuItem& mmFileCloseAll = mmFile.Add(L"全部关闭(&A)");
  TMenuItem& mmFileSep2 = mmFile.AddSeparator();
  TMenuItem& mmFileExit = mmFile.Add(L"退出(&X)");
  TMenuItem& mmWindow = mainMenu.Items().Add(L"窗口(&W)");
  TMenuItem& mmWindowTile = mmWindow.Add(L"平铺(&T)");
  TMenuItem& mmWindowCascade = mmWindow.Add(L"层叠(&C)");

 private:
  void FormShow();
  void FormClose(TCloseAction& action);
  void ChildReleased(TMDIChild& child);
  void UpdateWindowCommands();

  std::vector<std::string> FLoadedFonts;
  std::vector<std::unique_ptr<TfrmVLMChild>> children_;
};
