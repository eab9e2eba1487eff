// The window layer in one include.
//
// Making a control: construct it with its parent; its window exists as soon
// as the constructor returns, visible, in the parent's font.
//   TPanel pnlNav{*this};                 // a member of a form or composite
//   pnlNav.SetAlign(alLeft); pnlNav.SetWidth(200);
//   pnlNav.SetBevelOuter(bvLowered); pnlNav.SetBorderWidth(5);
//   TListView view{pnlNav, TListViewOptions{.ownerData = true}};
//   view.SetAlign(alClient);
// Members are built in declaration order, so declare a parent before its
// children. The object owns its HWND and destroys it in its destructor; it
// cannot be copied. A window the system destroyed (its parent went) leaves
// the object with Handle() null, and every call on it does nothing.
//
// Events are std::function members named as the program names them:
//   view.OnSelectItem = [this](int item, bool selected) { ... };
//   btn.OnClick = [this] { ... };
// An event left empty costs nothing. Setters compare and do nothing when
// the value does not change; programmatic changes fire the same events as
// the user's where the class says so (TCheckBox::SetChecked...).
//
// Messages: each window class has one virtual OnMessage; override it and
// call the base for what you do not handle. WM_COMMAND and WM_NOTIFY that a
// control sends to its parent come back to the control as OnCommand(code) /
// OnNotify(header, result); scroll, draw-item and colour messages as
// OnReflect. Exceptions never leave a window procedure: they are shown as
// errors and the program goes on.
//
// A composite control derives from TCompPanel (no caption, no bevels) and
// names its main child with SetMainChild, which then gets the focus given to
// the panel. A painted control derives from TCustomControl and overrides
// Paint. Forms derive from TForm / TMDIFrame / TMDIChild, dialogs from TDialog.
//
// Lifetimes: make forms and free-standing composites with make_unique (or
// new); deleting one destroys its windows before any member control goes, so
// no message reaches a half-destroyed object. Pointers to controls that are
// not owned are TWeakRef and turn null when the control goes. Flags and
// brackets around window work are scopes (TScopeCount, TUpdateScope,
// TPaintDC, TSelectObject...), released on every way out.
//
// Keys: see ui/Keyboard.h. Tab order is the parents' child order unless
// SetTabOrder moves a control; labels' accelerators go to FocusControl.
#pragma once

#include "ui/Application.h"
#include "ui/Control.h"
#include "ui/Dialog.h"
#include "ui/Form.h"
#include "ui/Gdi.h"
#include "ui/Handles.h"
#include "ui/ImageList.h"
#include "ui/Keyboard.h"
#include "ui/Lifetime.h"
#include "ui/ListView.h"
#include "ui/Menu.h"
#include "ui/PageControl.h"
#include "ui/Panel.h"
#include "ui/Splitter.h"
#include "ui/StdControls.h"
#include "ui/Timer.h"
#include "ui/TrackBar.h"
#include "ui/TreeView.h"
#include "ui/Types.h"
