#include "tests/lists/ListsFixture.h"
#include "lists/MarkImages.h"
#include "tests/support/RecordingProgress.h"
#include "ui/StdControls.h"

namespace {

using lists_test::FontFile;
using lists_test::kFontsFolder;

int ImageWidth(HIMAGELIST images) {
  int width = 0;
  int height = 0;
  ImageList_GetIconSize(images, &width, &height);
  return width;
}

using lists_test::FontListTest;

// --- Marks

TEST_F(FontListTest, MarksWidenTheirColumnOnlyWhenOneShowsAndTheFirstMatchingRuleDecidesThem) {
  MakeFolder();
  Browse("C:\\F");
  ASSERT_EQ(list->ListView().ItemCount(), 4);
  EXPECT_EQ(ImageWidth(list->ListView().StateImages()), 2);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(list->ListView().ItemStateImage(i), fmNone);

  std::vector<std::string> loaded{"C:\\F\\BETA.TTF"};
  list->SetLoadedFonts(&loaded);
  list->UpdateList();
  EXPECT_EQ(ImageWidth(list->ListView().StateImages()), 9);
  EXPECT_EQ(list->ListView().ItemStateImage(1), fmLoaded);  // Alpha, Beta, Delta, Gamma
  EXPECT_EQ(list->ListView().ItemStateImage(0), fmNone);

  // The first rule that matches decides. Installed and loaded: installed.
  // Missing and installed: bad.
  Install("Alpha", "C:\\F\\ALPHA.TTF");
  Install("Ghost", "C:\\F\\GHOST.TTF");
  os.AddFile("C:\\F\\PLAIN.TTF", FontFile("Plain"));
  loaded = {"C:\\F\\ALPHA.TTF", "c:\\f\\plain.ttf"};
  ShowCollection(
      "\"Alpha\",\"C:\\F\\ALPHA.TTF\"\r\n\"Ghost\",\"C:\\F\\GHOST.TTF\"\r\n"
      "\"Plain\",\"C:\\F\\PLAIN.TTF\"\r\n");
  ASSERT_EQ(Captions(), (std::vector<std::wstring>{L"Alpha", L"Ghost", L"Plain"}));
  EXPECT_EQ(list->RowMark(0), fmInstalled);
  EXPECT_EQ(list->RowMark(1), fmBad);
  EXPECT_EQ(list->RowMark(2), fmLoaded);
  EXPECT_EQ(list->ListView().ItemStateImage(1), fmBad);

  // An entry of the installed table without its "(TrueType)": bodgey.
  os.AddFile(std::string(kFontsFolder) + "ODD.TTF", FontFile("Odd"));
  os.SetValue(sys::Hive::LocalMachine, lists_test::kNtFontsKey, "Odd", "ODD.TTF");
  list->SetMode(flmInstalled);
  const int row = list->ListView().FindCaption(L"Odd");
  ASSERT_GE(row, 0);
  EXPECT_EQ(list->RowMark(row), fmBodgey);
}


TEST(MarkImages, MarksAreNinePixelsWideAndSeeThroughAroundTheirPicture) {
  TImageList marks = MakeMarkImages();
  TImageList blank = MakeNoMarkImages();
  ASSERT_EQ(marks.Count(), kFontMarkCount);
  EXPECT_EQ(marks.Width(), 9);
  EXPECT_EQ(marks.Height(), 16);
  ASSERT_EQ(blank.Count(), 1);
  EXPECT_EQ(blank.Width(), 2);

  const TMemoryDC memory;
  const HDC dc = memory.Get();
  const TBitmapHandle bitmap(CreateCompatibleBitmap(TWindowDC(nullptr).Get(), 9, 16));
  const TSelectObject selected(dc, bitmap.Get());
  const RECT all{0, 0, 9, 16};
  for (int i = 0; i < kFontMarkCount; ++i) {
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    ImageList_Draw(marks.Handle(), i, dc, 0, 0, ILD_TRANSPARENT);
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 255, 255)) << "mark " << i;
    int painted = 0;
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 9; ++x) {
        const COLORREF pixel = GetPixel(dc, x, y);
        EXPECT_NE(pixel, kMarkTransparent) << "mark " << i;
        if (pixel != RGB(255, 255, 255)) ++painted;
      }
    }
    EXPECT_GT(painted, 10) << "mark " << i;
  }
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  ImageList_Draw(blank.Handle(), 0, dc, 0, 0, ILD_TRANSPARENT);
  EXPECT_EQ(GetPixel(dc, 1, 8), RGB(255, 255, 255));
}

// --- Filter, progress and status line

