// A report-style list view: columns, rows with a state image, multiple
// selection, in-place caption editing, and a virtual mode (rows asked for on
// demand, so that tens of thousands of rows update at once).
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/Control.h"

class TImageList;

struct TListViewOptions {
  bool multiSelect = true;
  bool rowSelect = true;
  bool editCaptions = false;  // in-place editing of the first column
  bool showColumnHeaders = true;
  bool headerClickable = false;
  bool hideSelection = false;  // false: the selection stays visible unfocused
  // Virtual rows: the view holds only a count; OnGetText/OnGetStateImage
  // give what it shows.
  bool ownerData = false;
};

class TListView : public TControl {
 public:
  explicit TListView(TControl& parent, const TListViewOptions& options = {});

  bool OwnerData() const { return options_.ownerData; }

  // Columns.
  int AddColumn(std::wstring_view caption, int width, int format = LVCFMT_LEFT);
  void DeleteColumn(int index);
  int ColumnCount() const;
  int ColumnWidth(int index) const;
  void SetColumnWidth(int index, int width);
  void ScaleContent(int from, int to) override;

  // Not owned: the image list must outlive its use.
  void SetStateImages(const TImageList* images);
  HIMAGELIST StateImages() const;

  // Rows of a normal list view.
  int AddItem(std::wstring_view caption, LPARAM data = 0);
  void SetItemText(int item, int subItem, std::wstring_view text);
  LPARAM ItemData(int item) const;
  void DeleteItem(int item);
  void Clear();
  // Room for `count` rows before adding many (no effect on the rows).
  void Reserve(int count);
  // Row count; for a virtual view, setting it keeps selection and scroll.
  int ItemCount() const;
  void SetItemCount(int count);
  // Shown text of any row, virtual or not.
  std::wstring ItemText(int item, int subItem = 0) const;
  // 0-based index into the state images, -1 for none.
  int ItemStateImage(int item) const;
  void SetItemStateImage(int item, int image);
  // Redraws rows of a virtual view whose data changed.
  void RedrawItems(int first, int last);

  // Selection and focus.
  int SelCount() const;
  bool Selected(int item) const;
  void SetSelected(int item, bool selected);
  void SetAllSelected(bool selected);
  // First selected row at or after `from`, -1 when none.
  int NextSelected(int from = 0) const;
  std::vector<int> SelectedItems() const;
  int FocusedItem() const;
  void SetFocusedItem(int item);
  // The first selected row (-1 when none); setting selects only that row
  // and focuses it.
  int ItemIndex() const { return NextSelected(0); }
  void SetItemIndex(int item);
  void MakeVisible(int item);
  int TopItem() const;
  // Row whose caption equals `caption` (case ignored), -1 when none.
  int FindCaption(std::wstring_view caption, int from = -1) const;
  // The row at a point of the client area, -1 when none.
  int ItemAt(int x, int y) const;
  int ItemAt(TPoint pt) const { return ItemAt(pt.x, pt.y); }

  // Pressing on a row and moving drags the view itself (BeginDrag).
  bool AutoDrag() const { return autoDrag_; }
  void SetAutoDrag(bool autoDrag) { autoDrag_ = autoDrag; }

  void BeginUpdate();
  void EndUpdate();

  // Starts in-place editing of a row's caption.
  void EditCaption(int item);
  // The edit box while a caption is edited, else null.
  HWND EditHandle() const;

  // Virtual mode.
  std::function<void(int item, int subItem, std::wstring& text)> OnGetText;
  std::function<int(int item)> OnGetStateImage;

  // A row became selected or deselected. For a virtual view a change of a
  // whole range reports item -1.
  std::function<void(int item, bool selected)> OnSelectItem;
  // Any state of a row changed (selection, focus); item -1 for a range.
  std::function<void(int item)> OnItemChange;
  // In-place editing: OnEditing may refuse; OnEdited gets the new text and
  // may change it or refuse it (return false). A cancelled edit reports
  // nothing but OnEditCancel.
  std::function<bool(int item)> OnEditing;
  std::function<bool(int item, std::wstring& text)> OnEdited;
  std::function<void(int item)> OnEditCancel;
  std::function<void()> OnDblClick;
  std::function<void(int column)> OnColumnClick;

 protected:
  bool OnNotify(NMHDR& header, LRESULT& result) override;

 private:
  bool OnItemChanged(const NMLISTVIEW& change);
  void FillDispInfo(LVITEMW& item);

  TListViewOptions options_;
  std::wstring textBuffer_;
  int updateDepth_ = 0;
  bool autoDrag_ = false;
};
