#include "tests/app/FrameFixture.h"

#include <cstring>

#include "data/VLMUtil.h"
#include "sys/sys.h"
#include "tests/support/RealFonts.h"
#include "ui/Application.h"

namespace frame_test {

std::unique_ptr<TfrmVLMMain> Start() {
  ui::InitControls();
  auto frame = std::make_unique<TfrmVLMMain>();
  frame->Show();
  ui::ProcessMessages();
  return frame;
}

void ShowPage(TfrmVLMChild& child, TTabSheet& page) {
  child.pcNav.SetActivePage(&page);
  child.pcNavChange(&child.pcNav);
}

TFontList& Browse(TfrmVLMChild& child, const std::string& folder) {
  ShowPage(child, child.tsNavBrowse);
  EXPECT_TRUE(child.DirTree.SetDirectory(folder)) << folder;
  child.BrowseFontList.SetFocus();
  input::Settle();
  return child.BrowseFontList;
}

void SetClipboardText(const std::wstring& text) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  if (!text.empty()) {
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
    std::memcpy(GlobalLock(block), text.c_str(), bytes);
    GlobalUnlock(block);
    SetClipboardData(CF_UNICODETEXT, block);
  }
  CloseClipboard();
}

void MenuKeys(WORD menu, std::initializer_list<WORD> entries) {
  std::vector<std::function<void()>> steps = {[menu] { input::SendPress(menu, ssAlt); }};
  for (WORD entry : entries) steps.push_back([entry] { input::SendKey(entry); });
  input::Gesture(steps, 150);
}

TFontFolder::TFontFolder(const std::string& name) {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  path_ = UpperAscii(IncludeTrailingBackslash(temp) + name + "\\");
  Remove();  // whatever a run that failed left there
  sys::Current().MakeDirectory(path_);
}

TFontFolder::~TFontFolder() { Remove(); }

void TFontFolder::Remove() {
  // Deepest first: a folder goes once it is empty.
  std::vector<std::string> folders = {path_};
  for (size_t i = 0; i < folders.size(); ++i) {
    std::vector<sys::FindEntry> entries;
    sys::Current().FindFiles(folders[i] + "*", entries);
    for (const sys::FindEntry& entry : entries) {
      if (entry.IsDirectory())
        folders.push_back(folders[i] + entry.name + "\\");
      else
        sys::Current().RemoveFile(folders[i] + entry.name);
    }
  }
  for (auto it = folders.rbegin(); it != folders.rend(); ++it) RemoveDirectoryA(it->c_str());
}

std::string TFontFolder::Make(const std::string& below) {
  const std::string folder = UpperAscii(path_ + below);
  for (size_t at = path_.size(); (at = folder.find('\\', at)) != std::string::npos; ++at)
    sys::Current().MakeDirectory(folder.substr(0, at + 1));
  return folder;
}

bool TFontFolder::Copy(const std::string& from, const std::string& to) {
  return sys::Current().CopyFileTo(from, path_ + to, false);
}

std::vector<std::string> Files(const std::string& folder) {
  std::vector<sys::FindEntry> entries;
  sys::Current().FindFiles(folder + "*", entries);
  std::vector<std::string> names;
  for (const sys::FindEntry& entry : entries)
    if (!entry.IsDirectory()) names.push_back(entry.name);
  return names;
}

void SharedFrameTest::SetUp() {
  ASSERT_NE(frame_->ActiveChild(), nullptr);
  child_ = frame_->ActiveChild();
  input::Activate(frame_->Handle());
  os_->boxes.clear();
  os_->answers.clear();
  folderA_ = root_.Make("A\\");
  for (const RealFont* font : kRealFonts) {
    const std::string from = NativePath(*font);
    root_.Copy(from, "A\\" + ExtractFileName(from));
  }
  folderB_ = root_.Make("B\\");
}

bool SharedFrameTest::NewCollection(const std::string& name) {
  os_->RemoveFile(child_->CollectionsList.Path() + name + ".VLM");
  child_->CollectionsList.UpdateList();
  return child_->CollectionsList.NewCollection(name);
}

void SharedFrameTest::ShowCollection(const std::string& name) {
  ShowPage(child_->tsNavCollections);
  child_->CollectionsList.SelectCollection(name);
  child_->CollectionsListChange(nullptr);
}

void SharedFrameTest::DeleteSelectedCollection() {
  os_->answers = {sys::kIdYes};
  child_->pmCollectionsListDeleteClick();
}

}  // namespace frame_test
