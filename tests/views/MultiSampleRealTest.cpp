// The multiple sample view over Debian's real fonts, copied under names Wine
// has not installed into a folder with a Chinese name, against the system's real font table.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sys/codepage.h"
#include "tests/views/MultiSampleFixture.h"
#include "tests/views/MultiSampleRealFonts.h"
#include "ui/Gdi.h"

using namespace multi_test;

namespace {

class MultiSampleRealTest : public ::testing::Test {
 protected:
  MultiSampleRealTest() {
    const std::string root = "Z:\\tmp\\vlm-multi-" + std::to_string(GetCurrentProcessId());
    folder = root + sys::Narrow(L"\\多样式字体");
    os.MakeDirectory(root);
    os.MakeDirectory(folder);
    WriteRenamedFonts(folder, 1);
    list.SetPath(folder + "\\");
    list.Scan();
  }
  ~MultiSampleRealTest() override {
    list.Clear();
    std::vector<sys::FindEntry> entries;
    os.FindFiles(folder + "\\*", entries);
    for (const sys::FindEntry& e : entries)
      if (!e.IsDirectory()) os.RemoveFile(folder + "\\" + e.name);
    RemoveDirectoryA(folder.c_str());
    RemoveDirectoryA(folder.substr(0, folder.rfind('\\')).c_str());
  }

  int AddedRows(int first, int last) const {
    int n = 0;
    for (int i = first; i < last; ++i) n += os.Net(list.Items(i)->FileName()) == 1;
    return n;
  }

  TCountingFontBackend os;
  sys::ScopedBackend guard{os};
  std::string folder;
  TFontFileList list;
};

TEST_F(MultiSampleRealTest, TheSystemsFontTableHoldsExactlyTheRowsInView) {
  ASSERT_GE(list.Count(), 30) << "Debian's DejaVu and Liberation fonts";
  auto form = ShowForm(900, 940);
  TMultiSample& view = *form->view;
  view.SetFont(ui::SongFont());
  view.BeginUpdate();
  view.SetText(L"The quick brown fox jumps over the lazy dog 0123456789");
  view.SetFontSize(12);
  view.SetFontFileList(&list);
  view.EndUpdate();
  TMultiSampleGrid& grid = view.Grid();
  ASSERT_EQ(grid.RowCount(), list.Count());
  const int visible = grid.VisibleRowCount();
  EXPECT_GE(visible, 20);
  const int wanted = multi_sample::WantedRows(grid.Rows(), 0, grid.ClientHeight()).last;
  EXPECT_EQ(os.Current(), wanted);
  EXPECT_EQ(AddedRows(0, wanted), wanted);
  // Real faces differ: so do their rows.
  int lowest = grid.Rows().Height(0), highest = lowest;
  for (int r = 0; r < grid.RowCount(); ++r) {
    lowest = std::min(lowest, grid.Rows().Height(r));
    highest = std::max(highest, grid.Rows().Height(r));
  }
  EXPECT_LT(lowest, highest);

  // One row down: the top row's font goes, the next one's below comes.
  const size_t added = os.added.size();
  const size_t removed = os.removed.size();
  input::Press(VK_DOWN);
  ASSERT_EQ(grid.TopRow(), 1);
  const int last = multi_sample::WantedRows(grid.Rows(), 1, grid.ClientHeight()).last;
  ASSERT_EQ(os.removed.size(), removed + 1);
  EXPECT_EQ(os.removed.back(), list.Items(0)->FileName());
  ASSERT_EQ(os.added.size(), added + (last - wanted));
  if (last > wanted) {
    EXPECT_EQ(os.added.back(), list.Items(last - 1)->FileName());
  }
  EXPECT_EQ(os.Current(), last - 1);
  EXPECT_EQ(AddedRows(1, last), last - 1);

  // To the end and back, row by row: never more than the rows in view plus one.
  os.ResetPeak();
  const int maxTop = grid.Rows().MaxTopRow(grid.ClientHeight());
  for (int top = 1; top < maxTop; ++top) input::Press(VK_DOWN);
  EXPECT_EQ(grid.TopRow(), maxTop);
  input::Press(VK_PRIOR, ssCtrl);
  EXPECT_LE(os.Peak(), visible + 1);

  form.reset();
  EXPECT_EQ(os.Current(), 0);
  // The real table agrees: nothing of ours is left to remove.
  for (int i = 0; i < list.Count(); ++i)
    EXPECT_FALSE(RemoveFontResourceA(list.Items(i)->FileName().c_str())) << list.Items(i)->FileName();
}

}  // namespace
