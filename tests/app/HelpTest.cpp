// The manual: F1 in the dialogs asks for their topics, a missing manual or
// viewer is named in one box, and under Wine the real viewer opens the built
// manual, stays one window and goes with the program.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/VLMAbout.h"
#include "app/VLMHelp.h"
#include "app/VLMOptionsForm.h"
#include "app/VLMQuestion.h"
#include "app/VLMRenameFile.h"
#include "data/VLMUtil.h"
#include "sys/codepage.h"
#include "sys/memory/MemoryBackend.h"
#include "tests/app/FrameFixture.h"
#include "tests/support/AnsweringBackend.h"
#include "tests/support/Input.h"
#include "tests/ui/TestWindow.h"

namespace {

constexpr char kManual[] = "C:\\Program Files\\Velmara\\VLM.chm";

// Shows `dialog` through the real loop, presses F1 in it and leaves with Esc.
void PressF1In(TDialog& dialog) {
  const ui::TScopedModalRunner runner([](TDialog& shown) {
    return ui::RunModalLoop(shown, [] {
      input::Press(VK_F1);
      input::Press(VK_ESCAPE);
    });
  });
  dialog.ShowModal();
}

class HelpKeys : public ::testing::Test {
 protected:
  HelpKeys() : owner(std::make_unique<TTestWindow>(500, 400)) { input::Activate(owner->Handle()); }
  std::vector<uint32_t> ContextsShown() const {
    std::vector<uint32_t> contexts;
    for (const auto& shown : os.HelpShown()) {
      EXPECT_EQ(shown.file, kManual);
      EXPECT_EQ(shown.window, "main");
      contexts.push_back(shown.context);
    }
    return contexts;
  }

  sys::MemoryBackend os;
  sys::ScopedBackend guard{os};
  std::unique_ptr<TTestWindow> owner;
};

TEST_F(HelpKeys, F1InEachDialogAsksTheManualForThatDialogsTopic) {
  os.AddFile(kManual, "manual");
  PressF1In(*std::make_unique<TfrmVLMRenameFile>(owner.get()));
  PressF1In(*std::make_unique<TfrmVLMQuestion>(owner.get()));
  PressF1In(*std::make_unique<TVLMAbout>(*owner));
  EXPECT_EQ(ContextsShown(), (std::vector<uint32_t>{3710, 3720, 3730}));
  EXPECT_TRUE(os.Messages().empty());
}

TEST_F(HelpKeys, AMissingManualOrViewerIsNamedInOneBox) {
  PressF1In(*std::make_unique<TVLMAbout>(*owner));
  ASSERT_EQ(os.Messages().size(), 1u);
  EXPECT_EQ(os.Messages()[0].caption, L"Error");
  EXPECT_NE(os.Messages()[0].text.find(sys::Widen(kManual)), std::wstring::npos) << os.Messages()[0].text;
  EXPECT_EQ(ContextsShown(), std::vector<uint32_t>{3730}) << "asked once, not again for the contents";

  os.ClearMessages();
  os.AddFile(kManual, "manual");
  os.LackHelpViewer();
  ShowHelpContents();
  ASSERT_EQ(os.Messages().size(), 1u);
  EXPECT_NE(os.Messages()[0].text.find(L"hhctrl.ocx"), std::wstring::npos) << os.Messages()[0].text;
  EXPECT_EQ(ContextsShown(), (std::vector<uint32_t>{3730, 0}));
}

// The program as if it stood beside the manual the build made.
class TBesideTheManual : public TAnsweringBackend {
 public:
  std::string ProgramPath() override {
    const std::string program = ExtractFilePath(Win32Backend::ProgramPath()) + "..\\src\\velmara.exe";
    char full[MAX_PATH] = {};
    GetFullPathNameA(program.c_str(), MAX_PATH, full, nullptr);
    return full;
  }
};

BOOL CALLBACK AddViewer(HWND window, LPARAM list) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  wchar_t kind[64] = {};
  GetClassNameW(window, kind, 64);
  if (process == GetCurrentProcessId() && std::wstring(kind) == L"HH Parent" && IsWindowVisible(window))
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

// The process's viewer windows.
std::vector<HWND> Viewers() {
  std::vector<HWND> found;
  EnumWindows(AddViewer, reinterpret_cast<LPARAM>(&found));
  return found;
}

std::wstring Caption(HWND window) {
  wchar_t text[128] = {};
  GetWindowTextW(window, text, 128);
  return text;
}

// Which topic the viewer shows cannot be read off Wine's viewer: its caption
// is the manual's title on every topic. tests/help/check_viewer.sh runs this
// test with Wine's trace of the viewer's pages and checks their order: the
// contents' first page, then the options topic.
TEST(HelpViewer, F1OpensTheManualAndTheOptionsTopicInOneViewerThatClosesWithTheProgram) {
  TBesideTheManual os;
  const sys::ScopedBackend guard(os);
  ASSERT_TRUE(os.FileExists(HelpFileName())) << HelpFileName() << ": build the manual first";
  auto frame = frame_test::Start();
  input::Activate(frame->Handle());

  input::Press(VK_F1);
  input::Pump(500);
  std::vector<HWND> viewers = Viewers();
  ASSERT_EQ(viewers.size(), 1u) << "F1 in the frame opens the viewer";
  const HWND viewer = viewers[0];
  EXPECT_EQ(Caption(viewer), L"Velmara 帮助");
  EXPECT_EQ(GetWindow(viewer, GW_OWNER), frame->Handle());

  size_t viewersInDialog = 0;
  {
    const ui::TScopedModalRunner runner([&](TDialog& shown) {
      return ui::RunModalLoop(shown, [&] {
        input::Press(VK_F1);
        input::Pump(500);
        viewersInDialog = Viewers().size();
        input::Activate(shown.Handle());
        input::Press(VK_ESCAPE);
      });
    });
    frame->mmViewOptionsClick();
  }
  EXPECT_EQ(viewersInDialog, 1u) << "the same viewer, now on the options topic";
  EXPECT_EQ(Viewers(), std::vector<HWND>{viewer}) << "it outlives the dialog";
  EXPECT_TRUE(os.boxes.empty());

  frame->mmFileExitClick();
  input::Pump(200);
  EXPECT_FALSE(IsWindow(viewer));
  EXPECT_TRUE(Viewers().empty());
}

}  // namespace
