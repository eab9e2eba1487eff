// The memory backend's own powers: injected faults and the record it keeps.
#include <gtest/gtest.h>

#include <thread>

#include "sys/memory/MemoryBackend.h"

namespace {

using sys::Hive;
using sys::MemoryBackend;

std::string List(std::initializer_list<const char*> names) {
  std::string list;
  for (const char* name : names) list += std::string(name) + '\0';
  return list + '\0';
}

TEST(MemoryRegistry, ListingsFailPartWayFailedKeysDeniedHivesAndDeletedKeysRefuseAccess) {
  MemoryBackend os;
  for (const char* name : {"a", "b", "c"}) os.SetValue(Hive::LocalMachine, "K", name, name);
  os.FailListValues(Hive::LocalMachine, "\\k", 2);
  auto listed = os.OpenKey(Hive::LocalMachine, "K", false);
  ASSERT_NE(listed, nullptr);
  std::vector<sys::RegValueInfo> values;
  EXPECT_FALSE(listed->ListValues(values));
  ASSERT_EQ(values.size(), 2u);  // what was read so far, in the order written
  EXPECT_EQ(values[0].name, "a");
  EXPECT_EQ(values[1].name, "b");

  os.SetValue(Hive::CurrentUser, "\\Software\\A", "V", "1");
  os.FailKey(Hive::CurrentUser, "Software\\A");
  EXPECT_EQ(os.OpenKey(Hive::CurrentUser, "\\SOFTWARE\\a", false), nullptr);
  EXPECT_EQ(os.OpenKey(Hive::CurrentUser, "\\Software\\A", true), nullptr);
  EXPECT_EQ(os.LastError(), sys::kErrorAccessDenied);
  EXPECT_NE(os.OpenKey(Hive::CurrentUser, "\\Software", false), nullptr);

  auto open = os.OpenKey(Hive::LocalMachine, "\\Software\\B", true);
  ASSERT_NE(open, nullptr);
  os.DenyHive(Hive::LocalMachine);
  EXPECT_EQ(os.OpenKey(Hive::LocalMachine, "\\Software\\B", false), nullptr);
  EXPECT_FALSE(open->WriteString("V", "x"));  // a key opened before is refused too
  EXPECT_EQ(os.LastError(), sys::kErrorAccessDenied);
  EXPECT_FALSE(os.DeleteKey(Hive::LocalMachine, "\\Software\\B"));

  auto key = os.OpenKey(Hive::CurrentUser, "X\\Y", true);
  ASSERT_NE(key, nullptr);
  EXPECT_TRUE(os.KeyExists(Hive::CurrentUser, "x"));
  ASSERT_TRUE(os.DeleteKey(Hive::CurrentUser, "X"));
  std::string value;
  EXPECT_FALSE(key->WriteString("V", "1"));
  EXPECT_FALSE(os.GetValue(Hive::CurrentUser, "X\\Y", "V", value));
  EXPECT_FALSE(os.DeleteKey(Hive::CurrentUser, ""));  // never a whole hive
}

TEST(MemoryFileFaults, ReadsFailAfterALimitOrAwayFromTheStart) {
  MemoryBackend os;
  os.AddFile("C:\\F\\a.ttf", "0123456789");
  os.FailReadAfter("c:\\f\\A.TTF", 4);
  auto file = os.OpenRead("C:\\F\\a.ttf");
  ASSERT_NE(file, nullptr);
  char buffer[16];
  size_t got = 9;
  EXPECT_TRUE(file->ReadAt(0, buffer, 4, got));
  EXPECT_EQ(got, 4u);
  EXPECT_FALSE(file->ReadAt(2, buffer, 4, got));
  EXPECT_EQ(got, 0u);
  EXPECT_EQ(os.LastError(), sys::kErrorReadFault);

  os.AddFile("C:\\F\\b.ttf", "0123456789");
  os.RefuseSeek("C:\\F\\b.ttf");
  auto other = os.OpenRead("C:\\F\\b.ttf");
  ASSERT_NE(other, nullptr);
  EXPECT_TRUE(other->ReadAt(0, buffer, 16, got));
  EXPECT_EQ(got, 10u);
  EXPECT_FALSE(other->ReadAt(1, buffer, 1, got));
  EXPECT_EQ(os.LastError(), sys::kErrorSeek);
  EXPECT_EQ(os.Opens(), 2);
  EXPECT_EQ(os.Reads(), 4);
}

TEST(MemoryFileFaults, WritesFailAndLeaveWhatWasWrittenLockedFilesMovesAndFindsAreRefused) {
  MemoryBackend os;
  os.AddDirectory("C:\\Out");
  os.FailWrite("C:\\Out\\a.txt", 3);
  auto out = os.CreateWrite("C:\\Out\\a.txt");
  ASSERT_NE(out, nullptr);
  EXPECT_TRUE(out->Write("ab"));
  EXPECT_FALSE(out->Write("cd"));
  EXPECT_FALSE(out->Write("e"));
  EXPECT_FALSE(out->Close());
  EXPECT_EQ(os.FileContent("C:\\Out\\a.txt"), "abc");

  os.FailWritesIn("c:\\out");
  EXPECT_EQ(os.CreateWrite("C:\\Out\\b.txt"), nullptr);
  EXPECT_EQ(os.LastError(), sys::kErrorAccessDenied);
  os.AddFile("C:\\In\\c.txt", "c");
  EXPECT_FALSE(os.CopyFileTo("C:\\In\\c.txt", "C:\\Out\\c.txt", false));

  os.AddFile("C:\\F\\a.ttf", "a");
  os.AddFile("C:\\F\\b.ttf", "b");
  os.LockFile("C:\\F\\a.ttf");
  EXPECT_EQ(os.OpenRead("C:\\F\\A.TTF"), nullptr);
  EXPECT_EQ(os.LastError(), sys::kErrorSharingViolation);
  EXPECT_FALSE(os.RemoveFile("C:\\F\\a.ttf"));
  EXPECT_EQ(os.LastError(), sys::kErrorSharingViolation);

  os.FailMove("C:\\F\\c.ttf");
  EXPECT_FALSE(os.MoveFileReplace("C:\\F\\b.ttf", "C:\\F\\c.ttf"));
  EXPECT_TRUE(os.HasFile("C:\\F\\b.ttf"));

  os.FailFind("C:\\F");
  std::vector<sys::FindEntry> entries;
  EXPECT_FALSE(os.FindFiles("C:\\F\\*.ttf", entries));
}

TEST(MemoryFiles, ReadOnlyFilesAndFoldersAreNotOverwrittenAnOpenFileOutlivesItsDeletion) {
  MemoryBackend os;
  os.AddFile("C:\\F\\r.ttf", "keep", sys::kAttrReadOnly);
  os.AddFile("C:\\F\\new.ttf", "new");
  EXPECT_EQ(os.CreateWrite("C:\\F\\r.ttf"), nullptr);
  EXPECT_FALSE(os.RemoveFile("C:\\F\\r.ttf"));
  EXPECT_FALSE(os.MoveFileReplace("C:\\F\\new.ttf", "C:\\F\\r.ttf"));
  EXPECT_FALSE(os.MoveFileReplace("C:\\F\\new.ttf", "C:\\F"));
  EXPECT_FALSE(os.CopyFileTo("C:\\F\\r.ttf", "C:\\F\\r.ttf", false));  // onto itself
  EXPECT_EQ(os.FileContent("C:\\F\\r.ttf"), "keep");
  EXPECT_EQ(os.FilesIn("c:\\f"), (std::vector<std::string>{"C:\\F\\new.ttf", "C:\\F\\r.ttf"}));

  os.AddFile("C:\\a.bin", "abc");
  auto file = os.OpenRead("C:\\a.bin");
  ASSERT_TRUE(os.RemoveFile("C:\\a.bin"));
  char buffer[4];
  size_t got = 0;
  EXPECT_TRUE(file->ReadAt(0, buffer, 4, got));
  EXPECT_EQ(std::string(buffer, got), "abc");
}

TEST(MemoryShell, OperationsAreRecordedDeletesWithUndoGoToTheBinFailuresChangeNothing) {
  MemoryBackend os;
  os.AddFile("C:\\F\\a.ttf", "a");
  os.AddFile("C:\\F\\b.TTF", "b");
  os.AddFile("C:\\F\\c.txt", "c");
  EXPECT_EQ(os.ShellFileOperation(sys::kFoDelete, sys::kFofAllowUndo | sys::kFofNoConfirmation,
                                  List({"C:\\F\\*.ttf"}), List({})), 0);
  EXPECT_EQ(os.RecycleBin(), (std::vector<std::string>{"C:\\F\\a.ttf", "C:\\F\\b.TTF"}));
  EXPECT_EQ(os.FilesIn("C:\\F"), std::vector<std::string>{"C:\\F\\c.txt"});

  ASSERT_EQ(os.ShellOps().size(), 1u);
  const auto& record = os.ShellOps()[0];
  EXPECT_EQ(record.op, sys::kFoDelete);
  EXPECT_EQ(record.flags, sys::kFofAllowUndo | sys::kFofNoConfirmation);
  EXPECT_EQ(record.from, std::vector<std::string>{"C:\\F\\*.ttf"});
  EXPECT_TRUE(record.to.empty());
  EXPECT_EQ(record.result, 0);

  // A failed operation changes nothing but is recorded too.
  os.FailShellOps(1223);
  EXPECT_EQ(os.ShellFileOperation(sys::kFoDelete, 0, List({"C:\\F\\c.txt"}), List({})), 1223);
  EXPECT_TRUE(os.HasFile("C:\\F\\c.txt"));
  EXPECT_EQ(os.RecycleBin().size(), 2u);
  ASSERT_EQ(os.ShellOps().size(), 2u);
  EXPECT_EQ(os.ShellOps()[1].result, 1223);
}

TEST(MemoryShell, FoldersMoveAndCopyWithTheirContent) {
  MemoryBackend os;
  os.AddFile("C:\\Src\\Sub\\x.ttf", "x");
  os.AddDirectory("C:\\Dest");
  ASSERT_EQ(os.ShellFileOperation(sys::kFoCopy, 0, List({"C:\\Src\\Sub"}), List({"C:\\Dest"})), 0);
  EXPECT_EQ(os.FileContent("C:\\Dest\\Sub\\x.ttf"), "x");
  ASSERT_EQ(os.ShellFileOperation(sys::kFoRename, 0, List({"C:\\Src\\Sub"}), List({"Renamed"})), 0);
  EXPECT_TRUE(os.HasFile("C:\\Src\\Renamed\\x.ttf"));
  EXPECT_FALSE(os.DirectoryExists("C:\\Src\\Sub"));
  // Two sources go into a folder made for them.
  os.AddFile("C:\\Src\\y.ttf", "y");
  ASSERT_EQ(os.ShellFileOperation(sys::kFoMove, 0, List({"C:\\Src\\Renamed\\x.ttf", "C:\\Src\\y.ttf"}),
                                  List({"C:\\New"})), 0);
  EXPECT_EQ(os.FilesIn("C:\\New"), (std::vector<std::string>{"C:\\New\\x.ttf", "C:\\New\\y.ttf"}));
  EXPECT_NE(os.ShellFileOperation(sys::kFoRename, 0, List({"C:\\New\\x.ttf"}), List({"y.ttf"})), 0);
  EXPECT_EQ(os.FileContent("C:\\New\\y.ttf"), "y");
}

TEST(MemoryFonts, ResourcesAreCountedPerPathWithoutRegardToCase) {
  MemoryBackend os;
  os.AddFile("C:\\F\\a.ttf", "font");
  EXPECT_EQ(os.AddFont("C:\\F\\a.ttf"), 1);
  EXPECT_EQ(os.AddFont("c:\\f\\A.TTF"), 1);
  EXPECT_EQ(os.FontResourceCount("C:\\F\\A.ttf"), 2);
  EXPECT_TRUE(os.RemoveFont("C:\\F\\a.ttf"));
  EXPECT_EQ(os.FontResourceCount("C:\\F\\a.ttf"), 1);
  EXPECT_EQ(os.FontsAdded().size(), 2u);
  EXPECT_EQ(os.FontsRemoved(), std::vector<std::string>{"C:\\F\\a.ttf"});

  os.FailRemoveFont("C:\\F\\a.ttf");
  EXPECT_FALSE(os.RemoveFont("C:\\F\\a.ttf"));
  os.AddFile("C:\\F\\b.ttf", "font");
  os.FailAddFont("C:\\F\\b.ttf");
  EXPECT_EQ(os.AddFont("C:\\F\\b.ttf"), 0);
  EXPECT_EQ(os.FontResourceCount("C:\\F\\b.ttf"), 0);

  os.BroadcastFontChange();
  EXPECT_EQ(os.Broadcasts(), 1);
}

TEST(MemoryInteraction, MessageBoxesAnswerFromTheQueueThenOk) {
  MemoryBackend os;
  os.QueueAnswer(sys::kIdNo);
  EXPECT_EQ(os.ShowMessageBox(L"Delete?", L"Confirm", sys::kMbYesNo), sys::kIdNo);
  EXPECT_EQ(os.ShowMessageBox(L"Done", L"Error", sys::kMbOk), sys::kIdOk);
  ASSERT_EQ(os.Messages().size(), 2u);
  EXPECT_EQ(os.Messages()[0].text, L"Delete?");
  EXPECT_EQ(os.Messages()[0].flags, sys::kMbYesNo);
  os.ClearMessages();
  EXPECT_TRUE(os.Messages().empty());

  int calls = 0;
  os.onProcessMessages = [&] { ++calls; };
  os.ProcessMessages();
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(os.ProcessMessagesCalls(), 1);
}

TEST(MemoryErrors, TextsAreWindowsOwnAndTheLastErrorIsPerThread) {
  MemoryBackend os;
  EXPECT_EQ(os.ErrorMessage(2), "The system cannot find the file specified.\r\n");
  EXPECT_EQ(os.ErrorMessage(183), "Cannot create a file when that file already exists.\r\n");
  EXPECT_EQ(os.ErrorMessage(5), "Access is denied.\r\n");
  EXPECT_EQ(os.ErrorMessage(12345), "");

  os.SetLastError(5);
  uint32_t seenThere = 99;
  std::thread([&] {
    seenThere = os.LastError();
    os.SetLastError(32);
  }).join();
  EXPECT_EQ(seenThere, 0u);
  EXPECT_EQ(os.LastError(), 5u);
}

TEST(MemoryBackendScope, TheGuardInstallsAndRestores) {
  MemoryBackend outer, inner;
  {
    sys::ScopedBackend one(outer);
    EXPECT_EQ(&sys::Current(), &outer);
    {
      sys::ScopedBackend two(inner);
      EXPECT_EQ(&sys::Current(), &inner);
    }
    EXPECT_EQ(&sys::Current(), &outer);
  }
  EXPECT_EQ(&sys::Current(), &sys::DefaultBackend());
}

}  // namespace
