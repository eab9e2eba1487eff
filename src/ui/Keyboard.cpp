#include "ui/Keyboard.h"

#include <cwchar>
#include <functional>
#include <vector>

#include "ui/Form.h"
#include "ui/Menu.h"
#include "ui/StdControls.h"

namespace ui {

namespace {

bool HasClass(HWND window, const wchar_t* name) {
  wchar_t buffer[64] = {};
  return window && GetClassNameW(window, buffer, 64) && _wcsicmp(buffer, name) == 0;
}

// The caption editor a list view or tree view puts over a row.
bool IsInPlaceEditor(HWND window) {
  if (!IsTextEditor(window)) return false;
  HWND parent = GetParent(window);
  return HasClass(parent, WC_LISTVIEWW) || HasClass(parent, WC_TREEVIEWW);
}

bool KeepsEnter(HWND focus) {
  if (IsInPlaceEditor(focus)) return true;
  const LONG style = GetWindowLongW(focus, GWL_STYLE);
  return IsTextEditor(focus) && (style & ES_MULTILINE) && (style & ES_WANTRETURN);
}

bool ComboDropped(HWND focus) {
  for (HWND w = focus; w; w = GetParent(w)) {
    if (HasClass(w, L"ComboBox")) return SendMessageW(w, CB_GETDROPPEDSTATE, 0, 0) != 0;
    if (!(GetWindowLongW(w, GWL_STYLE) & WS_CHILD)) break;
  }
  return false;
}

// The nearest window up from `window` that is one of ours.
TControl* OwnControlAt(HWND window) {
  for (HWND w = window; w; w = GetParent(w)) {
    if (TControl* control = TControl::FromHandle(w)) return control;
  }
  return nullptr;
}

bool UsableWindow(const TControl& c) {
  return c.Handle() && IsWindowVisible(c.Handle()) && IsWindowEnabled(c.Handle());
}

void CollectTabStops(const TControl& parent, HWND focus, std::vector<TControl*>& stops) {
  for (TControl* c : parent.TabList()) {
    if (!UsableWindow(*c) || dynamic_cast<TForm*>(c)) continue;
    if (c->TabStop()) {
      stops.push_back(c);
    } else if (auto* radio = dynamic_cast<TRadioButton*>(c)) {
      // A group is one stop: its checked button, else its first.
      const std::vector<TRadioButton*> group = radio->Group();
      bool anyChecked = false;
      for (TRadioButton* r : group) anyChecked = anyChecked || r->Checked();
      const bool first = !group.empty() && group.front() == radio;
      if (radio->Handle() == focus || radio->Checked() || (!anyChecked && first)) stops.push_back(c);
    }
    CollectTabStops(*c, focus, stops);
  }
}

template <typename Test>
TButton* FindButton(const TControl& parent, Test test) {
  for (TControl* c : parent.Controls()) {
    if (dynamic_cast<TForm*>(c)) continue;
    auto* button = dynamic_cast<TButton*>(c);
    if (button && test(*button)) return button;
    if (TButton* found = FindButton(*c, test)) return found;
  }
  return nullptr;
}

bool Press(TButton* button) {
  if (!button || !UsableWindow(*button)) return false;
  button->Click();
  return true;
}

bool MoveInRadioGroup(TRadioButton& radio, bool forward) {
  std::vector<TRadioButton*> group;
  for (TRadioButton* r : radio.Group()) {
    if (UsableWindow(*r)) group.push_back(r);
  }
  if (group.size() < 2) return false;
  size_t index = 0;
  while (index < group.size() && group[index] != &radio) ++index;
  const size_t n = group.size();
  TRadioButton* next = group[forward ? (index + 1) % n : (index + n - 1) % n];
  next->SetFocus();
  next->SetChecked(true);
  return true;
}

bool IsAccelKey(WORD key) { return (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'); }

bool OfferAccel(TControl& control, WORD key) {
  if (!control.Handle() || dynamic_cast<TForm*>(&control) != nullptr) return false;
  if (control.DialogChar(key)) return true;
  // A hidden page's controls are out of reach, not its tab (the page offers it above).
  if (!UsableWindow(control)) return false;
  for (TControl* child : control.TabList()) {
    if (OfferAccel(*child, key)) return true;
  }
  return false;
}

bool HandleDialogKey(TControl& target, HWND focus, WORD key, TShiftState shift) {
  TForm* form = target.ParentForm();
  if (!form) return false;
  const bool modal = form->Modal();
  switch (key) {
    case VK_TAB:
      if (shift & (ssCtrl | ssAlt)) return false;
      return SelectNext(*form, &target, !(shift & ssShift));
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
      if (shift != 0) return false;
      if (auto* radio = dynamic_cast<TRadioButton*>(&target)) {
        return MoveInRadioGroup(*radio, key == VK_RIGHT || key == VK_DOWN);
      }
      return false;
    case VK_RETURN:
      if ((shift & (ssCtrl | ssAlt)) || KeepsEnter(focus) || ComboDropped(focus)) return false;
      if (auto* button = dynamic_cast<TButton*>(&target)) return Press(button);
      return Press(FindButton(*form, [](const TButton& b) { return b.Default(); }));
    case VK_ESCAPE:
      if (shift != 0 || IsInPlaceEditor(focus) || ComboDropped(focus)) return false;
      if (Press(FindButton(*form, [](const TButton& b) { return b.Cancel(); }))) return true;
      if (modal) {
        form->SetModalResult(mrCancel);
        return true;
      }
      return false;
    default:
      break;
  }
  if (!IsAccelKey(key)) return false;
  if ((shift & ssAlt) && !(shift & ssCtrl)) {
    if (DispatchAccel(*form, key)) return true;
    // Then the frame around a document window (its own bars and controls).
    if (TControl* top = OwnControlAt(GetAncestor(form->Handle(), GA_ROOT))) {
      if (auto* topForm = dynamic_cast<TForm*>(top); topForm && topForm != form) {
        return DispatchAccel(*topForm, key);
      }
    }
    return false;
  }
  // In a dialog the bare letter serves when the focused control takes no typing.
  if (shift == 0 && modal && !(SendMessageW(focus, WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS)) {
    return DispatchAccel(*form, key);
  }
  return false;
}

}  // namespace

bool IsTextEditor(HWND window) { return HasClass(window, L"Edit"); }

bool IsTextEditorKey(WORD key, TShiftState shift) {
  if (shift & ssAlt) return false;
  switch (key) {
    case VK_DELETE:
    case VK_INSERT:
    case VK_BACK:
    case VK_HOME:
    case VK_END:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_RETURN:
    case VK_ESCAPE:
      return true;
    default:
      break;
  }
  if (shift & ssCtrl) return key == 'A' || key == 'C' || key == 'V' || key == 'X' || key == 'Y' || key == 'Z';
  // Typing: letters, digits, blanks, punctuation and the number pad.
  return key == VK_SPACE || IsAccelKey(key) || (key >= VK_NUMPAD0 && key <= VK_DIVIDE) ||
         (key >= VK_OEM_1 && key <= VK_OEM_3) || (key >= VK_OEM_4 && key <= VK_OEM_8) ||
         key == VK_OEM_102;
}

std::vector<TControl*> TabStops(TForm& form) {
  std::vector<TControl*> stops;
  CollectTabStops(form, GetFocus(), stops);
  return stops;
}

bool SelectNext(TForm& form, TControl* from, bool forward) {
  const std::vector<TControl*> stops = TabStops(form);
  if (stops.empty()) return false;
  const size_t n = stops.size();
  size_t index = n;
  for (size_t i = 0; i < n; ++i) {
    if (stops[i] == from) index = i;
  }
  TControl* next = index == n ? (forward ? stops.front() : stops.back())
                              : stops[forward ? (index + 1) % n : (index + n - 1) % n];
  next->SetFocus();
  // A one-line edit box entered by Tab has its text selected, ready to type over.
  const LONG style = GetWindowLongW(next->Handle(), GWL_STYLE);
  if (IsTextEditor(next->Handle()) && !(style & ES_MULTILINE)) next->Perform(EM_SETSEL, 0, -1);
  return true;
}

bool DispatchAccel(TForm& form, WORD key) {
  for (TControl* child : form.TabList()) {
    if (OfferAccel(*child, key)) return true;
  }
  return false;
}

bool PreviewKeyMessage(const MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
  TControl* target = OwnControlAt(msg.hwnd);
  if (!target) return false;
  const TWeakRef<TControl> alive(target);
  WORD key = static_cast<WORD>(msg.wParam);
  const TShiftState shift = CurrentShiftState();
  const bool editorKey = IsTextEditor(msg.hwnd) && IsTextEditorKey(key, shift);
  if (!editorKey && TMenuItem::HandleShortCut(*target, key, shift)) return true;
  if (!alive) return true;
  TForm* form = target->ParentForm();
  if (form && form != target && form->KeyPreview && form->OnKeyDown) {
    const auto handler = form->OnKeyDown;
    handler(key, shift);
    if (key == 0 || !alive) return true;
  }
  if (target->OnKeyDown) {
    const auto handler = target->OnKeyDown;
    handler(key, shift);
    if (key == 0 || !alive) return true;
  }
  return HandleDialogKey(*target, msg.hwnd, key, shift);
}

}  // namespace ui
