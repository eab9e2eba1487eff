// Main menus, popup menus and their items. Items are owned by their parent
// item; forms keep references to the ones they name, each entry declared in
// one place with its caption, shortcut, hint and handler:
//   TMenuItem& mmFile = mainMenu.Items().Add(L"文件(&F)");
//   TMenuItem& mmFileNew = mmFile.Add({L"新建字体窗口(&N)", {'N', ssCtrl},
//                                      L"打开另外的字体查看窗口", [this] { mmFileNewClick(); }});
// Toolbar buttons later take the item and share its hint and handler.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ui/Handles.h"
#include "ui/Lifetime.h"
#include "ui/Types.h"
#include "ui/Win.h"

class TControl;

struct TShortCut {
  WORD key = 0;
  TShiftState shift = 0;
  bool Empty() const { return key == 0; }
  bool operator==(const TShortCut&) const = default;
  // "Ctrl+N", "Alt+Enter", "F2".
  std::wstring Text() const;
};

// One entry of a menu as it is declared.
struct TMenuEntry {
  std::wstring_view caption;
  TShortCut shortCut{};
  std::wstring_view hint{};
  std::function<void()> onClick{};
};

class TMenuItem {
 public:
  // The caption "-" makes a separator.
  explicit TMenuItem(std::wstring_view caption = {}, TShortCut shortCut = {});
  virtual ~TMenuItem();
  TMenuItem(const TMenuItem&) = delete;
  TMenuItem& operator=(const TMenuItem&) = delete;

  // Children, owned by this item.
  TMenuItem& Add(std::wstring_view caption, TShortCut shortCut = {});
  TMenuItem& Add(TMenuEntry entry);
  TMenuItem& AddSeparator() { return Add(L"-"); }
  void Delete(int index);
  void Clear();
  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem& Items(int index) const { return *items_[static_cast<size_t>(index)]; }
  TMenuItem* Parent() const { return parent_; }
  int IndexOf(const TMenuItem& item) const;

  const std::wstring& Caption() const { return caption_; }
  void SetCaption(std::wstring_view caption);
  bool IsSeparator() const { return caption_ == L"-"; }
  TShortCut ShortCut() const { return shortCut_; }
  void SetShortCut(TShortCut shortCut);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Checked() const { return checked_; }
  void SetChecked(bool checked);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  std::wstring Hint;

  // For an item with children, also run when its submenu opens.
  std::function<void()> OnClick;
  void Click();

  UINT CommandId() const { return id_; }
  // The item's submenu (created when the first child is added).
  HMENU SubmenuHandle() const { return submenu_.Get(); }

  // The message handling of the window layer calls these.
  static bool DispatchCommand(UINT id);
  static void DispatchPopup(HMENU submenu);
  // Runs the enabled item with this shortcut in the focused control's popup
  // menus (up its parents) or its forms' main menus. True when one ran.
  static bool HandleShortCut(TControl& focused, WORD key, TShiftState shift);

  // The visible item with that shortcut among the children, at any depth.
  TMenuItem* FindShortCut(TShortCut shortCut);

 private:
  friend class TMainMenu;
  friend class TPopupMenu;
  // A root: a menu bar or a popup menu.
  struct RootTag {};
  TMenuItem(RootTag, HMENU root);
  static TControl* FromRoot(HWND window);
  void EnsureSubmenu();
  void FillInfo(MENUITEMINFOW& info, std::wstring& text) const;
  int PositionInParent() const;
  void InsertIntoParent();
  void RemoveFromParent();
  void UpdateInParent();

  TMenuItem* parent_ = nullptr;
  std::vector<std::unique_ptr<TMenuItem>> items_;
  std::wstring caption_;
  TShortCut shortCut_;
  bool enabled_ = true;
  bool checked_ = false;
  bool visible_ = true;
  bool root_ = false;
  UINT id_ = 0;
  TMenuHandle submenu_;
};

// A window's menu bar. Give it to the form with TForm::SetMenu.
class TMainMenu {
 public:
  TMainMenu();
  ~TMainMenu();
  TMainMenu(const TMainMenu&) = delete;
  TMainMenu& operator=(const TMainMenu&) = delete;
  TMenuItem& Items() { return *root_; }
  HMENU Handle() const { return root_->SubmenuHandle(); }
  TMenuItem* FindShortCut(TShortCut shortCut);

 private:
  std::unique_ptr<TMenuItem> root_;
};

class TPopupMenu : public TTracked {
 public:
  TPopupMenu();
  ~TPopupMenu();
  TMenuItem& Items() { return *root_; }
  HMENU Handle() const { return root_->SubmenuHandle(); }
  TMenuItem* FindShortCut(TShortCut shortCut);

  // Runs OnPopup, shows the menu at screen point (x, y) and runs the chosen
  // item's OnClick. `owner` receives the menu's messages; `component` is the
  // control it opened on, which the handlers may ask for.
  void Popup(int x, int y, HWND owner, TControl* component = nullptr);
  // The control the menu last opened on, or null when it is gone.
  TControl* PopupComponent() const;
  std::function<void()> OnPopup;

 private:
  std::unique_ptr<TMenuItem> root_;
  TWeakRef<TControl> popupComponent_;
};
