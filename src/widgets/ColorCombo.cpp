#include "widgets/ColorCombo.h"

#include <commdlg.h>

#include <cstdio>

#include "ui/Gdi.h"
#include "ui/Handles.h"
#include "ui/Dpi.h"

namespace {

struct TNamedColour {
  COLORREF colour;
  const wchar_t* name;
};

constexpr TNamedColour kStandardColours[] = {
    {RGB(0, 0, 0), L"黑色"},          {RGB(128, 0, 0), L"褐红色"},   {RGB(0, 128, 0), L"绿色"},
    {RGB(128, 128, 0), L"橄榄色"},    {RGB(0, 0, 128), L"深蓝色"},   {RGB(128, 0, 128), L"紫色"},
    {RGB(0, 128, 128), L"深青色"},    {RGB(128, 128, 128), L"灰色"}, {RGB(192, 192, 192), L"银色"},
    {RGB(255, 0, 0), L"红色"},        {RGB(0, 255, 0), L"黄绿色"},   {RGB(255, 255, 0), L"黄色"},
    {RGB(0, 0, 255), L"蓝色"},        {RGB(255, 0, 255), L"紫红色"}, {RGB(0, 255, 255), L"浅绿色"},
    {RGB(255, 255, 255), L"白色"},
};
constexpr wchar_t kOtherName[] = L"其他...";
// The item data of "其他...": no colour has it.
constexpr LRESULT kOtherData = static_cast<LRESULT>(CLR_INVALID);
constexpr int kSwatchWidth = 24;
constexpr int kDroppedHeight = 300;

TScopedColorDialogRunner::Runner& CurrentRunner() {
  static TScopedColorDialogRunner::Runner runner = &TColorComboBox::RunSystemDialog;
  return runner;
}

// A colour of no name: its RGB value as the web writes it.
std::wstring HexName(COLORREF colour) {
  wchar_t text[8];
  std::swprintf(text, 8, L"#%02X%02X%02X", GetRValue(colour), GetGValue(colour), GetBValue(colour));
  return text;
}

}  // namespace

TColorComboBox::TColorComboBox(TControl& parent) : TControl(&parent) {
  CreateParams params;
  params.className = L"COMBOBOX";
  params.style |= WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;
  const ui::TScale px(parent);
  params.width = px(145);
  params.height = px(kDroppedHeight);
  CreateSystemWindow(params);
  for (const TNamedColour& entry : kStandardColours) AddColour(entry.colour, entry.name);
  Perform(CB_ADDSTRING, 0, ui::AsLParam(kOtherName));
  Perform(CB_SETITEMDATA, static_cast<WPARAM>(OtherIndex()), kOtherData);
  FitItemHeight();
  SetColour(0);
}

COLORREF TColorComboBox::Selected() const { return ui::ColourToRGB(colour_); }

void TColorComboBox::SetSelected(COLORREF colour) {
  SetColour(static_cast<int32_t>(colour & 0xFFFFFFu));
}

void TColorComboBox::SetColour(int32_t colour) {
  colour_ = colour;
  const COLORREF rgb = Selected();
  int index = IndexOf(rgb);
  if (index < 0) index = AddColour(rgb, HexName(rgb));
  shownIndex_ = index;
  Perform(CB_SETCURSEL, static_cast<WPARAM>(index));
}

int TColorComboBox::ColourCount() const { return OtherIndex(); }

COLORREF TColorComboBox::Colours(int index) const {
  return static_cast<COLORREF>(Perform(CB_GETITEMDATA, static_cast<WPARAM>(index)));
}

std::wstring TColorComboBox::ItemName(int index) const {
  const auto length = Perform(CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
  if (length <= 0) return {};
  std::wstring name(static_cast<size_t>(length) + 1, L'\0');
  Perform(CB_GETLBTEXT, static_cast<WPARAM>(index), ui::AsLParam(name.data()));
  name.resize(static_cast<size_t>(length));
  return name;
}

int TColorComboBox::OtherIndex() const { return static_cast<int>(Perform(CB_GETCOUNT)) - 1; }

int TColorComboBox::IndexOf(COLORREF colour) const {
  for (int i = 0; i < ColourCount(); ++i)
    if (Colours(i) == colour) return i;
  return -1;
}

int TColorComboBox::AddColour(COLORREF colour, const std::wstring& name) {
  // Before "其他...", which stays last; while the list is being filled it is not there yet.
  const int other = OtherIndex();
  const bool hasOther = other >= 0 && Perform(CB_GETITEMDATA, static_cast<WPARAM>(other)) == kOtherData;
  const auto index = static_cast<int>(Perform(CB_INSERTSTRING, hasOther ? static_cast<WPARAM>(other)
                                                                         : static_cast<WPARAM>(-1),
                                              ui::AsLParam(name.c_str())));
  Perform(CB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(colour));
  return index;
}

void TColorComboBox::FitItemHeight() {
  const int height = ui::FontCharSize(Font()).cy + ui::TScale(*this)(4);
  Perform(CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), height);  // the selection field
  Perform(CB_SETITEMHEIGHT, 0, height);
}

