#include "lists/FontList.h"

#include <algorithm>
#include <optional>
#include <tuple>
#include <unordered_set>

#include "data/FontFileOps.h"
#include "data/Progress.h"
#include "data/VLMUtil.h"
#include "lists/ColumnWidths.h"
#include "lists/FilterBox.h"
#include "lists/ListViewColor.h"
#include "lists/MarkImages.h"
#include "lists/SampleSheet.h"
#include "lists/StatusLabel.h"
#include "sys/codepage.h"
#include "sys/sys.h"
#include "ui/Form.h"
#include "ui/Gdi.h"
#include "ui/Dpi.h"

namespace {

constexpr int kDefaultTextHeight = 13;
constexpr int kFolderColumn = 2;

// What decides the records of the font file list: when it changes, the list
// has scanned and every record it held before is gone.
auto ScanKey(const TFontFileList& list) {
  return std::make_tuple(list.Mode(), list.Path(), list.Collection(), list.InclSubfolders(),
                         list.TrueTypeOnly());
}

}  // namespace

TFontList::TFontList(TControl& parent) : TCompPanel(parent) {
  const ui::TScale px(*this);
  SetBounds(0, 0, px(180), px(120));

  statusPanel_ = std::make_unique<TPanel>(*this);
  statusPanel_->SetAlign(alBottom);
  statusPanel_->SetHeight(StatusTextHeight() + px(5));
  countLabel_ = std::make_unique<TStatusLabel>(*statusPanel_, L"");
  countLabel_->SetBounds(0, px(5), 0, 0);
  filterLabel_ = std::make_unique<TStatusLabel>(*statusPanel_, L"", COLOR_ACTIVECAPTION);
  filterLabel_->SetTop(px(5));
  filterLabel_->Hide();
  filterBox_ = std::make_unique<TFilterBox>(*this);
  filterBox_->SetAlign(alTop);
  filterBox_->OnChange = [this] { FilterBoxChange(); };
  filterBox_->OnLeave = [this] { SetFocus(); };

  TListViewOptions options;
  options.multiSelect = true;
  options.rowSelect = true;
  options.editCaptions = false;
  options.showColumnHeaders = true;
  options.headerClickable = false;
  options.hideSelection = false;
  options.ownerData = true;
  listView_ = std::make_unique<TFontRowView>(*this, options);
  listView_->SetAlign(alClient);
  listView_->AddColumn(L"字体名", px(150));
  listView_->AddColumn(L"文件名", px(100));
  listView_->SetStateImages(&SharedNoMarkImages());
  listView_->OnGetText = [this](int item, int subItem, std::wstring& text) {
    GetRowText(item, subItem, text);
  };
  listView_->OnGetStateImage = [this](int item) { return RowMark(item); };
  listView_->OnSelectItem = [this](int item, bool selected) { RowSelected(item, selected); };
  listView_->OnFindItem = [this](int start, std::wstring_view text, bool partial, bool wrap) {
    return FindRowFrom(start, text, partial, wrap);
  };
  SetMainChild(listView_.get());

  UpdateStatus();
}

TFontList::~TFontList() = default;

// --- Properties

COLORREF TFontList::Color() const { return ListViewColor(*listView_); }

void TFontList::SetColor(COLORREF color) { SetListViewColor(*listView_, color); }

std::string TFontList::ColumnWidths() const {
  std::vector<int> widths(static_cast<size_t>(listView_->ColumnCount()));
  for (size_t i = 0; i < widths.size(); ++i) widths[i] = listView_->ColumnWidth(static_cast<int>(i));
  return FormatColumnWidths(widths);
}

void TFontList::SetColumnWidths(std::string_view text) {
  std::vector<int> widths(static_cast<size_t>(listView_->ColumnCount()));
  for (size_t i = 0; i < widths.size(); ++i) widths[i] = listView_->ColumnWidth(static_cast<int>(i));
  const std::vector<int> before = widths;
  ApplyColumnWidths(text, widths);
  for (size_t i = 0; i < widths.size(); ++i)
    if (widths[i] != before[i]) listView_->SetColumnWidth(static_cast<int>(i), widths[i]);
}

void TFontList::SetInclSubfolders(bool value) {
  if (value == InclSubfolders()) return;
  ChangeScan([this, value] {
    const auto before = ScanKey(fontFileList_);
    fontFileList_.SetInclSubfolders(value);
    if (ScanKey(fontFileList_) != before) ScanChanged();
    detailsRead_ = false;
    ShowFolderColumn(value);
    UpdateList();
  });
}

