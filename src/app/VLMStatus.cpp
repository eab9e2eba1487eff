#include "app/VLMStatus.h"

#include <algorithm>

#include "app/VLMChild.h"
#include "app/VLMMain.h"
#include "data/VLMOptions.h"
#include "data/VLMUtil.h"
#include "sys/codepage.h"
#include "lists/ColumnWidths.h"
#include "ui/Dpi.h"
#include "ui/WindowPlacement.h"
#include "widgets/Toolbar97.h"

namespace {

using sys::Hive;

// Pixels at 96 dpi. The smallest windows a layout may ask for; the frame
// keeps room for a font window below its bars.
constexpr int kMainMinWidth = 480;
constexpr int kMainMinHeight = 360;
constexpr int kChildMinWidth = 300;
constexpr int kChildMinHeight = 150;
// Room the lists keep beside and below the panes a layout sizes.
constexpr int kMinNavWidth = 50;
constexpr int kViewKeepsWidth = 80;
constexpr int kListKeepsHeight = 180;
// More rows than a dock ever holds; rows are only an order.
constexpr int kMaxDockRow = 16;

std::string ChildKey(int index) { return SaveStatusKey() + "\\" + std::to_string(index); }

bool ReadFlag(sys::RegKey& key, std::string_view name, bool fallback) {
  return ReadIntValue(key, name, fallback ? 1 : 0) != 0;
}

TWindowState ReadState(sys::RegKey& key, std::string_view name, TWindowState fallback) {
  const int state = ReadIntValue(key, name, fallback);
  return state >= wsNormal && state <= wsMaximized ? static_cast<TWindowState>(state) : fallback;
}

// Shows the page of that index without its change handler; another index
// keeps the page shown.
void ReadPage(sys::RegKey& key, std::string_view name, TPageControl& pages) {
  const int index = ReadIntValue(key, name, pages.ActivePageIndex());
  if (index >= 0 && index < pages.PageCount()) pages.SetActivePage(&pages.Pages(index));
}

// A layout keeps its sizes in the pixels of the dpi it was saved at, named
// by "Dpi" beside them (absent: 96, as every layout before there was one).
// Read back at another dpi they are rescaled, so that windows, panes and
// columns keep their proportions to the text; places on the screen stay.
constexpr char kDpiValue[] = "Dpi";

class TSavedScale {
 public:
  TSavedScale(int saved, int now) : saved_(saved > 0 ? saved : ui::kBaseDpi), now_(now) {}
  int operator()(int pixels) const { return ui::RescaleDpi(pixels, saved_, now_); }
  // Now's pixels for a size at 96 dpi.
  int Base(int pixels) const { return ui::ScaleToDpi(pixels, now_); }
  std::string Columns(const std::string& text) const {
    if (saved_ == now_) return text;
    // -1 marks a part that is no width: it stays one.
    std::vector<int> widths(static_cast<size_t>(std::count(text.begin(), text.end(), ',') + 1), -1);
    ApplyColumnWidths(text, widths);
    for (int& width : widths)
      if (width >= 0) width = (*this)(width);
    return FormatColumnWidths(widths);
  }

 private:
  int saved_;
  int now_;
};

TSavedScale SavedScale(TfrmVLMMain& main) {
  int saved = ui::kBaseDpi;
  if (auto key = sys::Current().OpenKey(Hive::CurrentUser, SaveStatusKey(), false))
    saved = ReadIntValue(*key, kDpiValue, ui::kBaseDpi);
  return TSavedScale(saved, main.Dpi());
}

// A size saved in pixels, at now's dpi.
int ReadPixels(sys::RegKey& key, std::string_view name, int fallback, const TSavedScale& scale) {
  if (!key.ValueExists(name)) return fallback;
  return scale(ReadIntValue(key, name, fallback));
}

// A size within low .. high (high wins when they cross).
int ReadSize(sys::RegKey& key, std::string_view name, int fallback, int low, int high,
             const TSavedScale& scale) {
  return std::clamp(ReadPixels(key, name, fallback, scale), low, std::max(low, high));
}

std::string Field(std::string_view bar, std::string_view field) {
  return std::string(bar) + " " + std::string(field);
}

// The part of the frame the font windows are placed in. A minimised frame
// has none on the screen: its normal size stands for it then.
TRect ChildArea(TfrmVLMMain& main, TfrmVLMChild& child) {
  if (main.WindowState() != wsMinimized) return ui::ParentClientArea(child);
  const TRect frame = ui::NormalBounds(main);
  return BoundsToRect(0, 0, frame.Width(), frame.Height());
}

}  // namespace

