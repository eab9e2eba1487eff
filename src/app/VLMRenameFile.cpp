#include "app/VLMRenameFile.h"

#include "app/HelpContexts.h"
#include "app/VLMHelp.h"
#include "data/VLMUtil.h"
#include "sys/codepage.h"

namespace {
constexpr char kTrueTypeExt[] = ".ttf";
}

TfrmVLMRenameFile::TfrmVLMRenameFile(const TControl* owner)
    : TDialog(owner, L"重命名字体文件", 372, 191) {
  const ui::TScale px(*this);
  SetFont(ui::SongFont(px.Dpi()));
  const int editLeft = px(84);
  const int editWidth = px(372) - editLeft - px(10);
  int top = px(10);
  for (auto [label, edit] : {std::pair{&lblFontName, &edtFontName}, std::pair{&lblFolder, &edtFolder},
                             std::pair{&lblOrigName, &edtOrigName}, std::pair{&lblNewName, &edtNewName}}) {
    label->SetBounds(px(10), top + px(4), editLeft - px(14), px(14));
    label->SetFocusControl(edit);
    edit->SetBounds(editLeft, top, editWidth, px(21));
    top += px(edit == &edtOrigName ? 38 : 28);
  }
  // Read-only edits draw on the greyed background; their text can still be copied.
  for (TEdit* shown : {&edtFontName, &edtFolder, &edtOrigName}) shown->SetReadOnly(true);
  // Clear of the OK button's row below it.
  btnFontName.SetBounds(editLeft, top + px(1), px(130), px(22));
  btnFontName.SetEnabled(false);
  btnFontName.OnClick = [this] { btnFontNameClick(); };
  btnOK.SetBounds(px(372 - 10 - 75 - 6 - 75), px(191 - 10 - 25), px(75), px(25));
  btnOK.SetDefault(true);
  btnOK.SetEnabled(false);
  btnOK.ModalResult = mrOK;
  btnCancel.SetBounds(px(372 - 10 - 75), px(191 - 10 - 25), px(75), px(25));
  btnCancel.SetCancel(true);
  btnCancel.ModalResult = mrCancel;
  edtNewName.OnChange = [this] { edtNewNameChange(); };
  OnShow = [this] { edtNewName.SetFocus(); };
  ShowHelpOnF1(*this, IDH_RENAME_FILE);
}

void TfrmVLMRenameFile::SetFontName(std::string_view fontName) {
  if (FFontName == fontName) return;
  FFontName = fontName;
  edtFontName.SetText(sys::Widen(FFontName));
  btnFontName.SetEnabled(!FFontName.empty());
}

void TfrmVLMRenameFile::SetFileName(std::string_view fileName) {
  if (FFileName == fileName) return;
  FFileName = fileName;
  edtFolder.SetText(sys::Widen(ExtractFilePath(FFileName)));
  edtOrigName.SetText(sys::Widen(ExtractFileName(FFileName)));
}

std::string TfrmVLMRenameFile::NewFileName() const {
  std::string name = sys::Narrow(edtFolder.Text()) + sys::Narrow(edtNewName.Text());
  if (ExtractFileExt(name).empty()) name += kTrueTypeExt;
  return name;
}

void TfrmVLMRenameFile::edtNewNameChange() {
  btnOK.SetEnabled(!Trim(sys::Narrow(edtNewName.Text())).empty());
}

void TfrmVLMRenameFile::btnFontNameClick() { edtNewName.SetText(sys::Widen(FFontName + kTrueTypeExt)); }