void TFontList::SetTrueTypeOnly(bool value) {
  if (value == fontFileList_.TrueTypeOnly()) return;
  ChangeScan([this, value] {
    const auto before = ScanKey(fontFileList_);
    fontFileList_.SetTrueTypeOnly(value);
    if (ScanKey(fontFileList_) != before) ScanChanged();
    detailsRead_ = false;
    UpdateList();
  });
}

void TFontList::SetInclSubfoldersDepth(int32_t depth) {
  if (depth == InclSubfoldersDepth()) return;
  fontFileList_.SetInclSubfoldersDepth(depth);
  detailsRead_ = false;
  UpdateList();
}

void TFontList::SetFilter(TFontKinds filter) {
  filter &= kAllFontKinds;
  if (filter == filter_) return;
  filter_ = filter;
  UpdateList();
}

void TFontList::SetNameFilter(std::string_view text) {
  // The box tells the change back, as when the user types.
  if (text != nameFilter_.Text()) filterBox_->SetText(sys::Widen(text));
}

void TFontList::FocusFilterBox() {
  filterBox_->SetFocus();
  filterBox_->SelectAll();
}

void TFontList::FilterBoxChange() {
  const std::string text = sys::Narrow(filterBox_->Text());
  if (text == nameFilter_.Text()) return;
  nameFilter_ = TNameFilter(text);
  // The font selected stays selected while it is shown; the rows around it
  // are other ones now, so the rest of the selection goes.
  const int selected = listView_->ItemIndex();
  keepSelected_ = selected >= 0 && static_cast<size_t>(selected) < rows_.size()
                      ? rows_[static_cast<size_t>(selected)].fileName
                      : std::string();
  {
    const auto held = eventsHeld_.Hold();
    listView_->SetAllSelected(false);
  }
  lastIndex_ = 0;
  const TWeakRef<TFontList> alive(this);
  UpdateList();
  if (alive && listView_->ItemIndex() >= 0) listView_->MakeVisible(listView_->ItemIndex());
}

void TFontList::SetMode(TFontListMode mode) {
  if (mode == Mode()) return;
  ChangeScan([this, mode] {
    const auto before = ScanKey(fontFileList_);
    fontFileList_.SetMode(mode);
    if (ScanKey(fontFileList_) != before) ScanChanged();
    detailsRead_ = false;
    ShowFolderColumn(mode == flmCollection || (mode == flmBrowse && InclSubfolders()));
    UpdateList();
  });
}

void TFontList::SetPath(std::string_view path) {
  if (Mode() == flmInstalled) return;
  ChangeScan([this, folder = std::string(path)] {
    const auto before = ScanKey(fontFileList_);
    fontFileList_.SetPath(folder);
    if (ScanKey(fontFileList_) != before) {
      ScanChanged();
      detailsRead_ = false;
    }
  });
}

void TFontList::SetCollection(std::string_view name) {
  if (Mode() != flmCollection) return;
  ChangeScan([this, collection = std::string(name)] {
    const auto before = ScanKey(fontFileList_);
    fontFileList_.SetCollection(collection);
    if (ScanKey(fontFileList_) != before) {
      ScanChanged();
      detailsRead_ = false;
    }
  });
}

void TFontList::SetPopupMenu(TPopupMenu* menu) { listView_->SetPopupMenu(menu); }

void TFontList::ShowFolderColumn(bool show) {
  if (show) {
    if (listView_->ColumnCount() <= kFolderColumn) listView_->AddColumn(L"文件夹", 300);
  } else {
    while (listView_->ColumnCount() > kFolderColumn) listView_->DeleteColumn(listView_->ColumnCount() - 1);
  }
}

// --- Scans

void TFontList::ChangeScan(std::function<void()> change) {
  if (updating_.Active() || operating_.Active()) {
    deferred_.push_back(std::move(change));
    return;
  }
  const TWeakRef<TFontList> alive(this);
  change();
  // An update asked for by a window message the scan let through.
  if (alive && updateAfterScan_ && !fontFileList_.Scanning()) {
    updateAfterScan_ = false;
    UpdateList();
  }
}

