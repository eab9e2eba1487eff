// A slider with a position between a minimum and a maximum.
#pragma once

#include <functional>

#include "ui/Control.h"

class TTrackBar : public TControl {
 public:
  explicit TTrackBar(TControl& parent, bool vertical = false);
  int Min() const;
  int Max() const;
  void SetRange(int min, int max);
  int Position() const;
  // Runs OnChange when the position changes.
  void SetPosition(int position);
  void SetFrequency(int frequency);
  void SetPageSize(int size);
  std::function<void()> OnChange;

 protected:
  bool OnReflect(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  int lastPosition_ = 0;
};
