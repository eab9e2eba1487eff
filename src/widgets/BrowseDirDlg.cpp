#include "widgets/BrowseDirDlg.h"

#include <shlobj.h>

#include "sys/codepage.h"
#include "ui/Control.h"

namespace {

TScopedBrowseRunner::Runner& CurrentRunner() {
  static TScopedBrowseRunner::Runner runner = &TBrowseDirDlg::RunSystemDialog;
  return runner;
}

struct TBrowseState {
  std::wstring start;
};

int CALLBACK BrowseCallback(HWND window, UINT msg, LPARAM lParam, LPARAM data) {
  switch (msg) {
    case BFFM_INITIALIZED: {
      const auto* state = reinterpret_cast<const TBrowseState*>(data);
      if (!state->start.empty()) {
        SendMessageW(window, BFFM_SETSELECTIONW, TRUE, ui::AsLParam(state->start.c_str()));
      }
      break;
    }
    case BFFM_SELCHANGED: {
      wchar_t path[MAX_PATH] = {};
      const bool isFolder = SHGetPathFromIDListW(reinterpret_cast<PCIDLIST_ABSOLUTE>(lParam), path);
      SendMessageW(window, BFFM_SETSTATUSTEXTW, 0, ui::AsLParam(isFolder ? path : L""));
      SendMessageW(window, BFFM_ENABLEOK, 0, isFolder);
      break;
    }
    default:
      break;
  }
  return 0;
}

// The shell's item list, freed with the shell's allocator.
struct TItemList {
  PIDLIST_ABSOLUTE items = nullptr;
  ~TItemList() {
    if (items) CoTaskMemFree(items);
  }
};

// COM for the dialog's thread, for as long as it runs.
struct TComScope {
  const HRESULT result = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  ~TComScope() {
    if (SUCCEEDED(result)) CoUninitialize();
  }
};

}  // namespace

bool TBrowseDirDlg::Execute(const TControl* owner) {
  const HWND window = owner && owner->Handle() ? GetAncestor(owner->Handle(), GA_ROOT) : nullptr;
  const TScopedBrowseRunner::Runner runner = CurrentRunner();
  return runner(*this, window);
}

bool TBrowseDirDlg::RunSystemDialog(TBrowseDirDlg& dialog, HWND owner) {
  const TComScope com;
  TBrowseState state{sys::Widen(dialog.Folder)};
  wchar_t display[MAX_PATH] = {};
  BROWSEINFOW info{};
  info.hwndOwner = owner;
  info.pidlRoot = nullptr;  // the desktop
  info.pszDisplayName = display;
  info.lpszTitle = dialog.Title.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT;
  info.lpfn = BrowseCallback;
  info.lParam = ui::AsLParam(&state);
  TItemList chosen;
  chosen.items = SHBrowseForFolderW(&info);
  if (!chosen.items) return false;
  wchar_t path[MAX_PATH] = {};
  if (!SHGetPathFromIDListW(chosen.items, path)) return false;
  dialog.Folder = sys::Narrow(path);
  return true;
}

TScopedBrowseRunner::TScopedBrowseRunner(Runner runner) : TScopedHook(CurrentRunner(), std::move(runner)) {}
