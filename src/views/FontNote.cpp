#include "views/FontNote.h"

#include "sys/codepage.h"

TFontNote::TFontNote(TControl& parent) : TMemo2(parent) {
  // No limit of the box's own: a long note loaded must stay editable.
  SetMaxLength(0);
}

bool TFontNote::OnCommand(WORD code) {
  if (code != EN_CHANGE) return TMemo2::OnCommand(code);
  if (settingText_.Active()) return true;
  note_.TextChanged();
  return TMemo2::OnCommand(code);
}

std::string TFontNote::NoteText() const { return sys::Narrow(Text()); }

void TFontNote::SetNoteText(const std::string& text) {
  const std::wstring wide = sys::Widen(text);
  if (Text() == wide) return;
  // A memo reports no change of text set from outside (a one-line box does):
  // report it here, once either way.
  {
    const auto scope = settingText_.Hold();
    SetText(wide);
  }
  note_.TextChanged();
  if (OnChange) {
    const auto handler = OnChange;
    handler();
  }
}
