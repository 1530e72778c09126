#include <gtest/gtest.h>

#include "shared/core/VBText.h"

TEST(TextToInt, ReadsLeadingNumberLeniently) {
  EXPECT_EQ(TextToInt("42"), 42);
  EXPECT_EQ(TextToInt(" 42"), 42);
  EXPECT_EQ(TextToInt("   -17"), -17);
  EXPECT_EQ(TextToInt("+8"), 8);
  EXPECT_EQ(TextToInt("250abc"), 250);
  EXPECT_EQ(TextToInt("12 34"), 12);
  EXPECT_EQ(TextToInt("abc"), 0);
  EXPECT_EQ(TextToInt(""), 0);
  EXPECT_EQ(TextToInt("   "), 0);
  EXPECT_EQ(TextToInt("-"), 0);
  EXPECT_EQ(TextToInt("- 5"), 0);
  EXPECT_EQ(TextToInt("--5"), 0);
}

TEST(TextToInt, ReadsHexadecimalAfterDollar) {
  EXPECT_EQ(TextToInt("$1F"), 31);
  EXPECT_EQ(TextToInt("$1f"), 31);
  EXPECT_EQ(TextToInt("-$10"), -16);
  EXPECT_EQ(TextToInt("$1Fz"), 31);
  EXPECT_EQ(TextToInt("$"), 0);
  EXPECT_EQ(TextToInt("$G"), 0);
  // A full 32-bit pattern: the window-text system colour and all bits set.
  EXPECT_EQ(TextToInt("$80000008"), -2147483640);
  EXPECT_EQ(TextToInt("$FFFFFFFF"), -1);
}

TEST(TextToInt, SaturatesBeyondThirtyTwoBits) {
  EXPECT_EQ(TextToInt("2147483647"), 2147483647);
  EXPECT_EQ(TextToInt("-2147483648"), INT32_MIN);
  EXPECT_EQ(TextToInt("2147483648"), INT32_MAX);
  EXPECT_EQ(TextToInt("-2147483649"), INT32_MIN);
  EXPECT_EQ(TextToInt("99999999999999999999999"), INT32_MAX);
  EXPECT_EQ(TextToInt("-99999999999999999999999"), INT32_MIN);
  EXPECT_EQ(TextToInt("$100000000"), INT32_MAX);
  EXPECT_EQ(TextToInt("-$100000000"), INT32_MIN);
  EXPECT_EQ(TextToInt(std::string(10000, '9')), INT32_MAX);
}

TEST(IntToText, WritesSignedDecimal) {
  EXPECT_EQ(IntToText(0), "0");
  EXPECT_EQ(IntToText(-5), "-5");
  EXPECT_EQ(IntToText(16744576), "16744576");
  EXPECT_EQ(IntToText(INT32_MIN), "-2147483648");
  EXPECT_EQ(TextToInt(IntToText(-2147483640)), -2147483640);
}

TEST(LeftText, GivesEmptyTextWhenTooShort) {
  EXPECT_EQ(LeftText("C:\\WINDOWS", 3), "C:\\");
  EXPECT_EQ(LeftText("ab", 3), "");
  EXPECT_EQ(LeftText("abc", 3), "abc");
  EXPECT_EQ(LeftText("abc", 0), "");
  EXPECT_EQ(LeftText("", 0), "");
  EXPECT_EQ(LeftText("abc", -1), "");
}