void TFontList::RunDeferred() {
  if (updating_.Active() || operating_.Active()) return;
  const TWeakRef<TFontList> alive(this);
  std::vector<std::function<void()>> deferred;
  deferred.swap(deferred_);
  for (const auto& change : deferred) {
    change();
    if (!alive) return;
  }
}

void TFontList::ScanChanged() {
  // The rows keep their texts until the next update, but their records are gone.
  for (Row& row : rows_) row.record = nullptr;
  selFileNamesStale_ = selFontNamesStale_ = true;
}

void TFontList::Reload() {
  ChangeScan([this] {
    fontFileList_.Scan();
    ScanChanged();
    detailsRead_ = false;
    UpdateList();
  });
}

// --- Rows

void TFontList::UpdateList() {
  if (updating_.Active()) {
    updateAgain_ = true;
    return;
  }
  // After the operation, and after the scan changes asked for before this.
  if (operating_.Active()) {
    deferred_.push_back([this] { UpdateList(); });
    return;
  }
  // The records are being made: the scan's end brings the update.
  if (fontFileList_.Scanning()) {
    updateAfterScan_ = true;
    return;
  }
  const TWeakRef<TFontList> alive(this);
  selFileNamesStale_ = selFontNamesStale_ = true;
  {
    const auto updating = updating_.Hold();
    const auto held = eventsHeld_.Hold();
    const bool allKinds = filter_ == kAllFontKinds;
    const bool showProgress = !allKinds && filter_ != 0 && !detailsRead_;
    const TUpdateScope<TListView> viewUpdate(*listView_);

    std::vector<Row> rows;
    bool anyMark = false;
    std::unique_ptr<TProgressBase> progress;
    const int count = fontFileList_.Count();
    if (count > 0 && showProgress) {
      progress = MakeProgress(count, L"正在读取过滤的全部细节...");
      progress->Show();
      if (!alive) return;
    }
    if (count > 0 && filter_ != 0) {
      rows.reserve(static_cast<size_t>(count));
      const TLoadedFontSet loaded(loadedFonts_);
      TFontFileInfo::TRowValues values;
      // Count is asked afresh: the list is only ever rescanned through this
      // control, which holds scans off until the rows are built, but a record
      // count that shrank must still end the walk.
      for (int i = 0; i < fontFileList_.Count(); ++i) {
        if (progress) {
          progress->StepIt();
          if (!alive) return;
          if (i >= fontFileList_.Count()) break;
        }
        TFontFileInfo* record = fontFileList_.Items(i);
        if (!allKinds && !KindInSet(filter_, record->FontKind())) continue;
        if (!record->RowValues(nameFilter_, values)) continue;
        const bool isLoaded =
            !values.bad && !values.bodgey && !values.installed && loaded.Contains(values.fileName);
        const TFontMark mark = MarkFor(values.bad, values.bodgey, values.installed, isLoaded);
        anyMark = anyMark || mark != fmNone;
        rows.push_back(Row{record, std::move(values.fontName), std::move(values.fileName), mark});
      }
    }

    // Rows are reused by position, so a row that survives keeps its
    // selection; the ones past the new end go with theirs.
    rows_ = std::move(rows);
    const int rowCount = static_cast<int>(rows_.size());
    if (lastSelected_ >= rowCount) lastSelected_ = -1;
    listView_->SetItemCount(rowCount);
    SelectKeptRow();
    if (rowCount > 0) {
      if (listView_->SelCount() == 0)
        listView_->SetSelected(lastIndex_ < 0 ? 0 : std::min(lastIndex_, rowCount - 1), true);
      const int focused = listView_->FocusedItem();
      if (focused >= 0 && !listView_->Selected(focused)) listView_->SetFocusedItem(listView_->ItemIndex());
    }
    if (showProgress && count > 0) {
      progress.reset();
      detailsRead_ = true;
    }
    listView_->SetStateImages(anyMark ? &SharedMarkImages() : &SharedNoMarkImages());
  }

  UpdateStatus();
  Fire(OnChange);
  if (!alive) return;

  // Requests that came in while the rows were being built.
  RunDeferred();
  if (!alive) return;
  if (updateAgain_) {
    updateAgain_ = false;
    UpdateList();
  }
}