TEST_F(FontListTest, FilterReadsKindsWithProgressOnceAfterAScanAndTheStatusLineCountsWhatItShows) {
  // The status strip is the form font's text height plus five.
  const TWindowDC screen(nullptr);
  const TSelectObject font(screen.Get(), form->Font());
  SIZE size{};
  GetTextExtentPoint32W(screen.Get(), L"gM", 2, &size);
  EXPECT_EQ(list->StatusPanel().Height(), size.cy + 5);
  EXPECT_EQ(list->CountLabel().Text(), L"0 种字体");

  MakeFolder();
  RecordingProgress progress;
  Browse("C:\\F");
  EXPECT_EQ(progress.Count(), 0);
  EXPECT_FALSE(list->DetailsRead());
  const int opensBefore = os.Opens();
  list->UpdateList();
  EXPECT_EQ(os.Opens(), opensBefore) << "all kinds: no record reads its tables";
  EXPECT_EQ(list->CountLabel().Text(), L"4 种字体");
  EXPECT_FALSE(list->FilterLabel().Visible());
  EXPECT_EQ(list->CountLabel().Top(), 5);
  EXPECT_EQ(list->CountLabel().Left(), 0);

  // A name filter reads nothing; with the kind filter it reads what that reads.
  list->SetNameFilter("TA");
  EXPECT_EQ(os.Opens(), opensBefore);
  EXPECT_EQ(progress.Count(), 0);
  EXPECT_EQ(Captions(), (std::vector<std::wstring>{L"Beta", L"Delta"}));
  EXPECT_TRUE(list->FilterLabel().Visible());
  EXPECT_EQ(list->FilterLabel().Text(), L"(显示其中 2 种)");
  list->SetFilter(KindBit(fkSansSerif));
  ASSERT_EQ(progress.Count(), 1);
  EXPECT_EQ(progress.Last().initialCaption, L"正在读取过滤的全部细节...");
  EXPECT_EQ(progress.Last().maximum, 4);
  EXPECT_EQ(progress.Last().steps, 4);
  EXPECT_TRUE(progress.Last().destroyed);
  EXPECT_TRUE(list->DetailsRead());
  EXPECT_EQ(Captions(), std::vector<std::wstring>{L"Delta"});
  list->SetNameFilter("");
  EXPECT_EQ(Captions(), (std::vector<std::wstring>{L"Alpha", L"Delta"}));

  list->SetFilter(KindBit(fkSerif) | KindBit(fkScript));
  EXPECT_EQ(progress.Count(), 1);
  EXPECT_EQ(Captions(), (std::vector<std::wstring>{L"Beta", L"Gamma"}));

  list->SetFilter(KindBit(fkScript));
  EXPECT_EQ(list->CountLabel().Text(), L"4 种字体");
  EXPECT_TRUE(list->FilterLabel().Visible());
  EXPECT_EQ(list->FilterLabel().Text(), L"(1  个在过滤的显示中 )");
  EXPECT_EQ(list->FilterLabel().Left(), list->CountLabel().BoundsRect().right + 8);

  list->SetFilter(0);
  EXPECT_EQ(list->ListView().ItemCount(), 0);
  EXPECT_EQ(list->CountLabel().Text(), L"4 种字体");
  EXPECT_EQ(list->FilterLabel().Text(), L"(0  个在过滤的显示中 )");

  list->SetFilter(kAllFontKinds);
  EXPECT_FALSE(list->FilterLabel().Visible());

  list->SetFilter(KindBit(fkSerif));
  EXPECT_EQ(progress.Count(), 1);
  list->Reload();
  EXPECT_EQ(progress.Count(), 2) << "a new scan needs the details again";
  list->SetFilter(kAllFontKinds);
  list->SetFilter(KindBit(fkSerif));
  EXPECT_EQ(progress.Count(), 2);
}



// --- Columns

TEST_F(FontListTest, ColumnWidthsReadAndWriteEveryColumnAndTheFolderColumnFollowsModeAndSubfolders) {
  EXPECT_EQ(list->ColumnWidths(), "150,100");
  list->SetColumnWidths("1,2,3,4");
  EXPECT_EQ(list->ColumnWidths(), "1,2");
  list->SetMode(flmCollection);
  EXPECT_EQ(list->ColumnWidths(), "1,2,300");
  list->SetColumnWidths("80,x,90");
  EXPECT_EQ(list->ColumnWidths(), "80,2,90");

  list->SetMode(flmBrowse);
  os.AddFile("C:\\F\\ALPHA.TTF", FontFile("Alpha"));
  os.AddFile("C:\\F\\SUB\\BETA.TTF", FontFile("Beta"));
  Browse("C:\\F");
  EXPECT_EQ(list->ListView().ColumnCount(), 2);
  EXPECT_EQ(list->ListView().ItemCount(), 1);

  list->SetInclSubfolders(true);
  ASSERT_EQ(list->ListView().ColumnCount(), 3);
  ASSERT_EQ(list->ListView().ItemCount(), 2);
  EXPECT_EQ(list->ListView().ItemText(1, 1), L"BETA.TTF");
  EXPECT_EQ(list->ListView().ItemText(1, 2), L"C:\\F\\SUB\\");

  list->SetInclSubfolders(false);
  EXPECT_EQ(list->ListView().ColumnCount(), 2);

  list->SetMode(flmCollection);
  EXPECT_EQ(list->ListView().ColumnCount(), 3);
  list->SetMode(flmInstalled);
  EXPECT_EQ(list->ListView().ColumnCount(), 2);

  // The path is ignored in the installed mode.
  const std::string fonts = list->Path();
  list->SetPath("C:\\F");
  EXPECT_EQ(list->Path(), fonts);
  list->UpdateList();
  EXPECT_EQ(list->ListView().FindCaption(L"Alpha"), -1);
}