std::string SaveStatusKey() { return std::string(kVelmaraKey) + "\\SaveStatus"; }

int ReadIntValue(sys::RegKey& key, std::string_view name, int fallback) {
  std::string text;
  if (!key.ValueExists(name) || !key.ReadString(name, text)) return fallback;
  return ParseDecimalOr(text, fallback);
}

std::string ReadStrValue(sys::RegKey& key, std::string_view name, std::string_view fallback) {
  std::string text;
  if (!key.ValueExists(name) || !key.ReadString(name, text)) return std::string(fallback);
  return text;
}

void DeleteKeyTree(Hive hive, std::string_view path) { sys::Current().DeleteKey(hive, path); }

// ---- Restoring ------------------------------------------------------------------

void RestoreMainStatus(TfrmVLMMain& main) {
  auto key = sys::Current().OpenKey(Hive::CurrentUser, SaveStatusKey(), false);
  if (!key) return;
  const TSavedScale scale = SavedScale(main);
  const TRect now = ui::NormalBounds(main);
  const int top = ReadIntValue(*key, "Main Form Top", now.top);
  const int left = ReadIntValue(*key, "Main Form Left", now.left);
  const int height = ReadPixels(*key, "Main Form Height", now.Height(), scale);
  const int width = ReadPixels(*key, "Main Form Width", now.Width(), scale);
  ui::SetNormalBounds(main, ui::FitBounds(left, top, width, height,
                                          ui::WorkAreaNear(left, top, width, height),
                                          scale.Base(kMainMinWidth), scale.Base(kMainMinHeight)));
  main.SetWindowState(ReadState(*key, "Main Form State", main.WindowState()));
  {
    // Bars moved between docks keep the row and place they are given.
    const auto topHeld = main.dk97Top.SuspendArrange();
    const auto bottomHeld = main.dk97Bottom.SuspendArrange();
    const auto leftHeld = main.dk97Left.SuspendArrange();
    const auto rightHeld = main.dk97Right.SuspendArrange();
    RestoreToolbar(main, *key, main.tb97Main, "Tool Bar", true);
    RestoreToolbar(main, *key, main.tb97Filter, "Filter Bar", false);
    main.ApplyTextLabels();
  }
}

