// The roots of a GetLogicalDriveStringsA list.
#include <gtest/gtest.h>

#include <cstring>

#include "shared/core/DiskGeometry.h"

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