// --- Selection

TEST_F(FontListTest, ChangeFiresAfterUpdatesAndForAnotherRowSelectionOperationsNotifyOnceAndTheSelectionStaysAtItsRow) {
  MakeFolder();
  Browse("C:\\F");
  EXPECT_EQ(list->SelectedIndex(), 0) << "a new list selects its first row";
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(selectionChanges, 0) << "the update's own selection is silent";

  list->ListView().SetItemIndex(1);
  EXPECT_EQ(changes, 2);
  EXPECT_GE(selectionChanges, 1);

  const int before = selectionChanges;
  list->ListView().SetSelected(3, true);  // a second row: the first selected stays
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(selectionChanges, before + 1);
  EXPECT_EQ(list->SelectedFileNames(),
            (std::vector<std::string>{"C:\\F\\BETA.TTF", "C:\\F\\GAMMA.TTF"}));
  EXPECT_EQ(list->SelectedFontNames(), (std::vector<std::string>{"Beta", "Gamma"}));

  list->UpdateList();
  EXPECT_EQ(changes, 3);

  changes = selectionChanges = 0;
  list->SetAllSelected(true, true, false);
  EXPECT_EQ(list->SelCount(), 4);
  EXPECT_EQ(selectionChanges, 0);
  EXPECT_EQ(list->SelectedFontNames().size(), 4u);

  list->SelectOnly("gamma");
  EXPECT_EQ(list->SelCount(), 1);
  EXPECT_EQ(list->SelectedRecord()->FontName(), "Gamma");
  EXPECT_EQ(changes, 1);
  EXPECT_GE(selectionChanges, 1);

  list->ToggleSelected("Alpha");
  EXPECT_EQ(list->SelectedFontNames(), (std::vector<std::string>{"Alpha", "Gamma"}));

  selectionChanges = 0;
  list->InvertSelection();
  EXPECT_EQ(list->SelectedFontNames(), (std::vector<std::string>{"Beta", "Delta"}));
  EXPECT_GE(selectionChanges, 1);

  list->SelectOnly("Nobody");
  EXPECT_EQ(list->SelCount(), 0);
  EXPECT_EQ(list->SelectedRecord(), nullptr);
  EXPECT_TRUE(list->SelectedFileNames().empty());

  list->SelectAll();
  EXPECT_EQ(list->SelCount(), 4);

  // After an update the selection stays at its row, or moves to the last.
  list->ListView().SetItemIndex(2);  // Delta, reported by the view
  EXPECT_EQ(list->SelectedRecord()->FontName(), "Delta");
  os.RemoveFile("C:\\F\\DELTA.TTF");
  list->Reload();
  EXPECT_EQ(list->SelectedIndex(), 2) << "the row at the old index";
  EXPECT_EQ(list->SelectedRecord()->FontName(), "Gamma");

  os.RemoveFile("C:\\F\\GAMMA.TTF");
  os.RemoveFile("C:\\F\\BETA.TTF");
  list->Reload();
  EXPECT_EQ(list->SelectedIndex(), 0) << "the last row of a shorter list";
  EXPECT_EQ(list->SelCount(), 1);
}




TEST_F(FontListTest, FocusGoesToTheViewAndItsSelectedRowAndTypingFindsTheRowByTheStartOfItsCaption) {
  MakeFolder();
  form->Show();
  Browse("C:\\F");
  list->ListView().SetFocusedItem(-1);
  ASSERT_EQ(list->ListView().FocusedItem(), -1);
  list->SetFocus();
  EXPECT_EQ(GetFocus(), list->ListView().Handle());
  EXPECT_EQ(list->ListView().FocusedItem(), list->SelectedIndex());

  HWND view = list->ListView().Handle();
  LVFINDINFOW find{};
  find.flags = LVFI_STRING | LVFI_PARTIAL | LVFI_WRAP;
  find.psz = L"de";
  EXPECT_EQ(ListView_FindItem(view, -1, &find), 2);
  find.psz = L"Alp";
  EXPECT_EQ(ListView_FindItem(view, 2, &find), 0) << "the search wraps";
  find.flags = LVFI_STRING;
  find.psz = L"Gam";
  EXPECT_EQ(ListView_FindItem(view, -1, &find), -1) << "a whole caption is asked for";
  find.psz = L"GAMMA";
  EXPECT_EQ(ListView_FindItem(view, -1, &find), 3);
}

