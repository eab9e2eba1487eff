// vlminfo's JSON lines: the exact bytes of strings that need escaping or
// converting, wherever they fall in the runs the writer copies at once.
#include <gtest/gtest.h>

#include <string>

#include "sys/codepage.h"
#include "tests/support/ScopedCodePage.h"
#include "tools/vlminfo/json.h"

namespace {

class VlminfoJson : public testing::Test {
  ScopedCodePage codePage_{936};
};

std::string Text(const TTextBuffer& out) { return std::string(out.data(), out.size()); }

TEST_F(VlminfoJson, EscapesWhereverTheyFallAndConvertsTheCodePage) {
  TFontFields f;
  // Quote, backslash and control characters at the last and the first byte
  // of eight, a plain run longer than eight, DEL (plain) at the very end.
  f.FileName = std::string("abcdefg\"hijklmn\\\x01opqrstuvwxyz0123456\x1F") + "\x7F";
  f.FontName = "\xB0\xA1 Song";  // GBK for U+554A
  f.Bodgey = true;
  TTextBuffer out;
  AppendListRecordJson(out, f);
  EXPECT_EQ(Text(out),
            "{\"FileName\":\"abcdefg\\\"hijklmn\\\\\\u0001opqrstuvwxyz0123456\\u001F\x7F\","
            "\"Format\":\"TrueType\",\"FontName\":\"\xE5\x95\x8A Song\",\"Bad\":false,\"Installed\":false,\"Bodgey\":true}");

  // A whole record goes after what the buffer holds, members in field order;
  // a face of a collection says which.
  f = TFontFields{};
  f.FontName = "Plain";
  f.Descender = -250;
  f.FaceIndex = 2;
  f.FaceCount = 3;
  f.Format = ffCff;
  AppendRecordJson(out, f);
  const std::string all = Text(out);
  const size_t second =
      all.find("}{\"FileName\":\"\",\"face\":2,\"Format\":\"CFF\",\"Bad\":false,\"InfoRead\":false,");
  ASSERT_NE(second, std::string::npos);
  EXPECT_NE(all.find(",\"FontName\":\"Plain\",\"FamilyName\":\"\",", second), std::string::npos);
  EXPECT_NE(all.find(",\"Descender\":-250,\"LineGap\"", second), std::string::npos);
  EXPECT_EQ(all.back(), '}');
}

}  // namespace
