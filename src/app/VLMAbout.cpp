#include "app/VLMAbout.h"

#include "app/HelpContexts.h"
#include "app/VLMHelp.h"

TVLMAbout::TVLMAbout(const TControl& owner) : TDialog(&owner, L"关于 Velmara", 260, 118) {
  const ui::TScale px(*this);
  SetFont(ui::SongFont(px.Dpi()));
  nameFont_ = ui::CreateFontByNames({L"宋体", L"SimSun", L"WenQuanYi Micro Hei", L"文泉驿微米黑"}, px(16), FW_BOLD);
  lblName.SetFont(nameFont_.Get());
  lblName.SetBounds(px(16), px(14), px(228), px(22));
  lblVersion.SetBounds(px(16), px(42), px(228), px(14));
  lblCopyright.SetBounds(px(16), px(60), px(228), px(14));
  btnOK.SetBounds(px(92), px(84), px(75), px(25));
  btnOK.SetDefault(true);
  btnOK.SetCancel(true);
  btnOK.ModalResult = mrOK;
  CenterOn(owner);
  ShowHelpOnF1(*this, IDH_ABOUT);
}
