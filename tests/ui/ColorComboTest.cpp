// The colour combo box: what it gives back for what it was set to, and the
// other-colour entry answered in the user's place, by keys.
#include <gtest/gtest.h>

#include <vector>

#include "tests/support/Input.h"
#include "TestWindow.h"
#include "widgets/ColorCombo.h"

namespace {

constexpr int32_t kSystemWindowText = int32_t(0x80000008u);

TEST(ColorCombo, ASystemColourShowsAsItsRgbAndStaysOneUntilTheUserChoosesByKeys) {
  TTestWindow form;
  TColorComboBox combo(form);
  int changes = 0;
  combo.OnChange = [&] { ++changes; };
  EXPECT_EQ(combo.ColourCount(), 16);
  combo.SetColour(kSystemWindowText);
  EXPECT_EQ(combo.Colour(), kSystemWindowText);
  EXPECT_EQ(combo.Selected(), GetSysColor(COLOR_WINDOWTEXT));

  combo.SetSelected(RGB(1, 2, 3));
  combo.SetSelected(RGB(255, 0, 0));
  combo.SetSelected(RGB(1, 2, 3));
  EXPECT_EQ(combo.ColourCount(), 17) << "one entry for the colour of no name, once";
  EXPECT_EQ(combo.Colours(16), RGB(1, 2, 3));
  EXPECT_EQ(combo.Colour(), static_cast<int32_t>(RGB(1, 2, 3)));
  EXPECT_EQ(combo.ItemName(0), L"黑色");
  EXPECT_EQ(combo.ItemName(16), L"#010203");
  EXPECT_EQ(combo.ItemName(17), L"其他...") << "the other-colour entry stays last";
  EXPECT_EQ(changes, 0) << "the program's settings are not the user's changes";

  // The other-colour entry refused keeps the colour and reports no change.
  combo.SetBounds(10, 10, 150, 300);
  form.Show();
  input::Activate(form.Handle());
  combo.SetColour(kSystemWindowText);
  combo.SetFocus();
  int asked = 0;
  const TScopedColorDialogRunner refuse([&](COLORREF&, HWND) {
    ++asked;
    return false;
  });
  input::Press(VK_END);
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(combo.Colour(), kSystemWindowText);
  EXPECT_EQ(combo.Perform(CB_GETCURSEL), 0) << "black shows again";

  input::Press(VK_DOWN);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(combo.Colour(), static_cast<int32_t>(RGB(128, 0, 0)));
}

}  // namespace
