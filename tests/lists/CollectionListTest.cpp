#include "lists/CollectionList.h"

#include "lists/CollectionFiles.h"
#include "sys/codepage.h"
#include "tests/lists/ListsFixture.h"

namespace {

class CollectionListTest : public lists_test::ListsTest {
 protected:
  CollectionListTest() {
    list = std::make_unique<TCollectionList>(*form);
    list->SetAlign(alClient);
    list->OnChange = [this] { ++changes; };
  }
  ~CollectionListTest() override { list.reset(); }

  void AddCollections(std::initializer_list<const char*> names) {
    for (const char* name : names) os.AddFile(std::string("C:\\C\\") + name + ".VLM", "");
  }

  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (int i = 0; i < list->CollectionCount(); ++i) names.push_back(list->CollectionNames(i));
    return names;
  }

  // Edits a row's caption in place as the user does: F2, type, Enter.
  // Showing a window costs seconds under Wine: only editing needs it.
  void EditCaption(int item, std::wstring_view text) {
    form->Show();
    list->EditCaption(item);
    HWND edit = list->EditHandle();
    ASSERT_NE(edit, nullptr);
    SetWindowTextW(edit, std::wstring(text).c_str());
    SendMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_EQ(list->EditHandle(), nullptr);
  }

  std::unique_ptr<TCollectionList> list;
  int changes = 0;
};

TEST_F(CollectionListTest, NoFolderOrOneWithoutCollectionsGivesAnEmptyListNoChangeAndNoNewFile) {
  EXPECT_FALSE(list->NewCollection("Loose"));
  EXPECT_FALSE(os.HasFile("Loose.VLM"));
  EXPECT_EQ(list->CollectionCount(), 0);

  os.AddDirectory("C:\\C");
  os.AddFile("C:\\C\\NOTES.TXT", "");
  list->SetPath("C:\\C");
  EXPECT_EQ(list->Path(), "C:\\C\\");
  EXPECT_EQ(list->CollectionCount(), 0);
  EXPECT_EQ(list->SelectedCollection(), "");
  EXPECT_EQ(changes, 0);
}

TEST_F(CollectionListTest, RowsAreSortedByTheLocaleSelectionReportsAnotherRowAndTheSamePathIsNotReadAgain) {
  AddCollections({"beta", "Gamma", "alpha", "Delta"});
  list->SetPath("C:\\C\\");
  const std::vector<std::string> names = Names();
  // Byte order would put every capital first.
  EXPECT_EQ(names, (std::vector<std::string>{"alpha", "beta", "Delta", "Gamma"}));
  EXPECT_EQ(list->SelectedCollection(), "alpha");
  EXPECT_EQ(changes, 0) << "an update does not report a change";
  std::vector<std::string> sorted = names;
  SortCollectionNames(sorted);
  EXPECT_EQ(sorted, names);

  // Selecting reports a change only for another row; captions match exactly.
  list->SelectCollection("beta");
  EXPECT_EQ(changes, 1);
  list->SelectCollection("beta");
  EXPECT_EQ(changes, 1);
  list->SelectCollection("Beta");
  EXPECT_EQ(list->SelectedCollection(), "beta");
  list->SelectCollection("alpha");
  EXPECT_EQ(changes, 2);

  // The same path in another case or without its backslash does not read the folder again.
  AddCollections({"Two"});
  list->SetPath("c:\\c");
  EXPECT_EQ(list->CollectionCount(), 4);
  list->UpdateList();
  EXPECT_EQ(list->CollectionCount(), 5);
}

TEST_F(CollectionListTest, UpdateKeepsTheSelectedRowNumberOrTakesTheLastRow) {
  AddCollections({"A", "B", "C", "D"});
  list->SetPath("C:\\C");
  list->SelectCollection("D");
  EXPECT_EQ(changes, 1);
  os.RemoveFile("C:\\C\\B.VLM");
  list->UpdateList();
  EXPECT_EQ(list->SelectedCollection(), "D") << "row 3 of 3 is the last row";
  os.RemoveFile("C:\\C\\A.VLM");
  os.RemoveFile("C:\\C\\C.VLM");
  list->SelectCollection("D");
  list->UpdateList();
  EXPECT_EQ(list->SelectedCollection(), "D");
  EXPECT_EQ(list->CollectionCount(), 1);

  // Another row before it: the selection stays on its collection, not its row.
  changes = 0;
  AddCollections({"B"});
  list->UpdateList();
  EXPECT_EQ(list->SelectedCollection(), "D");
  EXPECT_EQ(list->ItemIndex(), 1);
  EXPECT_EQ(changes, 0);
}

