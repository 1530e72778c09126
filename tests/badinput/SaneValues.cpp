#include "tests/badinput/SaneValues.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "tests/badinput/HostileValues.h"
#include "tests/support/WinTest.h"

using wintest::Setting;

namespace sane {

namespace {

void ExpectOneOf(const char* section, const char* name, const std::set<std::string>& allowed) {
  const std::string v = Setting(section, name);
  EXPECT_TRUE(allowed.count(v) != 0) << section << "\\" << name << " = \"" << v.substr(0, 80)
                                     << "\"";
}

}  // namespace

void ExpectGeneralSettings() {
  for (const char* flag : {"AutoHide", "LogAll", "LogWarnings", "PauseOnMinimise",
                           "AudioWarnings", "ShowSplash", "AutoResize", "OnTop", "PanelGraphs"})
    ExpectOneOf("Settings", flag, {"TRUE", "FALSE"});
  ExpectOneOf("Settings", "BarPosition", {"TOP", "BOTTOM", "FLOATING", "MINIMISED"});
  ExpectOneOf("Settings", "ShadeBar", {"TRUE", "Solid", "FALSE"});
  ExpectOneOf("Settings", "FontStyle", {"", "Bold", "Italic", "BoldItalic"});
  ExpectOneOf("Settings", "HotKeyModifiers", {"-1", "0", "1", "2", "3", "4", "5"});
  ExpectOneOf("Settings", "Update", {"50", "100", "500", "1000", "2000", "5000", "10000",
                                     "30000", "60000", "300000", "600000"});
  for (const char* number : {"ShadeColour", "ShadeAmount", "FontSize", "FontColor"})
    EXPECT_TRUE(hostile::IsDecimal(Setting("Settings", number)))
        << number << " = \"" << Setting("Settings", number).substr(0, 80) << "\"";
}

}  // namespace sane
