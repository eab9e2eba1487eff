// The character map's Unicode mode with real fonts and real keys: the mode's
// switch, the go-to box, the copy to the clipboard as Unicode text, the
// collected characters, and today's mode as it was when switched back. With
// VLM_SHOTS_DIR set, the mode is saved there on a CJK face and a Latin face.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "data/VLMUtil.h"
#include "sys/codepage.h"
#include "sys/sys.h"
#include "tests/app/FrameFixture.h"

namespace {

using input::Pump;

constexpr char kCjk[] = "Z:\\usr\\share\\fonts\\truetype\\wqy\\wqy-microhei.ttc";
constexpr char kLatin[] = "Z:\\usr\\share\\fonts\\truetype\\dejavu\\DejaVuSans.ttf";

// What the system's clipboard holds as Unicode text.
std::wstring ClipboardUnicode() {
  std::wstring text;
  if (!OpenClipboard(nullptr)) return L"(not opened)";
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = chars;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

// The middle of the grid cell that holds `index` on the screen.
POINT CellPoint(TCharMatrix& matrix, int index) {
  const TCharGrid& model = matrix.Grid().Model();
  const TGridRect cell = model.CellRect(index % model.Columns(), index / model.Columns());
  return input::ScreenPoint(matrix.Grid().Handle(), (cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
}

TEST(UnicodeCharMap, GoToSelectsTheCharacterCtrlCCopiesItDoubleClicksCollectAndTodaysModeStays) {
  if (!sys::Current().FileExists(kCjk) || !sys::Current().FileExists(kLatin))
    GTEST_SKIP() << "needs fonts-wqy-microhei and fonts-dejavu-core";
  frame_test::TFontFolder fonts("VLMUNICODE");
  ASSERT_TRUE(fonts.Copy(kCjk, "WQY-MICROHEI.TTC"));
  ASSERT_TRUE(fonts.Copy(kLatin, "DEJAVUSANS.TTF"));

  auto frame = frame_test::Start();
  TfrmVLMChild* child = frame->ActiveChild();
  ASSERT_NE(child, nullptr);
  input::Activate(frame->Handle());
  input::Press('B', ssAlt);
  input::Press('D', ssAlt);
  child->edtAddress.SetText(sys::Widen(fonts.Path()));
  input::Press(VK_RETURN);
  TFontList& list = child->BrowseFontList;
  ASSERT_EQ(list.ListView().ItemCount(), 3) << "DejaVu Sans and the collection's two faces";

  input::Press('A', ssAlt);
  TCharactersPage& page = child->Characters();
  TCharMatrix& matrix = page.CharMatrix;
  list.SetFocus();
  input::Press(VK_HOME);  // DejaVu Sans, first by name
  Pump(200);
  ASSERT_EQ(list.SelectedRecord()->FontName(), "DejaVu Sans");
  EXPECT_FALSE(matrix.UnicodeMode()) << "today's mode first";
  EXPECT_FALSE(page.pnlUnicode.Visible());
  EXPECT_FALSE(page.cmbBlocks.Enabled());

  // The switch's accelerator: every code point DejaVu Sans maps, in order.
  input::Press('Q', ssAlt);
  ASSERT_TRUE(matrix.UnicodeMode());
  EXPECT_EQ(matrix.CodePoints().size(), 5918u) << "as fontTools counts them";
  EXPECT_EQ(matrix.Grid().Model().CellCount(), 5918);
  EXPECT_TRUE(page.pnlUnicode.Visible());
  EXPECT_EQ(page.cmbBlocks.Items().front(), L"基本拉丁字母");
  const char* shots = std::getenv("VLM_SHOTS_DIR");
  if (shots) frame_test::SaveShot(frame->Handle(), std::string(shots) + "\\unicode-latin.bmp");

  // The collection's first face: 34,600 code points. Go to 4E00, by the
  // box's accelerator and keys.
  list.SetFocus();
  input::Press(VK_DOWN);
  Pump(200);
  ASSERT_EQ(list.SelectedRecord()->FaceIndex(), 0u);
  ASSERT_EQ(list.SelectedRecord()->FileName(), fonts.Path() + "WQY-MICROHEI.TTC");
  EXPECT_EQ(matrix.CodePoints().size(), 34600u);
  input::Press('G', ssAlt);
  ASSERT_TRUE(page.edtGoTo.Focused());
  input::Type("4e00");
  input::Press(VK_RETURN);
  ASSERT_EQ(matrix.SelectedCodePoint(), U'\x4E00');
  EXPECT_TRUE(matrix.Grid().Focused());
  EXPECT_EQ(page.cmbBlocks.Items()[static_cast<size_t>(page.cmbBlocks.ItemIndex())], L"中日韩统一表意文字");
  frame_test::SetClipboardText(L"before");
  input::Press('C', ssCtrl);
  EXPECT_EQ(ClipboardUnicode(), L"一");
  // The next character by its key, then a typed character.
  input::Press(VK_RIGHT);
  EXPECT_EQ(matrix.SelectedCodePoint(), U'\x4E01');
  input::Press('G', ssAlt);
  page.edtGoTo.SetText(L"U+6C38");
  input::Press(VK_RETURN);
  EXPECT_EQ(matrix.SelectedCodePoint(), U'\x6C38');
  if (shots) frame_test::SaveShot(frame->Handle(), std::string(shots) + "\\unicode-cjk.bmp");

  // Double clicks collect: 永 and 氹 after it; the line is copied at once.
  const int index = static_cast<int>(std::lower_bound(matrix.CodePoints().begin(), matrix.CodePoints().end(),
                                                      U'\x6C38') - matrix.CodePoints().begin());
  input::ClickAt(CellPoint(matrix, index), false, 2);
  input::ClickAt(CellPoint(matrix, index + 1), false, 2);
  Pump(100);
  EXPECT_EQ(page.edtCollected.Text(), L"永氹");
  input::Press('Y', ssAlt);
  EXPECT_EQ(ClipboardUnicode(), L"永氹");

  // Back to today's mode: its 256 codes and its own selection, "!".
  input::Press('Q', ssAlt);
  EXPECT_FALSE(matrix.UnicodeMode());
  EXPECT_EQ(matrix.Grid().Model().CellCount(), 256);
  EXPECT_EQ(matrix.SelectedChar(), 33);
  EXPECT_FALSE(page.pnlUnicode.Visible());
}

}  // namespace
