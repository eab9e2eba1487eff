#include "app/VLMMain.h"

#include <algorithm>

#include "app/FileType.h"
#include "app/VLMChild.h"
#include "app/VLMMessages.h"
#include "app/VLMStatus.h"
#include "sys/sys.h"
#include "ui/TProgress.h"

TfrmVLMMain::TfrmVLMMain() : TMDIFrame(L"Velmara", 640, 480) {
  RegisterFileType();
  SetMenu(&mainMenu);
  SetWindowMenu(mmWindow.SubmenuHandle());
  OnShow = [this] { FormShow(); };
  OnClose = [this](TCloseAction& action) { FormClose(action); };
  OnChildRelease = [this](TMDIChild& child) { ChildReleased(child); };
  TProgress::SetMainWindow(Handle());
  UpdateWindowCommands();
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
}

void TfrmVLMMain::FormClose(TCloseAction&) {
  SaveStatus(*this);
  mmFileCloseAllClick();
}

void TfrmVLMMain::mmFileNewClick() {
  NewChild();
  sys::Current().ProcessMessages();
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

void TfrmVLMMain::ApplyOptionsToAll() {
  for (const auto& child : children_) child->ApplyOptions();
}

LRESULT TfrmVLMMain::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == UM_OPTIONSCHANGED) {
    ApplyOptionsToAll();
    return 0;
  }
  return TMDIFrame::OnMessage(msg, wParam, lParam);
}

void TfrmVLMMain::ChildReleased(TMDIChild& child) {
  children_.erase(std::remove_if(children_.begin(), children_.end(),
                                 [&](const auto& c) { return c.get() == &child; }),
                  children_.end());
}

void TfrmVLMMain::UpdateWindowCommands() {
  const bool any = MDIChildCount() > 0;
  mmFileClose.SetEnabled(any);
  mmFileCloseAll.SetEnabled(any);
  mmWindowTile.SetEnabled(any);
  mmWindowCascade.SetEnabled(any);
}
