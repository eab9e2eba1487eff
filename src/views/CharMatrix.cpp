#include "views/CharMatrix.h"

#include <memory>

#include "sys/PathText.h"
#include "ui/Gdi.h"
#include "views/CharMatrixText.h"
#include "views/CharMatrixZoom.h"

TCharMatrix::TCharMatrix(TControl& parent)
    : TCompPanel(parent),
      grid_(*this),
      fontName_(charmap::FaceName(ui::DefaultFont())),
      fontColor_(GetSysColor(COLOR_WINDOWTEXT)),
      infoColor_(GetSysColor(COLOR_BTNSHADOW)) {
  grid_.SetAlign(alClient);
  SetMainChild(&grid_);
  charFont_ = charmap::CreatePointFont(fontName_, fontSize_);
  grid_.SetCharFont(charFont_.Get());
  grid_.OnDblClick = [this] { Zoom(); };
  ColorsChanged();
}

void TCharMatrix::SetColumns(int columns) {
  grid_.Change([columns](TCharGrid& grid) { grid.SetColumns(columns); });
}

void TCharMatrix::SetFontName(const std::string& name) {
  if (sys::EqualNoCase(name, fontName_)) return;
  fontName_ = name;
  charFont_ = charmap::CreatePointFont(fontName_, fontSize_);
  grid_.SetCharFont(charFont_.Get());
}

void TCharMatrix::SetFontSize(int points) {
  if (points == fontSize_) return;
  fontSize_ = points;
  charFont_ = charmap::CreatePointFont(fontName_, fontSize_);
  grid_.SetCharFont(charFont_.Get());
}

void TCharMatrix::SetShowASCIIValues(bool show) { grid_.SetLabels(show, ShowASCIIChars()); }
void TCharMatrix::SetShowASCIIChars(bool show) { grid_.SetLabels(ShowASCIIValues(), show); }

void TCharMatrix::SetFontBgColor(COLORREF color) {
  grid_.SetColors(color, fontColor_, infoColor_);
}

void TCharMatrix::SetFontColor(COLORREF color) {
  fontColor_ = color;
  ColorsChanged();
}

void TCharMatrix::SetFontInfoColor(COLORREF color) {
  infoColor_ = color;
  ColorsChanged();
}

void TCharMatrix::ColorsChanged() { grid_.SetColors(grid_.Background(), fontColor_, infoColor_); }

void TCharMatrix::SelectChar(int code) {
  grid_.Change([code](TCharGrid& grid) { grid.SelectChar(code); });
}

void TCharMatrix::Zoom() {
  const int code = SelectedChar();
  if (code < 0 || code >= kCharCodes || TCharMatrixZoomForm::IsOpen() || !Handle()) return;
  const auto form = std::make_unique<TCharMatrixZoomForm>();
  form->SetFontName(fontName_);
  form->SetFontSize(256);
  form->SetCharColor(fontColor_);
  form->SetColor(FontBgColor());
  form->SetInfoColor(infoColor_);
  form->SetInfoText(CharLabel(code, ShowASCIIValues(), ShowASCIIChars()));
  form->SetCharCode(code);
  RECT r{};
  GetWindowRect(Handle(), &r);
  form->SetBounds(r.left + (Width() - form->Width()) / 2, r.top + (Height() - form->Height()) / 2,
                  form->Width(), form->Height());
  const TWeakRef<TCharMatrix> alive(this);
  form->ShowModal();
  // The activation goes back to the map's window, the focus to the grid.
  if (!alive || !Handle()) return;
  if (HWND root = GetAncestor(Handle(), GA_ROOT); root && IsWindowVisible(root)) SetForegroundWindow(root);
  if (grid_.CanFocus()) grid_.SetFocus();
}

LRESULT TCharMatrix::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_SIZE) {
    // The grid first, then the handlers, which read MaxColumns.
    const LRESULT result = DefaultProc(msg, wParam, lParam);
    Realign();
    grid_.SizeChanged();
    if (OnResize) OnResize();
    return result;
  }
  return TCompPanel::OnMessage(msg, wParam, lParam);
}
