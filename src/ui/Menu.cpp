#include "ui/Menu.h"

#include <algorithm>
#include <unordered_map>

#include "ui/Control.h"
#include "ui/Form.h"

namespace {

// Command ids of menu items lie apart from the MDI window list (0xFF00 on).
constexpr UINT kFirstCommandId = 0x1000;
constexpr UINT kLastCommandId = 0xEFFF;

std::unordered_map<UINT, TMenuItem*>& ItemsById() {
  static std::unordered_map<UINT, TMenuItem*> items;
  return items;
}

std::unordered_map<HMENU, TMenuItem*>& ItemsBySubmenu() {
  static std::unordered_map<HMENU, TMenuItem*> items;
  return items;
}

UINT NewCommandId() {
  static UINT next = kFirstCommandId;
  for (UINT tries = 0; tries <= kLastCommandId - kFirstCommandId; ++tries) {
    const UINT id = next;
    next = next == kLastCommandId ? kFirstCommandId : next + 1;
    if (!ItemsById().count(id)) return id;
  }
  return 0;
}

std::wstring KeyName(WORD key) {
  if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return std::wstring(1, key);
  if (key >= VK_F1 && key <= VK_F24) return L"F" + std::to_wstring(key - VK_F1 + 1);
  switch (key) {
    case VK_RETURN: return L"Enter";
    case VK_DELETE: return L"Del";
    case VK_INSERT: return L"Ins";
    case VK_ESCAPE: return L"Esc";
    case VK_SPACE: return L"Space";
    case VK_BACK: return L"BkSp";
    case VK_TAB: return L"Tab";
    case VK_HOME: return L"Home";
    case VK_END: return L"End";
    case VK_PRIOR: return L"PgUp";
    case VK_NEXT: return L"PgDn";
    case VK_LEFT: return L"Left";
    case VK_RIGHT: return L"Right";
    case VK_UP: return L"Up";
    case VK_DOWN: return L"Down";
    case VK_ADD: return L"Num +";
    case VK_SUBTRACT: return L"Num -";
    default: return L"#" + std::to_wstring(key);
  }
}

}  // namespace

std::wstring TShortCut::Text() const {
  if (Empty()) return {};
  std::wstring text;
  if (shift & ssShift) text += L"Shift+";
  if (shift & ssCtrl) text += L"Ctrl+";
  if (shift & ssAlt) text += L"Alt+";
  return text + KeyName(key);
}

// --- TMenuItem

TMenuItem::TMenuItem(std::wstring_view caption, TShortCut shortCut)
    : caption_(caption), shortCut_(shortCut), id_(NewCommandId()) {
  ItemsById()[id_] = this;
}

TMenuItem::TMenuItem(RootTag, HMENU root) : root_(true), id_(NewCommandId()), submenu_(root) {
  ItemsById()[id_] = this;
  if (submenu_) ItemsBySubmenu()[submenu_.Get()] = this;
}

TMenuItem::~TMenuItem() {
  Clear();
  RemoveFromParent();
  ItemsById().erase(id_);
  if (submenu_) ItemsBySubmenu().erase(submenu_.Get());
}

TMenuItem& TMenuItem::Add(std::wstring_view caption, TShortCut shortCut) {
  EnsureSubmenu();
  items_.push_back(std::make_unique<TMenuItem>(caption, shortCut));
  TMenuItem& item = *items_.back();
  item.parent_ = this;
  item.InsertIntoParent();
  return item;
}

TMenuItem& TMenuItem::Add(TMenuEntry entry) {
  TMenuItem& item = Add(entry.caption, entry.shortCut);
  item.Hint = std::wstring(entry.hint);
  item.OnClick = std::move(entry.onClick);
  return item;
}

void TMenuItem::Delete(int index) {
  if (index < 0 || index >= Count()) return;
  items_.erase(items_.begin() + index);  // the item takes itself out of the menu
}

void TMenuItem::Clear() {
  while (!items_.empty()) items_.pop_back();
}

