#include <memory>
#include <new>
#include <system_error>
#include <thread>
#include <utility>

#include "sys/codepage.h"
#include "tests/views/FontInfoPanelFixture.h"

using namespace info_test;

namespace {
enum : size_t { kNames = 0, kVersion = 1, kCopyright = 2, kMaker = 4, kDesigner = 5, kMetrics = 8, kWindows = 9 };
}  // namespace

TEST_F(InfoPanelTest, SectionsOfAFontWithAndWithoutAVendorAddress) {
  EXPECT_FALSE(panel->Visible());
  EXPECT_EQ(GetWindow(panel->Handle(), GW_CHILD), nullptr) << "no labels before the first font";
  auto withUrl = Record({.name = "Alpha", .maker = "Maker & Co", .vendorUrl = "http://maker.example",
                         .descender = -512, .weight = 450});
  auto withoutUrl = Record({.name = "Beta", .maker = "Maker & Co"});
  auto bare = Record({.name = "Gamma", .version = " \r\n"});
  const int opensBefore = os.Opens();
  panel->ShowFont(withUrl.get());
  EXPECT_FALSE(panel->Visible());
  WaitForWorkers();
  // The worker read the file once, into its own copy, and the labels show
  // that: the list's record is left as its scan made it.
  EXPECT_EQ(os.Opens() - opensBefore, 1);
  EXPECT_FALSE(withUrl->InfoRead());
  EXPECT_TRUE(panel->Visible());
  EXPECT_EQ(panel->StepCounts().clears, 1);
  EXPECT_EQ(panel->StepCounts().fills, 1);
  EXPECT_EQ(panel->StepCounts().layouts, 1);
  EXPECT_EQ(panel->StepCounts().dropped, 0);

  EXPECT_EQ(panel->Section(kNames).captions[0]->Text(), L"字体名称:");
  EXPECT_EQ(Value(kNames, 0), L"Alpha");
  EXPECT_EQ(Value(kNames, 3), L"PostName");
  EXPECT_EQ(panel->Section(kMetrics).captions[0]->Text(), L"Units per Em:");
  EXPECT_EQ(Value(kMetrics, 0), L"2048");
  EXPECT_EQ(Value(kMetrics, 2), L"-512");
  EXPECT_EQ(Value(kWindows, 0), L"Unknown (450)");
  EXPECT_EQ(Value(kWindows, 1), L"Medium (Normal)");
  EXPECT_EQ(Value(kWindows, 6), L"No");
  EXPECT_EQ(Value(kWindows, 12), L"Yes");
  EXPECT_EQ(Value(kMaker), L"Maker & Co");
  const TFontInfoPanel::TSectionView& maker = panel->Section(kMaker);
  EXPECT_EQ(maker.link->Text(), L"http://maker.example");
  EXPECT_EQ(maker.link->Url(), "http://maker.example");
  EXPECT_GT(maker.link->Height(), 0);
  EXPECT_TRUE(maker.header->Visible());
  // No copyright, no designer: their sections are gone and take no space.
  for (size_t s : {kCopyright, kDesigner}) {
    EXPECT_FALSE(panel->Section(s).header->Visible()) << s;
    EXPECT_FALSE(panel->Section(s).line->Visible()) << s;
    EXPECT_FALSE(panel->Section(s).values[0]->Visible()) << s;
  }
  EXPECT_FALSE(panel->Section(kDesigner).link->Visible());
  const int metricsTop = panel->Section(kMetrics).header->Top();
  const int linkHeight = maker.link->Height();

  // A maker without an address keeps its section with an empty link line.
  panel->ShowFont(withoutUrl.get());
  WaitForWorkers();
  EXPECT_EQ(Value(kNames, 0), L"Beta");
  EXPECT_TRUE(maker.header->Visible());
  EXPECT_TRUE(maker.link->Visible());
  EXPECT_EQ(maker.link->Text(), L"");
  EXPECT_EQ(maker.link->Height(), 0);
  EXPECT_EQ(panel->Section(kMetrics).header->Top(), metricsTop - linkHeight);

  // Neither a maker nor a version worth showing: both sections go, the rest moves up.
  panel->ShowFont(bare.get());
  WaitForWorkers();
  EXPECT_FALSE(maker.header->Visible());
  EXPECT_FALSE(panel->Section(kVersion).header->Visible());
  EXPECT_EQ(panel->Section(kMetrics).header->Top(), panel->Section(kVersion).header->Top());
  EXPECT_TRUE(panel->Section(kNames).header->Visible());

  // None: cleared and hidden.
  panel->ShowFont(nullptr);
  WaitForWorkers();
  EXPECT_FALSE(panel->Visible());
  EXPECT_EQ(Value(kNames, 0), L"");
  EXPECT_EQ(panel->StepCounts().fills, 3);
  EXPECT_EQ(panel->StepCounts().layouts, 4);
}

