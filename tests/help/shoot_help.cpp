// Takes the manual's pictures of the program: the frame on each page, the
// dialogs. Run by scripts/make-screenshots under Wine, in a prefix of its
// own; it writes one BMP per picture into the folder it is given.
//   shoot_help.exe FOLDER
#include <windows.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>

#include "app/VLMAbout.h"
#include "app/VLMChild.h"
#include "app/VLMMain.h"
#include "app/VLMOptionsForm.h"
#include "app/VLMQuestion.h"
#include "app/VLMRenameFile.h"
#include "app/VLMStatus.h"
#include "data/VLMOptions.h"
#include "data/VLMUtil.h"
#include "sys/codepage.h"
#include "sys/sys.h"
#include "tests/support/Input.h"
#include "tests/support/Screenshot.h"
#include "ui/Application.h"

namespace {

std::string g_folder;

// The window as the screen shows it, into FOLDER\NAME.bmp.
void Shoot(HWND window, const char* name) {
  input::Pump(400);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  input::Pump(300);
  RECT r{};
  GetWindowRect(window, &r);
  test_shots::SaveShot(window, g_folder + "\\" + name + ".bmp");
  std::printf("%s %ldx%ld\n", name, r.right - r.left, r.bottom - r.top);
}

// Runs `show` with a modal runner that shoots the dialog once it is up.
void ShootDialog(const char* name, const std::function<void()>& show,
                 const std::function<void(TDialog&)>& prepare = {}) {
  const ui::TScopedModalRunner runner([&](TDialog& dialog) {
    return ui::RunModalLoop(dialog, [&] {
      if (prepare) prepare(dialog);
      Shoot(dialog.Handle(), name);
      input::Activate(dialog.Handle());
      input::Press(VK_ESCAPE);
    });
  });
  show();
}

void WriteFile(const std::string& path, const std::string& text) {
  if (FILE* out = std::fopen(path.c_str(), "wb")) {
    std::fwrite(text.data(), 1, text.size(), out);
    std::fclose(out);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  g_folder = argv[1];
  // The settings the pictures show: a collections and a notes folder of
  // their own, with one collection and one note.
  // Where a user might keep them: the pictures show the folders.
  const std::string data = "C:\\Velmara\\";
  CreateDirectoryA(data.c_str(), nullptr);
  const std::string collections = data + "Collections\\";
  const std::string notes = data + "Notes\\";
  CreateDirectoryA(collections.c_str(), nullptr);
  CreateDirectoryA(notes.c_str(), nullptr);
  const std::string fonts = "Z:\\usr\\share\\fonts\\truetype\\dejavu\\";
  WriteFile(collections + sys::Utf8ToAnsi("标题字体") + ".VLM",
            "\"DejaVu Serif Bold\",\"" + fonts + "DejaVuSerif-Bold.ttf\"\r\n"
            "\"DejaVu Sans Bold\",\"" + fonts + "DejaVuSans-Bold.ttf\"\r\n"
            "\"DejaVu Sans Mono\",\"" + fonts + "DejaVuSansMono.ttf\"\r\n");
  WriteFile(collections + sys::Utf8ToAnsi("正文字体") + ".VLM", "");
  WriteFile(notes + "DEJAVUSERIF.TXT", sys::Utf8ToAnsi("用于报告的正文。\r\n粗体和斜体都已安装。"));
  {
    TVLMOptions options;
    options.SetCollectionsFolder(collections);
    options.SetNotesFolder(notes);
    options.Save();
  }

  // The layout the last run saved would open it elsewhere.
  DeleteKeyTree(sys::Hive::CurrentUser, SaveStatusKey());
  ui::InitControls();
  auto frame = std::make_unique<TfrmVLMMain>();
  frame->MakeMainForm();
  frame->SetBounds(0, 0, 820, 560);
  frame->Show();
  input::Pump(500);
  TfrmVLMChild& child = *frame->ActiveChild();
  RECT client{};
  GetClientRect(frame->ClientHandle(), &client);
  child.SetBounds(0, 0, client.right, client.bottom);
  input::Activate(frame->Handle());
  const auto select = [&](TFontList& list, const char* font) {
    list.SelectOnly(font);
    list.MakeFontVisible(font);
    child.FontListChange();
    input::Pump(300);
  };
  const auto view = [&](TTabSheet& page) {
    child.pcView.SetActivePage(&page);
    child.pcViewChange();
    input::Pump(300);
  };

  select(child.InstalledFontList, "DejaVu Serif");
  child.esSampleSize.SetValue(28);
  child.esSampleSizeChange();
  Shoot(frame->Handle(), "main");

  view(child.tsViewMulti);
  Shoot(frame->Handle(), "multi-sample");
  view(child.tsViewCharacters);
  Shoot(frame->Handle(), "characters");
  view(child.tsViewFontInfo);
  input::Pump(1500);  // read by a worker
  Shoot(frame->Handle(), "font-info");
  view(child.tsViewNotes);
  Shoot(frame->Handle(), "notes");

  view(child.tsViewSample);
  child.pcNav.SetActivePage(&child.tsNavCollections);
  child.pcNavChange(&child.pcNav);
  child.CollectionsList.SelectCollection(sys::Utf8ToAnsi("标题字体"));
  child.CollectionsListChange(&child.CollectionsList);
  select(child.CollectionsFontList, "DejaVu Serif Bold");
  Shoot(frame->Handle(), "collections");

  child.pcNav.SetActivePage(&child.tsNavBrowse);
  child.pcNavChange(&child.pcNav);
  child.DirTree.SetDirectory(UpperAscii(fonts));
  input::Pump(500);
  select(child.BrowseFontList, "DejaVu Sans");
  Shoot(frame->Handle(), "browse");

  ShootDialog("options", [&] { frame->mmViewOptionsClick(); });
  ShootDialog("rename", [&] {
    auto dialog = std::make_unique<TfrmVLMRenameFile>(&child);
    dialog->SetFontName("DejaVu Sans");
    dialog->SetFileName(fonts + "DejaVuSans.ttf");
    dialog->CenterOn(child);
    dialog->ShowModal();
  }, [](TDialog& dialog) {
    input::Type("sansbook");
    (void)dialog;
  });
  ShootDialog("new-collection", [&] {
    std::string answer;
    AskQuestion(L"创建新藏品", L"新藏品名称(&N):", &child, answer);
  });
  ShootDialog("about", [&] { frame->mmHelpAboutClick(); });

  frame->mmFileExitClick();
  return 0;
}
