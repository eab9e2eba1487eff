// Our Wine runs use the Chinese locale; the data strings depend on it.
#include <windows.h>

#include <gtest/gtest.h>

#include "sys/codepage.h"

TEST(Locale, TheAnsiCodePageIs936) {
  EXPECT_EQ(::GetACP(), 936u);
  EXPECT_EQ(sys::CodePage(), 936u);
}
