#include "app/VLMHelp.h"

#include "data/VLMUtil.h"
#include "sys/codepage.h"
#include "sys/sys.h"
#include "ui/Form.h"

namespace {

// The manual's one viewer window (help/VLM.hhp).
constexpr char kWindow[] = "main";

void ShowHelp(uint32_t context) {
  const std::string file = HelpFileName();
  sys::Backend& os = sys::Current();
  sys::HelpResult result = os.ShowHelp(file, kWindow, context);
  // A topic the map lacks is no reason to show nothing: the contents then.
  if (result == sys::HelpResult::NoTopic && context) result = os.ShowHelp(file, kWindow, 0);
  const std::wstring path = sys::Widen(file);
  switch (result) {
    case sys::HelpResult::Shown:
      break;
    case sys::HelpResult::NoManual:
      ShowError(ReplacePercent(L"找不到帮助文件 %.\r\n\r\n它应该和 Velmara 的程序在同一个文件夹中.", path), false);
      break;
    case sys::HelpResult::NoViewer:
      ShowError(ReplacePercent(L"不能显示帮助, 因为你的计算机缺少系统文件 %.",
                               sys::Widen(sys::kHelpViewerLibrary)),
                false);
      break;
    case sys::HelpResult::NoTopic:
      ShowError(ReplacePercent(L"不能打开帮助文件 %.", path), false);
      break;
  }
}

}  // namespace

std::string HelpFileName() { return ExtractFilePath(sys::Current().ProgramPath()) + "VLM.chm"; }

void ShowHelpContext(uint32_t context) { ShowHelp(context); }

void ShowHelpContents() { ShowHelp(0); }

void QuitHelp() { sys::Current().CloseHelp(); }

void ShowHelpOnF1(TForm& form, uint32_t context) {
  form.KeyPreview = true;
  form.OnKeyDown = [previous = form.OnKeyDown, context](WORD& key, TShiftState shift) {
    if (key == VK_F1 && shift == 0) {
      key = 0;
      ShowHelpContext(context);
      return;
    }
    if (previous) previous(key, shift);
  };
}
