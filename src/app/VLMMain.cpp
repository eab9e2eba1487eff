#include "app/VLMMain.h"

#include <algorithm>

#include "app/VLMAbout.h"
#include "app/VLMChild.h"
#include "app/VLMMessages.h"
#include "data/VLMUtil.h"
#include "sys/sys.h"
#include "ui/TProgress.h"

TfrmVLMMain::TfrmVLMMain() : TMDIFrame(L"Velmara", 640, 480) {
  SetMenu(&mainMenu);
  SetWindowMenu(mmWindow.SubmenuHandle());
  SetPopupMenu(&pmToolbars);
  OnShow = [this] { FormShow(); };
  OnClose = [this](TCloseAction& action) { FormClose(action); };
  OnChildRelease = [this](TMDIChild& child) { ChildReleased(child); };
  TProgress::SetMainWindow(Handle());
  mmFileProperties.SetShortCut({VK_RETURN, ssAlt});
  for (TMenuItem* entry : {&mmViewFontsSerif, &mmViewFontsSans, &mmViewFontsMono, &mmViewFontsScript,
                           &mmViewFontsDecorative, &mmViewFontsPictorial, &mmViewFontsOther,
                           &mmViewFontsAll, &mmViewFontsNone}) {
    entry->OnClick = [this, entry] { mmViewFontTypesClick(*entry); };
    if (entry != &mmViewFontsAll && entry != &mmViewFontsNone) entry->SetChecked(true);
  }
  pmToolbars.OnPopup = [this] { pmToolbarsPopup(); };
  for (TMenuItem* entry : {&pmToolbarsMenuBar, &mmViewToolbarsMenuBar})
    entry->OnClick = [this] { pmToolbarsMenuBarClick(); };
  pmToolbarsMenuBar.SetChecked(true);
  BindRoutedCommands();
  UpdateFileCommands();
  UpdateEditCommands();
  UpdateWindowCommands();
  EnableFilterControls(false);
}

TfrmVLMMain::~TfrmVLMMain() {
  TProgress::SetMainWindow(nullptr);
  children_.clear();
}

TfrmVLMChild* TfrmVLMMain::ActiveChild() const {
  TMDIChild* active = ActiveMDIChild();
  for (const auto& child : children_) {
    if (child.get() == active) return child.get();
  }
  return nullptr;
}

TfrmVLMChild& TfrmVLMMain::Child(int index) const {
  return static_cast<TfrmVLMChild&>(*MDIChildren().at(static_cast<size_t>(index)));
}

void TfrmVLMMain::FormShow() {
  if (MDIChildCount() == 0) mmFileNewClick();
  HandleCommandLine();
}

void TfrmVLMMain::HandleCommandLine() {
  TfrmVLMChild* child = ActiveChild();
  if (!child || Arguments.empty()) return;
  child->pcNav.SetActivePage(&child->tsNavCollections);
  for (const std::string& argument : Arguments) {
    if (UpperAscii(ExtractFileExt(argument)) != ".VLM") continue;
    const std::string name = ExtractFileName(argument);
    const std::string collection = name.substr(0, name.size() - 4);
    child->CollectionsList.SelectCollection(collection);
    // Already selected, the list raises no change; it must still be listed.
    if (child->CollectionsList.SelectedCollection() == collection &&
        child->CollectionsFontList.Collection() != collection)
      child->CollectionsListChange(&child->CollectionsList);
    return;
  }
}

void TfrmVLMMain::FormClose(TCloseAction&) { mmFileCloseAllClick(); }

void TfrmVLMMain::mmFileNewClick() {
  NewChild();
  sys::Current().ProcessMessages();
  UpdateFileCommands();
  UpdateWindowCommands();
}

TfrmVLMChild& TfrmVLMMain::NewChild() {
  children_.push_back(std::make_unique<TfrmVLMChild>(*this));
  TfrmVLMChild& child = *children_.back();
  child.SetLoadedFonts(&FLoadedFonts);
  child.OnNewWindow = [this]() -> TfrmVLMChild& {
    TfrmVLMChild& another = NewChild();
    UpdateWindowCommands();
    return another;
  };
  child.ShowChild();
  return child;
}

void TfrmVLMMain::mmFileCloseClick() {
  if (TfrmVLMChild* child = ActiveChild()) child->Close();
  sys::Current().ProcessMessages();
  UpdateWindowCommands();
}

void TfrmVLMMain::mmFileCloseAllClick() {
  const std::vector<TMDIChild*> open = MDIChildren();
  for (auto it = open.rbegin(); it != open.rend(); ++it) (*it)->Close();
  sys::Current().ProcessMessages();
  UpdateWindowCommands();
}

void TfrmVLMMain::mmFileExitClick() { Close(); }

void TfrmVLMMain::mmWindowTileClick() { Tile(); }

void TfrmVLMMain::mmWindowCascadeClick() { Cascade(); }

void TfrmVLMMain::mmWindowMinimiseAllClick() {
  for (TMDIChild* child : MDIChildren()) ShowWindow(child->Handle(), SW_MINIMIZE);
}

