#include "ui/StdControls.h"

#include "ui/Gdi.h"
#include "ui/Dpi.h"

// --- TLabel

TLabel::TLabel(TControl& parent, std::wstring_view caption) : TControl(&parent) {
  CreateParams params;
  params.className = L"STATIC";
  params.text = std::wstring(caption);
  params.style |= SS_LEFT | SS_NOTIFY;
  params.width = ui::TScale(*this)(60);
  params.height = ui::TScale(*this)(16);
  CreateSystemWindow(params);
  AutoSize();
}

void TLabel::AutoSize() {
  if (!Handle()) return;
  const std::wstring caption = Text();
  TWindowDC dc(Handle());
  TSelectObject select(dc.Get(), Font());
  RECT r{0, 0, 0, 0};
  DrawTextW(dc.Get(), caption.c_str(), static_cast<int>(caption.size()), &r,
            DT_CALCRECT | DT_SINGLELINE);
  SetBounds(Left(), Top(), r.right, r.bottom);
  // The new caption was painted, wrapped, in the old size; growing repaints
  // only the added strip.
  Invalidate();
}

bool TLabel::DialogChar(WORD key) {
  if (AccelKey(Text()) != key || !Showing()) return false;
  TControl* target = FocusControl();
  if (!target && Parent()) {
    bool after = false;
    for (TControl* c : Parent()->TabList()) {
      if (c == this) {
        after = true;
      } else if (after && c->TabStop() && c->CanFocus()) {
        target = c;
        break;
      }
    }
  }
  if (!target || !target->CanFocus()) return false;
  target->SetFocus();
  if (auto* button = dynamic_cast<TButtonControl*>(target)) button->Click();
  return true;
}

bool TLabel::OnCommand(WORD code) {
  if (code == STN_CLICKED && OnClick) {
    OnClick();
    return true;
  }
  return false;
}

// --- TEdit, TMemo

TEdit::TEdit(TControl& parent) : TControl(&parent) {
  CreateParams params;
  params.className = L"EDIT";
  params.style |= WS_TABSTOP | ES_AUTOHSCROLL;
  params.exStyle = WS_EX_CLIENTEDGE;
  params.width = ui::TScale(*this)(120);
  params.height = ui::TScale(*this)(21);
  CreateSystemWindow(params);
}

TEdit::TEdit(TControl& parent, Multiline) : TControl(&parent) {
  CreateParams params;
  params.className = L"EDIT";
  params.style |= WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
  params.exStyle = WS_EX_CLIENTEDGE;
  params.width = ui::TScale(*this)(185);
  params.height = ui::TScale(*this)(89);
  CreateSystemWindow(params);
}

int TEdit::SelStart() const {
  DWORD start = 0;
  Perform(EM_GETSEL, ui::AsWParam(&start), 0);
  return static_cast<int>(start);
}

int TEdit::SelLength() const {
  DWORD start = 0;
  DWORD end = 0;
  Perform(EM_GETSEL, ui::AsWParam(&start), ui::AsLParam(&end));
  return static_cast<int>(end - start);
}

void TEdit::SetSel(int start, int length) {
  Perform(EM_SETSEL, static_cast<WPARAM>(start), length < 0 ? -1 : start + length);
}

bool TEdit::CanUndo() const { return Perform(EM_CANUNDO) != 0; }
void TEdit::Undo() { Perform(EM_UNDO); }
void TEdit::CutToClipboard() { Perform(WM_CUT); }
void TEdit::CopyToClipboard() { Perform(WM_COPY); }
void TEdit::PasteFromClipboard() { Perform(WM_PASTE); }
void TEdit::ClearSelection() { Perform(WM_CLEAR); }

bool TEdit::ReadOnly() const {
  return Handle() && (GetWindowLongW(Handle(), GWL_STYLE) & ES_READONLY) != 0;
}

void TEdit::SetReadOnly(bool readOnly) { Perform(EM_SETREADONLY, readOnly); }

void TEdit::SetMaxLength(int length) { Perform(EM_LIMITTEXT, static_cast<WPARAM>(length)); }