void TColorComboBox::Choose(int index) {
  if (index < 0 || index == shownIndex_ || choosing_) return;
  const TWeakRef<TColorComboBox> alive(this);
  if (index == OtherIndex()) {
    COLORREF colour = Selected();
    choosing_ = true;
    const bool confirmed = AskOtherColour(colour);
    if (!alive) return;
    choosing_ = false;
    if (!confirmed) {
      Perform(CB_SETCURSEL, static_cast<WPARAM>(shownIndex_));
      return;
    }
    SetSelected(colour);
  } else {
    colour_ = static_cast<int32_t>(Colours(index));
    shownIndex_ = index;
  }
  if (OnChange) {
    const auto handler = OnChange;
    handler();
  }
}

bool TColorComboBox::AskOtherColour(COLORREF& colour) {
  const HWND owner = Handle() ? GetAncestor(Handle(), GA_ROOT) : nullptr;
  const TScopedColorDialogRunner::Runner runner = CurrentRunner();
  return runner(colour, owner);
}

bool TColorComboBox::RunSystemDialog(COLORREF& colour, HWND owner) {
  // The user's own colours last for the session, as the system keeps them elsewhere.
  static COLORREF custom[16] = {};
  CHOOSECOLORW choose{};
  choose.lStructSize = sizeof(choose);
  choose.hwndOwner = owner;
  choose.rgbResult = colour;
  choose.lpCustColors = custom;
  choose.Flags = CC_RGBINIT | CC_ANYCOLOR;
  if (!ChooseColorW(&choose)) return false;
  colour = choose.rgbResult;
  return true;
}

LRESULT TColorComboBox::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = TControl::OnMessage(msg, wParam, lParam);
  if (msg == WM_SETFONT) FitItemHeight();
  return result;
}

bool TColorComboBox::OnCommand(WORD code) {
  switch (code) {
    case CBN_SELCHANGE:
      // Moving through the dropped list only looks; closing it chooses.
      if (!Perform(CB_GETDROPPEDSTATE)) Choose(static_cast<int>(Perform(CB_GETCURSEL)));
      return true;
    case CBN_SELENDCANCEL:
      cancelled_ = true;
      return true;
    case CBN_CLOSEUP:
      if (cancelled_) {
        cancelled_ = false;
        Perform(CB_SETCURSEL, static_cast<WPARAM>(shownIndex_));
      } else {
        Choose(static_cast<int>(Perform(CB_GETCURSEL)));
      }
      return true;
    default:
      return false;
  }
}

bool TColorComboBox::OnReflect(UINT msg, WPARAM, LPARAM lParam, LRESULT& result) {
  if (msg != WM_DRAWITEM) return false;
  DrawItem(*ui::AsPointer<DRAWITEMSTRUCT>(lParam));
  result = TRUE;
  return true;
}

void TColorComboBox::DrawItem(const DRAWITEMSTRUCT& item) const {
  const HDC dc = item.hDC;
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  const bool enabled = (item.itemState & ODS_DISABLED) == 0;
  RECT r = item.rcItem;
  const ui::TScale px(*this);
  FillRect(dc, &r, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  if (item.itemID != static_cast<UINT>(-1)) {
    const auto index = static_cast<int>(item.itemID);
    if (Perform(CB_GETITEMDATA, item.itemID) != kOtherData) {
      RECT swatch{r.left + px(2), r.top + px(2), r.left + px(2 + kSwatchWidth), r.bottom - px(2)};
      const TBrushHandle brush(CreateSolidBrush(Colours(index)));
      FillRect(dc, &swatch, brush.Get());
      FrameRect(dc, &swatch, GetSysColorBrush(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    }
    const std::wstring name = ItemName(index);
    RECT text{r.left + px(2 + kSwatchWidth + 5), r.top, r.right - px(2), r.bottom};
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(!enabled ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    DrawTextW(dc, name.c_str(), static_cast<int>(name.size()), &text,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  }
  if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) DrawFocusRect(dc, &r);
}

TScopedColorDialogRunner::TScopedColorDialogRunner(Runner runner) : TScopedHook(CurrentRunner(), std::move(runner)) {}