void TFontList::SelectKeptRow() {
  if (keepSelected_.empty()) return;
  for (size_t i = 0; i < rows_.size(); ++i) {
    if (rows_[i].fileName == keepSelected_) {
      listView_->SetSelected(static_cast<int>(i), true);
      listView_->SetFocusedItem(static_cast<int>(i));
      lastIndex_ = static_cast<int>(i);
      break;
    }
  }
  keepSelected_.clear();
}

void TFontList::GetRowText(int item, int subItem, std::wstring& text) const {
  if (item < 0 || static_cast<size_t>(item) >= rows_.size()) return;
  const Row& row = rows_[static_cast<size_t>(item)];
  switch (subItem) {
    case 0:
      text = sys::Widen(row.fontName);
      break;
    case 1:
      text = sys::Widen(ExtractFileName(row.fileName));
      break;
    case kFolderColumn:
      text = sys::Widen(ExtractFilePath(row.fileName));
      break;
    default:
      break;
  }
}

TFontMark TFontList::RowMark(int row) const {
  if (row < 0 || static_cast<size_t>(row) >= rows_.size()) return fmNone;
  return rows_[static_cast<size_t>(row)].mark;
}

TFontFileInfo* TFontList::RowRecord(int row) const {
  // A running scan may free the records the rows point at, and so may a file
  // operation, which also lets window messages run.
  if (row < 0 || static_cast<size_t>(row) >= rows_.size() || fontFileList_.Scanning() || operating_.Active())
    return nullptr;
  return rows_[static_cast<size_t>(row)].record;
}

// --- Status line

const TLabel& TFontList::CountLabel() const { return *countLabel_; }
const TLabel& TFontList::FilterLabel() const { return *filterLabel_; }

int TFontList::StatusTextHeight() {
  TForm* form = ParentForm();
  if (!form) return ui::TScale(*this)(kDefaultTextHeight);
  TWindowDC dc(nullptr);
  TSelectObject font(dc.Get(), form->Font());
  SIZE size{};
  if (!GetTextExtentPoint32W(dc.Get(), L"gM", 2, &size)) return ui::TScale(*this)(kDefaultTextHeight);
  return size.cy;
}

void TFontList::UpdateStatus() {
  const int records = fontFileList_.Count();
  countLabel_->SetText(std::to_wstring(records) + L" 种字体");
  countLabel_->AutoSize();
  const int rows = static_cast<int>(rows_.size());
  if (nameFilter_.Empty()) {
    if (rows == records) {
      filterLabel_->Hide();
      return;
    }
    filterLabel_->SetText(L"(" + std::to_wstring(rows) + L" " + L" 个在过滤的显示中 " + L")");
  } else {
    // Shown whatever it leaves, so that a typed name is never a hidden filter;
    // short, for the narrow navigation side (the count label says of how many).
    filterLabel_->SetText(L"(显示其中 " + std::to_wstring(rows) + L" 种)");
  }
  filterLabel_->AutoSize();
  filterLabel_->SetLeft(countLabel_->BoundsRect().right + ui::TScale(*this)(8));
  filterLabel_->Show();
}

// --- Selection

void TFontList::Fire(const std::function<void()>& event) {
  // A copy: the handler may replace the event it runs from.
  if (auto handler = event) handler();
}

void TFontList::RowSelected(int, bool selected) {
  if (eventsHeld_.Active()) return;
  const TWeakRef<TFontList> alive(this);
  selFileNamesStale_ = selFontNamesStale_ = true;
  Fire(OnSelectionChange);
  if (!alive || !selected) return;
  int current = listView_->ItemIndex();
  if (current == lastSelected_) return;
  if (current < 0) {
    const int focused = listView_->FocusedItem();
    if (focused >= 0) {
      const auto held = eventsHeld_.Hold();
      listView_->SetSelected(focused, true);
    }
    current = listView_->ItemIndex();
  }
  // Noted before the handler runs: it may let messages select again.
  lastSelected_ = current;
  if (current >= 0) lastIndex_ = current;
  Fire(OnChange);
}

void TFontList::RunRowSelection() {
  const int selected = listView_->ItemIndex();
  RowSelected(selected, selected >= 0);
}

TFontFileInfo* TFontList::SelectedRecord() const {
  const int index = listView_->ItemIndex();
  if (index < 0 || index >= fontFileList_.Count()) return nullptr;
  return RowRecord(index);
}

int TFontList::SelectedIndex() const { return listView_->ItemIndex(); }

int TFontList::SelCount() const { return listView_->SelCount(); }

