// TEdit2, TMemo2 and TComboBox2: the edit box, the memo and the combo box
// with OnSelectionChange, raised when a key or mouse button released in the
// control (and, for the combo box, the focus coming or going) leaves another
// selection than the one last reported. The control checks before the
// user's OnKeyUp / OnMouseUp (OnEnter / OnExit) of the same release, which is
// why it has its own copies of those events.
#pragma once

#include <functional>

#include "ui/StdControls.h"
#include "views/model/SelectionMemory.h"

enum TMouseButton { mbLeft, mbRight, mbMiddle };

namespace views {
// Runs `check`, then the matching event, for a key or mouse-button release;
// false for other messages. `key` may be set to 0 by OnKeyUp to swallow it.
bool OnReleaseMessage(UINT msg, WPARAM wParam, LPARAM lParam, const std::function<void()>& check,
                      const std::function<void(WORD& key, TShiftState shift)>& onKeyUp,
                      const std::function<void(TMouseButton, TShiftState, int x, int y)>& onMouseUp,
                      WORD& key);
}  // namespace views

template <typename Base>
class TSelectionNotify : public Base {
 public:
  using Base::Base;

  // Not raised (and the selection not even remembered) while unassigned.
  std::function<void()> OnSelectionChange;
  std::function<void(WORD& key, TShiftState shift)> OnKeyUp;
  std::function<void(TMouseButton button, TShiftState shift, int x, int y)> OnMouseUp;

  // Compares the selection with the one last reported; raises
  // OnSelectionChange when it changed.
  void CheckSelection() {
    if (!OnSelectionChange) return;
    if (memory_.Update(this->SelStart(), this->SelLength())) {
      const auto handler = OnSelectionChange;
      handler();
    }
  }

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
    const bool keyUp = msg == WM_KEYUP || msg == WM_SYSKEYUP;
    const TWeakRef<TControl> alive(this);
    // A button's release is the control's own first, so that the selection is final.
    const LRESULT result = keyUp ? 0 : Base::OnMessage(msg, wParam, lParam);
    if (!alive) return result;
    WORD key = static_cast<WORD>(wParam);
    const bool handled = views::OnReleaseMessage(msg, wParam, lParam, [this] { CheckSelection(); },
                                                 OnKeyUp, OnMouseUp, key);
    if (!keyUp) return result;
    if (!alive || (handled && key == 0)) return 0;
    return Base::OnMessage(msg, key, lParam);
  }

 private:
  TSelectionMemory memory_;
};

class TEdit2 : public TSelectionNotify<TEdit> {
 public:
  using TSelectionNotify<TEdit>::TSelectionNotify;
};

class TMemo2 : public TSelectionNotify<TMemo> {
 public:
  using TSelectionNotify<TMemo>::TSelectionNotify;
};

// Keys and clicks in the edit part count as the combo box's own; the
// selection is the edit part's.
class TComboBox2 : public TSelectionNotify<TComboBox> {
 public:
  explicit TComboBox2(TControl& parent, bool listOnly = false);
  ~TComboBox2() override;

  // Raised after the selection check when the focus comes into the combo box
  // (edit part included) and when it leaves it.
  std::function<void()> OnEnter;
  std::function<void()> OnExit;

 protected:
  bool OnCommand(WORD code) override;

 private:
  static LRESULT CALLBACK EditPartProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR data);
  HWND editPart_ = nullptr;
};
