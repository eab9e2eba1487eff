// TfrmVLMMain: the frame holding the font windows, with the main menu. Its
// File and Edit commands act on the active font window, the variant chosen
// by the control that has the focus there.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "data/FontKind.h"
#include "ui/Controls.h"
#include "widgets/Toolbar97.h"

class TfrmVLMChild;

// A File command's counterparts in a font window's popups.
struct TVLMFileRoute {
  TMenuItem* entry;
  TMenuItem* (*fontList)(TfrmVLMChild&);
  TMenuItem* (*collections)(TfrmVLMChild&);  // null: disabled there
};

class TfrmVLMMain : public TMDIFrame {
 public:
  TfrmVLMMain();
  ~TfrmVLMMain() override;

  TfrmVLMChild* ActiveChild() const;
  int ChildCount() const { return MDIChildCount(); }
  TfrmVLMChild& Child(int index) const;
  // Files loaded for the session, upper case; shared by every font window.
  std::vector<std::string>& LoadedFonts() { return FLoadedFonts; }
  // Command-line arguments, as the program was started with them.
  std::vector<std::string> Arguments;

  void mmFileClick();
  void mmFileNewClick();
  void mmFileCloseClick();
  void mmFileCloseAllClick();
  void mmFileExitClick();
  // All, None or one kind's entry (a filter button passes its entry).
  void mmViewFontTypesClick(const TMenuItem& sender);
  void mmViewOptionsClick();
  void mmWindowTileClick();
  void mmWindowCascadeClick();
  void mmWindowMinimiseAllClick();
  void mmWindowRestoreAllClick();
  void mmWindowRefreshClick();
  void mmHelpContentsClick();
  void mmHelpAboutClick();
  void pmToolbarsPopup();
  void pmToolbarsMenuBarClick();
  void pmToolbarsToolBarClick();
  void pmToolbarsFilterBarClick();
  void pmToolbarsTextLabelsClick();
  // Captions under the glyphs or glyphs alone, as "文字标签" says.
  void ApplyTextLabels();

  // Every font window reads the settings again.
  void ApplyOptionsToAll();
  // The menu (and filter bar) show the active font window's filter.
  void UpdateFilterControls();
  void HandleCommandLine();

  TMainMenu mainMenu;
  TMenuItem& mmFile = mainMenu.Items().Add({L"文件(&F)", {}, {}, [this] { mmFileClick(); }});
  TMenuItem& mmFileNew = mmFile.Add({L"新建字体窗口(&N)", {'N', ssCtrl}, L"打开另外的字体查看窗口",
                                     [this] { mmFileNewClick(); }});
  TMenuItem& mmFileSep1 = mmFile.AddSeparator();
  TMenuItem& mmFileInstall = mmFile.Add({L"安装(&I)", {'I', ssCtrl}, L"安装选定的字体"});
  TMenuItem& mmFileUninstall = mmFile.Add({L"反安装(&U)", {'U', ssCtrl}, L"反安装选定的字体"});
  TMenuItem& mmFileLoad = mmFile.Add(L"载入(&L)");
  TMenuItem& mmFileUnload = mmFile.Add(L"反载入(&U)");
  TMenuItem& mmFileSep2 = mmFile.AddSeparator();
  TMenuItem& mmFileAddToColl = mmFile.Add(L"添加到藏品(&O)");
  TMenuItem& mmFileCopyToFolder = mmFile.Add(L"复制到文件夹(&F)...");
  TMenuItem& mmFileSep3 = mmFile.AddSeparator();
  TMenuItem& mmFilePrint = mmFile.Add({L"打印(&P)...", {'P', ssCtrl}, L"打印选定字体的样本"});
  TMenuItem& mmFileSep4 = mmFile.AddSeparator();
  TMenuItem& mmFileRename = mmFile.Add({L"重命名(&M)...", {VK_F2, 0}, L"更改选定字体的文件名"});
  TMenuItem& mmFileProperties = mmFile.Add({L"属性(&R)...", {}, L"显示选定字体文件的属性"});
  TMenuItem& mmFileDelete = mmFile.Add({L"删除(&D)", {}, L"清除选定的字体文件"});
  TMenuItem& mmFileSep5 = mmFile.AddSeparator();
  TMenuItem& mmFileClose = mmFile.Add({L"关闭(&C)", {}, L"关闭活动的字体窗口",
                                       [this] { mmFileCloseClick(); }});
  TMenuItem& mmFileCloseAll = mmFile.Add({L"全部关闭(&A)", {}, L"关闭所有字体窗口",
                                          [this] { mmFileCloseAllClick(); }});
  TMenuItem& mmFileSep6 = mmFile.AddSeparator();
  TMenuItem& mmFileExit = mmFile.Add({L"退出(&X)", {}, L"关闭所有字体窗口然后关掉 Velmara",
                                      [this] { mmFileExitClick(); }});