void TfrmVLMMain::mmWindowRestoreAllClick() {
  for (TMDIChild* child : MDIChildren()) ShowWindow(child->Handle(), SW_RESTORE);
}

void TfrmVLMMain::mmWindowRefreshClick() {
  if (TfrmVLMChild* child = ActiveChild()) child->RefreshWindow();
}

void TfrmVLMMain::mmHelpAboutClick() {
  const auto about = std::make_unique<TVLMAbout>(*this);
  about->ShowModal();
}

void TfrmVLMMain::ApplyOptionsToAll() {
  for (const auto& child : children_) child->ApplyOptions();
}

void TfrmVLMMain::pmToolbarsPopup() {
  const bool menuBar = MenuBarVisible();
  for (TMenuItem* entry : {&pmToolbarsMenuBar, &mmViewToolbarsMenuBar}) entry->SetChecked(menuBar);
}

void TfrmVLMMain::pmToolbarsMenuBarClick() { SetMenuBarVisible(!MenuBarVisible()); }

// ---- the filter set of the active window

TMenuItem& TfrmVLMMain::KindEntry(TFontKind kind) {
  switch (kind) {
    case fkSerif: return mmViewFontsSerif;
    case fkSansSerif: return mmViewFontsSans;
    case fkMonospaced: return mmViewFontsMono;
    case fkScript: return mmViewFontsScript;
    case fkDecorative: return mmViewFontsDecorative;
    case fkPictorial: return mmViewFontsPictorial;
    case fkUnknown: break;
  }
  return mmViewFontsOther;
}

void TfrmVLMMain::SetFilterControl(TFontKind kind, bool on) { KindEntry(kind).SetChecked(on); }

void TfrmVLMMain::mmViewFontTypesClick(const TMenuItem& sender) {
  for (int k = 0; k < kFontKindCount; ++k) {
    const auto kind = static_cast<TFontKind>(k);
    TMenuItem& entry = KindEntry(kind);
    if (&sender == &mmViewFontsAll || &sender == &mmViewFontsNone) {
      SetFilterControl(kind, &sender == &mmViewFontsAll);
    } else if (&sender == &entry) {
      SetFilterControl(kind, !entry.Checked());
    }
  }
  TfrmVLMChild* child = ActiveChild();
  if (!child) return;
  TFontKinds filter = 0;
  for (int k = 0; k < kFontKindCount; ++k) {
    const auto kind = static_cast<TFontKind>(k);
    if (KindEntry(kind).Checked()) filter |= KindBit(kind);
  }
  sys::Current().ProcessMessages();
  // The window may have gone while messages ran.
  if (TfrmVLMChild* still = ActiveChild(); still == child) child->SetFilter(filter);
}

void TfrmVLMMain::UpdateFilterControls() {
  TfrmVLMChild* child = ActiveChild();
  EnableFilterControls(child != nullptr);
  if (!child) return;
  for (int k = 0; k < kFontKindCount; ++k) {
    const auto kind = static_cast<TFontKind>(k);
    SetFilterControl(kind, KindInSet(child->Filter(), kind));
  }
}

void TfrmVLMMain::EnableFilterControls(bool enabled) {
  mmViewFontTypes.SetEnabled(enabled);
  mmViewFontsAll.SetEnabled(enabled);
  mmViewFontsNone.SetEnabled(enabled);
  for (int k = 0; k < kFontKindCount; ++k) KindEntry(static_cast<TFontKind>(k)).SetEnabled(enabled);
}

// ---- notifications from the font windows

bool TfrmVLMMain::AppMessage(UINT msg) {
  switch (msg) {
    case UM_LISTCHANGED:
      UpdateFileCommands();
      return true;
    case UM_FOCUSCHANGED:
      UpdateFileCommands();
      UpdateEditCommands();
      return true;
    case UM_CLIPBOARDCHANGED:
    case UM_EDITSELCHANGED:
      UpdateEditCommands();
      return true;
    case UM_CHILDACTIVATED:
      UpdateFileCommands();
      UpdateEditCommands();
      UpdateFilterControls();
      return true;
    case UM_OPTIONSCHANGED:
      ApplyOptionsToAll();
      return false;
    default:
      return false;
  }
}

LRESULT TfrmVLMMain::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (AppMessage(msg)) return 0;
  return TMDIFrame::OnMessage(msg, wParam, lParam);
}

void TfrmVLMMain::SetCommandEnabled(TMenuItem& entry, bool enabled) { entry.SetEnabled(enabled); }

void TfrmVLMMain::ChildReleased(TMDIChild& child) {
  children_.erase(std::remove_if(children_.begin(), children_.end(),
                                 [&](const auto& c) { return c.get() == &child; }),
                  children_.end());
  UpdateFileCommands();
  UpdateEditCommands();
  UpdateWindowCommands();
  UpdateFilterControls();
}

void TfrmVLMMain::UpdateWindowCommands() {
  const bool any = MDIChildCount() > 0;
  for (TMenuItem* entry : {&mmWindowTile, &mmWindowCascade, &mmWindowMinimiseAll, &mmWindowRestoreAll})
    entry->SetEnabled(any);
  SetCommandEnabled(mmWindowRefresh, any);
}
