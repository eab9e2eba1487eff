// Dockable tool bars: docks on the four sides of a frame, bars that sit in a
// dock in rows or float in a small tool window, and their buttons.
//
//   TDock97 dk97Top{*this, dpTop};
//   TToolbar97 tb97Main{*this, dk97Top, L"Tool Bar"};
//   TToolbarButton97& tbb97New = tb97Main.AddButton(mmFileNew);   // hint, handler
//   tb97Main.AddSeparator();
//
// A user drags a bar by its grip within its dock (row and position), to
// another dock, or away from every dock (it floats); dragging a floating bar
// by its caption onto a dock docks it, and double-clicking its caption puts
// it back in the dock it last sat in. The floating window's close box hides
// the bar. Right-click on a dock, a bar or its floating window shows the
// popup menu given to the dock or bar (SetPopupMenu).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/Controls.h"

enum TDockPosition { dpTop, dpBottom, dpLeft, dpRight };

class TToolbar97;

// Aligns itself to its side of the parent; empty docks take no room.
class TDock97 : public TCustomControl {
 public:
  TDock97(TControl& parent, TDockPosition position);
  TDockPosition Position() const;
  // Bars docked here, in row order, then position order.
  std::vector<TToolbar97*> Bars() const;
  // While held, bars put into the dock keep the row and position set on
  // them and nothing is re-arranged; the dock arranges once when released.
  [[nodiscard]] TScopeCount::TScope SuspendArrange();
};

enum TButtonDisplayMode { dmGlyphAndCaption, dmGlyphOnly };

class TToolbarButton97 {
 public:
  const std::wstring& Caption() const;
  void SetCaption(std::wstring_view caption);
  // Owned by the button from now on. Transparent colour: the bottom-left pixel.
  void SetGlyph(HBITMAP glyph);
  std::wstring Hint;              // shown as the button's tool tip
  bool Enabled() const;
  void SetEnabled(bool enabled);
  // A toggle button (GroupIndex > 0) stays down when clicked; within one
  // group only one button is down unless AllowAllUp lets the last one up.
  int GroupIndex = 0;
  bool AllowAllUp = false;
  bool Down() const;
  void SetDown(bool down);        // does not run OnClick
  TButtonDisplayMode DisplayMode() const;
  void SetDisplayMode(TButtonDisplayMode mode);
  int Width() const;
  int Height() const;
  void SetSize(int width, int height);
  // Runs on a click; a toggle button has already changed its Down state.
  std::function<void()> OnClick;
  // Screen rectangle, for tests that click it.
  TRect ScreenRect() const;
};

class TToolbar97 : public TCustomControl {
 public:
  TToolbar97(TControl& frame, TDock97& dock, std::wstring_view caption);
  const std::wstring& Caption() const;

  TToolbarButton97& AddButton(std::wstring_view caption);
  // Caption without its accelerator, hint and OnClick from the menu item.
  TToolbarButton97& AddButton(TMenuItem& item);
  void AddSeparator();
  int ButtonCount() const;
  TToolbarButton97& Button(int index) const;
  // The font the captions are drawn in, for measuring them.
  HFONT CaptionFont() const;

  // nullptr while floating.
  TDock97* DockedTo() const;
  void DockTo(TDock97& dock);
  void Float();   // into its tool window, at FloatingBounds
  int DockRow() const;
  void SetDockRow(int row);
  int DockPos() const;
  void SetDockPos(int pos);
  // Docked: the bar's rectangle in its dock's client coordinates.
  // Floating: the tool window's rectangle on the screen.
  TRect Bounds() const;
  void SetBarBounds(const TRect& bounds);
  bool BarVisible() const;
  void SetBarVisible(bool visible);
  // Runs when the user docks, floats, moves or hides the bar.
  std::function<void()> OnChanged;
};