void RestoreToolbar(TfrmVLMMain& main, sys::RegKey& key, TToolbar97& bar, std::string_view name,
                    bool withCaptions) {
  const TDock97* dock = bar.DockedTo();
  const int status = ReadIntValue(key, Field(name, "Dock Status"), dock ? dock->Position() : -1);
  if (status < 0) {
    bar.Float();
  } else {
    // A position no dock has leaves the bar where it is.
    for (TDock97* candidate : {&main.dk97Top, &main.dk97Bottom, &main.dk97Left, &main.dk97Right}) {
      if (candidate->Position() == status) {
        bar.DockTo(*candidate);
        break;
      }
    }
  }
  const TSavedScale scale = SavedScale(main);
  const TRect now = bar.Bounds();
  const int top = ReadIntValue(key, Field(name, "Top"), now.top);
  const int left = ReadIntValue(key, Field(name, "Left"), now.left);
  const int height = ReadPixels(key, Field(name, "Height"), now.Height(), scale);
  const int width = ReadPixels(key, Field(name, "Width"), now.Width(), scale);
  if (TDock97* docked = bar.DockedTo()) {
    // Docked, its place is within the dock: rescaled too.
    bar.SetBarBounds(BoundsToRect(ReadPixels(key, Field(name, "Left"), now.left, scale),
                                  ReadPixels(key, Field(name, "Top"), now.top, scale), width, height));
    // Along the dock, the bar keeps within the frame's width or height.
    const int length = docked->Horizontal() ? main.ClientWidth() - now.Width()
                                            : main.ClientHeight() - now.Height();
    bar.SetDockPos(ReadSize(key, Field(name, "Dock Position"), bar.DockPos(), 0, length, scale));
    bar.SetDockRow(std::clamp(ReadIntValue(key, Field(name, "Dock Row"), bar.DockRow()), 0, kMaxDockRow));
  } else {
    // A floating bar is as large as its buttons make it; only its place is kept.
    bar.SetBarBounds(ui::FitBounds(left, top, now.Width(), now.Height(),
                                   ui::WorkAreaNear(left, top, now.Width(), now.Height()), 1, 1));
  }
  bar.SetBarVisible(ReadFlag(key, Field(name, "Visible"), bar.BarVisible()));
  if (withCaptions) {
    main.pmToolbarsTextLabels.SetChecked(
        ReadFlag(key, Field(name, "Text Captions"), main.pmToolbarsTextLabels.Checked()));
    main.ApplyTextLabels();
  }
}

void RestoreChildren(TfrmVLMMain& main) {
  int active = -1;
  if (auto key = sys::Current().OpenKey(Hive::CurrentUser, SaveStatusKey(), false)) {
    const int count =
        std::min(ReadIntValue(*key, "Main Form Child Count", main.ChildCount()), kMaxRestoredChildren);
    for (int open = main.ChildCount(); open < count; ++open) main.mmFileNewClick();
    active = ReadIntValue(*key, "Main Form Active Child", 0);
  }
  for (int i = 0; i < main.ChildCount(); ++i) RestoreChildStatus(main, i);
  // Last: showing a window's page gives it the focus, which activates it.
  if (active >= 0 && active < main.ChildCount()) main.Child(active).Activate();
}

