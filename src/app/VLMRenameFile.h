// The rename dialog: proposes a new file name for a font file, offering the
// font's name. It renames nothing; the caller reads NewFileName.
#pragma once

#include <string>
#include <string_view>

#include "ui/Controls.h"

class TfrmVLMRenameFile : public TDialog {
 public:
  explicit TfrmVLMRenameFile(const TControl* owner);

  void SetFontName(std::string_view fontName);
  void SetFileName(std::string_view fileName);
  // The folder and the new name; ".ttf" appended when the name has no extension.
  std::string NewFileName() const;

  TLabel lblFontName{*this, L"字体名称:"};
  TEdit edtFontName{*this};
  TLabel lblFolder{*this, L"文件夹:"};
  TEdit edtFolder{*this};
  TLabel lblOrigName{*this, L"原始名称:"};
  TEdit edtOrigName{*this};
  TLabel lblNewName{*this, L"新名称(&N):"};
  TEdit edtNewName{*this};
  TButton btnFontName{*this, L"使用字体名称(&F)"};
  TButton btnOK{*this, L"确定(&O)"};
  TButton btnCancel{*this, L"取消"};

 private:
  void edtNewNameChange();
  void btnFontNameClick();

  std::string FFontName;
  std::string FFileName;
};
