// The standard controls: labels, edit boxes, memos, combo boxes, buttons,
// check boxes and radio buttons. Each is created visible on its parent.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ui/Control.h"
#include "ui/Form.h"
#include "ui/Handles.h"

class TLabel : public TControl {
 public:
  TLabel(TControl& parent, std::wstring_view caption);
  // Sizes the label to its caption.
  void AutoSize();
  // The control the label's accelerator goes to (not owned; forgotten when it
  // goes). Without one, the next tab stop after the label among its siblings.
  TControl* FocusControl() const { return focusControl_.Get(); }
  void SetFocusControl(TControl* control) { focusControl_ = control; }
  bool DialogChar(WORD key) override;
  std::function<void()> OnClick;

 protected:
  bool OnCommand(WORD code) override;

 private:
  TWeakRef<TControl> focusControl_;
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
  // Only digits can be typed (pasted text is not checked).
  void SetNumbersOnly(bool numbersOnly);
  // Text and background colours; CLR_INVALID for the system's.
  void SetColors(COLORREF text, COLORREF background);

  // The text changed, by the user or by SetText.
  std::function<void()> OnChange;

 protected:
  struct Multiline {};
  TEdit(TControl& parent, Multiline);
  bool OnCommand(WORD code) override;
  bool OnReflect(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  COLORREF textColor_ = CLR_INVALID;
  COLORREF backColor_ = CLR_INVALID;
  TBrushHandle backBrush_;
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

// The buttons, check boxes and radio buttons: their accelerator focuses and
// clicks them.
class TButtonControl : public TControl {
 public:
  // As the user's click: runs OnClick (and what the kind of button does).
  virtual void Click() = 0;
  bool DialogChar(WORD key) override;
  std::function<void()> OnClick;

 protected:
  using TControl::TControl;
};

class TButton : public TButtonControl {
 public:
  TButton(TControl& parent, std::wstring_view caption);
  void Click() override;

  // Enter on a form presses its default button, Esc its cancel button.
  bool Default() const { return default_; }
  void SetDefault(bool value);
  bool Cancel() const { return cancel_; }
  void SetCancel(bool value) { cancel_ = value; }
  // A click sets the form's ModalResult to this, when it is not mrNone.
  TModalResult ModalResult = mrNone;

 protected:
  bool OnCommand(WORD code) override;

 private:
  bool default_ = false;
  bool cancel_ = false;
};

class TCheckBox : public TButtonControl {
 public:
  TCheckBox(TControl& parent, std::wstring_view caption);
  bool Checked() const;
  // Runs OnClick when the state changes, as a click does.
  void SetChecked(bool checked);
  // Toggles.
  void Click() override { SetChecked(!Checked()); }

 protected:
  bool OnCommand(WORD code) override;
};

class TRadioButton : public TButtonControl {
 public:
  // `firstOfGroup` starts a new group of buttons on the same parent.
  TRadioButton(TControl& parent, std::wstring_view caption, bool firstOfGroup = false);
  bool Checked() const;
  // Checking one unchecks the others of its group; runs OnClick when it
  // becomes checked.
  void SetChecked(bool checked);
  void Click() override { SetChecked(true); }
  // The buttons of its group in window order, itself included.
  std::vector<TRadioButton*> Group() const;

 protected:
  bool OnCommand(WORD code) override;
};
