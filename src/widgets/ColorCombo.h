// TColorComboBox: a drop-down list of the sixteen standard colours, each a
// swatch with its name, and a last entry "其他..." that asks the system's
// colour dialog for any other colour; that one is then added as an entry of
// its own and selected.
//   TColorComboBox rccFont{page};
//   rccFont.SetColour(options.FontColour());   // may be a system colour
//   ... options.SetFontColour(rccFont.Colour());
// A system colour (0x80000000 plus its index, as ui::ColourToRGB reads it)
// shows as its current RGB value and is given back as it was set until the
// user chooses another entry, so that a setting which follows the user's
// theme keeps following it.
// How the colour dialog runs can be swapped (TScopedColorDialogRunner), so
// that a test answers in the user's place.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "ui/ScopedHook.h"
#include "ui/Control.h"

class TColorComboBox : public TControl {
 public:
  explicit TColorComboBox(TControl& parent);

  // The RGB value of the selected entry.
  COLORREF Selected() const;
  // Selects the entry of that colour, adding one when the list has none.
  void SetSelected(COLORREF colour);
  // The colour as set (a system colour kept as such) or as the user chose it.
  int32_t Colour() const { return colour_; }
  void SetColour(int32_t colour);

  // The entries' colours in list order, "其他..." not counted.
  int ColourCount() const;
  COLORREF Colours(int index) const;
  // The name shown for an entry; ColourCount() names "其他...".
  std::wstring ItemName(int index) const;

  // The user chose another colour.
  std::function<void()> OnChange;

  // The system's colour dialog, starting at `colour`; true when the user
  // confirmed one, which is then in `colour`.
  static bool RunSystemDialog(COLORREF& colour, HWND owner);

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  bool OnCommand(WORD code) override;
  bool OnReflect(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  int OtherIndex() const;
  int IndexOf(COLORREF colour) const;
  int AddColour(COLORREF colour, const std::wstring& name);
  // The user's choice of an entry, the list closed.
  void Choose(int index);
  bool AskOtherColour(COLORREF& colour);
  void DrawItem(const DRAWITEMSTRUCT& item) const;
  // Rows as high as the font's lines, and a little more.
  void FitItemHeight();

  int32_t colour_ = 0;
  int shownIndex_ = -1;  // the entry showing colour_
  bool choosing_ = false;   // the colour dialog is up
  bool cancelled_ = false;  // the dropped list was left without a choice
};

// How the dialog runs: true when the user confirmed.
using TColorDialogRunner = std::function<bool(COLORREF& colour, HWND owner)>;

class TScopedColorDialogRunner : public TScopedHook<TColorDialogRunner> {
 public:
  using Runner = TColorDialogRunner;
  explicit TScopedColorDialogRunner(Runner runner);
};
