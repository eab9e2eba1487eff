// TFontFileInfo: when it opens its file, its installed state, its display
// name, and a worker thread reading it while another thread looks.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "data/VLMUtil.h"
#include "sys/codepage.h"
#include "tests/support/ScopedCodePage.h"
#include "tests/data/reader_fixture.h"

namespace {

using RecordTest = ReaderTest;

TEST_F(RecordTest, NewAndClearedRecordsAreEmptyBadAndBodgeyAreSetAsTold) {
  TFontFileInfo record;
  EXPECT_EQ(record.FileName(), "");
  EXPECT_EQ(record.FontKind(), fkUnknown);
  EXPECT_FALSE(record.Bad()) << "a record of no file has nothing to read";
  EXPECT_EQ(os.Opens(), 0);
  record.SetBad(true);
  EXPECT_TRUE(record.Bad());
  record.SetBad(false);
  EXPECT_FALSE(record.Bad());
  AddFont(kPath, "Some Font");
  record.SetFileName(kPath);
  record.SetBodgey(true);
  EXPECT_TRUE(record.Bodgey());
  EXPECT_EQ(record.UnitsPerEm(), 2048);
  record.Clear();
  const TFontFields f = record.Snapshot();
  EXPECT_EQ(f.FileName, "");
  EXPECT_EQ(f.FontName, "");
  EXPECT_FALSE(f.Bodgey || f.InfoRead || f.Bad);
  EXPECT_EQ(f.UnitsPerEm, 0);
}

TEST_F(RecordTest, KnownShortNamesOpenNoFileLongerOnesMayHaveBeenCut) {
  AddFont(kPath, "Name In The File");
  TFontFileInfo record;
  const std::string name38(38, 'n');
  record.SetFileNameAndName(kPath, name38);
  EXPECT_EQ(os.Opens(), 0);
  EXPECT_EQ(record.FontName(), name38);
  EXPECT_FALSE(record.Bad());
  EXPECT_FALSE(record.InfoRead());

  TFontFileInfo cut;
  cut.SetFileNameAndName(kPath, std::string(40, 'n'));  // may have been cut short
  EXPECT_EQ(os.Opens(), 1);
  EXPECT_EQ(cut.FontName(), "Name In The File");

  TFontFileInfo unnamed;
  unnamed.SetFileNameAndName(kPath, "");
  EXPECT_EQ(unnamed.FontName(), "Name In The File");
  EXPECT_EQ(os.Opens(), 2);

  // In a double-byte code page the installed-font table cuts a name whose
  // character straddles the limit one byte short of it: 39 bytes are trusted
  // only in single-byte code pages.
  const std::string name39(39, 'n');
  ScopedCodePage codePage(936);
  TFontFileInfo mayBeCut;
  mayBeCut.SetFileNameAndName(kPath, name39);
  EXPECT_EQ(mayBeCut.FontName(), "Name In The File");
  sys::SetCodePage(1252);
  TFontFileInfo whole;
  whole.SetFileNameAndName(kPath, name39);
  EXPECT_EQ(whole.FontName(), name39);
  EXPECT_EQ(os.Opens(), 3);
}

TEST_F(RecordTest, AMissingOrDeletedFileIsBadItsKnownNameNeverReadItsReadNeverRetried) {
  TFontFileInfo record;
  record.SetFileNameAndName("C:\\Fonts\\GONE.TTF", "Gone");
  EXPECT_TRUE(record.Bad());
  EXPECT_EQ(record.FontName(), "Gone");
  EXPECT_EQ(record.FamilyName(), "");
  EXPECT_EQ(record.UnitsPerEm(), 0);
  EXPECT_EQ(record.FontKind(), fkUnknown);
  EXPECT_EQ(record.DisplayName(), "Gone");
  EXPECT_EQ(os.Opens(), 0);

  TFontFileInfo none;
  none.SetFileName("C:\\Fonts\\NONE.TTF");
  ASSERT_TRUE(none.Bad());
  EXPECT_EQ(none.Ascender(), 0);
  EXPECT_EQ(none.License(), "");
  EXPECT_EQ(os.Opens(), 1) << "a bad read is not retried by getters";

  // A file deleted after listing is bad on the first read.
  AddFont(kPath, "Listed");
  TFontFileInfo listed;
  listed.SetFileNameAndName(kPath, "Listed");
  ASSERT_FALSE(listed.Bad());
  os.RemoveFile(kPath);
  EXPECT_EQ(listed.FamilyName(), "");
  EXPECT_TRUE(listed.Bad());
  EXPECT_EQ(listed.FontName(), ErrorText(2)) << "the list shows why";
  EXPECT_EQ(listed.KnownName(), "Listed") << "what a collection stores";
  EXPECT_EQ(listed.FileName(), kPath);
}

TEST_F(RecordTest, LazyFieldsReadAllTablesOnce) {
  AddFont(kPath, "Lazy Font", "Lazy");
  TFontFileInfo record;
  record.SetFileName(kPath);
  EXPECT_EQ(os.Opens(), 1);
  EXPECT_EQ(record.Snapshot().FamilyName, "") << "names-only so far";
  EXPECT_EQ(record.FamilyName(), "Lazy");
  EXPECT_TRUE(record.InfoRead());
  EXPECT_EQ(os.Opens(), 2);
  EXPECT_EQ(record.FontKind(), fkSansSerif);
  EXPECT_EQ(record.Fields().WinHeight, 1901 + 483);
  EXPECT_EQ(os.Opens(), 2);

  record.Refresh(true);  // an explicit refresh does read again
  EXPECT_EQ(os.Opens(), 3);
}

TEST_F(RecordTest, TheSameFileInAnotherCaseDoesNothingAnotherLeavesNothingOfTheLast) {
  AddFont("C:\\Fonts\\FULL.TTF", "Full Font", "Full");
  os.AddFile("C:\\Fonts\\BARE.TTF", tt::FontBuilder().Head({.unitsPerEm = 1000}).Build());
  TFontFileInfo record;
  record.SetFileName("C:\\Fonts\\FULL.TTF");
  record.SetFileName("c:\\fonts\\full.ttf");  // the same file: nothing happens
  EXPECT_EQ(os.Opens(), 1);
  EXPECT_EQ(record.FileName(), "C:\\Fonts\\FULL.TTF");
  record.SetBodgey(true);
  ASSERT_EQ(record.WeightClass(), 400);
  record.SetFileName("C:\\Fonts\\BARE.TTF");
  EXPECT_EQ(record.FontName(), "");
  EXPECT_EQ(record.FamilyName(), "");
  EXPECT_EQ(record.WeightClass(), 0);
  EXPECT_EQ(record.UnitsPerEm(), 1000);
  EXPECT_TRUE(record.Bodgey()) << "the list's verdict is not the file's";
}

TEST_F(RecordTest, InstalledIsDecidedByTheFontsName) {
  AddFont("C:\\Windows\\Fonts\\A.TTF", "Alpha");
  AddFont("C:\\Elsewhere\\A COPY.TTF", "Alpha");
  AddFont("C:\\Elsewhere\\B.TTF", "Beta");
  AddFont("C:\\Elsewhere\\C.TTF", "Gamma");
  Install("Alpha", "A.TTF");
  Install("Beta", "C:\\ELSEWHERE\\B.TTF");
  Install("Gamma", "c:\\windows\\fonts\\C.TTF");

  TFontFileInfo a, copy, b, c, d;
  a.SetFileName("C:\\Windows\\Fonts\\A.TTF");
  copy.SetFileName("C:\\Elsewhere\\A COPY.TTF");
  b.SetFileName("C:\\Elsewhere\\B.TTF");
  c.SetFileName("C:\\Elsewhere\\C.TTF");
  d.SetFileName(AddFont("C:\\Elsewhere\\D.TTF", "Delta"));
  EXPECT_TRUE(a.Installed() && a.InFontsFolder());
  EXPECT_TRUE(copy.Installed() && copy.InFontsFolder()) << "same name, same verdict";
  EXPECT_TRUE(b.Installed());
  EXPECT_FALSE(b.InFontsFolder());
  EXPECT_TRUE(c.Installed() && c.InFontsFolder()) << "folders compare without case";
  EXPECT_FALSE(d.Installed() || d.InFontsFolder());
  Install("Delta", "D.TTF");
  d.Refresh(false);
  EXPECT_TRUE(d.Installed()) << "a refresh decides again";

  const std::string longName = "A Font With A Very Long Name Of Fifty Characters.";
  os.SetValue(sys::Hive::LocalMachine, kFontsKey, longName.substr(0, 40) + " (TrueType)", "X.TTF");
  TFontFileInfo cut;
  cut.SetFileName(AddFont("C:\\Elsewhere\\X.TTF", longName));
  EXPECT_TRUE(cut.Installed()) << "by the value name the table cut";
}

TEST_F(RecordTest, RegistryTroubleLeavesTheFontNotInstalled) {
  AddFont(kPath, "Odd");
  os.SetValue(sys::Hive::LocalMachine, kFontsKey, "Odd (TrueType)", "\x01", sys::kRegBinary);
  TFontFileInfo record;
  record.SetFileName(kPath);
  EXPECT_TRUE(record.Installed()) << "the value exists";
  EXPECT_FALSE(record.InFontsFolder()) << "but names no file";

  Install("Odd", "ODD.TTF");
  os.FailKey(sys::Hive::LocalMachine, kFontsKey);
  record.CheckInstalled();
  EXPECT_FALSE(record.Installed());
  EXPECT_FALSE(record.InFontsFolder());
}

TEST_F(RecordTest, DisplayNameFallsBackToTheFamilyPast31CharactersAndIsTheFamilyOfAFaceOfAnotherFormat) {
  const std::string name31(31, 'x');
  const std::string name32(32, 'x');
  TFontFileInfo shortName, longName;
  shortName.SetFileName(AddFont("C:\\Fonts\\S.TTF", name31, "Short Family"));
  longName.SetFileName(AddFont("C:\\Fonts\\L.TTF", name32, "Long Family"));
  EXPECT_EQ(shortName.DisplayName(), name31);
  EXPECT_EQ(longName.DisplayName(), "Long Family");

  // The system knows the faces of a collection and CFF fonts by their families.
  os.AddFile("C:\\Fonts\\PAIR.TTC", tt::Collection({tt::StandardFont("Pair Sans Regular", "Pair Sans"),
                                                     tt::StandardFont("Pair Mono Regular", "Pair Mono")}));
  os.AddFile("C:\\Fonts\\CFF.OTF", tt::StandardFont("Cff-Roman", "Cff").Version(tt::kOtto).Build());
  TFontFileInfo second, cff, unnamed;
  second.SetFileNameAndName("C:\\Fonts\\PAIR.TTC", "Pair Mono Regular", 1);
  cff.SetFileName("C:\\Fonts\\CFF.OTF");
  EXPECT_EQ(second.DisplayName(), "Pair Mono");
  EXPECT_EQ(cff.DisplayName(), "Cff");
  os.AddFile("C:\\Fonts\\NOFAMILY.OTF", tt::FontBuilder().Names({tt::MsName(4, "Only Full")}).Build());
  unnamed.SetFileName("C:\\Fonts\\NOFAMILY.OTF");
  EXPECT_EQ(unnamed.DisplayName(), "Only Full") << "no family: the full name is all there is";
}

// A worker thread reads all tables while this thread keeps asking. Every value
// seen is either not yet read or the file's own, and the end state is the file's.
TEST_F(RecordTest, WorkerThreadReadsWhileTheWindowThreadLooks) {
  AddFont(kPath, "Shared Font", "Shared");
  for (int round = 0; round < 20; ++round) {
    TFontFileInfo record;
    record.SetFileNameAndName(kPath, "Shared Font");
    std::atomic<bool> done{false};
    std::thread worker([&] {
      ReadFontFile(record, true);
      done = true;
    });
    while (!done) {
      const TFontFields f = record.Snapshot();
      EXPECT_EQ(f.FontName, "Shared Font");
      EXPECT_TRUE(f.FamilyName.empty() || f.FamilyName == "Shared");
      EXPECT_TRUE(f.UnitsPerEm == 0 || f.UnitsPerEm == 2048);
      EXPECT_TRUE(!f.InfoRead || f.WinHeight == 1901 + 483) << "read means complete";
      EXPECT_EQ(record.FileName(), kPath);
    }
    EXPECT_EQ(record.FamilyName(), "Shared");  // may read again; never tears
    worker.join();
    EXPECT_TRUE(record.InfoRead());
    EXPECT_EQ(record.UnitsPerEm(), 2048);
    EXPECT_EQ(record.FontKind(), fkSansSerif);
  }
}

TEST_F(RecordTest, AReadOfAFileTheRecordLeftIsDropped) {
  AddFont("C:\\Fonts\\ONE.TTF", "One", "One Family");
  AddFont("C:\\Fonts\\TWO.TTF", "Two", "Two Family");
  TFontFileInfo record;
  record.SetFileName("C:\\Fonts\\ONE.TTF");
  std::thread worker([&] {
    for (int i = 0; i < 200; ++i) ReadFontFile(record, true);
  });
  record.SetFileName("C:\\Fonts\\TWO.TTF");
  worker.join();
  EXPECT_EQ(record.FamilyName(), "Two Family");
  EXPECT_EQ(record.FontName(), "Two");
}

TEST(FontKind, FromPanose) {
  EXPECT_EQ(FontKindFromPanose(2, 0, 9), fkMonospaced);
  EXPECT_EQ(FontKindFromPanose(2, 11, 9), fkMonospaced) << "whatever the serif style";
  EXPECT_EQ(FontKindFromPanose(2, 14, 3), fkSerif) << "flared counts as serif";
  for (uint8_t sans : {11, 12, 13, 15}) EXPECT_EQ(FontKindFromPanose(2, sans, 3), fkSansSerif);
  for (uint8_t serif : {0, 1, 2, 10, 14, 16, 255}) EXPECT_EQ(FontKindFromPanose(2, serif, 0), fkSerif);
  EXPECT_EQ(FontKindFromPanose(3, 11, 9), fkScript);
  EXPECT_EQ(FontKindFromPanose(4, 0, 0), fkDecorative);
  EXPECT_EQ(FontKindFromPanose(5, 0, 0), fkPictorial);
  for (uint8_t other : {0, 1, 6, 255}) EXPECT_EQ(FontKindFromPanose(other, 11, 9), fkUnknown);
}

TEST(FontKind, NamesAndSets) {
  EXPECT_STREQ(FontKindName(fkUnknown), "fkUnknown");
  EXPECT_STREQ(FontKindName(fkPictorial), "fkPictorial");
  EXPECT_STREQ(FontKindName(static_cast<TFontKind>(7)), "fkUnknown");
  EXPECT_EQ(KindBit(fkUnknown) | KindBit(fkPictorial), 0x41);
  EXPECT_TRUE(KindInSet(kAllFontKinds, fkScript));
  EXPECT_FALSE(KindInSet(KindBit(fkSerif), fkSansSerif));
}

}  // namespace
