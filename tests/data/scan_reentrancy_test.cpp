// Window messages run during a scan; commands they carry must never clear,
// rebuild or take records out of the list under the running scan.
#include <memory>
#include <string>

#include "tests/data/scan_fixture.h"

namespace {

// Each case runs with the scan reading every file itself and with reader
// threads, which a big folder runs up against their limit ahead of the scan.
class ReentrancyTest : public ScanTest, public ::testing::WithParamInterface<int> {
 protected:
  static constexpr int kBig = 400;

  ReentrancyTest()
      : readersBefore_(TFontFileList::ScanReaders()), slowBefore_(TFontFileList::SlowReadMicros()) {
    TFontFileList::SetScanReaders(GetParam());
    TFontFileList::SetSlowReadMicros(0);  // the readers, if any, start at once
    os.SetDrives({"C:\\", "D:\\"});
    for (int i = 0; i < kBig; ++i) os.AddFile("D:\\Big\\f" + std::to_string(i) + ".ttf", "x");
    os.AddFile("D:\\Small\\one.ttf", "x");
    os.AddFile("D:\\Coll.VLM", "\"Listed\",\"D:\\Small\\one.ttf\"\r\n");
  }
  ~ReentrancyTest() override {
    os.onProcessMessages = nullptr;
    TFontFileList::SetScanReaders(readersBefore_);
    TFontFileList::SetSlowReadMicros(slowBefore_);
  }

  // Runs `command` once, from the message pump of the 10th progress step.
  void OnTenthStep(std::function<void()> command) {
    os.onProcessMessages = [this, command = std::move(command)] {
      if (++pumps_ == 12) command();  // show and update pump first
    };
  }

  int pumps_ = 0;
  const int readersBefore_;
  const int slowBefore_;
};

INSTANTIATE_TEST_SUITE_P(Readers, ReentrancyTest, ::testing::Values(1, 8),
                         [](const auto& p) { return "Readers" + std::to_string(p.param); });

TEST_P(ReentrancyTest, NewFolderDuringScanIsScannedAfterIt) {
  TFontFileList list;
  OnTenthStep([&] {
    list.SetPath("D:\\Small\\");
    EXPECT_TRUE(list.Scanning());
    EXPECT_EQ(list.Count(), 9) << "the running scan's records stay";
  });
  list.SetPath("D:\\Big\\");
  EXPECT_FALSE(list.Scanning());
  EXPECT_EQ(list.Path(), "D:\\Small\\");
  EXPECT_EQ(Files(list), (Strings{"D:\\Small\\one.ttf"}));
  ASSERT_EQ(progress.Count(), 1);
  EXPECT_EQ(progress.Last().steps, kBig) << "the first scan ran to its end";
}

TEST_P(ReentrancyTest, ClearDuringScanWaitsForItsEnd) {
  TFontFileList list;
  OnTenthStep([&] {
    list.Clear();
    EXPECT_EQ(list.Count(), 9);
  });
  list.SetPath("D:\\Big\\");
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(progress.Last().steps, kBig);
}

TEST_P(ReentrancyTest, RepeatedRequestsRescanOnce) {
  TFontFileList list;
  OnTenthStep([&] {
    list.Scan();
    list.Scan();
    list.SetInclSubfolders(true);
  });
  list.SetPath("D:\\Big\\");
  EXPECT_EQ(list.Count(), kBig);
  EXPECT_TRUE(list.InclSubfolders());
  ASSERT_EQ(progress.Count(), 2);
  EXPECT_EQ(progress.Windows()[1]->captions[0], L"正在搜索字体文件夹...");
}

TEST_P(ReentrancyTest, LoadingRemovingAndDeletingDuringScanAreRefused) {
  TFontFileList list;
  bool loaded = true;
  int removed = -1;
  bool deleted = true;
  OnTenthStep([&] {
    loaded = list.LoadCollection("D:\\Coll.VLM");
    removed = list.Remove({list.Items(0), list.Items(1)});
    deleted = list.Delete(0);
  });
  list.SetPath("D:\\Big\\");
  EXPECT_FALSE(loaded);
  EXPECT_EQ(removed, 0);
  EXPECT_FALSE(deleted);
  EXPECT_EQ(list.Count(), kBig);
}

TEST_P(ReentrancyTest, ModeChangeDuringScanDoesNotLeakIntoIt) {
  TFontFileList list;
  OnTenthStep([&] { OpenCollection(list, "D:\\", "Coll"); });
  list.SetPath("D:\\Big\\");
  EXPECT_EQ(list.Mode(), flmCollection);
  EXPECT_EQ(Names(list), (Strings{"Listed"}));
  EXPECT_FALSE(list.Items(0)->Bodgey());
}

TEST_P(ReentrancyTest, ListDestroyedDuringScanStopsTheScan) {
  auto list = std::make_unique<TFontFileList>();
  OnTenthStep([&] { list.reset(); });
  list->SetPath("D:\\Big\\");
  EXPECT_EQ(list, nullptr);
  ASSERT_EQ(progress.Count(), 1);
  EXPECT_EQ(progress.Last().steps, 10);
  EXPECT_TRUE(progress.Last().destroyed);
}

}  // namespace
