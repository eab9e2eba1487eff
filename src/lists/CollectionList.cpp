#include "lists/CollectionList.h"

#include <algorithm>

#include "data/Collections.h"
#include "data/VLMUtil.h"
#include "lists/CollectionFiles.h"
#include "lists/ListViewColor.h"
#include "lists/MarkImages.h"
#include "sys/codepage.h"
#include "sys/sys.h"

namespace {

TListViewOptions CollectionListOptions() {
  TListViewOptions options;
  options.multiSelect = false;
  options.rowSelect = true;
  options.editCaptions = true;
  options.showColumnHeaders = false;
  options.headerClickable = false;
  options.hideSelection = false;
  return options;
}

}  // namespace

TCollectionList::TCollectionList(TControl& parent)
    : TListView(parent, CollectionListOptions()) {
  AddColumn(L"", 150);
  SetStateImages(&SharedNoMarkImages());
  OnSelectItem = [this](int, bool selected) { RowSelected(selected); };
  TListView::OnEdited = [this](int item, std::wstring& text) { return CaptionEdited(item, text); };
}

COLORREF TCollectionList::Color() const { return ListViewColor(*this); }

void TCollectionList::SetColor(COLORREF color) { SetListViewColor(*this, color); }

void TCollectionList::SetPath(std::string_view folder) {
  std::string path = IncludeTrailingBackslash(folder);
  if (UpperAscii(path) == UpperAscii(path_)) return;
  path_ = std::move(path);
  UpdateList();
}

void TCollectionList::Fire(const std::function<void()>& event) {
  if (auto handler = event) handler();
}

int TCollectionList::AddRow(std::string_view name) {
  return AddItem(sys::Widen(name), nextSerial_++);
}

void TCollectionList::UpdateList() {
  const int remembered = std::max(ItemIndex(), 0);
  const std::wstring selected = ItemIndex() >= 0 ? ItemText(ItemIndex()) : std::wstring();
  const auto held = eventsHeld_.Hold();
  const TUpdateScope<TListView> update(*this);
  Clear();
  std::vector<std::string> names = ListCollectionNames(path_);
  SortCollectionNames(names);
  for (const std::string& name : names) AddRow(name);
  // The rows are new: none of them is the one selected last.
  lastSelected_ = 0;
  const int count = ItemCount();
  if (count == 0) return;
  // The selected collection stays selected wherever the order put it (a
  // rename moves it); no change is reported, so the fonts shown stay its own.
  const int same = selected.empty() ? -1 : FindCaption(selected);
  SetItemIndex(same >= 0 ? same : std::min(remembered, count - 1));
}

namespace {
// Posted to the list when a row loses the selection.
constexpr UINT kSelectionLeft = WM_APP + 0x3C1;
}  // namespace

void TCollectionList::RowSelected(bool selected) {
  if (eventsHeld_.Active()) return;
  if (!selected) {
    // A click on another row takes the selection from the old row before it
    // gives it to the new one: only a list still without one afterwards lost it.
    if (!leftPosted_ && Handle())
      leftPosted_ = PostMessageW(Handle(), kSelectionLeft, 0, 0) != FALSE;
    return;
  }
  const int item = ItemIndex();
  if (item < 0) return;
  const LPARAM serial = ItemData(item);
  if (serial == lastSelected_) return;
  lastSelected_ = serial;
  Fire(OnChange);
}

LRESULT TCollectionList::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg != kSelectionLeft) return TListView::OnMessage(msg, wParam, lParam);
  leftPosted_ = false;
  if (ItemIndex() < 0) {
    lastSelected_ = 0;
    Fire(OnChange);
  }
  return 0;
}

bool TCollectionList::CaptionEdited(int item, std::wstring& text) {
  // An edit that ends because the rows are being rebuilt renames nothing.
  if (eventsHeld_.Active()) return false;
  const std::wstring oldCaption = ItemText(item);
  const std::string typed = sys::Narrow(text);
  // A name the code page cannot hold could never be found again; blanks
  // around it go as a new collection's do, or the file would not be the one
  // the name is looked up by.
  const bool representable = sys::Widen(typed) == text;
  const std::string newName = Trim(typed);
  if (representable && RenameCollectionFile(path_, sys::Narrow(oldCaption), newName))
    text = sys::Widen(newName);
  else
    text = oldCaption;
  // The row shows its new name before anyone hears of it.
  if (text != oldCaption) SetItemText(item, 0, text);
  if (auto handler = OnEdited) handler(item, text);
  return text != oldCaption;
}

bool TCollectionList::NewCollection(std::string_view name) {
  if (path_.empty()) {
    sys::Current().SetLastError(sys::kErrorPathNotFound);
    return false;
  }
  if (!CreateCollection(path_, name)) return false;
  SetItemIndex(AddRow(name));
  return true;
}

bool TCollectionList::DeleteCollection() {
  const int item = ItemIndex();
  if (item < 0) return true;
  ::DeleteCollection(path_, sys::Narrow(ItemText(item)), sys::Current().ShiftDown());
  {
    // One notification for the whole change, below.
    const auto held = eventsHeld_.Hold();
    DeleteItem(item);
    const int count = ItemCount();
    if (count > 0) SetItemIndex(std::min(item, count - 1));
  }
  const int selected = ItemIndex();
  lastSelected_ = selected >= 0 ? ItemData(selected) : 0;
  Fire(OnChange);
  return true;
}

void TCollectionList::SelectCollection(std::string_view name) {
  const std::wstring caption = sys::Widen(name);
  for (int i = 0; i < ItemCount(); ++i) {
    if (ItemText(i) == caption) {
      SetItemIndex(i);
      return;
    }
  }
}

std::string TCollectionList::SelectedCollection() const {
  const int item = ItemIndex();
  return item < 0 ? std::string() : sys::Narrow(ItemText(item));
}

std::string TCollectionList::CollectionNames(int index) const {
  if (index < 0 || index >= ItemCount()) return {};
  return sys::Narrow(ItemText(index));
}
