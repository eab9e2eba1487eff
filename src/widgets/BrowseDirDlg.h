// TBrowseDirDlg: the system's browse-for-folder dialog, rooted at the
// desktop, folders only, the current selection shown in its status line.
//   TBrowseDirDlg dlg;
//   dlg.Title = L"选择字体将复制到的文件夹:";
//   dlg.Folder = start;
//   if (dlg.Execute(owner)) use(dlg.Folder);
// How it runs can be swapped (TScopedBrowseRunner), so that a test answers in
// the user's place.
#pragma once

#include <functional>
#include <string>

#include "ui/ScopedHook.h"
#include "ui/Win.h"

class TControl;

class TBrowseDirDlg {
 public:
  std::wstring Title;
  // The start folder before Execute, the chosen one after a confirmed run.
  std::string Folder;

  // Modal over the owner's window; true when the user confirmed a folder.
  bool Execute(const TControl* owner);

  // The system's own run: the dialog as the user sees it.
  static bool RunSystemDialog(TBrowseDirDlg& dialog, HWND owner);
};

// How the dialog runs: true when the user confirmed.
using TBrowseRunner = std::function<bool(TBrowseDirDlg& dialog, HWND owner)>;

class TScopedBrowseRunner : public TScopedHook<TBrowseRunner> {
 public:
  using Runner = TBrowseRunner;
  explicit TScopedBrowseRunner(Runner runner);
};
