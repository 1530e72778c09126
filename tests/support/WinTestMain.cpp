// Entry of every Windows test program.
#include <windows.h>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
  // A missing DLL must fail the load call, not open a system error box.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