void RestoreChildStatus(TfrmVLMMain& main, int index) {
  auto key = sys::Current().OpenKey(Hive::CurrentUser, ChildKey(index), true);
  if (!key) return;
  sys::RegKey& k = *key;
  TfrmVLMChild& child = main.Child(index);
  const TSavedScale scale = SavedScale(main);

  const TRect now = ui::NormalBounds(child);
  const TRect bounds = ui::FitBounds(
      ReadPixels(k, "Left", now.left, scale), ReadPixels(k, "Top", now.top, scale),
      ReadPixels(k, "Width", now.Width(), scale), ReadPixels(k, "Height", now.Height(), scale),
      ChildArea(main, child), scale.Base(kChildMinWidth), scale.Base(kChildMinHeight));
  ui::SetNormalBounds(child, bounds);
  child.SetWindowState(ReadState(k, "State", child.WindowState()));
  // Pane sizes follow the window's normal size, so that every list keeps room.
  child.pnlNav.SetWidth(ReadSize(k, "Navigation Width", child.pnlNav.Width(), scale.Base(kMinNavWidth),
                                 bounds.Width() - scale.Base(kViewKeepsWidth), scale));
  ReadPage(k, "Navigation Page", child.pcNav);
  const int maxPane = bounds.Height() - scale.Base(kListKeepsHeight);
  for (auto [name, list] : {std::pair{"Installed Column Widths", &child.InstalledFontList},
                            std::pair{"Collections Column Widths", &child.CollectionsFontList},
                            std::pair{"Browse Column Widths", &child.BrowseFontList}}) {
    if (k.ValueExists(name)) list->SetColumnWidths(scale.Columns(ReadStrValue(k, name, "")));
  }
  child.CollectionsList.SetHeight(
      ReadSize(k, "Collections List Height", child.CollectionsList.Height(), 0, maxPane, scale));
  child.DirTree.SetHeight(ReadSize(k, "Browse Location Height", child.DirTree.Height(), 0, maxPane, scale));
  child.DirTree.SetDirectory(ReadStrValue(k, "Browse Address", child.DirTree.Directory()));
  // A folder gone since leaves the tree at what remains of its path.
  child.edtAddress.SetText(sys::Widen(child.DirTree.Directory()));
  child.cbInclSubfolders.SetChecked(ReadFlag(k, "Include Subfolders", child.cbInclSubfolders.Checked()));
  ReadPage(k, "View Page", child.pcView);
  child.esSampleSize.SetValue(ReadIntValue(k, "Sample Font Size", child.esSampleSize.Value()));
  const std::wstring sample =
      sys::Widen(ReadStrValue(k, "Sample Text", sys::Narrow(child.memSample.Text())));
  child.memSample.SetText(sample);
  TMultiSamplePage& multi = child.Multi();
  multi.cmbSamplesMulti.SetText(sample);
  multi.esMultiSize.SetValue(ReadIntValue(k, "Multiple Sample Font Size", multi.esMultiSize.Value()));
  if (ReadFlag(k, "Multiple Sample Mode", multi.rbMultiSelected.Checked())) {
    multi.rbMultiSelected.SetChecked(true);
  } else {
    multi.rbMultiAll.SetChecked(true);
  }
  TCharactersPage& characters = child.Characters();
  characters.esCharactersSize.SetValue(
      ReadIntValue(k, "Characters Font Size", characters.esCharactersSize.Value()));
  characters.esColumns.SetValue(ReadIntValue(k, "Column Count", characters.esColumns.Value()));
  characters.cbValues.SetChecked(ReadFlag(k, "Show Values", characters.cbValues.Checked()));
  characters.cbChars.SetChecked(ReadFlag(k, "Show Chars", characters.cbChars.Checked()));
  child.SetFilter(static_cast<TFontKinds>(ReadIntValue(k, "Font Filter", 255) & kAllFontKinds));

  if (child.pcNav.ActivePageIndex() >= 1) {
    child.pcNavChange(nullptr);
  } else if (child.pcView.ActivePageIndex() > 0) {
    child.pcViewChange();
  }
  main.UpdateFilterControls();
}

// ---- Saving ---------------------------------------------------------------------

void TLayoutWriter::Text(std::string_view name, std::string_view value) {
  written_.emplace_back(name);
  key_.WriteString(name, value);
}

void TLayoutWriter::DeleteTheRest(const std::vector<std::string>& subkeysKept) {
  // Registry names are the same whatever the case of their letters.
  const auto holds = [](const std::vector<std::string>& names, std::string_view name) {
    return std::any_of(names.begin(), names.end(), [&](const std::string& held) { return SameText(held, name); });
  };
  std::vector<sys::RegValueInfo> values;
  key_.ListValues(values);
  for (const sys::RegValueInfo& value : values)
    if (!holds(written_, value.name)) key_.DeleteValue(value.name);
  std::vector<std::string> subkeys;
  key_.ListSubkeys(subkeys);
  for (const std::string& subkey : subkeys)
    if (!holds(subkeysKept, subkey)) key_.DeleteSubkey(subkey);
}

void SaveStatus(TfrmVLMMain& main) {
  sys::Current().ProcessMessages();
  // Written over the old layout and only then cleared of what it no longer
  // holds: a program stopped at any moment leaves every value of a layout in
  // place. The windows go first, so that the count never names a window whose
  // values are still to come.
  for (int i = 0; i < main.ChildCount(); ++i) SaveChildStatus(main, i);
  SaveMainStatus(main);
}

