// TEditSlider: a three-digit number box joined to a slider, for point sizes
// and column counts. The value is the slider's position; a number typed in
// the box takes effect on Enter and when the box loses the focus, clamped
// into MinValue .. MaxValue. The box takes digits, editing keys and
// anything with Ctrl or Alt (the clipboard keys); letters, blanks, the
// number pad's operators and Shift+digits never reach it.
#pragma once

#include <functional>

#include "ui/Panel.h"
#include "views/SelectionEdit.h"
#include "widgets/Slider.h"

class TEditSlider : public TCompPanel {
 public:
  // Pixels at 96 dpi.
  static constexpr int kHeight = 21;
  static constexpr int kMinWidth = 64;
  static constexpr int kBoxWidth = 31;

  explicit TEditSlider(TControl& parent);

  int Value() const { return slider_.Position(); }
  // Clamped into the range; OnChange when the position moves.
  void SetValue(int value) { slider_.SetPosition(value); }
  int MinValue() const { return slider_.Min(); }
  int MaxValue() const { return slider_.Max(); }
  // A minimum above the maximum takes the maximum with it, and the other way
  // round; a position the new range leaves outside moves into it, as a change.
  void SetMinValue(int value);
  void SetMaxValue(int value);

  // The number box's menu. Not owned; forgotten when it goes.
  void SetPopupMenu(TPopupMenu* menu) { box_.SetPopupMenu(menu); }
  TPopupMenu* PopupMenu() const { return box_.PopupMenu(); }

  TEdit2& Box() { return box_; }
  TVxSlider& Slider() { return slider_; }

  // The position changed: by the user on the slider, by a typed number or by
  // SetValue. The box already shows the new value.
  std::function<void()> OnChange;

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void BoxKeyDown(WORD& key, TShiftState shift);
  void ApplyTypedNumber();
  void SetRange(int min, int max);
  void PositionChanged();

  TEdit2 box_;
  TVxSlider slider_;

 public:
  // The number box's selection event.
  std::function<void()>& OnSelectionChange = box_.OnSelectionChange;
};

// The number a box's text stands for: optional blanks around an optional
// sign and decimal digits; 0 for anything else.
int NumberBoxValue(std::wstring_view text);