TEST_F(InfoPanelTest, AnUnreadableFontShowsAsItsRecordStandsWithoutAMessage) {
  // Broken at its scan: it stays so, though its file is back by now.
  const std::string path = "C:\\FONTS\\Lost.TTF";
  os.AddDirectory("C:\\FONTS");
  TFontFileInfo broken;
  broken.SetFileName(path);
  ASSERT_TRUE(broken.Bad());
  const std::wstring error = sys::Widen(broken.FontName());
  ASSERT_FALSE(error.empty());  // the system's error text
  os.AddFile(path, FontFile({.name = "Lost"}));
  panel->ShowFont(&broken);
  WaitForWorkers();
  EXPECT_TRUE(broken.Bad());
  EXPECT_TRUE(panel->Visible());
  EXPECT_EQ(Value(kNames, 0), error);
  EXPECT_EQ(Value(kNames, 1), L"");
  EXPECT_EQ(Value(kMetrics, 0), L"0");
  EXPECT_EQ(Value(kWindows, 12), L"No");

  // Good at its scan, its file gone since: the panel says so, the list's
  // record is the list's.
  auto gone = Record({.name = "Gone"});
  os.RemoveFile("C:\\FONTS\\Gone.TTF");
  panel->ShowFont(gone.get());
  WaitForWorkers();
  EXPECT_FALSE(gone->Bad());
  EXPECT_EQ(Value(kNames, 0), error);
  EXPECT_TRUE(os.Messages().empty());
}

// Resizes the panel the first time the label it watches is moved, as a
// user's drag may while the labels are placed.
TFontInfoPanel* g_resizeOnMove = nullptr;
WNDPROC g_watchedProc = nullptr;
LRESULT CALLBACK ResizeOnMoveProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_WINDOWPOSCHANGED && g_resizeOnMove)
    std::exchange(g_resizeOnMove, nullptr)->SetBounds(0, 0, 300, 460);
  return ::CallWindowProcW(g_watchedProc, window, message, w, l);
}

TEST_F(InfoPanelTest, AResizeWhileTheLabelsArePlacedIsLaidOutToo) {
  auto alpha = Record({.name = "Alpha", .maker = "Maker"});
  auto beta = Record({.name = "Beta"});  // no maker: the sections below it move up
  panel->ShowFont(alpha.get());
  WaitForWorkers();
  panel->SetBounds(0, 0, 300, 460);
  input::Settle();
  const int narrowLine = panel->Section(kNames).line->Width();
  panel->SetBounds(0, 0, 400, 460);
  input::Settle();
  ASSERT_GT(panel->Section(kNames).line->Width(), narrowLine);

  const HWND watched = panel->Section(kMetrics).header->Handle();
  g_watchedProc = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrW(watched, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ResizeOnMoveProc)));
  g_resizeOnMove = panel.get();
  panel->ShowFont(beta.get());
  WaitForWorkers();
  ::SetWindowLongPtrW(watched, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_watchedProc));
  ASSERT_EQ(g_resizeOnMove, nullptr) << "the label was moved";
  EXPECT_EQ(panel->Width(), 300);
  EXPECT_EQ(panel->Section(kNames).line->Width(), narrowLine);
  EXPECT_TRUE(panel->Visible());
  EXPECT_EQ(Value(kNames, 0), L"Beta");
}

namespace {

// The place of a list's record: a rescan frees it and makes the file's new
// record, which an allocator may put where the freed one was; here it always
// goes there.
class TRecordPlace {
 public:
  TRecordPlace() = default;
  TRecordPlace(const TRecordPlace&) = delete;
  TRecordPlace& operator=(const TRecordPlace&) = delete;
  ~TRecordPlace() { Free(); }
  TFontFileInfo* Make(const std::string& path) {
    Free();
    record_ = new (storage_) TFontFileInfo;
    record_->SetFileName(path);
    return record_;
  }
  void Free() {
    if (record_) std::destroy_at(std::exchange(record_, nullptr));
  }

 private:
  alignas(TFontFileInfo) unsigned char storage_[sizeof(TFontFileInfo)];
  TFontFileInfo* record_ = nullptr;
};

}  // namespace

