#pragma once
// Registry helpers shared by the bar's Windows tests: panel entries of the
// list the bar loads, and the control key the stand-in plug-ins read
// (tests/bar/standins/Flaky.cpp).
#include <windows.h>

#include <string>

#include "tests/support/WinTest.h"

namespace bartest {

constexpr const char* kControlKey = "Software\\Veltrop\\BarTest";

// Panel entry i; an empty plugin leaves "Plugin" missing (a built-in).
inline void Panel(int i, const std::string& plugin, const std::string& number,
                  const std::string& width) {
  const std::string key =
      std::string(wintest::kCorvellaKey) + "\\Panels\\" + std::to_string(i) + "\\General";
  if (!plugin.empty()) wintest::SetString(HKEY_LOCAL_MACHINE, key, "Plugin", plugin);
  wintest::SetString(HKEY_LOCAL_MACHINE, key, "Number", number);
  wintest::SetString(HKEY_LOCAL_MACHINE, key, "Width", width);
}

inline void Control(const std::string& name, const std::string& value) {
  wintest::SetString(HKEY_LOCAL_MACHINE, kControlKey, name, value);
}

}  // namespace bartest
