// The text selection an edit control last reported, and whether a new one
// counts as a change: a caret that only moves while nothing was and nothing
// is selected is none.
#pragma once

class TSelectionMemory {
 public:
  int Start() const { return start_; }
  int Length() const { return length_; }
  // Stores the selection and returns true when it counts as changed.
  bool Update(int start, int length) {
    const bool changed = length_ != 0 ? length != length_ || start != start_ : length != 0;
    if (changed) {
      start_ = start;
      length_ = length;
    }
    return changed;
  }

 private:
  int start_ = 0;
  int length_ = 0;
};
