#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

#include "shared/core/Format.h"
#include "shared/core/CvlError.h"

TEST(FormatDuration, RollsOverAtTheHourBoundaries) {
  EXPECT_EQ(FormatDuration(3599999), "0:59:59");
  EXPECT_EQ(FormatDuration(3600000), "1:00:00");
  EXPECT_EQ(FormatDuration(36000000), "10:00:00");
  EXPECT_EQ(FormatDuration(0), "0:00:00");
  EXPECT_EQ(FormatDuration(999), "0:00:00");
  EXPECT_EQ(FormatDuration(1 * 3600000 + 5 * 60000 + 9 * 1000), "1:05:09");
  EXPECT_EQ(FormatDuration(59999), "0:00:59");
  EXPECT_EQ(FormatDuration(60000), "0:01:00");
  // The longest count: 596 h 31 min 23.647 s.
  EXPECT_EQ(FormatDuration(std::numeric_limits<int32_t>::max()), "596:31:23");
}

TEST(FormatDuration, NegativeCountIsAnError) {
  EXPECT_EQ(FormatDuration(-1), "Error");
  EXPECT_EQ(FormatDuration(std::numeric_limits<int32_t>::min()), "Error");
}

TEST(FloorText, RoundsTowardsMinusInfinity) {
  EXPECT_EQ(FloorText(2.7), "2");
  EXPECT_EQ(FloorText(2.0), "2");
  EXPECT_EQ(FloorText(-0.5), "-1");
  EXPECT_EQ(FloorText(-2.5), "-3");
  EXPECT_EQ(FloorText(0.0), "0");
  EXPECT_EQ(FloorText(-0.0), "0");
  EXPECT_EQ(FloorText(59.999), "59");
  EXPECT_EQ(FloorText(1e10 + 0.5), "10000000000");
  EXPECT_THROW(FloorText(std::nan("")), CvlError);
  EXPECT_THROW(FloorText(HUGE_VAL), CvlError);
}

TEST(PadTwo, PadsValuesUpToNine) {
  EXPECT_EQ(PadTwo("9"), "09");
  EXPECT_EQ(PadTwo("10"), "10");
  EXPECT_EQ(PadTwo("0"), "00");
  EXPECT_EQ(PadTwo("59"), "59");
  // The value decides, not the length.
  EXPECT_EQ(PadTwo("007"), "0007");
  EXPECT_EQ(PadTwo("-5"), "0-5");
}

TEST(FormatFixed2, HasExactlyTwoDecimals) {
  EXPECT_EQ(FormatFixed2(2.5), "2.50");
  EXPECT_EQ(FormatFixed2(-11.99), "-11.99");
  EXPECT_EQ(FormatFixed2(0), "0.00");
  EXPECT_EQ(FormatFixed2(3.3), "3.30");
  EXPECT_EQ(FormatFixed2(4.996), "5.00");
  EXPECT_EQ(FormatFixed2(12345.678), "12345.68");
  EXPECT_EQ(FormatFixed2(-0.001), "0.00");
}

namespace {

// A GetLogicalDriveStringsA list in its 257-character buffer.
struct DriveList {
  char text[257];
  explicit DriveList(const char* roots, size_t length) {
    std::memset(text, 0, sizeof text);
    std::memcpy(text, roots, length);
  }
};

}  // namespace

TEST(DriveRootOf, CountsRootsFromOne) {
  const char roots[] = "A:\\\0C:\\\0D:\\\0";  // ends with two NULs
  DriveList list(roots, sizeof roots);
  EXPECT_EQ(DriveRootOf(list.text, 1), "A:\\");
  EXPECT_EQ(DriveRootOf(list.text, 2), "C:\\");
  EXPECT_EQ(DriveRootOf(list.text, 3), "D:\\");
  EXPECT_EQ(DriveRootOf(list.text, 4), "");
  EXPECT_EQ(DriveRootOf(list.text, 26), "");
  EXPECT_EQ(DriveRootOf(list.text, 0), "");
  EXPECT_EQ(DriveRootOf(list.text, -3), "");
  DriveList none("", 0);
  EXPECT_EQ(DriveRootOf(none.text, 1), "");
}

TEST(DriveRootOf, StaysInsideItsBuffer) {
  // A buffer with no terminator at all: every answer comes from inside it.
  DriveList full("", 0);
  std::memset(full.text, 'X', sizeof full.text);
  EXPECT_EQ(DriveRootOf(full.text, 1), "XXX");
  EXPECT_EQ(DriveRootOf(full.text, 2), "");
  // The last root cut by the end of the buffer.
  DriveList tail("", 0);
  std::memset(tail.text, 'Y', 255);
  tail.text[255] = '\0';
  tail.text[256] = 'Z';
  EXPECT_EQ(DriveRootOf(tail.text, 2), "Z");
}

TEST(FormatFixed2, RoundsTheExactValueHalvesToEvenAsTheCLibraryDoes) {
  for (double x : {0.125, 0.375, 2.675, 1.005, -1.005, -2.5, 1e15 + 0.25, 123456.785, 0.004999,
                   -0.005, 7.0 / 3.0}) {
    char expected[64];
    std::snprintf(expected, sizeof expected, "%2.2f", x);
    std::string e = expected;
    if (e == "-0.00") e = "0.00";
    EXPECT_EQ(FormatFixed2(x), e) << x;
  }
  EXPECT_EQ(FormatFixed2(1e20), "100000000000000000000.00");
  EXPECT_EQ(FloorText(1e20), "100000000000000000000");
  EXPECT_EQ(FloorText(-1.5e19 - 0.5), "-15000000000000000000");
}