TEST_F(InfoPanelTest, TenQuickShowFontsEndOnTheLastFontEvenWhenTheListIsRescannedBeforeItsFill) {
  std::vector<std::unique_ptr<TFontFileInfo>> scan;
  for (int i = 0; i < 9; ++i) scan.push_back(Record({.name = "Font" + std::to_string(i)}));
  const std::string lastPath = "C:\\FONTS\\LAST.TTF";
  os.AddFile(lastPath, FontFile({.name = "Last"}));
  TRecordPlace place;
  TFontFileInfo* last = place.Make(lastPath);
  for (auto& record : scan) panel->ShowFont(record.get());
  panel->ShowFont(last);
  panel->ShowFont(last);  // the same record again starts nothing
  // One per font; on a busy machine the first may have ended its pause already.
  EXPECT_LE(panel->RunningWorkers(), 10u);
  EXPECT_GE(panel->RunningWorkers(), 1u);
  // Every worker reads its file and hands its steps over; no message runs,
  // so the last one's fill is still waiting.
  for (int i = 0; i < 2000 && panel->RunningWorkers() > 0; ++i) Sleep(5);
  ASSERT_EQ(panel->RunningWorkers(), 0u);

  // The file is replaced and the list rescanned, in the program's order:
  // every record freed, the new ones made, messages let in while it scans,
  // then the list's new selection shown.
  os.AddFile(lastPath, FontFile({.name = "Last Two", .version = "Version 2.00"}));
  scan.clear();
  TFontFileInfo* renewed = place.Make(lastPath);
  ASSERT_EQ(renewed, last);
  ui::ProcessMessages();
  panel->ShowFont(renewed);
  WaitForWorkers();
  EXPECT_EQ(renewed->FontName(), "Last Two") << "the new record took the old file's values";
  EXPECT_FALSE(renewed->InfoRead());
  EXPECT_TRUE(panel->Visible());
  EXPECT_EQ(Value(kNames, 0), L"Last Two");
  EXPECT_EQ(Value(kVersion), L"Version 2.00");
  // The nine workers before the last were stale; the last one's steps ran,
  // then those of the new record's.
  EXPECT_EQ(panel->StepCounts().dropped, 9 * 3);
  EXPECT_EQ(panel->StepCounts().clears, 2);
  EXPECT_EQ(panel->StepCounts().fills, 2);
  EXPECT_EQ(panel->StepCounts().layouts, 2);
}

// Memory runs out whenever a thread other than the window's opens a file.
class WorkerOutOfMemory : public sys::MemoryBackend {
 public:
  std::unique_ptr<sys::InFile> OpenRead(std::string_view path) override {
    if (std::this_thread::get_id() != window_) throw std::bad_alloc();
    return MemoryBackend::OpenRead(path);
  }

 private:
  const std::thread::id window_ = std::this_thread::get_id();
};

TEST_F(InfoPanelTest, AWorkerOutOfMemoryEndsAloneAndTheFontIsShownAllTheSame) {
  WorkerOutOfMemory starved;
  sys::ScopedBackend starvedGuard(starved);
  const std::string path = "C:\\FONTS\\Starved.TTF";
  starved.AddFile(path, FontFile({.name = "Starved", .maker = "Maker"}));
  TFontFileInfo record;
  record.SetFileName(path);
  panel->ShowFont(&record);
  WaitForWorkers();
  EXPECT_TRUE(panel->Visible());
  EXPECT_EQ(Value(kNames, 0), L"Starved");
  EXPECT_EQ(Value(kNames, 1), L"Family");
  EXPECT_EQ(Value(kMaker), L"Maker");
  EXPECT_FALSE(record.Bad());
}

TEST_F(InfoPanelTest, WithNoThreadToGiveTheWindowThreadShowsTheFont) {
  panel->SetThreadStarter([](std::function<void()>) -> std::thread {
    throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
  });
  auto alpha = Record({.name = "Alpha", .maker = "Maker"});
  panel->ShowFont(alpha.get());
  EXPECT_EQ(panel->RunningWorkers(), 0u);
  input::Settle();
  EXPECT_TRUE(panel->Visible());
  EXPECT_EQ(Value(kNames, 0), L"Alpha");
  EXPECT_EQ(Value(kMaker), L"Maker");
  EXPECT_EQ(panel->StepCounts().fills, 1);
}

TEST_F(InfoPanelTest, DestroyingThePanelOrItsWindowWithWorkersRunning) {
  std::vector<std::unique_ptr<TFontFileInfo>> records;
  for (int i = 0; i < 10; ++i) records.push_back(Record({.name = "F" + std::to_string(i)}));
  for (auto& record : records) panel->ShowFont(record.get());
  ASSERT_EQ(panel->RunningWorkers(), 10u);
  panel.reset();  // wakes the sleeping workers and waits for them
  input::Pump(150);

  // The window goes first (the user closed it), the panel object after.
  panel = std::make_unique<TFontInfoPanel>(*form);
  for (auto& record : records) panel->ShowFont(record.get());
  DestroyWindow(form->Handle());
  input::Pump(150);
  EXPECT_EQ(panel->Handle(), nullptr);
  EXPECT_EQ(panel->StepCounts().fills, 0);
  panel.reset();
}

TEST_F(InfoPanelTest, LinksOpenOnlyWebAddresses) {
  auto good = Record({.name = "Good", .maker = "M", .vendorUrl = "https://maker.example/fonts"});
  auto program = Record({.name = "Program", .maker = "M", .vendorUrl = "C:\\Windows\\system32\\cmd.exe"});
  auto file = Record({.name = "File", .maker = "M", .vendorUrl = "file:"});
  TLinkLabel& link = *panel->Section(kMaker).link;
  for (auto* record : {program.get(), file.get(), good.get()}) {
    panel->ShowFont(record);
    WaitForWorkers();
    ASSERT_TRUE(link.Visible());
    input::PostClick(link.Handle(), 2, 2);
  }
  EXPECT_EQ(os.UrlsOpened(), (std::vector<std::string>{"https://maker.example/fonts"}));
  EXPECT_EQ(link.Text(), L"https://maker.example/fonts");
}
