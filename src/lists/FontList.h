// TFontList: the list of font file records a navigation page shows, with a
// state mark per row, a font-kind filter and a status line counting the fonts.
// It owns the font file list it shows; its Mode, Path, Collection and
// InclSubfolders decide what is scanned.
//
// The rows are virtual: the view holds only their number and asks for the
// text and mark of the rows it paints, so rebuilding ten thousand rows costs
// little more than building the row table below.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "data/FontFileList.h"
#include "data/FontKind.h"
#include "data/FontListOps.h"
#include "data/NameFilter.h"
#include "lists/FontMarks.h"
#include "lists/FontRowView.h"
#include "ui/ListView.h"
#include "ui/Panel.h"

class TPopupMenu;
class TLabel;
class TStatusLabel;
class TFilterBox;

class TFontList : public TCompPanel {
 public:
  explicit TFontList(TControl& parent);
  ~TFontList() override;

  TFontFileList& FontFileList() { return fontFileList_; }
  // The session's shared loaded-fonts list (not owned), or none.
  std::vector<std::string>* LoadedFonts() const { return loadedFonts_; }
  void SetLoadedFonts(std::vector<std::string>* loadedFonts) { loadedFonts_ = loadedFonts; }
  // The inner view: its key, mouse and column events are the list's.
  TListView& ListView() { return *listView_; }
  // The status line: the record count and, when the filter hides rows, how
  // many it shows.
  const TLabel& CountLabel() const;
  const TLabel& FilterLabel() const;
  const TPanel& StatusPanel() const { return *statusPanel_; }

  COLORREF Color() const;
  void SetColor(COLORREF color);
  std::string ColumnWidths() const;
  void SetColumnWidths(std::string_view widths);
  bool InclSubfolders() const { return fontFileList_.InclSubfolders(); }
  void SetInclSubfolders(bool value);
  // Folder scans list .TTF files alone.
  void SetTrueTypeOnly(bool value);
  int32_t InclSubfoldersDepth() const { return fontFileList_.InclSubfoldersDepth(); }
  void SetInclSubfoldersDepth(int32_t depth);
  TFontKinds Filter() const { return filter_; }
  void SetFilter(TFontKinds filter);
  // The filter box's text: only the fonts whose names hold it are shown,
  // besides the kind filter. Kept through rescans.
  const std::string& NameFilter() const { return nameFilter_.Text(); }
  void SetNameFilter(std::string_view text);
  TFilterBox& FilterBox() { return *filterBox_; }
  void FocusFilterBox();
  TFontListMode Mode() const { return fontFileList_.Mode(); }
  void SetMode(TFontListMode mode);
  std::string Path() const { return fontFileList_.Path(); }
  void SetPath(std::string_view path);
  std::string Collection() const { return fontFileList_.Collection(); }
  void SetCollection(std::string_view name);
  // The inner view's popup menu.
  void SetPopupMenu(TPopupMenu* menu);
  // The font kinds of all records have been read since the scan changed.
  bool DetailsRead() const { return detailsRead_; }

  // Rebuilds the rows from the font file list.
  void UpdateList();
  // Rescans the font file list, then rebuilds the rows.
  void Reload();

  // The record of the selected row, or null.
  TFontFileInfo* SelectedRecord() const;
  int SelectedIndex() const;
  int SelCount() const;
  // Of the selected rows, in row order; owned by the list and rebuilt only
  // when the selection changed since the last call.
  const std::vector<std::string>& SelectedFileNames();
  const std::vector<std::string>& SelectedFontNames();
  // The records of the selected rows, in row order.
  std::vector<TFontFileInfo*> SelectedRecords() const;
  // The record a row shows (null when the row is gone or its list rescanned).
  TFontFileInfo* RowRecord(int row) const;
  // The mark a row shows.
  TFontMark RowMark(int row) const;

  void SetAllSelected(bool value, bool withUpdate, bool notify);
  void SelectAll() { SetAllSelected(true, true, true); }
  void SelectOnly(std::string_view fontName);
  void ToggleSelected(std::string_view fontName);
  void InvertSelection();
  void MakeFontVisible(std::string_view fontName);

