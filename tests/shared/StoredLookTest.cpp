// Stored colours and font styles, as the bar and the dialogs read them.
#include <gtest/gtest.h>

#include "shared/core/StoredLook.h"

TEST(StoredLook, ColoursNameSystemColoursWhenNegativeAndKeep24Bits) {
  StoredColour window = ColourFromSetting(-2147483640);  // 0x80000008
  EXPECT_TRUE(window.System);
  EXPECT_EQ(window.SystemIndex, 8);
  StoredColour red = ColourFromSetting(255);
  EXPECT_FALSE(red.System);
  EXPECT_EQ(red.Rgb, 0x0000FFu);
  // The top byte of a positive value is no part of the colour.
  EXPECT_EQ(ColourFromSetting(0x12FF8080).Rgb, 0xFF8080u);
}

TEST(StoredLook, FontStylesOfBoldAndItalicOnly) {
  bool bold, italic;
  FontStyleFrom("BoldItalic", bold, italic);
  EXPECT_TRUE(bold && italic);
  FontStyleFrom("Underline", bold, italic);
  EXPECT_FALSE(bold || italic);
  EXPECT_EQ(FontStyleText(false, true), "Italic");
  EXPECT_EQ(FontStyleText(true, true), "BoldItalic");
}