const std::vector<std::string>& TFontList::SelectedFileNames() {
  if (selFileNamesStale_) {
    selFileNames_.clear();
    for (int item : listView_->SelectedItems())
      if (static_cast<size_t>(item) < rows_.size()) selFileNames_.push_back(rows_[static_cast<size_t>(item)].fileName);
    selFileNamesStale_ = false;
  }
  return selFileNames_;
}

const std::vector<std::string>& TFontList::SelectedFontNames() {
  if (selFontNamesStale_) {
    selFontNames_.clear();
    for (int item : listView_->SelectedItems())
      if (static_cast<size_t>(item) < rows_.size()) selFontNames_.push_back(rows_[static_cast<size_t>(item)].fontName);
    selFontNamesStale_ = false;
  }
  return selFontNames_;
}

std::vector<TFontFileInfo*> TFontList::SelectedRecords() const {
  std::vector<TFontFileInfo*> records;
  for (int item : listView_->SelectedItems())
    if (TFontFileInfo* record = RowRecord(item)) records.push_back(record);
  return records;
}

void TFontList::SetAllSelected(bool value, bool withUpdate, bool notify) {
  {
    const auto held = eventsHeld_.Hold();
    std::optional<TUpdateScope<TListView>> viewUpdate;
    if (withUpdate) viewUpdate.emplace(*listView_);
    listView_->SetAllSelected(value);
  }
  selFileNamesStale_ = selFontNamesStale_ = true;
  if (!notify) return;
  const TWeakRef<TFontList> alive(this);
  if (!rows_.empty()) {
    RowSelected(0, listView_->Selected(0));
    if (!alive) return;
  }
  Fire(OnSelectionChange);
}

int TFontList::FindRow(std::string_view fontName) const {
  return listView_->FindCaption(sys::Widen(fontName));
}

int TFontList::FindRowFrom(int start, std::wstring_view text, bool partial, bool wrap) const {
  const int count = static_cast<int>(rows_.size());
  if (count == 0) return -1;
  start = std::clamp(start, 0, count - 1);
  const int length = static_cast<int>(text.size());
  for (int n = 0; n < count; ++n) {
    const int row = start + n;
    if (row >= count && !wrap) break;
    const std::wstring caption = sys::Widen(rows_[static_cast<size_t>(row % count)].fontName);
    const int compared = partial ? std::min(length, static_cast<int>(caption.size()))
                                 : static_cast<int>(caption.size());
    if (partial && static_cast<int>(caption.size()) < length) continue;
    if (CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, caption.c_str(), compared,
                       text.data(), length) == CSTR_EQUAL)
      return row % count;
  }
  return -1;
}

void TFontList::SelectOnly(std::string_view fontName) {
  {
    const auto held = eventsHeld_.Hold();
    listView_->SetAllSelected(false);
  }
  selFileNamesStale_ = selFontNamesStale_ = true;
  const TWeakRef<TFontList> alive(this);
  const int row = FindRow(fontName);
  if (row >= 0) {
    listView_->SetSelected(row, true);
    if (!alive) return;
  }
  RunRowSelection();
  if (!alive) return;
  Fire(OnSelectionChange);
}

void TFontList::ToggleSelected(std::string_view fontName) {
  const TWeakRef<TFontList> alive(this);
  const int row = FindRow(fontName);
  if (row >= 0) {
    listView_->SetSelected(row, !listView_->Selected(row));
    if (!alive) return;
  }
  selFileNamesStale_ = selFontNamesStale_ = true;
  Fire(OnSelectionChange);
}

void TFontList::InvertSelection() {
  {
    const auto held = eventsHeld_.Hold();
    // Selecting all and deselecting the former selection costs a message
    // per selected row, not one per row.
    const std::vector<int> selected = listView_->SelectedItems();
    listView_->SetAllSelected(true);
    for (int item : selected) listView_->SetSelected(item, false);
  }
  selFileNamesStale_ = selFontNamesStale_ = true;
  const TWeakRef<TFontList> alive(this);
  RunRowSelection();
  if (!alive) return;
  Fire(OnSelectionChange);
}

void TFontList::MakeFontVisible(std::string_view fontName) {
  const int row = FindRow(fontName);
  if (row >= 0) listView_->MakeVisible(row);
}

