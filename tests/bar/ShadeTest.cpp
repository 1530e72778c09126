// The colour shade: its columns and their rounding.
#include <gtest/gtest.h>

#include "bar/core/BarColours.h"

#include <cstdlib>

TEST(Shade, RunsFromTheShadeColourToTheButtonFaceOverItsShare) {
  const uint32_t face = 0xC0C0C0, blue = 0xFF8080;  // "16744576": red 128, green 128, blue 255
  auto cols = ShadeColumns(face, blue, 100, 10);
  ASSERT_EQ(cols.size(), 11u);
  EXPECT_EQ(cols.front(), blue);
  EXPECT_EQ(cols.back(), face);
  // Half the width: the rest of the bar is not drawn.
  EXPECT_EQ(ShadeColumns(face, blue, 50, 10).size(), 6u);
  // No share at all still draws two columns.
  auto none = ShadeColumns(face, blue, 0, 200);
  ASSERT_EQ(none.size(), 2u);
  EXPECT_EQ(none[1], face);
  // A share far beyond the width draws no more than the width.
  EXPECT_EQ(ShadeColumns(face, blue, 2000000000, 300).size(), 301u);
  EXPECT_TRUE(ShadeColumns(face, blue, -10, 300).empty());
}

TEST(Shade, ComponentsRoundHalvesToEven) {
  // 0 -> 5 over 2 columns: 0, 2.5, 5.0 -> 0, 2, 5
  auto cols = ShadeColumns(0x000005, 0x000000, 100, 2);
  ASSERT_EQ(cols.size(), 3u);
  EXPECT_EQ(cols[1], 2u);
  EXPECT_EQ(RoundHalfEven(3.5), 4);
  EXPECT_EQ(RoundHalfEven(-2.5), -2);
  EXPECT_EQ(RoundHalfEven(2.4999), 2);
}

TEST(Shade, TheGraphTintLiesAFifthOfTheWayFromTheFaceToTheFont) {
  EXPECT_EQ(GraphTint(0xF0F0F0, 0x000000), 0xC0C0C0u) << "default colours";
  EXPECT_EQ(GraphTint(0xC0C0C0, 0x800000), 0xB49A9Au) << "a dark blue font";
  EXPECT_EQ(GraphTint(0xC0C0C0, 0xFFFFFF), 0xCCCCCCu) << "a light font: lighter still";
  EXPECT_EQ(GraphTint(0x123456, 0x123456), 0x123456u);
  // Every component keeps four fifths of the text's contrast.
  const uint32_t face = 0xD4D0C8, text = 0x202080, tint = GraphTint(face, text);
  for (int k = 0; k < 3; ++k) {
    const int f = (face >> (8 * k)) & 0xFF, t = (text >> (8 * k)) & 0xFF,
              g = (tint >> (8 * k)) & 0xFF;
    EXPECT_GE(std::abs(g - t) * 5, std::abs(f - t) * 4 - 4) << k;
    EXPECT_NE(g, f) << k;
  }
}
