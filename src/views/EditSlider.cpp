#include "views/EditSlider.h"

#include <algorithm>
#include <string>

#include "ui/Dpi.h"

namespace {

constexpr int kSliderTop = -4;
constexpr int kSliderHeight = 25;
constexpr int kSliderOverhang = 6;  // past the right edge, where the track's end margin goes

bool IsSwallowedKey(WORD key, TShiftState shift) {
  if (shift != 0 && shift != ssShift) return false;
  if ((key >= 'A' && key <= 'Z') || key == VK_SPACE) return true;
  if (key >= VK_MULTIPLY && key <= VK_DIVIDE) return true;  // * + separator - . /
  return shift == ssShift && key >= '0' && key <= '9';
}

}  // namespace

int NumberBoxValue(std::wstring_view text) {
  const size_t first = text.find_first_not_of(L" \t");
  if (first == std::wstring_view::npos) return 0;
  text = text.substr(first, text.find_last_not_of(L" \t") - first + 1);
  bool negative = false;
  if (text[0] == L'-' || text[0] == L'+') {
    negative = text[0] == L'-';
    text.remove_prefix(1);
  }
  if (text.empty() || text.size() > 9) return 0;
  int value = 0;
  for (wchar_t c : text) {
    if (c < L'0' || c > L'9') return 0;
    value = value * 10 + (c - L'0');
  }
  return negative ? -value : value;
}

TEditSlider::TEditSlider(TControl& parent) : TCompPanel(parent), box_(*this), slider_(*this) {
  const ui::TScale px(*this);
  box_.SetBounds(0, 0, px(kBoxWidth), px(kHeight));
  box_.SetMaxLength(3);
  SetMainChild(&box_);
  SetBounds(Left(), Top(), std::max(Width(), px(kMinWidth)), px(kHeight));
  slider_.SetBounds(px(kBoxWidth), px(kSliderTop), Width() - px(kBoxWidth) + px(kSliderOverhang),
                    px(kSliderHeight));
  box_.SetText(std::to_wstring(slider_.Position()));
  box_.OnKeyDown = [this](WORD& key, TShiftState shift) { BoxKeyDown(key, shift); };
  box_.OnExit = [this] { ApplyTypedNumber(); };
  slider_.OnChange = [this] { PositionChanged(); };
}

void TEditSlider::SetMinValue(int value) { SetRange(value, std::max(value, MaxValue())); }
void TEditSlider::SetMaxValue(int value) { SetRange(std::min(value, MinValue()), value); }

void TEditSlider::SetRange(int min, int max) {
  const int before = Value();
  slider_.SetRange(min, max);
  if (Value() != before) PositionChanged();
}

void TEditSlider::BoxKeyDown(WORD& key, TShiftState shift) {
  const bool enter = key == VK_RETURN;
  if (!enter && !IsSwallowedKey(key, shift)) return;
  key = 0;
  // Nothing of the key may reach the box: neither its character nor its release.
  MSG pending{};
  while (PeekMessageW(&pending, box_.Handle(), WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
  }
  if (enter) ApplyTypedNumber();
}

void TEditSlider::ApplyTypedNumber() {
  const int typed = std::max(MinValue(), std::min(NumberBoxValue(box_.Text()), MaxValue()));
  // Unchanged: the box keeps what was typed.
  if (typed != Value()) slider_.SetPosition(typed);
}

void TEditSlider::PositionChanged() {
  box_.SetText(std::to_wstring(Value()));
  if (OnChange) {
    const auto handler = OnChange;
    handler();
  }
}

LRESULT TEditSlider::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_WINDOWPOSCHANGING) {
    auto* pos = ui::AsPointer<WINDOWPOS>(lParam);
    if (!(pos->flags & SWP_NOSIZE)) pos->cx = std::max<int>(pos->cx, ui::TScale(*this)(kMinWidth));
  }
  const LRESULT result = TCompPanel::OnMessage(msg, wParam, lParam);
  if (msg == WM_SIZE) {
    slider_.SetWidth(Width() - slider_.Left() + ui::TScale(*this)(kSliderOverhang));
  }
  return result;
}
