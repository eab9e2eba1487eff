// Fonts from Debian's packages through the platform's own backend, and the
// same bytes through the memory backend to count what a listing costs.
#include <gtest/gtest.h>

#include "sys/memory/MemoryBackend.h"
#include "sys/sys.h"
#include "tests/support/RealFonts.h"

namespace {

class RealFontTest : public ::testing::TestWithParam<const RealFont*> {
 protected:
  void SetUp() override {
    if (!RealFontPresent(*GetParam())) GTEST_SKIP() << GetParam()->unixPath << " is not installed";
  }
};

TEST_P(RealFontTest, ReadsNamesMetricsAndKindAndAListingOnlyTheFrontOfTheFile) {
  std::string bytes;
  {
    sys::ScopedBackend platform(sys::DefaultBackend());
    TFontFileInfo record;
    record.SetFileName(NativePath(*GetParam()));
    EXPECT_EQ(record.FontName(), GetParam()->fontName);
    EXPECT_FALSE(record.InfoRead());
    ExpectRealFont(record, *GetParam());

    auto file = sys::Current().OpenRead(NativePath(*GetParam()));
    ASSERT_TRUE(file);
    char block[65536];
    size_t got = 0;
    for (uint64_t pos = 0; file->ReadAt(pos, block, sizeof block, got) && got > 0; pos += got)
      bytes.append(block, got);
  }
  sys::MemoryBackend os;
  sys::ScopedBackend guard(os);
  os.AddFile("C:\\Fonts\\REAL.TTF", bytes);
  TFontFileInfo record;
  record.SetFileName("C:\\Fonts\\REAL.TTF");
  EXPECT_EQ(record.FontName(), GetParam()->fontName);
  EXPECT_EQ(os.Opens(), 1);
  EXPECT_LE(os.Reads(), 3);
  const int namesReads = os.Reads();
  EXPECT_EQ(record.UnitsPerEm(), GetParam()->unitsPerEm);
  std::printf("[ figures  ] %s: names-only %d reads, all tables %d reads\n", GetParam()->fontName,
              namesReads, os.Reads() - namesReads);
}

INSTANTIATE_TEST_SUITE_P(Debian, RealFontTest, ::testing::ValuesIn(kRealFonts));

}  // namespace