TEST_F(CollectionListTest, NewCollectionMakesAnEmptyFileAndASelectedFocusedRowAtTheEndButNotOverAnExistingFile) {
  AddCollections({"Mid"});
  list->SetPath("C:\\C");
  ASSERT_TRUE(list->NewCollection("Aaa"));
  EXPECT_TRUE(os.HasFile("C:\\C\\Aaa.VLM"));
  EXPECT_EQ(os.FileContent("C:\\C\\Aaa.VLM"), "");
  EXPECT_EQ(Names(), (std::vector<std::string>{"Mid", "Aaa"})) << "not re-sorted";
  EXPECT_EQ(list->SelectedCollection(), "Aaa");
  EXPECT_EQ(list->FocusedItem(), 1);
  EXPECT_EQ(changes, 1);

  os.SetLastError(0);
  EXPECT_FALSE(list->NewCollection("MID")) << "over an existing file";
  EXPECT_EQ(os.LastError(), sys::kErrorAlreadyExists);
  EXPECT_EQ(list->CollectionCount(), 2);
}

TEST_F(CollectionListTest, DeleteRecyclesOrWithShiftDeletesAndSelectsTheNextRow) {
  AddCollections({"A", "B", "C"});
  list->SetPath("C:\\C");
  list->SelectCollection("C");
  changes = 0;

  EXPECT_TRUE(list->DeleteCollection());
  EXPECT_FALSE(os.HasFile("C:\\C\\C.VLM"));
  ASSERT_EQ(os.RecycleBin().size(), 1u);
  EXPECT_EQ(os.ShellOps().back().op, sys::kFoDelete);
  EXPECT_EQ(os.ShellOps().back().flags, sys::kFofAllowUndo | sys::kFofNoConfirmation);
  EXPECT_EQ(list->SelectedCollection(), "B") << "the new last row";
  EXPECT_EQ(changes, 1);

  os.SetShiftDown(true);
  list->SelectCollection("A");
  EXPECT_TRUE(list->DeleteCollection());
  EXPECT_FALSE(os.HasFile("C:\\C\\A.VLM"));
  EXPECT_EQ(os.RecycleBin().size(), 1u) << "Shift deletes for good";
  EXPECT_EQ(list->SelectedCollection(), "B");

  changes = 0;
  EXPECT_TRUE(list->DeleteCollection());
  EXPECT_EQ(list->CollectionCount(), 0);
  EXPECT_EQ(changes, 1) << "deleting the only row still reports";
  EXPECT_TRUE(list->DeleteCollection()) << "nothing selected: nothing to do";
  EXPECT_EQ(changes, 1);
}

TEST_F(CollectionListTest, RenameInPlaceRenamesTheFileAndPassesTheNameOnUnlessTheShellRefuses) {
  os.AddFile("C:\\C\\Old.VLM", "\"A\",\"C:\\A.TTF\"\r\n");
  os.AddFile("C:\\C\\Taken.VLM", "\"B\",\"C:\\B.TTF\"\r\n");
  list->SetPath("C:\\C");
  std::wstring edited;
  list->OnEdited = [&](int, std::wstring& text) { edited = text; };
  const int row = list->FindCaption(L"Old");
  const std::string renamed = sys::Narrow(L"新名");
  EditCaption(row, L"新名");
  EXPECT_EQ(list->CollectionNames(row), renamed);
  EXPECT_EQ(edited, L"新名");
  EXPECT_EQ(os.FileContent("C:\\C\\" + renamed + ".VLM"), "\"A\",\"C:\\A.TTF\"\r\n");
  EXPECT_FALSE(os.HasFile("C:\\C\\Old.VLM"));
  EXPECT_EQ(os.ShellOps().back().op, sys::kFoRename);
  EXPECT_EQ(os.ShellOps().back().flags, sys::kFofAllowUndo);

  // Onto another collection's name: the shell refuses, the old caption stays.
  EditCaption(row, L"Taken");
  EXPECT_EQ(list->CollectionNames(row), renamed);
  EXPECT_EQ(edited, L"新名");
  EXPECT_EQ(os.FileContent("C:\\C\\" + renamed + ".VLM"), "\"A\",\"C:\\A.TTF\"\r\n");
  EXPECT_EQ(os.FileContent("C:\\C\\Taken.VLM"), "\"B\",\"C:\\B.TTF\"\r\n");

  // Blanks around a name go, as for a new collection: the file is the one
  // the name finds, and the handler hears the name the row shows.
  std::wstring shown;
  list->OnEdited = [&](int item, std::wstring& text) {
    edited = text;
    shown = list->ItemText(item);
  };
  EditCaption(row, L"  Spaced  ");
  EXPECT_EQ(list->CollectionNames(row), "Spaced");
  EXPECT_EQ(edited, L"Spaced");
  EXPECT_EQ(shown, L"Spaced");
  EXPECT_EQ(os.FileContent("C:\\C\\Spaced.VLM"), "\"A\",\"C:\\A.TTF\"\r\n");
  EXPECT_EQ(os.FilesIn("C:\\C").size(), 2u);

  os.FailShellOps(1223);  // the user cancelled the shell's question
  EditCaption(row, L"Other");
  EXPECT_EQ(list->CollectionNames(row), "Spaced");
  EXPECT_TRUE(os.HasFile("C:\\C\\Spaced.VLM"));
}

}  // namespace
