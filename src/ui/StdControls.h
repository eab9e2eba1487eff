// The standard controls: labels, edit boxes, memos, combo boxes, buttons,
// check boxes and radio buttons. Each is created visible on its parent.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ui/Control.h"

class TLabel : public TControl {
 public:
  TLabel(TControl& parent, std::wstring_view caption);
  // Sizes the label to its caption.
  void AutoSize();
  std::function<void()> OnClick;

 protected:
  bool OnCommand(WORD code) override;
};

class TEdit : public TControl {
 public:
  explicit TEdit(TControl& parent);

  int SelStart() const;
  int SelLength() const;
  void SetSel(int start, int length);
  void SelectAll() { SetSel(0, -1); }
  bool CanUndo() const;
  void Undo();
  void CutToClipboard();
  void CopyToClipboard();
  void PasteFromClipboard();
  void ClearSelection();
  bool ReadOnly() const;
  void SetReadOnly(bool readOnly);
  void SetMaxLength(int length);

  // The text changed, by the user or by SetText.
  std::function<void()> OnChange;

 protected:
  struct Multiline {};
  TEdit(TControl& parent, Multiline);
  bool OnCommand(WORD code) override;
};

class TMemo : public TEdit {
 public:
  explicit TMemo(TControl& parent);
};

class TComboBox : public TControl {
 public:
  // A drop-down list only (no typing) when `listOnly`.
  explicit TComboBox(TControl& parent, bool listOnly = false);

  void SetItems(const std::vector<std::wstring>& items);
  std::vector<std::wstring> Items() const;
  int ItemCount() const;
  int ItemIndex() const;
  void SetItemIndex(int index);
  int SelStart() const;
  int SelLength() const;
  // The edit box inside (null for a list-only one).
  HWND EditHandle() const;

  // The text was typed or an item chosen.
  std::function<void()> OnChange;
  // An item was chosen from the list.
  std::function<void()> OnSelect;

 protected:
  bool OnCommand(WORD code) override;
};

class TButton : public TControl {
 public:
  TButton(TControl& parent, std::wstring_view caption);
  std::function<void()> OnClick;

 protected:
  bool OnCommand(WORD code) override;
};

class TCheckBox : public TControl {
 public:
  TCheckBox(TControl& parent, std::wstring_view caption);
  bool Checked() const;
  // Runs OnClick when the state changes, as a click does.
  void SetChecked(bool checked);
  std::function<void()> OnClick;

 protected:
  bool OnCommand(WORD code) override;
};

class TRadioButton : public TControl {
 public:
  // `firstOfGroup` starts a new group of buttons on the same parent.
  TRadioButton(TControl& parent, std::wstring_view caption, bool firstOfGroup = false);
  bool Checked() const;
  // Checking one unchecks the others of its group; runs OnClick when it
  // becomes checked.
  void SetChecked(bool checked);
  std::function<void()> OnClick;

 protected:
  bool OnCommand(WORD code) override;
};