int TMenuItem::IndexOf(const TMenuItem& item) const {
  for (size_t i = 0; i < items_.size(); ++i) {
    if (items_[i].get() == &item) return static_cast<int>(i);
  }
  return -1;
}

void TMenuItem::EnsureSubmenu() {
  if (submenu_) return;
  submenu_.Reset(CreatePopupMenu());
  ItemsBySubmenu()[submenu_.Get()] = this;
  UpdateInParent();
}

void TMenuItem::FillInfo(MENUITEMINFOW& info, std::wstring& text) const {
  info = MENUITEMINFOW{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STATE | MIIM_SUBMENU;
  info.wID = id_;
  info.hSubMenu = submenu_.Get();
  if (IsSeparator()) {
    info.fType = MFT_SEPARATOR;
    return;
  }
  info.fMask |= MIIM_STRING;
  info.fType = MFT_STRING;
  info.fState = (enabled_ ? MFS_ENABLED : MFS_DISABLED) | (checked_ ? MFS_CHECKED : MFS_UNCHECKED);
  text = caption_;
  if (!shortCut_.Empty()) text += L"\t" + shortCut_.Text();
  info.dwTypeData = text.data();
}

int TMenuItem::PositionInParent() const {
  if (!parent_ || !parent_->submenu_) return -1;
  const int count = GetMenuItemCount(parent_->submenu_.Get());
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_ID;
    if (GetMenuItemInfoW(parent_->submenu_.Get(), static_cast<UINT>(i), TRUE, &info) && info.wID == id_) {
      return i;
    }
  }
  return -1;
}

void TMenuItem::InsertIntoParent() {
  if (!parent_ || !parent_->submenu_ || !visible_ || PositionInParent() >= 0) return;
  // After the nearest visible sibling before it, else before the nearest one
  // after it: the system's own entries (MDI window list, system menu) stay put.
  const int index = parent_->IndexOf(*this);
  int position = -1;
  for (int i = index - 1; i >= 0 && position < 0; --i) {
    const int p = parent_->Items(i).PositionInParent();
    if (p >= 0) position = p + 1;
  }
  for (int i = index + 1; i < parent_->Count() && position < 0; ++i) {
    position = parent_->Items(i).PositionInParent();
  }
  if (position < 0) position = 0;
  MENUITEMINFOW info;
  std::wstring text;
  FillInfo(info, text);
  InsertMenuItemW(parent_->submenu_.Get(), static_cast<UINT>(position), TRUE, &info);
  if (parent_->root_) {
    for (HWND w : {GetActiveWindow(), GetForegroundWindow()}) {
      if (w && GetMenu(w) == parent_->submenu_.Get()) DrawMenuBar(w);
    }
  }
}

void TMenuItem::RemoveFromParent() {
  const int position = PositionInParent();
  if (position >= 0) RemoveMenu(parent_->submenu_.Get(), static_cast<UINT>(position), MF_BYPOSITION);
}

void TMenuItem::UpdateInParent() {
  const int position = PositionInParent();
  if (position < 0) return;
  MENUITEMINFOW info;
  std::wstring text;
  FillInfo(info, text);
  SetMenuItemInfoW(parent_->submenu_.Get(), static_cast<UINT>(position), TRUE, &info);
}

void TMenuItem::SetCaption(std::wstring_view caption) {
  if (caption_ == caption) return;
  caption_ = caption;
  UpdateInParent();
}

void TMenuItem::SetShortCut(TShortCut shortCut) {
  if (shortCut_ == shortCut) return;
  shortCut_ = shortCut;
  UpdateInParent();
}

void TMenuItem::SetEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  UpdateInParent();
}

void TMenuItem::SetChecked(bool checked) {
  if (checked_ == checked) return;
  checked_ = checked;
  UpdateInParent();
}

void TMenuItem::SetVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  if (visible) {
    InsertIntoParent();
  } else {
    RemoveFromParent();
  }
}

