#include "views/CharMatrix.h"

#include <algorithm>
#include <memory>

#include "data/CharacterMap.h"
#include "sys/sys.h"
#include "views/model/CodePointText.h"

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
  charFont_ = charmap::CreatePointFont(fontName_, fontSize_, style_);
  grid_.SetCharFont(charFont_.Get());
  grid_.OnDblClick = [this] { DoubleClicked(); };
  grid_.OnSelectionChange = [this] {
    if (OnSelectionChange) OnSelectionChange();
  };
  ColorsChanged();
}

void TCharMatrix::SetColumns(int columns) {
  grid_.Change([columns](TCharGrid& grid) { grid.SetColumns(columns); });
}

void TCharMatrix::SetFontName(const std::string& name, charmap::TFaceStyle style) {
  if (sys::EqualNoCase(name, fontName_) && style == style_) return;
  fontName_ = name;
  style_ = style;
  charFont_ = charmap::CreatePointFont(fontName_, fontSize_, style_);
  grid_.SetCharFont(charFont_.Get());
}

void TCharMatrix::SetFontSize(int points) {
  if (points == fontSize_) return;
  fontSize_ = points;
  charFont_ = charmap::CreatePointFont(fontName_, fontSize_, style_);
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

void TCharMatrix::SetFontFile(const std::string& path, uint32_t face) {
  if (sys::EqualNoCase(path, fontFile_) && face == fontFace_) return;
  fontFile_ = path;
  fontFace_ = face;
  if (unicode_) ShowCodePoints();
}

void TCharMatrix::SetUnicodeMode(bool unicode) {
  if (unicode == unicode_) return;
  unicode_ = unicode;
  if (unicode) {
    codeSelected_ = SelectedChar();
    ShowCodePoints();
    return;
  }
  grid_.SetCodePoints(nullptr);
  SelectChar(std::max(0, codeSelected_));
  if (OnCodePointsChange) OnCodePointsChange();
}

// The face's code points into the grid, read unless a face kept holds them;
// the code point selected before stays selected where the face maps it.
void TCharMatrix::ShowCodePoints() {
  const std::optional<char32_t> before = SelectedCodePoint();
  auto kept = std::find_if(faces_.begin(), faces_.end(), [this](const auto& f) {
    return f->face == fontFace_ && sys::EqualNoCase(f->path, fontFile_);
  });
  std::unique_ptr<TFaceCodePoints> face;
  if (kept != faces_.end()) {
    face = std::move(*kept);
    faces_.erase(kept);
  } else {
    face = std::make_unique<TFaceCodePoints>();
    face->path = fontFile_;
    face->face = fontFace_;
    if (!fontFile_.empty()) face->points = ReadCodePoints(fontFile_, fontFace_);
  }
  faces_.push_back(std::move(face));
  if (faces_.size() > kFacesKept) faces_.erase(faces_.begin());
  grid_.SetCodePoints(&faces_.back()->points);
  if (!before || !GoTo(*before)) grid_.Change([](TCharGrid& grid) { grid.SelectChar(0); });
  if (OnCodePointsChange) OnCodePointsChange();
}

const std::vector<char32_t>& TCharMatrix::CodePoints() const {
  static const std::vector<char32_t> kNone;
  return grid_.CodePoints() ? *grid_.CodePoints() : kNone;
}

std::optional<char32_t> TCharMatrix::SelectedCodePoint() const {
  const std::vector<char32_t>* points = grid_.CodePoints();
  const int index = grid_.Model().Selected();
  if (!points || index < 0 || static_cast<size_t>(index) >= points->size()) return std::nullopt;
  return (*points)[static_cast<size_t>(index)];
}

bool TCharMatrix::GoTo(char32_t c) {
  const std::vector<char32_t>& points = CodePoints();
  const auto at = std::lower_bound(points.begin(), points.end(), c);
  if (at == points.end()) return false;
  const int index = static_cast<int>(at - points.begin());
  grid_.Change([index](TCharGrid& grid) { grid.SelectChar(index); });
  return true;
}

bool TCharMatrix::GoToRange(char32_t first, char32_t last) {
  const std::vector<char32_t>& points = CodePoints();
  const auto at = std::lower_bound(points.begin(), points.end(), first);
  if (at == points.end() || *at > last) return false;
  const int index = static_cast<int>(at - points.begin());
  grid_.Change([index](TCharGrid& grid) {
    grid.SelectChar(index);
    grid.SetTopRow(grid.SelectedRow());
  });
  return true;
}

bool TCharMatrix::CopyChar() {
  const std::optional<char32_t> c = SelectedCodePoint();
  return c && sys::Current().SetClipboardUnicodeText(Utf16Of(*c));
}

void TCharMatrix::DoubleClicked() {
  if (!unicode_) {
    Zoom();
  } else if (const std::optional<char32_t> c = SelectedCodePoint(); c && OnCollect) {
    OnCollect(*c);
  }
}

void TCharMatrix::Zoom() {
  const int code = SelectedChar();
  const std::optional<char32_t> point = SelectedCodePoint();
  if (unicode_ && !point) return;
  if (code < 0 || (!unicode_ && code >= kCharCodes) || TCharMatrixZoomForm::IsOpen() || !Handle()) return;
  const auto form = std::make_unique<TCharMatrixZoomForm>();
  form->SetFontName(fontName_, style_);
  form->SetFontSize(256);
  form->SetCharColor(fontColor_);
  form->SetColor(FontBgColor());
  form->SetInfoColor(infoColor_);
  if (point) {
    form->SetInfoText(ShowASCIIValues() ? CodePointLabel(*point) : std::string());
    form->SetCharText(charmap::WideOf(*point));
  } else {
    form->SetInfoText(CharLabel(code, ShowASCIIValues(), ShowASCIIChars()));
    form->SetCharCode(code);
  }
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
