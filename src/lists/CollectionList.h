// TCollectionList: the collections of a collections folder, one row per
// collection file, captioned with the collection's name. Selecting a row
// reports a change; editing a caption renames the file; new and delete make
// and remove files.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "ui/ListView.h"

class TCollectionList : public TListView {
 public:
  explicit TCollectionList(TControl& parent);

  // The collections folder, ending in "\" once set. Setting another folder
  // reads it.
  const std::string& Path() const { return path_; }
  void SetPath(std::string_view folder);
  int ColumnWidth() const { return TListView::ColumnWidth(0); }
  void SetColumnWidth(int width) { TListView::SetColumnWidth(0, width); }
  COLORREF Color() const;
  void SetColor(COLORREF color);

  // Reads the folder again; the selection stays on its collection, or at its
  // row number when that collection is gone.
  void UpdateList();
  // Creates an empty collection and a selected, focused row for it. False
  // when the file exists (last error 183) or could not be made.
  bool NewCollection(std::string_view name);
  // Deletes the selected collection's file (for good with Shift held, else
  // to the recycle bin) and its row. Always true.
  bool DeleteCollection();
  // Selects the row captioned exactly `name`, if any.
  void SelectCollection(std::string_view name);
  std::string SelectedCollection() const;
  int CollectionCount() const { return ItemCount(); }
  std::string CollectionNames(int index) const;

  // Another collection was selected, the selected one was deleted, or the
  // selection was taken away (reported once the click that took it is over).
  std::function<void()> OnChange;
  // After an in-place rename, with the caption the row now shows (the old
  // one when the file could not be renamed, the typed one trimmed); the
  // handler may change it.
  // The view's own edit event is the list's.
  std::function<void(int item, std::wstring& text)> OnEdited;

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void RowSelected(bool selected);
  bool CaptionEdited(int item, std::wstring& text);
  int AddRow(std::string_view name);
  void Fire(const std::function<void()>& event);

  std::string path_;
  // Rows carry a serial number, so "the row selected last" stays that row
  // while others come and go.
  LPARAM lastSelected_ = 0;
  LPARAM nextSerial_ = 1;
  bool leftPosted_ = false;
  TScopeCount eventsHeld_;
};
