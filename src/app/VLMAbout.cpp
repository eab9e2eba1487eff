#include "app/VLMAbout.h"

#include "app/HelpContexts.h"
#include "app/VLMHelp.h"

TVLMAbout::TVLMAbout(const TControl& owner) : TDialog(&owner, L"关于 Velmara", 260, 118) {
  SetFont(ui::SongFont());
  nameFont_ = ui::CreateFontByNames({L"宋体", L"SimSun", L"WenQuanYi Micro Hei", L"文泉驿微米黑"}, 16, FW_BOLD);
  lblName.SetFont(nameFont_.Get());
  lblName.SetBounds(16, 14, 228, 22);
  lblVersion.SetBounds(16, 42, 228, 14);
  lblCopyright.SetBounds(16, 60, 228, 14);
  btnOK.SetBounds(92, 84, 75, 25);
  btnOK.SetDefault(true);
  btnOK.SetCancel(true);
  btnOK.ModalResult = mrOK;
  CenterOn(owner);
  ShowHelpOnF1(*this, IDH_ABOUT);
}