void TMenuItem::Click() {
  // A copy: the handler may rebuild the menu and free this item.
  const std::function<void()> handler = OnClick;
  if (handler) handler();
}

TMenuItem* TMenuItem::FindShortCut(TShortCut shortCut) {
  for (auto& item : items_) {
    if (!item->visible_) continue;
    if (item->shortCut_ == shortCut) return item.get();
    if (TMenuItem* found = item->FindShortCut(shortCut)) return found;
  }
  return nullptr;
}

bool TMenuItem::DispatchCommand(UINT id) {
  auto it = ItemsById().find(id);
  if (it == ItemsById().end()) return false;
  TMenuItem* item = it->second;
  if (item->enabled_ && item->items_.empty()) item->Click();
  return true;
}

void TMenuItem::DispatchPopup(HMENU submenu) {
  auto it = ItemsBySubmenu().find(submenu);
  if (it != ItemsBySubmenu().end() && !it->second->root_) it->second->Click();
}

namespace {

// Runs the item's parents' OnClick first (they bring their entries' state up
// to date, as when the menu is opened), then the item when it is enabled.
bool RunShortCutItem(TMenuItem* item) {
  if (!item) return false;
  std::vector<TMenuItem*> parents;
  for (TMenuItem* p = item->Parent(); p && p->Parent(); p = p->Parent()) parents.push_back(p);
  for (auto it = parents.rbegin(); it != parents.rend(); ++it) {
    if (!(*it)->Enabled()) return false;
    (*it)->Click();
  }
  if (!item->Enabled()) return false;
  item->Click();
  return true;
}

}  // namespace

bool TMenuItem::HandleShortCut(TControl& focused, WORD key, TShiftState shift) {
  const TShortCut shortCut{key, shift};
  for (TControl* c = &focused; c; c = c->Parent()) {
    if (c->PopupMenu() && RunShortCutItem(c->PopupMenu()->FindShortCut(shortCut))) return true;
  }
  std::vector<TForm*> forms;
  if (TForm* form = focused.ParentForm()) forms.push_back(form);
  if (focused.Handle()) {
    auto* top = dynamic_cast<TForm*>(FromRoot(focused.Handle()));
    if (top && (forms.empty() || forms.front() != top)) forms.push_back(top);
  }
  for (TForm* form : forms) {
    if (form->Menu() && RunShortCutItem(form->Menu()->FindShortCut(shortCut))) return true;
  }
  return false;
}

TControl* TMenuItem::FromRoot(HWND window) { return TControl::FromHandle(GetAncestor(window, GA_ROOT)); }

// --- TMainMenu, TPopupMenu

TMainMenu::TMainMenu() : root_(new TMenuItem(TMenuItem::RootTag{}, CreateMenu())) {}

TMainMenu::~TMainMenu() {
  // A window still showing the bar would destroy it a second time.
  for (HWND w = GetTopWindow(nullptr); w; w = GetNextWindow(w, GW_HWNDNEXT)) {
    if (GetMenu(w) == Handle()) ::SetMenu(w, nullptr);
  }
}

TMenuItem* TMainMenu::FindShortCut(TShortCut shortCut) { return root_->FindShortCut(shortCut); }

TPopupMenu::TPopupMenu() : root_(new TMenuItem(TMenuItem::RootTag{}, CreatePopupMenu())) {}
TPopupMenu::~TPopupMenu() = default;

TMenuItem* TPopupMenu::FindShortCut(TShortCut shortCut) { return root_->FindShortCut(shortCut); }

TControl* TPopupMenu::PopupComponent() const { return popupComponent_.Get(); }

void TPopupMenu::Popup(int x, int y, HWND owner, TControl* component) {
  popupComponent_ = component;
  if (OnPopup) OnPopup();
  const UINT id = static_cast<UINT>(TrackPopupMenuEx(
      Handle(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN, x, y, owner, nullptr));
  if (id) TMenuItem::DispatchCommand(id);
}
