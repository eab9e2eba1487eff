// The folder scan: which files and folders, the progress window, trouble.
#include <algorithm>
#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "data/ReadAhead.h"

#include "tests/data/scan_fixture.h"
#include "tests/support/TrueTypeWriter.h"

namespace {

class FolderScanTest : public ScanTest {
 protected:
  FolderScanTest() { os.SetDrives({"C:\\", "D:\\"}); }
  // Files whose content is no font still make records (with empty names).
  void AddFonts(const std::string& folder, int count) {
    for (int i = 0; i < count; ++i) os.AddFile(folder + "f" + std::to_string(i) + ".ttf", "x");
  }
  // A chain of folders D:\T\L1\L2\... with one font in each.
  void AddChain(int levels) {
    std::string folder = "D:\\T\\";
    os.AddFile(folder + "top.ttf", "x");
    for (int level = 1; level <= levels; ++level) {
      folder += "L" + std::to_string(level) + "\\";
      os.AddFile(folder + "level" + std::to_string(level) + ".ttf", "x");
    }
  }
  static void Browse(TFontFileList& list, const std::string& path, bool subfolders) {
    list.SetPath(path);
    list.SetInclSubfolders(subfolders);
  }

  TFontFileList list;
};

TEST_F(FolderScanTest, ListsEachFaceOfEveryFontFileInAnyCaseInNameOrderAndUnreadableOnesAsBadRecords) {
  AddFont("D:\\F\\1.TTF", "zebra Sans");
  os.AddFile("D:\\F\\2.ttf", tt::StandardFont("Apple Serif").Build(),
             sys::kAttrHidden | sys::kAttrSystem | sys::kAttrReadOnly);
  AddFont("D:\\F\\3.ttf", "MIDDLE");
  AddFont("D:\\F\\4.ttf", "apple mono");
  AddFont("D:\\F\\locked.ttf", "Locked");
  os.LockFile("D:\\F\\locked.ttf");
  os.AddFile("D:\\F\\cff.Otf", tt::StandardFont("Nimble").Version(tt::kOtto).Build());
  os.AddFile("D:\\F\\pair.TTC", tt::Collection({tt::StandardFont("Pair Sans"), tt::StandardFont("Pair Mono")}));
  os.AddFile("D:\\F\\trio.otc", tt::Collection({tt::StandardFont("Trio A"), tt::StandardFont("Trio B"),
                                                   tt::StandardFont("Trio C").Version(tt::kOtto)}));
  os.AddFile("D:\\F\\bitmap.fon", "x");
  os.AddFile("D:\\F\\notes.ttcx", "x");
  os.AddDirectory("D:\\F\\folder.ttf");
  os.AddFile("D:\\F\\sub\\deeper.ttf", "x");

  const int opens = os.Opens();
  Browse(list, "d:\\f", false);

  EXPECT_EQ(list.Path(), "d:\\f\\");
  // One open per file, a collection's faces all read through it.
  EXPECT_EQ(os.Opens() - opens, 8);
  EXPECT_EQ(Files(list), (Strings{"d:\\f\\locked.ttf", "d:\\f\\4.ttf", "d:\\f\\2.ttf", "d:\\f\\3.ttf",
                                  "d:\\f\\cff.Otf", "d:\\f\\pair.TTC", "d:\\f\\pair.TTC",
                                  "d:\\f\\trio.otc", "d:\\f\\trio.otc", "d:\\f\\trio.otc",
                                  "d:\\f\\1.TTF"}));
  const Strings names = Names(list);
  EXPECT_EQ(Strings(names.begin() + 1, names.end()),
            (Strings{"apple mono", "Apple Serif", "MIDDLE", "Nimble", "Pair Mono", "Pair Sans", "Trio A",
                     "Trio B", "Trio C", "zebra Sans"}));
  EXPECT_EQ(list.Items(5)->FaceIndex(), 1u);
  EXPECT_EQ(list.Items(9)->FaceIndex(), 2u);
  EXPECT_TRUE(list.Items(0)->Bad());
  EXPECT_EQ(names[0].rfind("(32) ", 0), 0u) << "the system's error text stands in";
  for (int i = 0; i < list.Count(); ++i) EXPECT_FALSE(list.Items(i)->InfoRead()) << "names only";
  EXPECT_TRUE(os.Messages().empty()) << "an unreadable file is no trouble";

  // Only .TTF files, as the option asks.
  list.SetTrueTypeOnly(true);
  EXPECT_EQ(Names(list).size(), 5u);
  EXPECT_EQ(Files(list).back(), "d:\\f\\1.TTF");
  list.SetTrueTypeOnly(false);
  EXPECT_EQ(list.Count(), 11);
}

TEST_F(FolderScanTest, FortyFilesShowNoProgressFortyOneDo) {
  AddFonts("D:\\Forty\\", 40);
  AddFonts("D:\\FortyOne\\", 41);

  Browse(list, "D:\\Forty", false);
  EXPECT_EQ(list.Count(), 40);
  EXPECT_EQ(progress.Count(), 0);

  list.SetPath("D:\\FortyOne\\");
  EXPECT_EQ(list.Count(), 41);
  ExpectOneFinishedBar(41);
}

// A long scan answers the installed state of its later fonts from one listing
// of the table: it must answer as the look-ups by name did, also for a value
// of another type and when the table cannot be listed.
TEST_F(FolderScanTest, EveryFontOfALongScanIsFoundInstalledAsItsValueSays) {
  for (int i = 0; i < 100; ++i) AddFont("D:\\Many\\m" + std::to_string(i) + ".ttf", "Many " + std::to_string(i));
  Install("Many 3", "m3.ttf");
  Install("Many 90", "D:\\Many\\m90.ttf");
  os.SetValue(sys::Hive::LocalMachine, kFontsKey, "Many 95 (TrueType)", "m95.ttf", sys::kRegExpandSz);
  const auto standing = [this] {
    std::vector<std::string> installed;
    for (int i = 0; i < list.Count(); ++i) {
      const TFontFileInfo& record = *list.Items(i);
      if (record.Installed()) installed.push_back(record.FontName() + (record.InFontsFolder() ? " in" : " out"));
    }
    return installed;
  };
  const Strings expected{"Many 3 in", "Many 90 out", "Many 95 in"};
  Browse(list, "D:\\Many", false);
  ASSERT_EQ(list.Count(), 100);
  EXPECT_EQ(standing(), expected);

  os.FailListValues(sys::Hive::LocalMachine, kFontsKey, 0);
  list.Scan();
  EXPECT_EQ(standing(), expected);
  EXPECT_TRUE(os.Messages().empty());
}

TEST_F(FolderScanTest, DepthLimitsTheTreeZeroScansOnlyThePathMinusOneTakesItAll) {
  AddChain(5);
  TFontFileList shallow;
  shallow.SetInclSubfoldersDepth(0);
  Browse(shallow, "D:\\T\\", true);
  EXPECT_EQ(Files(shallow), (Strings{"D:\\T\\top.ttf"}));
  ExpectOneFinishedBar(1);  // a subfolder scan shows progress however few it finds

  Browse(list, "D:\\T\\", true);  // default depth 3
  EXPECT_EQ(list.Count(), 4);
  EXPECT_FALSE(list.Contains("D:\\T\\L1\\L2\\L3\\L4\\level4.ttf"));
  EXPECT_TRUE(list.Contains("d:\\t\\l1\\l2\\l3\\LEVEL3.TTF"));
  list.SetInclSubfoldersDepth(-1);
  EXPECT_EQ(list.Count(), 4) << "the depth alone does not rescan";
  list.Scan();
  EXPECT_EQ(list.Count(), 6);
  EXPECT_TRUE(list.Contains("D:\\T\\L1\\L2\\L3\\L4\\L5\\level5.ttf"));
}

TEST_F(FolderScanTest, FolderTroubleWarnsOnceAndKeepsTheOtherFolders) {
  os.AddFile("D:\\T\\a.ttf", "x");
  os.AddFile("D:\\T\\Bad\\b.ttf", "x");
  os.AddFile("D:\\T\\Good\\c.ttf", "x");
  os.AddFile("D:\\T\\Good\\Bad\\d.ttf", "x");
  os.FailFind("D:\\T\\Bad");
  os.FailFind("D:\\T\\Good\\Bad");

  Browse(list, "D:\\T\\", true);

  Strings files = Files(list);
  std::sort(files.begin(), files.end());
  EXPECT_EQ(files, (Strings{"D:\\T\\Good\\c.ttf", "D:\\T\\a.ttf"}));
  ExpectOneWarning(kFolderTrouble);
}

TEST_F(FolderScanTest, ReaderThreadsMakeTheSameListSteppedTheSameWay) {
  for (int i = 0; i < 60; ++i) {
    const std::string file = "D:\\F\\" + std::to_string(i) + ".ttf";
    if (i % 10 == 3) {
      os.AddFile(file, tt::StandardFont("Locked").Build());
      os.LockFile(file);
    } else if (i % 10 == 7) {
      os.AddFile(file, "no font");
    } else {
      os.AddFile(file, tt::StandardFont("Font " + std::to_string(i % 13)).Build());
    }
  }
  Install("Font 5", "D:\\F\\5.ttf");
  const int slowBefore = TFontFileList::SlowReadMicros();
  auto scan = [&](int readers) {
    const int before = TFontFileList::ScanReaders();
    TFontFileList::SetScanReaders(readers);
    TFontFileList::SetSlowReadMicros(0);  // the readers start at once
    const int opens = os.Opens();
    TFontFileList scanned;
    Browse(scanned, "D:\\F\\", false);
    TFontFileList::SetScanReaders(before);
    TFontFileList::SetSlowReadMicros(slowBefore);
    std::vector<std::string> seen;
    for (int i = 0; i < scanned.Count(); ++i) {
      const TFontFileInfo& r = *scanned.Items(i);
      seen.push_back(r.FileName() + "|" + r.FontName() + "|" + std::to_string(r.Bad()) +
                     std::to_string(r.Installed()) + std::to_string(r.InfoRead()));
    }
    std::sort(seen.begin(), seen.end());  // equal names have no defined order
    seen.push_back("opens " + std::to_string(os.Opens() - opens));
    return seen;
  };
  const Strings one = scan(1);
  const ProgressRecord single = progress.Last();
  const Strings four = scan(4);
  EXPECT_EQ(four, one);
  EXPECT_EQ(one.back(), "opens 60");
  EXPECT_EQ(std::count_if(one.begin(), one.end(), [](const std::string& s) {
              return s.find("|(32) ") != std::string::npos;  // the sharing violation's text
            }), 6);
  EXPECT_EQ(progress.Last().steps, 60);
  EXPECT_EQ(progress.Last().captions, single.captions);
}

TEST_F(FolderScanTest, ReadersKeepTheirDistanceAndAreWokenForEveryFileOfALongScan) {
  constexpr int kFiles = 700, kAhead = 256;
  for (int i = 0; i < kFiles; ++i)
    AddFont("D:\\F\\" + std::to_string(i) + ".ttf", "Font " + std::to_string(i));
  const int slowBefore = TFontFileList::SlowReadMicros();
  auto scan = [&](int readers) {
    const int before = TFontFileList::ScanReaders();
    TFontFileList::SetScanReaders(readers);
    TFontFileList::SetSlowReadMicros(0);  // the readers start at once
    const int base = os.Opens();
    int furthest = 0;  // how far the reads ran ahead of the results taken
    os.onProcessMessages = [&] {
      if (progress.Count() == 0) return;
      const ProgressRecord& bar = progress.Last();  // its step comes before the file's result
      const int taken = bar.destroyed ? bar.steps : std::max(bar.steps - 1, 0);
      if (bar.steps == 1 && readers > 1) {
        // The scan waits at its first file: the readers run as far as they may.
        for (int wait = 0; wait < 10000 && os.Opens() - base < kAhead; ++wait)
          std::this_thread::sleep_for(std::chrono::milliseconds(1));
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
      }
      furthest = std::max(furthest, os.Opens() - base - taken);
    };
    TFontFileList scanned;
    Browse(scanned, "D:\\F\\", false);
    os.onProcessMessages = nullptr;
    TFontFileList::SetScanReaders(before);
    TFontFileList::SetSlowReadMicros(slowBefore);
    EXPECT_EQ(os.Opens() - base, kFiles) << readers << " readers: each file read once";
    EXPECT_EQ(furthest, readers > 1 ? kAhead : 0) << readers << " readers";
    return Names(scanned);
  };
  const Strings one = scan(1);
  ASSERT_EQ(one.size(), static_cast<size_t>(kFiles));
  EXPECT_EQ(scan(16), one);
  EXPECT_EQ(scan(3), one);
}

// The scan reads alone until a whole stretch of its reads was slow; the
// readers then take the files after the one it read last, and no other.
TEST_F(FolderScanTest, ReadersStartOnlyAfterAStretchOfSlowReadsAndReadOnlyTheRest) {
  using std::chrono::microseconds;
  TReadPace pace(microseconds(400));
  for (size_t i = 1; i < TReadPace::kStretch; ++i) ASSERT_FALSE(pace.Slow(microseconds(5000))) << i;
  EXPECT_TRUE(pace.Slow(microseconds(5000)));
  // A few reads held up among quick ones are no slow disk, however long they
  // took; a stretch at the bound is.
  for (size_t i = 1; i < TReadPace::kStretch; ++i) ASSERT_FALSE(pace.Slow(microseconds(i % 10 == 7 ? 9000 : 50)));
  EXPECT_FALSE(pace.Slow(microseconds(50)));
  for (size_t i = 1; i < TReadPace::kStretch; ++i) ASSERT_FALSE(pace.Slow(microseconds(400)));
  EXPECT_TRUE(pace.Slow(microseconds(400)));

  std::vector<std::string> files;
  for (int i = 0; i < 20; ++i)
    files.push_back(AddFont("D:\\F\\" + std::to_string(i) + ".ttf", "Font " + std::to_string(i)));
  files.push_back("D:\\F\\pair.ttc");
  os.AddFile(files.back(), tt::Collection({tt::StandardFont("Pair Sans"), tt::StandardFont("Pair Mono")}));
  const int opens = os.Opens();
  {
    TReadAhead ahead(files, 3, {}, 12);
    for (size_t i = 12; i + 1 < files.size(); ++i) {
      const std::optional<std::vector<TFontFields>> read = ahead.Take(i);
      ASSERT_TRUE(read.has_value()) << i;
      ASSERT_EQ(read->size(), 1u);
      EXPECT_EQ(read->front().FontName, "Font " + std::to_string(i));
    }
    const std::optional<std::vector<TFontFields>> pair = ahead.Take(files.size() - 1);
    ASSERT_TRUE(pair.has_value());
    ASSERT_EQ(pair->size(), 2u);
    EXPECT_EQ((*pair)[1].FontName, "Pair Mono");
    EXPECT_EQ((*pair)[1].FaceIndex, 1u);
  }
  EXPECT_EQ(os.Opens() - opens, 9) << "one open a file, a collection's faces included";
}

TEST_F(FolderScanTest, ReadersThatFailToStartLeaveTheirFilesToTheOthersOrToTheScan) {
  std::vector<std::string> files;
  for (int i = 0; i < 20; ++i)
    files.push_back(AddFont("D:\\F\\" + std::to_string(i) + ".ttf", "Font " + std::to_string(i)));
  for (int startable : {2, 0}) {
    SCOPED_TRACE(startable);
    int started = 0;
    const auto start = [&](std::function<void()> work) {
      if (started == startable)
        throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
      ++started;
      return std::thread(std::move(work));
    };
    TReadAhead ahead(files, 4, start);
    for (size_t i = 0; i < files.size(); ++i) {
      const std::optional<std::vector<TFontFields>> read = ahead.Take(i);
      ASSERT_EQ(read.has_value(), startable > 0) << i;
      if (read) {
        EXPECT_EQ(read->front().FontName, "Font " + std::to_string(i));
      }
    }
  }
}

}  // namespace