  TMenuItem& mmEdit = mainMenu.Items().Add(L"编辑(&E)");
  TMenuItem& mmEditCut = mmEdit.Add({L"剪切(&T)", {'X', ssCtrl}, L"剪下所选项并将其移到剪贴板中"});
  TMenuItem& mmEditCopy = mmEdit.Add({L"复制(&C)", {'C', ssCtrl}, L"复制所选项到剪贴板中"});
  TMenuItem& mmEditPaste = mmEdit.Add({L"粘贴(&P)", {'V', ssCtrl}, L"在插入点插入剪贴板的内容"});
  TMenuItem& mmEditSep1 = mmEdit.AddSeparator();
  TMenuItem& mmEditSelectAll = mmEdit.Add({L"全选(&A)", {'A', ssCtrl}});
  TMenuItem& mmEditInvertSel = mmEdit.Add(L"转换选定状态(&I)");

  TMenuItem& mmView = mainMenu.Items().Add(L"查看(&V)");
  TMenuItem& mmViewFontTypes = mmView.Add(L"字体类型(&F)");
  TMenuItem& mmViewFontsAll = mmViewFontTypes.Add({L"全部(&A)", {}, L"所有字体, 不考虑类型"});
  TMenuItem& mmViewFontsNone =
      mmViewFontTypes.Add({L"没有(&N)", {}, L"清除过滤使得没有字体被显示"});
  TMenuItem& mmViewFontsSep1 = mmViewFontTypes.AddSeparator();
  TMenuItem& mmViewFontsSerif =
      mmViewFontTypes.Add({L"有衬线(&S)", {}, L"有衬线的比例字体(例如 Times New Roman)"});
  TMenuItem& mmViewFontsSans =
      mmViewFontTypes.Add({L"无衬线(&E)", {}, L"没有衬线的比例字体(例如 Arial)"});
  TMenuItem& mmViewFontsMono = mmViewFontTypes.Add(
      {L"等宽体(&M)", {}, L"采用衬线或不采用衬线的等宽(固定宽度)字体(例如 Courier New)"});
  TMenuItem& mmViewFontsScript =
      mmViewFontTypes.Add({L"手写体(&C)", {}, L"看起来象手写形式的字体(例如 Comic Sans MS)"});
  TMenuItem& mmViewFontsDecorative =
      mmViewFontTypes.Add({L"装饰体(&D)", {}, L"新奇的字体(例如 Old English)"});
  TMenuItem& mmViewFontsPictorial =
      mmViewFontTypes.Add({L"图形体(&P)", {}, L"符号和图形字体(例如 Symbol, Wingdings)"});
  TMenuItem& mmViewFontsOther =
      mmViewFontTypes.Add({L"其他(&O)", {}, L"不能归为以上类别, 或不包含类别信息的字体"});
  TMenuItem& mmViewToolbars = mmView.Add({L"工具栏(&T)", {}, {}, [this] { pmToolbarsPopup(); }});
  TMenuItem& mmViewToolbarsMenuBar = mmViewToolbars.Add(L"菜单栏(&M)");
  TMenuItem& mmViewToolbarsToolBar = mmViewToolbars.Add(L"工具栏(&T)");
  TMenuItem& mmViewToolbarsFilterBar = mmViewToolbars.Add(L"过滤栏(&F)");
  TMenuItem& mmViewToolbarsSep1 = mmViewToolbars.AddSeparator();
  TMenuItem& mmViewToolbarsTextLabels = mmViewToolbars.Add(L"文字标签(&L)");
  TMenuItem& mmViewSep1 = mmView.AddSeparator();
  TMenuItem& mmViewOptions = mmView.Add({L"选项(&O)...", {}, {}, [this] { mmViewOptionsClick(); }});

  TMenuItem& mmWindow = mainMenu.Items().Add(L"窗口(&W)");
  TMenuItem& mmWindowTile = mmWindow.Add({L"平铺(&T)", {}, L"象不重叠的瓦片那样排列窗口",
                                          [this] { mmWindowTileClick(); }});
  TMenuItem& mmWindowCascade = mmWindow.Add({L"层叠(&C)", {}, L"象重叠的瓦片那样排列窗口",
                                             [this] { mmWindowCascadeClick(); }});
  TMenuItem& mmWindowMinimiseAll =
      mmWindow.Add({L"全部最小化(&M)", {}, {}, [this] { mmWindowMinimiseAllClick(); }});
  TMenuItem& mmWindowRestoreAll =
      mmWindow.Add({L"全部还原(&A)", {}, {}, [this] { mmWindowRestoreAllClick(); }});
  TMenuItem& mmWindowSep1 = mmWindow.AddSeparator();
  TMenuItem& mmWindowRefresh =
      mmWindow.Add({L"刷新(&R)", {VK_F5, 0}, L"更新活动的字体窗口以表现出任何的改动",
                    [this] { mmWindowRefreshClick(); }});

  TMenuItem& mmHelp = mainMenu.Items().Add(L"帮助(&H)");
  TMenuItem& mmHelpContents = mmHelp.Add({L"内容和索引(&C)...", {VK_F1, 0}, L"显示帮助主题",
                                          [this] { mmHelpContentsClick(); }});
  TMenuItem& mmHelpSep1 = mmHelp.AddSeparator();
  TMenuItem& mmHelpAbout = mmHelp.Add({L"关于(&A)...", {}, L"显示程序的版权和版本信息",
                                       [this] { mmHelpAboutClick(); }});

