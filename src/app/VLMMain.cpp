#include "app/VLMMain.h"

#include <algorithm>

#include "app/FileType.h"
#include "app/VLMAbout.h"
#include "app/VLMChild.h"
#include "app/VLMHelp.h"
#include "app/VLMMessages.h"
#include "app/VLMOptionsForm.h"
#include "app/VLMStatus.h"
#include "data/VLMUtil.h"
#include "sys/sys.h"
#include "ui/TProgress.h"
#include "ui/Dpi.h"

TfrmVLMMain::TfrmVLMMain()
    : TMDIFrame(L"Velmara", ui::ScaleToDpi(640, ui::SystemDpi()), ui::ScaleToDpi(480, ui::SystemDpi())) {
  RegisterFileType();
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
  const std::pair<TMenuItem*, void (TfrmVLMMain::*)()> toolbarEntries[] = {
      {&pmToolbarsMenuBar, &TfrmVLMMain::pmToolbarsMenuBarClick},
      {&mmViewToolbarsMenuBar, &TfrmVLMMain::pmToolbarsMenuBarClick},
      {&pmToolbarsToolBar, &TfrmVLMMain::pmToolbarsToolBarClick},
      {&mmViewToolbarsToolBar, &TfrmVLMMain::pmToolbarsToolBarClick},
      {&pmToolbarsFilterBar, &TfrmVLMMain::pmToolbarsFilterBarClick},
      {&mmViewToolbarsFilterBar, &TfrmVLMMain::pmToolbarsFilterBarClick},
      {&pmToolbarsTextLabels, &TfrmVLMMain::pmToolbarsTextLabelsClick},
      {&mmViewToolbarsTextLabels, &TfrmVLMMain::pmToolbarsTextLabelsClick},
  };
  for (const auto& [entry, handler] : toolbarEntries) entry->OnClick = [this, handler] { (this->*handler)(); };
  pmToolbarsMenuBar.SetChecked(true);
  pmToolbarsToolBar.SetChecked(true);
  pmToolbarsTextLabels.SetChecked(true);
  for (TControl* control : {static_cast<TControl*>(&dk97Top), static_cast<TControl*>(&dk97Bottom),
                            static_cast<TControl*>(&dk97Left), static_cast<TControl*>(&dk97Right),
                            static_cast<TControl*>(&tb97Main), static_cast<TControl*>(&tb97Filter)})
    control->SetPopupMenu(&pmToolbars);
  // Neither way to the commands may go: a tool bar closed by its box brings the menu bar back.
  tb97Main.OnChanged = [this] {
    if (!tb97Main.BarVisible() && !MenuBarVisible()) SetMenuBarVisible(true);
    ApplyTextLabels();
  };
  tb97Filter.OnChanged = [this] { ApplyTextLabels(); };
  tb97Filter.SetBarVisible(false);
  LoadGlyphs();
  ApplyTextLabels();
  OnDpiChanged = [this] {
    LoadGlyphs();
    ApplyTextLabels();
  };
  BindRoutedCommands();
  UpdateFileCommands();
  UpdateEditCommands();
  UpdateWindowCommands();
  EnableFilterControls(false);
  RestoreMainStatus(*this);
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
  RestoreChildren(*this);
  if (MDIChildCount() == 0) mmFileNewClick();
  HandleCommandLine();
}

void TfrmVLMMain::HandleCommandLine() {
  TfrmVLMChild* child = ActiveChild();
  if (!child) return;
  // Only a collection file changes the page; anything else leaves the window as it starts.
  const auto file = std::find_if(Arguments.begin(), Arguments.end(), [](const std::string& argument) {
    return UpperAscii(ExtractFileExt(argument)) == ".VLM";
  });
  if (file == Arguments.end()) return;
  child->pcNav.SetActivePage(&child->tsNavCollections);
  const std::string name = ExtractFileName(*file);
  const std::string collection = name.substr(0, name.size() - 4);
  child->CollectionsList.SelectCollection(collection);
  // Already selected, the list raises no change; it must still be listed.
  if (child->CollectionsList.SelectedCollection() == collection &&
      child->CollectionsFontList.Collection() != collection)
    child->CollectionsListChange(&child->CollectionsList);
}

void TfrmVLMMain::FormClose(TCloseAction&) {
  SaveStatus(*this);
  mmFileCloseAllClick();
  QuitHelp();
}

// The session ends without closing the windows: what a close would save is saved now.
void TfrmVLMMain::SessionEnding() {
  for (const auto& child : children_) child->memNotes.SaveNote();
  SaveStatus(*this);
}

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
  const std::vector<TMDIChild*> open = MDIChildren();
  for (auto it = open.rbegin(); it != open.rend(); ++it) ShowWindow((*it)->Handle(), SW_MINIMIZE);
}

void TfrmVLMMain::mmWindowRestoreAllClick() {
  TMDIChild* active = ActiveMDIChild();
  const std::vector<TMDIChild*> open = MDIChildren();
  for (TMDIChild* child : open) ShowWindow(child->Handle(), SW_RESTORE);
  // Each restore activates its window: the one the user was in comes back to the front.
  if (active) active->Activate();
}

