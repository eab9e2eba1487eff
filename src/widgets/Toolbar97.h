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
#include <memory>
#include <string>
#include <vector>

#include "ui/Controls.h"

enum TDockPosition { dpTop, dpBottom, dpLeft, dpRight };

class TToolbar97;
class TFloatingBar;
namespace toolbar97 {
class TGlyph;
}

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

  // Bars run along the dock's length: left to right in a top or bottom dock.
  bool Horizontal() const { return position_ == dpTop || position_ == dpBottom; }
  // Places the bars by row and position and sizes the dock to hold them.
  void ArrangeBars();

 private:
  friend class TToolbar97;
  struct TRowExtent {
    int row;
    int start;  // across the dock, in its client coordinates
    int end;
  };
  void Insert(TToolbar97& bar);
  void Remove(TToolbar97& bar);
  // The visible bars, sorted as they are placed.
  std::vector<TToolbar97*> Placed() const;
  std::vector<TRowExtent> Rows() const;
  // Numbers the rows that hold bars 0, 1, 2... after a user's move.
  void CompactRows();
  // Where a dragged bar would dock: the dock's screen rectangle widened
  // into the frame, so that an empty dock can be hit too.
  TRect DropZone() const;

  TDockPosition position_;
  std::vector<TToolbar97*> bars_;
  int suspended_ = 0;
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

  ~TToolbarButton97();
  TToolbarButton97(const TToolbarButton97&) = delete;
  TToolbarButton97& operator=(const TToolbarButton97&) = delete;

 private:
  friend class TToolbar97;
  explicit TToolbarButton97(TToolbar97& bar);
  void Draw(HDC dc, bool hot, bool pressed) const;
  void Changed(bool resized);

  TToolbar97& bar_;
  std::wstring caption_;
  std::unique_ptr<toolbar97::TGlyph> glyph_;
  bool enabled_ = true;
  bool down_ = false;
  TButtonDisplayMode displayMode_ = dmGlyphAndCaption;
  int width_ = 23;
  int height_ = 22;
  RECT rect_{};  // in the bar's client coordinates
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
  // Docked: the bar's rectangle in its dock's client coordinates (setting it
  // sets the position along the row; the size is the bar's own).
  // Floating: the tool window's rectangle on the screen.
  TRect Bounds() const;
  void SetBarBounds(const TRect& bounds);
  // Shown in its dock or its floating window; a hidden docked bar takes no room.
  bool BarVisible() const;
  void SetBarVisible(bool visible);
  // Runs when the user docks, floats, moves or hides the bar.
  std::function<void()> OnChanged;

  ~TToolbar97() override;
  bool CanFocus() const override { return false; }

 protected:
  void Paint(HDC dc, const RECT& update) override;
  LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  friend class TDock97;
  friend class TToolbarButton97;
  friend class TFloatingBar;
  struct TDropSpot;
  struct TItem {
    TToolbarButton97* button;  // null for a separator
  };

  bool Vertical() const;
  // Lays the items out for the bar's place.
  void LayoutItems();
  // After the items changed size: the dock places its bars again.
  void Relayout();
  SIZE NaturalSize(bool vertical, bool grip) const;
  RECT GripRect() const;
  TToolbarButton97* ButtonAt(POINT client) const;
  void SetHot(TToolbarButton97* button);
  void Click(TToolbarButton97& button);
  void SyncTools();
  void Changed();
  // The outline of the floating window for a bar of this size.
  SIZE FloatingSize() const;
  void DockBack();
  // Drags the bar from a press at `start` (screen) until the button is let go.
  void DragFrom(POINT start);
  TDropSpot SpotAt(POINT screen, POINT grab, bool grabInGrip) const;
  void Drop(const TDropSpot& spot);

  std::wstring caption_;
  std::vector<std::unique_ptr<TToolbarButton97>> buttons_;
  std::vector<TItem> items_;
  TWeakRef<TDock97> dock_;      // null while floating
  TWeakRef<TDock97> lastDock_;  // where double-clicking the floating caption docks it
  int row_ = 0;
  int pos_ = 0;
  bool visible_ = true;
  TRect floatingBounds_{};
  std::unique_ptr<TFloatingBar> floating_;
  TWindowHandle tips_;
  TToolbarButton97* hot_ = nullptr;
  TToolbarButton97* pressed_ = nullptr;
  bool pressedInside_ = false;
};