TEST_F(FontListTest, DepthTakesEffectAtTheNextScan) {
  os.AddFile("C:\\F\\A\\B\\DEEP.TTF", FontFile("Deep"));
  list->SetInclSubfolders(true);
  Browse("C:\\F");
  EXPECT_EQ(Captions(), (std::vector<std::wstring>{L"Deep"}));
  list->SetInclSubfoldersDepth(1);
  EXPECT_EQ(Captions(), (std::vector<std::wstring>{L"Deep"})) << "no rescan";
  list->Reload();
  EXPECT_TRUE(Captions().empty());
}



TEST_F(FontListTest, RecordsOfARescannedListAreNeverHandedOutAndScansOrUpdatesAskedForMeanwhileWait) {
  MakeFolder();
  os.AddFile("C:\\G\\OTHER.TTF", FontFile("Other", 2, 11));
  RecordingProgress progress;
  Browse("C:\\F");
  list->SetPath("C:\\ELSEWHERE");  // rescans; the rows wait for UpdateList
  EXPECT_EQ(list->ListView().ItemCount(), 4);
  EXPECT_EQ(list->SelectedRecord(), nullptr);
  EXPECT_TRUE(list->SelectedRecords().empty());
  list->UpdateList();
  EXPECT_EQ(list->ListView().ItemCount(), 0);

  Browse("C:\\F");
  bool asked = false;
  os.onProcessMessages = [&] {
    if (asked) return;
    asked = true;
    list->SetPath("C:\\G");
    list->UpdateList();
  };
  list->SetFilter(KindBit(fkSansSerif));
  os.onProcessMessages = nullptr;
  EXPECT_TRUE(asked);
  EXPECT_EQ(list->Path(), "C:\\G\\");
  EXPECT_EQ(Captions(), (std::vector<std::wstring>{L"Other"}));
  EXPECT_EQ(list->SelectedRecord()->FontName(), "Other");

  // An update asked for during a scan waits for the scan's end.
  os.AddFile("C:\\H\\SUB\\LATE.TTF", FontFile("Late"));
  list->SetFilter(kAllFontKinds);
  list->SetInclSubfolders(true);
  asked = false;
  TFontFileInfo* during = nullptr;
  os.onProcessMessages = [&] {
    if (asked) return;
    asked = true;
    list->UpdateList();
    during = list->SelectedRecord();
  };
  list->SetPath("C:\\H");
  os.onProcessMessages = nullptr;
  EXPECT_TRUE(asked);
  EXPECT_EQ(during, nullptr);
  EXPECT_EQ(Captions(), (std::vector<std::wstring>{L"Late"}));
  EXPECT_EQ(list->SelectedRecord()->FontName(), "Late");
}


// A progress window whose steps fail once `failAt` steps have run.
class TFailingProgress : public TProgressBase {
 public:
  explicit TFailingProgress(int failAt) : failAt_(failAt) {}
  void SetText(std::wstring_view, int) override {}
  void Show() override {}
  void StepIt() override {
    if (++steps_ == failAt_) throw std::runtime_error("step failed");
  }

 private:
  int failAt_;
  int steps_ = 0;
};

TEST_F(FontListTest, AnExceptionWhileRowsAreBuiltLeavesTheListUsable) {
  MakeFolder();
  Browse("C:\\F");
  {
    const TScopedProgressFactory failing(
        [](int, std::wstring_view) { return std::make_unique<TFailingProgress>(2); });
    EXPECT_THROW(list->SetFilter(KindBit(fkSerif)), std::runtime_error);
  }
  // Not frozen: the next update builds rows, and operations run again.
  list->SetFilter(kAllFontKinds);
  EXPECT_EQ(Captions(), (std::vector<std::wstring>{L"Alpha", L"Beta", L"Delta", L"Gamma"}));
  std::vector<std::string> loaded;
  list->SetLoadedFonts(&loaded);
  list->ListView().SetItemIndex(1);
  list->LoadFonts();
  EXPECT_EQ(loaded, std::vector<std::string>{"C:\\F\\BETA.TTF"});
  // The view draws again: redraw off would have taken its visible style.
  EXPECT_NE(GetWindowLongW(list->ListView().Handle(), GWL_STYLE) & WS_VISIBLE, 0);
}

}  // namespace
