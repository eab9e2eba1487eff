// What the tests of the frame and its font windows share: a frame started as
// the program starts it, pages shown as their tabs show them, the frame's
// menus by key, the clipboard, and folders of copied fonts that go again.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "app/VLMChild.h"
#include "app/VLMMain.h"
#include "tests/support/AnsweringBackend.h"
#include "tests/support/Input.h"
#include "tests/support/Screenshot.h"

namespace frame_test {

// The frame as the program makes it, shown, with the font windows it opens.
std::unique_ptr<TfrmVLMMain> Start();

// A navigation page shown as a click on its tab shows it.
void ShowPage(TfrmVLMChild& child, TTabSheet& page);

// The Browse page on `folder`, its list focused.
TFontList& Browse(TfrmVLMChild& child, const std::string& folder);

using test_shots::SaveShot;

// The clipboard holding `text` alone (as Unicode text), or nothing for "".
void SetClipboardText(const std::wstring& text);

// Alt+`menu`, then each entry's key. The menu loop is modal, so the keys come
// from another thread while it runs.
void MenuKeys(WORD menu, std::initializer_list<WORD> entries);

// The names of the files in `folder` (not of its subfolders).
std::vector<std::string> Files(const std::string& folder);

// A folder of the test's own in the temporary folder, spelt as the tree
// reports it (upper case, "\" at the end); empty at first, removed with all
// it holds at the end.
class TFontFolder {
 public:
  explicit TFontFolder(const std::string& name);
  ~TFontFolder();
  TFontFolder(const TFontFolder&) = delete;
  TFontFolder& operator=(const TFontFolder&) = delete;

  const std::string& Path() const { return path_; }
  // A folder below it ("A\\", "B\\C\\"), made with those above it.
  std::string Make(const std::string& below);
  // A copy of `from` at `to`, a name below the folder.
  bool Copy(const std::string& from, const std::string& to);

 private:
  void Remove();
  std::string path_;
};

// A suite that shares one frame, started before its first test and closed
// after its last, on the product's backend with message boxes answered by
// the test; each test starts on the active font window, in front, with two
// folders of its own (A with copies of the real fonts, B empty), and leaves
// it on its Installed page.
class SharedFrameTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    os_ = new TAnsweringBackend;
    guard_ = new sys::ScopedBackend(*os_);
    frame_ = Start().release();
  }
  static void TearDownTestSuite() {
    delete frame_;
    frame_ = nullptr;
    delete guard_;
    delete os_;
  }
  void SetUp() override;
  void TearDown() override {
    if (child_) ShowPage(child_->tsNavInstalled);
  }

  void ShowPage(TTabSheet& page) { frame_test::ShowPage(*child_, page); }
  TFontList& Browse(const std::string& folder) { return frame_test::Browse(*child_, folder); }
  // A new, empty collection, whatever an earlier failed run left behind.
  bool NewCollection(const std::string& name);
  // The Collections page on `name`.
  void ShowCollection(const std::string& name);
  // The selected collection deleted, the question answered Yes.
  void DeleteSelectedCollection();

  static inline TAnsweringBackend* os_ = nullptr;
  static inline sys::ScopedBackend* guard_ = nullptr;
  static inline TfrmVLMMain* frame_ = nullptr;
  TfrmVLMChild* child_ = nullptr;
  // A folder of its own per test: a list shown the same folder again keeps its rows.
  static inline int serial_ = 0;
  TFontFolder root_{"vlm-frame-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++serial_)};
  std::string folderA_, folderB_;
};

}  // namespace frame_test