void TfrmVLMMain::mmWindowRefreshClick() {
  if (TfrmVLMChild* child = ActiveChild()) child->RefreshWindow();
}

void TfrmVLMMain::mmViewOptionsClick() {
  const auto dialog = std::make_unique<TfrmVLMOptions>(*this);
  if (dialog->ShowModal() == mrOK) ApplyOptionsToAll();
}

void TfrmVLMMain::mmHelpContentsClick() { ShowHelpContents(); }

void TfrmVLMMain::mmHelpAboutClick() {
  const auto about = std::make_unique<TVLMAbout>(*this);
  about->ShowModal();
}

void TfrmVLMMain::ApplyOptionsToAll() {
  for (const auto& child : children_) child->ApplyOptions();
}

// ---- the tool bars

TToolbarButton97& TfrmVLMMain::AddCommandButton(TToolbar97& bar, std::wstring_view caption,
                                                TMenuItem& entry, bool separatorAfter) {
  TToolbarButton97& button = bar.AddButton(caption);
  button.Hint = entry.Hint;
  // Run at the click: the entry's handler may be set after the button is made.
  button.OnClick = [&entry] { entry.Click(); };
  if (separatorAfter) bar.AddSeparator();
  return button;
}

TToolbarButton97& TfrmVLMMain::AddKindButton(std::wstring_view caption, TMenuItem& entry, int group) {
  TToolbarButton97& button = AddCommandButton(tb97Filter, caption, entry);
  button.GroupIndex = group;
  button.AllowAllUp = true;
  button.SetDown(true);
  return button;
}

void TfrmVLMMain::LoadGlyphs() {
  const TWindowDC screen(nullptr);
  const bool lowColour =
      GetDeviceCaps(screen.Get(), BITSPIXEL) * GetDeviceCaps(screen.Get(), PLANES) < 9;
  const std::pair<TToolbarButton97*, const wchar_t*> glyphs[] = {
      {&tbb97New, L"NEW"},
      {&tbb97Refresh, L"REFRESH"},
      {&tbb97Cut, L"CUT"},
      {&tbb97Copy, L"COPY"},
      {&tbb97Paste, L"PASTE"},
      {&tbb97Install, L"INSTALL"},
      {&tbb97Uninstall, L"UNINSTALL"},
      {&tbb97Print, L"PRINT"},
      {&tbb97Properties, L"PROPERTIES"},
      {&tbb97Delete, L"DELETE"},
      {&tbb97Help, L"HELP"},
      {&tbb97FilterAll, L"ALL"},
      {&tbb97FilterNone, L"NONE"},
      {&tbb97FilterSerif, L"SERIF"},
      {&tbb97FilterSans, L"SANSSERIF"},
      {&tbb97FilterMono, L"MONOSPACED"},
      {&tbb97FilterScript, L"SCRIPT"},
      {&tbb97FilterDecorative, L"DECORATIVE"},
      {&tbb97FilterPictorial, L"PICTORIAL"},
      {&tbb97FilterOther, L"OTHER"},
  };
  // Drawn at the scales' sizes: the largest that the scale fills, never stretched.
  const int wanted = ui::TScale(*this)(20);
  std::wstring sized;
  for (int size : {25, 30, 40})
    if (size <= wanted) sized = L"_" + std::to_wstring(size);
  for (const auto& [button, name] : glyphs) {
    const std::wstring resource = std::wstring(name) + (lowColour ? L"16" : L"") + sized;
    if (HBITMAP glyph = static_cast<HBITMAP>(
            LoadImageW(ui::Instance(), resource.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)))
      button->SetGlyph(glyph);
  }
}

void TfrmVLMMain::ApplyTextLabels() {
  const bool labels = pmToolbarsTextLabels.Checked();
  // One width for every button: the widest caption on a shown bar decides it.
  const ui::TScale px(*this);
  int width = px(52);
  if (labels) {
    const TWindowDC screen(nullptr);
    for (const TToolbar97* bar : {&tb97Main, &tb97Filter}) {
      if (!bar->BarVisible()) continue;
      const TSelectObject font(screen.Get(), bar->CaptionFont());
      for (int i = 0; i < bar->ButtonCount(); ++i) {
        const std::wstring& caption = bar->Button(i).Caption();
        SIZE size{};
        GetTextExtentPoint32W(screen.Get(), caption.c_str(), static_cast<int>(caption.size()), &size);
        width = std::max(width, static_cast<int>(size.cx) + px(4));
      }
    }
  }
  for (TToolbar97* bar : {&tb97Main, &tb97Filter}) {
    for (int i = 0; i < bar->ButtonCount(); ++i) {
      TToolbarButton97& button = bar->Button(i);
      button.SetDisplayMode(labels ? dmGlyphAndCaption : dmGlyphOnly);
      if (labels) {
        button.SetSize(width, px(45));
      } else {
        button.SetSize(px(29), px(26));
      }
    }
  }
}

