// Windows of the layer's own class: TCustomControl (paints itself), TPanel
// (bevels, border, optional caption) and TCompPanel (the base of composite
// controls: no caption, no bevels, hands the focus to its main child).
#pragma once

#include "ui/Control.h"

class TCustomControl : public TControl {
 public:
  explicit TCustomControl(TControl& parent, DWORD style = 0, DWORD exStyle = 0);
  // A panel-like parent would otherwise pick the deleted copy constructor.
  explicit TCustomControl(TCustomControl& parent) : TCustomControl(static_cast<TControl&>(parent)) {}

 protected:
  // For a derived class that must create its window itself.
  struct NoWindow {};
  TCustomControl(TControl& parent, NoWindow) : TControl(&parent) {}
  LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  // `dc` is the window's paint DC; `update` the part to paint.
  virtual void Paint(HDC dc, const RECT& update);
  // True to paint through an off-screen bitmap (no flicker).
  bool DoubleBuffered = false;
};

class TPanel : public TCustomControl {
 public:
  explicit TPanel(TControl& parent);
  explicit TPanel(TPanel& parent) : TPanel(static_cast<TControl&>(parent)) {}

  TBevelCut BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TBevelCut bevel);
  TBevelCut BevelInner() const { return bevelInner_; }
  void SetBevelInner(TBevelCut bevel);
  int BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(int width);
  int BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int width);
  // The panel's caption, drawn in its middle (none by default).
  bool ShowCaption = false;

  std::function<void()> OnClick;

 protected:
  TRect AlignArea() const override;
  void Paint(HDC dc, const RECT& update) override;
  LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void Changed();

  TBevelCut bevelOuter_ = bvNone;
  TBevelCut bevelInner_ = bvNone;
  int bevelWidth_ = 1;
  int borderWidth_ = 0;
};

class TCompPanel : public TPanel {
 public:
  explicit TCompPanel(TControl& parent);
  explicit TCompPanel(TCompPanel& parent) : TCompPanel(static_cast<TControl&>(parent)) {}

  // The child that takes the focus given to the panel.
  // Not owned; forgotten when the child goes.
  TControl* MainChild() const { return mainChild_.Get(); }
  void SetMainChild(TControl* child) { mainChild_ = child; }
  void SetFocus() override;
  bool CanFocus() const override;

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  TWeakRef<TControl> mainChild_;
};
