// TDialog: a modal dialog built in code on the layer's own controls. It is
// owned by the top-level window of the control it is made for, has a fixed
// dialog frame and a client area of a given size, and is run by ShowModal:
//
//   auto dialog = std::make_unique<TfrmVLMQuestion>(owner);
//   dialog->CenterOn(anchor);
//   if (dialog->ShowModal() == mrOK) ...
//
// ShowModal goes through the current modal runner. The program's runner
// disables the owner, shows the dialog and handles messages until a button
// with a ModalResult is clicked (Enter and Esc press the default and cancel
// buttons) or the dialog is closed; it hides the dialog and enables the
// owner again. A test installs its own runner with TScopedModalRunner to fill
// the dialog and answer it, with or without running the real loop.
#pragma once

#include <functional>
#include <string_view>

#include "ui/Form.h"
#include "ui/ScopedHook.h"

class TDialog : public TForm {
 public:
  TModalResult ShowModal();

  void SetClientSize(int width, int height);
  // Centred on the screen / over the control, halves rounded toward zero.
  void CenterOnScreen();
  void CenterOn(const TControl& anchor);

 protected:
  // `owner` may be null: then the dialog has no owner window. The client
  // size is in pixels at 96 dpi.
  TDialog(const TControl* owner, std::wstring_view caption, int clientWidth, int clientHeight);
};

namespace ui {

using ModalRunner = std::function<TModalResult(TDialog& dialog)>;

// The program's way of running a dialog; `shown` runs once the dialog shows,
// before its loop (a test may type keys there).
TModalResult RunModalLoop(TDialog& dialog, const std::function<void()>& shown = {});

// Dialogs run through `runner` for as long as this lives.
class TScopedModalRunner : public TScopedHook<ModalRunner> {
 public:
  explicit TScopedModalRunner(ModalRunner runner);
};

}  // namespace ui