void TEdit::SetNumbersOnly(bool numbersOnly) {
  if (!Handle()) return;
  const LONG style = GetWindowLongW(Handle(), GWL_STYLE);
  SetWindowLongW(Handle(), GWL_STYLE, numbersOnly ? style | ES_NUMBER : style & ~ES_NUMBER);
}

void TEdit::SetColors(COLORREF text, COLORREF background) {
  if (text == textColor_ && background == backColor_) return;
  textColor_ = text;
  backColor_ = background;
  backBrush_.Reset(background == CLR_INVALID ? nullptr : CreateSolidBrush(background));
  Invalidate();
}

bool TEdit::OnReflect(UINT msg, WPARAM wParam, LPARAM, LRESULT& result) {
  if ((msg != WM_CTLCOLOREDIT && msg != WM_CTLCOLORSTATIC) ||
      (textColor_ == CLR_INVALID && backColor_ == CLR_INVALID)) {
    return false;
  }
  const HDC dc = ui::AsHandle<HDC>(wParam);
  if (textColor_ != CLR_INVALID) SetTextColor(dc, textColor_);
  if (backColor_ == CLR_INVALID) {
    result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
  } else {
    SetBkColor(dc, backColor_);
    result = reinterpret_cast<LRESULT>(backBrush_.Get());
  }
  return true;
}

bool TEdit::OnCommand(WORD code) {
  if (code == EN_CHANGE && OnChange) {
    OnChange();
    return true;
  }
  return false;
}

TMemo::TMemo(TControl& parent) : TEdit(parent, Multiline{}) {}

// --- TComboBox

TComboBox::TComboBox(TControl& parent, bool listOnly) : TControl(&parent) {
  CreateParams params;
  params.className = L"COMBOBOX";
  params.style |= WS_TABSTOP | WS_VSCROLL | CBS_AUTOHSCROLL |
                  (listOnly ? CBS_DROPDOWNLIST : CBS_DROPDOWN);
  params.width = ui::TScale(*this)(145);
  params.height = ui::TScale(*this)(200);  // the height of the dropped-down list
  CreateSystemWindow(params);
}

void TComboBox::SetItems(const std::vector<std::wstring>& items) {
  const std::wstring text = Text();
  Perform(CB_RESETCONTENT);
  for (const std::wstring& item : items) Perform(CB_ADDSTRING, 0, ui::AsLParam(item.c_str()));
  if (EditHandle()) SetWindowTextW(EditHandle(), text.c_str());
}

std::vector<std::wstring> TComboBox::Items() const {
  std::vector<std::wstring> items;
  const int count = ItemCount();
  for (int i = 0; i < count; ++i) {
    const auto length = Perform(CB_GETLBTEXTLEN, static_cast<WPARAM>(i));
    std::wstring item(static_cast<size_t>(length < 0 ? 0 : length) + 1, L'\0');
    Perform(CB_GETLBTEXT, static_cast<WPARAM>(i), ui::AsLParam(item.data()));
    item.resize(static_cast<size_t>(length < 0 ? 0 : length));
    items.push_back(item);
  }
  return items;
}

int TComboBox::ItemCount() const { return static_cast<int>(Perform(CB_GETCOUNT)); }
int TComboBox::ItemIndex() const { return static_cast<int>(Perform(CB_GETCURSEL)); }
void TComboBox::SetItemIndex(int index) { Perform(CB_SETCURSEL, static_cast<WPARAM>(index)); }

int TComboBox::SelStart() const {
  DWORD start = 0;
  Perform(CB_GETEDITSEL, ui::AsWParam(&start), 0);
  return static_cast<int>(start);
}

int TComboBox::SelLength() const {
  DWORD start = 0;
  DWORD end = 0;
  Perform(CB_GETEDITSEL, ui::AsWParam(&start), ui::AsLParam(&end));
  return static_cast<int>(end - start);
}

HWND TComboBox::EditHandle() const {
  if (!Handle()) return nullptr;
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  if (!GetComboBoxInfo(Handle(), &info)) return nullptr;
  return info.hwndItem != info.hwndList ? info.hwndItem : nullptr;
}

bool TComboBox::OnCommand(WORD code) {
  switch (code) {
    case CBN_EDITCHANGE:
      if (OnChange) OnChange();
      return true;
    case CBN_SELCHANGE:
      if (OnSelect) OnSelect();
      if (OnChange) OnChange();
      return true;
    default:
      return false;
  }
}

