#include "platform/text/shift_jis.h"

#include <gtest/gtest.h>

namespace {

using platform::ShiftJisToUtf8;
using platform::Utf8ToShiftJis;

TEST(ShiftJis, BackslashStaysABackslashBothWays) {
  EXPECT_EQ(Utf8ToShiftJis("image\\wave.bmp"), "image\\wave.bmp");
  EXPECT_EQ(ShiftJisToUtf8("rank\\rank0.txt"), "rank\\rank0.txt");
}

TEST(ShiftJis, WindowsCharactersConvert) {
  EXPECT_EQ(Utf8ToShiftJis("警告"), "\x8c\x78\x8d\x90");
  EXPECT_EQ(ShiftJisToUtf8(Utf8ToShiftJis("～－①髙，")), "～－①髙，");
}

TEST(ShiftJis, CharactersOutsideTheCodePageBecomeQuestionMarks) {
  EXPECT_EQ(Utf8ToShiftJis("a😀b"), "a?b");
  EXPECT_EQ(ShiftJisToUtf8("a\x81"), "a?");  // a lead byte cut off at the end
}

TEST(ShiftJis, LeadBytes) {
  EXPECT_EQ(platform::ShiftJisCharLength(0x82), 2);
  EXPECT_EQ(platform::ShiftJisCharLength(0xE0), 2);
  EXPECT_EQ(platform::ShiftJisCharLength('A'), 1);
  EXPECT_EQ(platform::ShiftJisCharLength(0xB1), 1);  // half-width katakana
}

}  // namespace