void TFontList::SetFocus() {
  TCompPanel::SetFocus();
  const int selected = listView_->ItemIndex();
  if (listView_->FocusedItem() < 0 && selected >= 0) listView_->SetFocusedItem(selected);
}

// --- File operations

void TFontList::InstallFonts(bool forUser) {
  RunOperation([forUser](TFontListOps& ops, const auto& selected) { return ops.InstallFonts(selected, forUser); });
}

void TFontList::UninstallFonts(bool deleteFiles) {
  RunOperation([deleteFiles](TFontListOps& ops, const auto& selected) {
    return ops.UninstallFonts(selected, deleteFiles);
  });
}

void TFontList::LoadFonts() {
  RunOperation([](TFontListOps& ops, const auto& selected) { return ops.LoadFonts(selected); });
}

void TFontList::UnloadFonts() {
  RunOperation([](TFontListOps& ops, const auto& selected) { return ops.UnloadFonts(selected); });
}

void TFontList::DeleteFonts(bool permanent) {
  RunOperation([permanent](TFontListOps& ops, const auto& selected) {
    return ops.DeleteFonts(selected, permanent);
  });
}

void TFontList::AddFiles(const std::vector<std::string>& fileNames) {
  RunOperation([&fileNames](TFontListOps& ops, const auto&) { return ops.AddFiles(fileNames); });
}

void TFontList::PrintSampleSheet(std::string_view title, std::string_view sampleText,
                                 int fontSize) {
  if (Busy()) return;
  const std::vector<TFontFileInfo*> selected = SelectedRecords();
  const TWeakRef<TFontList> alive(this);
  {
    // The error box lets window messages run: scan changes wait for its end.
    const auto operating = operating_.Hold();
    PrintFontSamples(selected, title, sampleText, fontSize);
  }
  if (alive) RunDeferred();
}

bool TFontList::RenameSelected(std::string_view newName, std::string_view collectionsFolder,
                               std::string& fileName) {
  TFontFileInfo* record = SelectedRecord();
  if (Busy() || !record) return false;
  const TWeakRef<TFontList> alive(this);
  bool renamed = false;
  {
    // The shell's progress window lets window messages run: scan changes wait.
    const auto operating = operating_.Hold();
    TFontListOps ops(fontFileList_, loadedFonts_);
    renamed = ops.RenameFont(*record, newName, collectionsFolder);
    fileName = record->FileName();  // the record may not outlive what waited
  }
  // Also after a failure: what waited must not wait for some later update.
  if (alive) {
    const uint32_t reason = sys::Current().LastError();
    RunDeferred();
    sys::Current().SetLastError(reason);
  }
  return renamed;
}

void TFontList::RunOperation(const Operation& operation) {
  // Message boxes let window messages run: a second command arriving through
  // them must not act on records the first one is about to free.
  if (Busy()) return;
  const std::vector<TFontFileInfo*> selected = SelectedRecords();
  const TWeakRef<TFontList> alive(this);
  TListOpOutcome outcome;
  {
    const auto operating = operating_.Hold();
    // Also when it fails halfway: what it did may have freed records.
    const TScopeExit forget([&] {
      if (alive) ForgetRemovedRecords();
    });
    TFontListOps ops(fontFileList_, loadedFonts_);
    outcome = operation(ops, selected);
  }
  if (!alive) return;
  ApplyOutcome(outcome);
}

void TFontList::ApplyOutcome(const TListOpOutcome& outcome) {
  const TWeakRef<TFontList> alive(this);
  if (outcome.Removed) {
    ForgetRemovedRecords();
    // The selection was the rows that went: the update then selects the row
    // at the old index, as it does for any row that disappears.
    const auto held = eventsHeld_.Hold();
    listView_->SetAllSelected(false);
  }
  if (outcome.Reload) {
    Reload();
  } else if (outcome.Update) {
    UpdateList();
  } else {
    RunDeferred();
  }
  if (!alive) return;
  if (outcome.SelectionChanged) Fire(OnSelectionChange);
}

void TFontList::ForgetRemovedRecords() {
  std::unordered_set<const TFontFileInfo*> live;
  live.reserve(static_cast<size_t>(fontFileList_.Count()));
  for (int i = 0; i < fontFileList_.Count(); ++i) live.insert(fontFileList_.Items(i));
  for (Row& row : rows_)
    if (row.record && !live.count(row.record)) row.record = nullptr;
  selFileNamesStale_ = selFontNamesStale_ = true;
}
