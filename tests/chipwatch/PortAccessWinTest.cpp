// The user-mode port read of the separate temperature sensor: attempted only
// on Windows 9x, and a faulting port instruction is contained.
#include <windows.h>

#include <gtest/gtest.h>

#include "chipwatch/PortAccess.h"
#include "tests/support/WinTest.h"

TEST(PortAccess, AttemptedOnlyOnTheWindows9xFamily) {
  EXPECT_EQ(PortAccessAllowed(), wintest::InWin98Mode());
  if (!wintest::InWin98Mode()) {
    uint8_t value = 0x5A;
    EXPECT_FALSE(ReadIoPort(0xE805, value));
    EXPECT_EQ(value, 0x5A) << "a refused read leaves the value alone";
  }
}

TEST(PortAccess, AFaultingPortInstructionFailsInsteadOfEndingTheProcess) {
  // The NT family faults on the instruction (Wine's Windows 98 mode answers
  // it instead); either way the process lives on and can read again.
  for (int i = 0; i < 3; ++i) {
    uint8_t value = 0x5A;
    bool read = ReadIoPortGuarded(0xE805, value);
    if (!wintest::InWin98Mode()) {
      EXPECT_FALSE(read);
      EXPECT_EQ(value, 0x5A);
    }
  }
}