// --- TButtonControl, TButton, TCheckBox, TRadioButton

bool TButtonControl::DialogChar(WORD key) {
  if (AccelKey(Text()) != key || !CanFocus()) return false;
  // A push button is pressed where it stands; the others take the focus, as
  // a click would give it.
  if (!dynamic_cast<TButton*>(this)) SetFocus();
  Click();
  return true;
}

TButton::TButton(TControl& parent, std::wstring_view caption) : TButtonControl(&parent) {
  CreateParams params;
  params.className = L"BUTTON";
  params.text = std::wstring(caption);
  params.style |= WS_TABSTOP | BS_PUSHBUTTON;
  params.width = ui::TScale(*this)(75);
  params.height = ui::TScale(*this)(25);
  CreateSystemWindow(params);
}

void TButton::Click() {
  const TWeakRef<TButton> self(this);
  if (OnClick) {
    const auto handler = OnClick;
    handler();
  }
  if (!self || ModalResult == mrNone) return;
  if (TForm* form = ParentForm()) form->SetModalResult(ModalResult);
}

void TButton::SetDefault(bool value) {
  if (default_ == value) return;
  default_ = value;
  Perform(BM_SETSTYLE, value ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

bool TButton::OnCommand(WORD code) {
  if (code != BN_CLICKED) return false;
  Click();
  return true;
}

TCheckBox::TCheckBox(TControl& parent, std::wstring_view caption) : TButtonControl(&parent) {
  CreateParams params;
  params.className = L"BUTTON";
  params.text = std::wstring(caption);
  params.style |= WS_TABSTOP | BS_AUTOCHECKBOX;
  params.width = ui::TScale(*this)(caption.empty() ? 15 : 97);
  params.height = ui::TScale(*this)(17);
  CreateSystemWindow(params);
}

bool TCheckBox::Checked() const { return Perform(BM_GETCHECK) == BST_CHECKED; }

void TCheckBox::SetChecked(bool checked) {
  if (Checked() == checked) return;
  Perform(BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED);
  if (OnClick) OnClick();
}

bool TCheckBox::OnCommand(WORD code) {
  if (code == BN_CLICKED && OnClick) {
    OnClick();
    return true;
  }
  return false;
}

TRadioButton::TRadioButton(TControl& parent, std::wstring_view caption, bool firstOfGroup)
    : TButtonControl(&parent) {
  CreateParams params;
  params.className = L"BUTTON";
  params.text = std::wstring(caption);
  params.style |= BS_AUTORADIOBUTTON | (firstOfGroup ? WS_GROUP | WS_TABSTOP : 0);
  params.width = ui::TScale(*this)(113);
  params.height = ui::TScale(*this)(17);
  CreateSystemWindow(params);
}

bool TRadioButton::Checked() const { return Perform(BM_GETCHECK) == BST_CHECKED; }

std::vector<TRadioButton*> TRadioButton::Group() const {
  // From the group's first button to the next group.
  HWND first = Handle();
  while (first && !(GetWindowLongW(first, GWL_STYLE) & WS_GROUP)) {
    HWND previous = GetWindow(first, GW_HWNDPREV);
    if (!previous) break;
    first = previous;
  }
  std::vector<TRadioButton*> group;
  for (HWND w = first; w; w = GetWindow(w, GW_HWNDNEXT)) {
    if (w != first && (GetWindowLongW(w, GWL_STYLE) & WS_GROUP)) break;
    if (auto* button = dynamic_cast<TRadioButton*>(FromHandle(w))) group.push_back(button);
  }
  return group;
}

void TRadioButton::SetChecked(bool checked) {
  if (Checked() == checked) return;
  if (checked) {
    for (TRadioButton* other : Group()) {
      if (other != this) other->Perform(BM_SETCHECK, BST_UNCHECKED);
    }
  }
  Perform(BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED);
  if (checked && OnClick) OnClick();
}

bool TRadioButton::OnCommand(WORD code) {
  if (code == BN_CLICKED && OnClick) {
    if (Checked()) OnClick();
    return true;
  }
  return false;
}
