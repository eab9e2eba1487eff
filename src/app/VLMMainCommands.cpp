// The frame's File and Edit commands. Each one stands for an entry of one
// of the active font window's popups, chosen by the control that has the
// focus there: the frame's entry runs that entry and shows its state.
#include "app/VLMChild.h"
#include "app/VLMMain.h"
#include "widgets/Slider.h"

namespace {

enum class TFocusKind { None, CollectionsList, FontList, DirTree, EditBox, ComboBox, CharMatrix, Other };

TFocusKind FocusKindOf(TfrmVLMChild& child) {
  TControl* focused = child.ActiveControl();
  if (!focused) return TFocusKind::None;
  if (dynamic_cast<TCollectionList*>(focused)) return TFocusKind::CollectionsList;
  for (TFontList* list : {&child.InstalledFontList, &child.CollectionsFontList, &child.BrowseFontList}) {
    if (focused == &list->ListView() || focused == list) return TFocusKind::FontList;
  }
  if (focused == &child.DirTree.Tree() || focused == &child.DirTree) return TFocusKind::DirTree;
  if (dynamic_cast<TCharMatrixGrid*>(focused)) return TFocusKind::CharMatrix;
  if (dynamic_cast<TComboBox*>(focused)) return TFocusKind::ComboBox;
  if (dynamic_cast<TEdit*>(focused) || dynamic_cast<TVxSlider*>(focused)) return TFocusKind::EditBox;
  return TFocusKind::Other;
}

// The collection variant while the collections list has the focus, else the
// font list's, which acts on the shown list.
TMenuItem* FileSource(TfrmVLMChild* child, const TVLMFileRoute& command) {
  if (!child) return nullptr;
  const TFocusKind focus = FocusKindOf(*child);
  if (focus == TFocusKind::None) return nullptr;
  const auto entry = focus == TFocusKind::CollectionsList ? command.collections : command.fontList;
  return entry ? entry(*child) : nullptr;
}

enum class TEditCommand { Cut, Copy, Paste, SelectAll, InvertSel };

// The popup entry whose state an Edit command shows, by the focused control.
TMenuItem* EditSource(TfrmVLMChild& child, TFocusKind focus, TEditCommand command) {
  switch (focus) {
    case TFocusKind::CollectionsList:
      return command == TEditCommand::Paste ? &child.pmCollectionsListPaste : nullptr;
    case TFocusKind::FontList:
      switch (command) {
        case TEditCommand::Cut: return &child.pmFontListCut;
        case TEditCommand::Copy: return &child.pmFontListCopy;
        case TEditCommand::Paste: return &child.pmFontListPaste;
        case TEditCommand::SelectAll: return &child.pmFontListSelectAll;
        case TEditCommand::InvertSel: return &child.pmFontListInvertSel;
      }
      return nullptr;
    case TFocusKind::DirTree:
      return command == TEditCommand::Paste ? &child.pmDirTreePaste : nullptr;
    case TFocusKind::CharMatrix:
      return command == TEditCommand::Copy ? &child.pmCharMatrixCopy : nullptr;
    case TFocusKind::EditBox:
    case TFocusKind::ComboBox:
      switch (command) {
        case TEditCommand::Cut: return &child.pmEditBoxCut;
        case TEditCommand::Copy: return &child.pmEditBoxCopy;
        case TEditCommand::Paste: return &child.pmEditBoxPaste;
        case TEditCommand::SelectAll: return &child.pmEditBoxSelectAll;
        case TEditCommand::InvertSel: return nullptr;
      }
      return nullptr;
    default:
      return nullptr;
  }
}

struct TEditEntry {
  TEditCommand command;
  UINT message;  // what an edit box is sent; 0 for Select all
};

}  // namespace

