#pragma once
// The marker program started through the shell (MarkerProgram.cpp).
#include <string>

#include "tests/support/WinTest.h"

namespace cvltest {
inline std::string MarkerPath() { return wintest::TestBinDir() + "cvl_marker.exe"; }
inline void ClearMarker() { wintest::DeleteTree(HKEY_LOCAL_MACHINE, "Software\\CvlTest"); }
inline std::string Marker() {
  return wintest::GetString(HKEY_LOCAL_MACHINE, "Software\\CvlTest", "Marker");
}
inline std::string MarkerCommandLine() {
  return wintest::GetString(HKEY_LOCAL_MACHINE, "Software\\CvlTest", "CommandLine");
}
}  // namespace cvltest