  TPopupMenu pmToolbars;
  TMenuItem& pmToolbarsMenuBar = pmToolbars.Items().Add(L"菜单栏(&M)");
  TMenuItem& pmToolbarsToolBar = pmToolbars.Items().Add(L"工具栏(&T)");
  TMenuItem& pmToolbarsFilterBar = pmToolbars.Items().Add(L"过滤栏(&F)");
  TMenuItem& pmToolbarsSep1 = pmToolbars.Items().AddSeparator();
  TMenuItem& pmToolbarsTextLabels = pmToolbars.Items().Add(L"文字标签(&L)");

  TDock97 dk97Top{*this, dpTop};
  TDock97 dk97Bottom{*this, dpBottom};
  TDock97 dk97Left{*this, dpLeft};
  TDock97 dk97Right{*this, dpRight};

  TToolbar97 tb97Main{*this, dk97Top, L"Tool Bar"};
  TToolbarButton97& tbb97New = AddCommandButton(tb97Main, L"新建", mmFileNew);
  TToolbarButton97& tbb97Refresh = AddCommandButton(tb97Main, L"刷新", mmWindowRefresh, true);
  TToolbarButton97& tbb97Cut = AddCommandButton(tb97Main, L"剪切", mmEditCut);
  TToolbarButton97& tbb97Copy = AddCommandButton(tb97Main, L"复制", mmEditCopy);
  TToolbarButton97& tbb97Paste = AddCommandButton(tb97Main, L"粘贴", mmEditPaste, true);
  TToolbarButton97& tbb97Install = AddCommandButton(tb97Main, L"安装", mmFileInstall);
  TToolbarButton97& tbb97Uninstall = AddCommandButton(tb97Main, L"反安装", mmFileUninstall);
  TToolbarButton97& tbb97Print = AddCommandButton(tb97Main, L"打印", mmFilePrint);
  TToolbarButton97& tbb97Properties = AddCommandButton(tb97Main, L"属性", mmFileProperties);
  TToolbarButton97& tbb97Delete = AddCommandButton(tb97Main, L"删除", mmFileDelete, true);
  TToolbarButton97& tbb97Help = AddCommandButton(tb97Main, L"帮助", mmHelpContents);

  TToolbar97 tb97Filter{*this, dk97Bottom, L"过滤栏"};
  TToolbarButton97& tbb97FilterAll = AddCommandButton(tb97Filter, L"全部", mmViewFontsAll);
  TToolbarButton97& tbb97FilterNone = AddCommandButton(tb97Filter, L"没有", mmViewFontsNone, true);
  TToolbarButton97& tbb97FilterSerif = AddKindButton(L"有衬线", mmViewFontsSerif, 1);
  TToolbarButton97& tbb97FilterSans = AddKindButton(L"无衬线", mmViewFontsSans, 2);
  TToolbarButton97& tbb97FilterMono = AddKindButton(L"等宽体", mmViewFontsMono, 3);
  TToolbarButton97& tbb97FilterScript = AddKindButton(L"手写体", mmViewFontsScript, 4);
  TToolbarButton97& tbb97FilterDecorative = AddKindButton(L"装饰体", mmViewFontsDecorative, 5);
  TToolbarButton97& tbb97FilterPictorial = AddKindButton(L"图形体", mmViewFontsPictorial, 6);
  TToolbarButton97& tbb97FilterOther = AddKindButton(L"其他", mmViewFontsOther, 7);

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  // A button that runs `entry` and shows its hint; a separator after it when asked.
  static TToolbarButton97& AddCommandButton(TToolbar97& bar, std::wstring_view caption, TMenuItem& entry,
                                            bool separatorAfter = false);
  // A kind's toggle button: a group of its own that may be all up, down at first.
  TToolbarButton97& AddKindButton(std::wstring_view caption, TMenuItem& entry, int group);
  void LoadGlyphs();
  void FormShow();
  // A font window, shown, with the session's loaded fonts.
  TfrmVLMChild& NewChild();
  void FormClose(TCloseAction& action);
  void ChildReleased(TMDIChild& child);
  void BindRoutedCommands();
  void UpdateFileCommands();
  // The "add to collection" submenu without entries, disabled.
  void EmptyAddToColl();
  // Saves the notes and the layout, as a close would.
  void SessionEnding();
  void UpdateEditCommands();
  void UpdateWindowCommands();
  void EnableFilterControls(bool enabled);
  void SetFilterControl(TFontKind kind, bool on);
  // A kind's View menu entry and filter bar button, set together.
  struct TKindControls {
    TMenuItem& entry;
    TToolbarButton97& button;
  };
  TKindControls KindControls(TFontKind kind);
  bool AppMessage(UINT msg);
  // The entry and the tool bar button that stands for it.
  void SetCommandEnabled(TMenuItem& entry, bool enabled);

  std::vector<TVLMFileRoute> fileRoutes_;

  std::vector<std::string> FLoadedFonts;
  std::vector<std::unique_ptr<TfrmVLMChild>> children_;
};