void TfrmVLMMain::BindRoutedCommands() {
  fileRoutes_ = {
      {&mmFileInstall, [](TfrmVLMChild& c) { return &c.pmFontListInstall; },
       [](TfrmVLMChild& c) { return &c.pmCollectionsListInstall; }},
      {&mmFileUninstall, [](TfrmVLMChild& c) { return &c.pmFontListUninstall; },
       [](TfrmVLMChild& c) { return &c.pmCollectionsListUninstall; }},
      {&mmFileLoad, [](TfrmVLMChild& c) { return &c.pmFontListLoad; },
       [](TfrmVLMChild& c) { return &c.pmCollectionsListLoad; }},
      {&mmFileUnload, [](TfrmVLMChild& c) { return &c.pmFontListUnload; },
       [](TfrmVLMChild& c) { return &c.pmCollectionsListUnload; }},
      {&mmFilePrint, [](TfrmVLMChild& c) { return &c.pmFontListPrint; },
       [](TfrmVLMChild& c) { return &c.pmCollectionsListPrint; }},
      {&mmFileRename, [](TfrmVLMChild& c) { return &c.pmFontListRename; },
       [](TfrmVLMChild& c) { return &c.pmCollectionsListRename; }},
      {&mmFileProperties, [](TfrmVLMChild& c) { return &c.pmFontListProperties; }, nullptr},
      {&mmFileDelete, [](TfrmVLMChild& c) { return &c.pmFontListDelete; },
       [](TfrmVLMChild& c) { return &c.pmCollectionsListDelete; }},
      // The shown list's selection, wherever the focus is.
      {&mmFileCopyToFolder, [](TfrmVLMChild& c) { return &c.pmFontListCopyToFolder; },
       [](TfrmVLMChild& c) { return &c.pmFontListCopyToFolder; }},
  };
  for (const TVLMFileRoute& route : fileRoutes_) {
    route.entry->OnClick = [this, route] {
      if (TMenuItem* source = FileSource(ActiveChild(), route)) source->Click();
    };
  }

  const std::pair<TMenuItem*, TEditEntry> edits[] = {
      {&mmEditCut, {TEditCommand::Cut, WM_CUT}},
      {&mmEditCopy, {TEditCommand::Copy, WM_COPY}},
      {&mmEditPaste, {TEditCommand::Paste, WM_PASTE}},
      {&mmEditSelectAll, {TEditCommand::SelectAll, 0}},
      {&mmEditInvertSel, {TEditCommand::InvertSel, 0}},
  };
  for (const auto& [entry, edit] : edits) {
    entry->OnClick = [this, entry = entry, edit = edit] {
      TfrmVLMChild* child = ActiveChild();
      if (!child) return;
      const TFocusKind focus = FocusKindOf(*child);
      TMenuItem* source = EditSource(*child, focus, edit.command);
      if (!source) return;
      if (focus != TFocusKind::EditBox && focus != TFocusKind::ComboBox) {
        source->Click();
      } else if (edit.message) {
        // Called from here the edit commands act on the window's focused control.
        child->EditCommand(entry, edit.message);
      } else {
        child->pmEditBoxSelectAllClick(entry);
      }
    };
  }
}

void TfrmVLMMain::mmEditFilterClick() {
  if (TfrmVLMChild* child = ActiveChild()) child->FocusNameFilter();
}

void TfrmVLMMain::mmFileClick() {
  TfrmVLMChild* child = ActiveChild();
  if (!child) {
    EmptyAddToColl();
    return;
  }
  child->pmFontListPopup();
  mmFileAddToColl.SetEnabled(child->pmFontListAddToColl.Enabled());
  child->pmFontListAddToCollPopup(mmFileAddToColl);
}

// Its entries run the window that filled them: none may outlive that window.
void TfrmVLMMain::EmptyAddToColl() {
  mmFileAddToColl.Clear();
  mmFileAddToColl.SetEnabled(false);
}

void TfrmVLMMain::UpdateFileCommands() {
  TfrmVLMChild* child = ActiveChild();
  for (const TVLMFileRoute& route : fileRoutes_) {
    const TMenuItem* source = FileSource(child, route);
    SetCommandEnabled(*route.entry, source && source->Enabled());
  }
  if (!child) EmptyAddToColl();
  const bool any = ChildCount() > 0;
  mmFileClose.SetEnabled(any);
  mmFileCloseAll.SetEnabled(any);
}

void TfrmVLMMain::UpdateEditCommands() {
  TfrmVLMChild* child = ActiveChild();
  const TFocusKind focus = child ? FocusKindOf(*child) : TFocusKind::None;
  const std::pair<TMenuItem*, TEditCommand> edits[] = {
      {&mmEditCut, TEditCommand::Cut},
      {&mmEditCopy, TEditCommand::Copy},
      {&mmEditPaste, TEditCommand::Paste},
      {&mmEditSelectAll, TEditCommand::SelectAll},
      {&mmEditInvertSel, TEditCommand::InvertSel},
  };
  for (const auto& [entry, command] : edits) {
    const TMenuItem* source = child ? EditSource(*child, focus, command) : nullptr;
    SetCommandEnabled(*entry, source && source->Enabled());
  }
  mmEditFilter.SetEnabled(child && child->CurrentFontList());
}
