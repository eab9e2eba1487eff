// The input controls together on one form, in a Chinese font, as the font
// window shows them. With VLM_HOLD_SECONDS set the form stays up that long,
// for a look at it.
#include <gtest/gtest.h>

#include <memory>

#include "sys/memory/MemoryBackend.h"
#include "tests/support/Input.h"
#include "tests/ui/TestWindow.h"
#include "views/EditSlider.h"
#include "views/FileDropHelper.h"
#include "views/FontNote.h"

namespace {

class TShowcaseForm : public TTestWindow {
 public:
  explicit TShowcaseForm(HFONT font) : TTestWindow(460, 330) {
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

TEST(InputShowcase, TheControlsTogetherInAChineseFont) {
  sys::MemoryBackend os;
  sys::ScopedBackend guard(os);
  os.AddFile("C:\\Notes\\WQY-MICROHEI.TXT",
             // 文泉驿微米黑：常用于屏幕显示的中文字体。 / 第二行备注
             "\xce\xc4\xc8\xaa\xe6\xe4\xce\xa2\xc3\xd7\xba\xda\xa3\xba\xb3\xa3\xd3\xc3\xd3\xda\xc6\xc1"
             "\xc4\xbb\xcf\xd4\xca\xbe\xb5\xc4\xd6\xd0\xce\xc4\xd7\xd6\xcc\xe5\xa1\xa3\n"
             "\xb5\xda\xb6\xfe\xd0\xd0\xb1\xb8\xd7\xa2 Second line");
  TFontHandle font(CreateFontW(-15, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0,
                               CLEARTYPE_QUALITY, 0, L"WenQuanYi Micro Hei"));
  ASSERT_TRUE(font);
  auto form = std::make_unique<TShowcaseForm>(font.Get());
  form->memNotes.SetNotesFolder("C:\\Notes");
  form->memNotes.SetNoteName("WQY-MICROHEI");
  input::Activate(form->Handle());

  EXPECT_EQ(form->memNotes.Text().substr(0, 5), L"文泉驿微米");
  EXPECT_EQ(form->esSampleSize.Box().Text(), L"36");
  EXPECT_EQ(form->esColumns.Width(), TEditSlider::kMinWidth);
  EXPECT_EQ(form->esColumns.Slider().Width(), TEditSlider::kMinWidth - 31 + 6);

  input::HoldForALook();
}

}  // namespace
