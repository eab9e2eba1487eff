// Views put on screen for a look or a screenshot, outside the test suite:
//   look inputs [SECONDS]
//   look fontinfo [SECONDS [FONTFILE]]
// keeps the scene up for SECONDS (else VLM_HOLD_SECONDS, else 10), handling
// its messages, then scrolls or closes it. FONTFILE is a Windows path, by
// default DejaVu Serif's.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "data/FontFileInfo.h"
#include "sys/codepage.h"
#include "sys/memory/MemoryBackend.h"
#include "sys/sys.h"
#include "tests/support/Input.h"
#include "tests/ui/TestWindow.h"
#include "views/EditSlider.h"
#include "views/FileDropHelper.h"
#include "views/FontInfoPanel.h"
#include "views/FontNote.h"

namespace {

int g_seconds = 10;

void Hold() { input::Pump(static_cast<DWORD>(g_seconds) * 1000); }

// The input controls together in a Chinese font, as the font window shows them.
class TInputsForm : public TTestWindow {
 public:
  explicit TInputsForm(HFONT font) : TTestWindow(460, 330) {
    SetFont(font);
    SetClientSize(440, 290);
    lblSize.SetBounds(10, 14, 60, 16);
    esSampleSize.SetBounds(80, 10, 160, 21);
    lblColumns.SetBounds(10, 44, 60, 16);
    esColumns.SetBounds(80, 40, 40, 21);  // raised to its minimum width
    cmbText.SetBounds(260, 10, 170, 200);
    edtSample.SetBounds(260, 40, 170, 21);
    memNotes.SetBounds(10, 75, 420, 205);
    esSampleSize.SetMinValue(4);
    esSampleSize.SetMaxValue(128);
    esSampleSize.SetValue(36);
    esColumns.SetMinValue(1);
    esColumns.SetMaxValue(20);
    esColumns.SetValue(16);
    cmbText.SetItems({L"永和九年，岁在癸丑", L"The quick brown fox"});
    cmbText.SetText(L"永和九年，岁在癸丑");
    edtSample.SetText(L"中文字体 AaBbCc 123");
  }
  TLabel lblSize{*this, L"大小(&S):"};
  TEditSlider esSampleSize{*this};
  TLabel lblColumns{*this, L"列数(&C):"};
  TEditSlider esColumns{*this};
  TComboBox2 cmbText{*this};
  TEdit2 edtSample{*this};
  TFontNote memNotes{*this};
  TFileDropHelper fdhNotes{memNotes};
};

int Inputs() {
  sys::MemoryBackend os;
  sys::ScopedBackend guard(os);
  os.AddFile("C:\\Notes\\WQY-MICROHEI.TXT",
             // 文泉驿微米黑：常用于屏幕显示的中文字体。 / 第二行备注
             "\xce\xc4\xc8\xaa\xe6\xe4\xce\xa2\xc3\xd7\xba\xda\xa3\xba\xb3\xa3\xd3\xc3\xd3\xda\xc6\xc1"
             "\xc4\xbb\xcf\xd4\xca\xbe\xb5\xc4\xd6\xd0\xce\xc4\xd7\xd6\xcc\xe5\xa1\xa3\n"
             "\xb5\xda\xb6\xfe\xd0\xd0\xb1\xb8\xd7\xa2 Second line");
  TFontHandle font(CreateFontW(-15, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0,
                               CLEARTYPE_QUALITY, 0, L"WenQuanYi Micro Hei"));
  auto form = std::make_unique<TInputsForm>(font.Get());
  form->memNotes.SetNotesFolder("C:\\Notes");
  form->memNotes.SetNoteName("WQY-MICROHEI");
  input::Activate(form->Handle());
  Hold();
  return 0;
}

// A font file's tables in the information panel: the top, then the end.
int FontInfo(const std::string& path) {
  TFontFileInfo record;
  record.SetFileName(path);
  if (record.Bad()) {
    std::fprintf(stderr, "look: %s: %s\n", path.c_str(), record.FontName().c_str());
    return 1;
  }
  TTestWindow window(460, 720);
  window.SetText(L"字体信息 - " + sys::Widen(record.FontName()));
  TFontInfoPanel info(window);
  info.SetAlign(alClient);
  input::Activate(window.Handle());
  info.ShowFont(&record);
  for (int i = 0; i < 400 && (info.RunningWorkers() > 0 || !info.Visible()); ++i) input::Pump(5);
  Hold();
  info.Perform(WM_VSCROLL, SB_BOTTOM);
  Hold();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 2) {
    g_seconds = std::atoi(argv[2]);
  } else if (const char* seconds = std::getenv("VLM_HOLD_SECONDS")) {
    g_seconds = std::atoi(seconds);
  }
  const std::string scene = argc > 1 ? argv[1] : "";
  if (scene == "inputs") return Inputs();
  if (scene == "fontinfo")
    return FontInfo(argc > 3 ? argv[3] : "Z:\\usr\\share\\fonts\\truetype\\dejavu\\DejaVuSerif.ttf");
  std::fprintf(stderr, "usage: look inputs [SECONDS] | look fontinfo [SECONDS [FONTFILE]]\n");
  return 2;
}
