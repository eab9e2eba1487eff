// Keys as every Windows program has them, routed in one place for every
// pump of the program:
// 1. menu shortcuts of the focused control's popup menus (up its parents) and
//    of its forms' main menus, except the keys a focused text editor uses
//    itself (an edit box, a combo box's edit part, a memo, an in-place
//    caption editor): Del, Ins, Home/End, the arrows, Ctrl+C/V/X/Z/A, typing;
// 2. the form's OnKeyDown when it has KeyPreview, then the control's;
// 3. the dialog keys: Tab and Shift+Tab through the form's tab stops, the
//    arrows among the radio buttons of a group, Alt + an accelerator (and the
//    bare letter in a dialog when the focused control takes no typing),
//    Enter for the focused or default button (a memo and an in-place editor
//    keep it), Esc for the cancel button.
#pragma once

#include <vector>

#include "ui/Types.h"
#include "ui/Win.h"

class TControl;
class TForm;

namespace ui {

// True when the key message was consumed.
bool PreviewKeyMessage(const MSG& msg);

// An edit window: an edit box, a memo, a combo box's edit part, an in-place editor.
bool IsTextEditor(HWND window);
// A key a text editor uses itself.
bool IsTextEditorKey(WORD key, TShiftState shift);

// The form's tab stops in tab order: visible, enabled, not inside a hidden or
// disabled parent; of each radio group only the checked (or focused) button.
std::vector<TControl*> TabStops(TForm& form);
// Moves the focus to the next (previous) tab stop after `from`; false when
// the form has none.
bool SelectNext(TForm& form, TControl* from, bool forward);
// Offers an accelerator to the form's controls; true when one took it.
bool DispatchAccel(TForm& form, WORD key);

}  // namespace ui