  // Operations on the selected rows' fonts and files. Each failure shows its
  // own message; the rows are rebuilt once at the end when anything changed.
  // While the list is scanning, building its rows or running another of
  // these, they do nothing: the records they would act on may be going.
  void InstallFonts(bool forUser);
  // `deleteFiles` (Shift held): the fonts folder's files are deleted for good;
  // otherwise they go to the recycle bin together.
  void UninstallFonts(bool deleteFiles);
  void LoadFonts();
  void UnloadFonts();
  // In a collection only the collection changes; in the fonts folder the fonts
  // are uninstalled; elsewhere the files are deleted (`permanent`) or recycled.
  void DeleteFonts(bool permanent);
  // Dropped or pasted files: added to the collection, installed into the
  // fonts folder, or copied into the list's folder.
  void AddFiles(const std::vector<std::string>& fileNames);
  // Renames the selected record's file within its folder (collections that
  // list it follow); the rows are the caller's to rebuild. False, with the
  // system's reason left as the last error, when it failed or nothing is
  // selected. `fileName`: the record's file afterwards, renamed or not. Scan
  // changes that arrived meanwhile run before it returns, and may have freed
  // the record.
  bool RenameSelected(std::string_view newName, std::string_view collectionsFolder,
                      std::string& fileName);
  // Prints the selected rows' fonts, in row order, under `title` (none when
  // empty); fonts not installed are added to the system for the job only.
  void PrintSampleSheet(std::string_view title, std::string_view sampleText, int fontSize);

  void SetFocus() override;

  // After every UpdateList, and when the selection moves to another row.
  std::function<void()> OnChange;
  // Whenever rows are selected or deselected.
  std::function<void()> OnSelectionChange;

 private:
  struct Row {
    TFontFileInfo* record;  // null once the list it came from was rescanned
    std::string fontName;
    std::string fileName;
    TFontMark mark;
  };

  void ShowFolderColumn(bool show);
  void FilterBoxChange();
  void SelectKeptRow();
  void UpdateStatus();
  int StatusTextHeight();
  void RowSelected(int item, bool selected);
  void RunRowSelection();
  void GetRowText(int item, int subItem, std::wstring& text) const;
  int FindRow(std::string_view fontName) const;
  int FindRowFrom(int start, std::wstring_view text, bool partial, bool wrap) const;
  // Runs `change` now, or after the UpdateList that is running: a change of
  // scan must never free the records an update is walking.
  void ChangeScan(std::function<void()> change);
  void ScanChanged();
  // Runs the scan changes held off while the rows were built or an operation ran.
  void RunDeferred();
  bool Busy() const { return updating_.Active() || operating_.Active() || fontFileList_.Scanning(); }
  using Operation =
      std::function<TListOpOutcome(TFontListOps&, const std::vector<TFontFileInfo*>& selected)>;
  void RunOperation(const Operation& operation);
  void ApplyOutcome(const TListOpOutcome& outcome);
  // Rows whose records left the list keep their texts but no longer their record.
  void ForgetRemovedRecords();
  void Fire(const std::function<void()>& event);

  TFontFileList fontFileList_;
  std::vector<std::string>* loadedFonts_ = nullptr;
  std::unique_ptr<TPanel> statusPanel_;
  std::unique_ptr<TStatusLabel> countLabel_;
  std::unique_ptr<TStatusLabel> filterLabel_;
  std::unique_ptr<TFilterBox> filterBox_;
  std::unique_ptr<TFontRowView> listView_;

  std::vector<Row> rows_;
  int lastSelected_ = -1;
  int lastIndex_ = -1;
  std::vector<std::string> selFileNames_;
  std::vector<std::string> selFontNames_;
  bool selFileNamesStale_ = true;
  bool selFontNamesStale_ = true;
  bool detailsRead_ = false;
  TFontKinds filter_ = kAllFontKinds;
  TNameFilter nameFilter_;
  // The file whose row is selected after the next update, when it is shown.
  std::string keepSelected_;

  // The view's selection events are held off while rows are rebuilt or
  // selected by the program.
  TScopeCount eventsHeld_;
  TScopeCount updating_;
  TScopeCount operating_;
  bool updateAgain_ = false;
  bool updateAfterScan_ = false;
  std::vector<std::function<void()>> deferred_;
};
