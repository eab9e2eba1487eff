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
  // Every font window reads the settings again.
  void ApplyOptionsToAll();

  TMainMenu mainMenu;
  TMenuItem& mmFile = mainMenu.Items().Add(L"文件(&F)");
  TMenuItem& mmFileNew = mmFile.Add({L"新建字体窗口(&N)", {'N', ssCtrl}, L"打开另外的字体查看窗口",
                                     [this] { mmFileNewClick(); }});
  TMenuItem& mmFileSep1 = mmFile.AddSeparator();
  TMenuItem& mmFileClose = mmFile.Add({L"关闭(&C)", {}, L"关闭活动的字体窗口",
                                       [this] { mmFileCloseClick(); }});
  TMenuItem& mmFileCloseAll = mmFile.Add({L"全部关闭(&A)", {}, L"关闭所有字体窗口",
                                          [this] { mmFileCloseAllClick(); }});
  TMenuItem& mmFileSep2 = mmFile.AddSeparator();
  TMenuItem& mmFileExit = mmFile.Add({L"退出(&X)", {}, L"关闭所有字体窗口然后关掉 Velmara",
                                      [this] { mmFileExitClick(); }});
  TMenuItem& mmWindow = mainMenu.Items().Add(L"窗口(&W)");
  TMenuItem& mmWindowTile = mmWindow.Add({L"平铺(&T)", {}, L"象不重叠的瓦片那样排列窗口",
                                          [this] { mmWindowTileClick(); }});
  TMenuItem& mmWindowCascade = mmWindow.Add({L"层叠(&C)", {}, L"象重叠的瓦片那样排列窗口",
                                             [this] { mmWindowCascadeClick(); }});

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void FormShow();
  // A font window, shown, with the session's loaded fonts.
  TfrmVLMChild& NewChild();
  void FormClose(TCloseAction& action);
  void ChildReleased(TMDIChild& child);
  void UpdateWindowCommands();

  std::vector<std::string> FLoadedFonts;
  std::vector<std::unique_ptr<TfrmVLMChild>> children_;
};