void TfrmVLMMain::pmToolbarsPopup() {
  const bool menuBar = MenuBarVisible();
  const bool toolBar = tb97Main.BarVisible();
  for (TMenuItem* entry : {&pmToolbarsMenuBar, &mmViewToolbarsMenuBar}) {
    entry->SetChecked(menuBar);
    entry->SetEnabled(!menuBar || toolBar);
  }
  for (TMenuItem* entry : {&pmToolbarsToolBar, &mmViewToolbarsToolBar}) {
    entry->SetChecked(toolBar);
    entry->SetEnabled(!toolBar || menuBar);
  }
  for (TMenuItem* entry : {&pmToolbarsFilterBar, &mmViewToolbarsFilterBar})
    entry->SetChecked(tb97Filter.BarVisible());
  // Labels only change what a shown bar looks like.
  const bool aBarShown = toolBar || tb97Filter.BarVisible();
  for (TMenuItem* entry : {&pmToolbarsTextLabels, &mmViewToolbarsTextLabels}) {
    entry->SetChecked(pmToolbarsTextLabels.Checked());
    entry->SetEnabled(aBarShown);
  }
}

void TfrmVLMMain::pmToolbarsMenuBarClick() {
  if (MenuBarVisible() && !tb97Main.BarVisible()) return;
  SetMenuBarVisible(!MenuBarVisible());
}

void TfrmVLMMain::pmToolbarsToolBarClick() {
  if (tb97Main.BarVisible() && !MenuBarVisible()) return;
  tb97Main.SetBarVisible(!tb97Main.BarVisible());
  ApplyTextLabels();
}

void TfrmVLMMain::pmToolbarsFilterBarClick() {
  tb97Filter.SetBarVisible(!tb97Filter.BarVisible());
  ApplyTextLabels();
}

void TfrmVLMMain::pmToolbarsTextLabelsClick() {
  pmToolbarsTextLabels.SetChecked(!pmToolbarsTextLabels.Checked());
  ApplyTextLabels();
}

// ---- the filter set of the active window

TfrmVLMMain::TKindControls TfrmVLMMain::KindControls(TFontKind kind) {
  switch (kind) {
    case fkSerif: return {mmViewFontsSerif, tbb97FilterSerif};
    case fkSansSerif: return {mmViewFontsSans, tbb97FilterSans};
    case fkMonospaced: return {mmViewFontsMono, tbb97FilterMono};
    case fkScript: return {mmViewFontsScript, tbb97FilterScript};
    case fkDecorative: return {mmViewFontsDecorative, tbb97FilterDecorative};
    case fkPictorial: return {mmViewFontsPictorial, tbb97FilterPictorial};
    case fkUnknown: break;
  }
  return {mmViewFontsOther, tbb97FilterOther};
}

void TfrmVLMMain::SetFilterControl(TFontKind kind, bool on) {
  const TKindControls controls = KindControls(kind);
  controls.entry.SetChecked(on);
  controls.button.SetDown(on);
}

void TfrmVLMMain::mmViewFontTypesClick(const TMenuItem& sender) {
  for (int k = 0; k < kFontKindCount; ++k) {
    const auto kind = static_cast<TFontKind>(k);
    TMenuItem& entry = KindControls(kind).entry;
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
    if (KindControls(kind).entry.Checked()) filter |= KindBit(kind);
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
  tbb97FilterAll.SetEnabled(enabled);
  tbb97FilterNone.SetEnabled(enabled);
  for (int k = 0; k < kFontKindCount; ++k) {
    const TKindControls controls = KindControls(static_cast<TFontKind>(k));
    controls.entry.SetEnabled(enabled);
    controls.button.SetEnabled(enabled);
  }
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
  // Asked whether the session may end, the default answers yes; once it ends no close will come.
  if (msg == WM_ENDSESSION) {
    if (wParam) SessionEnding();
    return 0;
  }
  return TMDIFrame::OnMessage(msg, wParam, lParam);
}

void TfrmVLMMain::SetCommandEnabled(TMenuItem& entry, bool enabled) {
  entry.SetEnabled(enabled);
  const std::pair<const TMenuItem*, TToolbarButton97*> pairs[] = {
      {&mmFileInstall, &tbb97Install}, {&mmFileUninstall, &tbb97Uninstall},
      {&mmFilePrint, &tbb97Print},     {&mmFileProperties, &tbb97Properties},
      {&mmFileDelete, &tbb97Delete},   {&mmEditCut, &tbb97Cut},
      {&mmEditCopy, &tbb97Copy},       {&mmEditPaste, &tbb97Paste},
      {&mmWindowRefresh, &tbb97Refresh},
  };
  for (const auto& [paired, button] : pairs)
    if (paired == &entry) button->SetEnabled(enabled);
}

void TfrmVLMMain::ChildReleased(TMDIChild& child) {
  // Its entries may be the released window's: the next opening of the menu fills it again.
  EmptyAddToColl();
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