void SaveMainStatus(TfrmVLMMain& main) {
  auto opened = sys::Current().OpenKey(Hive::CurrentUser, SaveStatusKey(), true);
  if (!opened) return;
  TLayoutWriter key(*opened);
  const TRect normal = ui::NormalBounds(main);
  key.Int("Main Form Top", normal.top);
  key.Int("Main Form Left", normal.left);
  key.Int("Main Form Height", normal.Height());
  key.Int("Main Form Width", normal.Width());
  key.Int("Main Form State", main.WindowState());
  key.Int("Main Form Child Count", main.ChildCount());
  int active = 0;
  for (int i = 0; i < main.ChildCount(); ++i)
    if (&main.Child(i) == main.ActiveChild()) active = i;
  key.Int("Main Form Active Child", active);
  // Every size here and in the windows' keys is in the pixels of this dpi.
  if (main.Dpi() != ui::kBaseDpi) key.Int(kDpiValue, main.Dpi());
  SaveToolbar(main, key, main.tb97Main, "Tool Bar", true);
  SaveToolbar(main, key, main.tb97Filter, "Filter Bar", false);
  std::vector<std::string> windows;
  for (int i = 0; i < main.ChildCount(); ++i) windows.push_back(std::to_string(i));
  key.DeleteTheRest(windows);
}

void SaveToolbar(TfrmVLMMain& main, TLayoutWriter& key, TToolbar97& bar, std::string_view name,
                 bool withCaptions) {
  const TRect bounds = bar.Bounds();
  key.Int(Field(name, "Top"), bounds.top);
  key.Int(Field(name, "Left"), bounds.left);
  key.Int(Field(name, "Height"), bounds.Height());
  key.Int(Field(name, "Width"), bounds.Width());
  const TDock97* dock = bar.DockedTo();
  key.Int(Field(name, "Dock Status"), dock ? dock->Position() : -1);
  key.Int(Field(name, "Dock Position"), bar.DockPos());
  key.Int(Field(name, "Dock Row"), bar.DockRow());
  key.Flag(Field(name, "Visible"), bar.BarVisible());
  if (withCaptions)
    key.Flag(Field(name, "Text Captions"), main.tbb97New.DisplayMode() == dmGlyphAndCaption);
}

void SaveChildStatus(TfrmVLMMain& main, int index) {
  auto opened = sys::Current().OpenKey(Hive::CurrentUser, ChildKey(index), true);
  if (!opened) return;
  TLayoutWriter k(*opened);
  TfrmVLMChild& child = main.Child(index);
  // The normal bounds: a window closed minimised or maximised comes back to
  // its own size when restored, not to an icon's or the frame's.
  const TRect bounds = ui::NormalBounds(child);
  k.Int("Top", bounds.top);
  k.Int("Left", bounds.left);
  k.Int("Height", bounds.Height());
  k.Int("Width", bounds.Width());
  k.Int("State", child.WindowState());
  k.Int("Navigation Width", child.pnlNav.Width());
  k.Int("Navigation Page", child.pcNav.ActivePageIndex());
  k.Text("Installed Column Widths", child.InstalledFontList.ColumnWidths());
  k.Text("Collections Column Widths", child.CollectionsFontList.ColumnWidths());
  k.Int("Collections List Height", child.CollectionsList.Height());
  k.Text("Browse Column Widths", child.BrowseFontList.ColumnWidths());
  k.Int("Browse Location Height", child.DirTree.Height());
  k.Text("Browse Address", child.DirTree.Directory());
  k.Flag("Include Subfolders", child.cbInclSubfolders.Checked());
  k.Int("View Page", child.pcView.ActivePageIndex());
  k.Int("Sample Font Size", child.esSampleSize.Value());
  k.Text("Sample Text", sys::Narrow(child.memSample.Text()));
  TMultiSamplePage& multi = child.Multi();
  k.Int("Multiple Sample Font Size", multi.esMultiSize.Value());
  k.Flag("Multiple Sample Mode", multi.rbMultiSelected.Checked());
  TCharactersPage& characters = child.Characters();
  k.Int("Characters Font Size", characters.esCharactersSize.Value());
  k.Int("Column Count", characters.esColumns.Value());
  k.Flag("Show Values", characters.cbValues.Checked());
  k.Flag("Show Chars", characters.cbChars.Checked());
  k.Int("Font Filter", child.Filter());
  k.DeleteTheRest({});
}
