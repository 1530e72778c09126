// The settings store against the real registry under Wine.
#include <gtest/gtest.h>

#include "shared/VBFunctions.h"
#include "shared/core/CvlError.h"
#include "tests/support/WinTest.h"

using namespace wintest;

class SettingsStore : public ::testing::Test {
 protected:
  void SetUp() override { ResetVeltropKeys(); }
  void TearDown() override { ResetVeltropKeys(); }
};

TEST_F(SettingsStore, MissingOrEmptyValueReadsAsDefault) {
  EXPECT_EQ(GetSetting("Corvella", "Settings", "Update", "1000"), "1000");
  SetSetting("Settings", "Update", "");
  EXPECT_EQ(GetSetting("Corvella", "Settings", "Update", "1000"), "1000");
  SetSetting("Settings", "Update", "250");
  EXPECT_EQ(GetSetting("Corvella", "Settings", "Update", "1000"), "250");
}

TEST_F(SettingsStore, ReadingNeverCreatesTheSection) {
  EXPECT_EQ(GetSetting("Corvella", "NoSuchSection", "X", "d"), "d");
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, "Software\\Veltrop\\Corvella\\NoSuchSection"));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, "Software\\Veltrop"));
}

TEST_F(SettingsStore, OtherDataTypesReadAsDefaultAndExpandStringsStayUnexpanded) {
  SetDword(HKEY_LOCAL_MACHINE, "Software\\Veltrop\\Corvella\\Settings", "Update", 750);
  EXPECT_EQ(GetSetting("Corvella", "Settings", "Update", "1000"), "1000");
  SetString(HKEY_LOCAL_MACHINE, "Software\\Veltrop\\Corvella\\Settings", "InstalledDir",
            "%WINDIR%\\Corvella\\", REG_EXPAND_SZ);
  EXPECT_EQ(GetSetting("Corvella", "Settings", "InstalledDir", ""), "%WINDIR%\\Corvella\\");
  SetString(HKEY_LOCAL_MACHINE, "Software\\Veltrop\\Corvella\\Settings", "Bin", "xx",
            REG_BINARY);
  EXPECT_EQ(GetSetting("Corvella", "Settings", "Bin", "d"), "d");
}

TEST_F(SettingsStore, TextEndsAtFirstNul) {
  HKEY key;
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Veltrop\\Corvella\\Settings", 0, nullptr,
                            0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  const char data[] = "TRUE\0junk";
  RegSetValueExA(key, "OnTop", 0, REG_SZ, reinterpret_cast<const BYTE*>(data), sizeof data);
  RegCloseKey(key);
  EXPECT_EQ(GetSetting("Corvella", "Settings", "OnTop", "FALSE"), "TRUE");
}

TEST_F(SettingsStore, SavingCreatesSectionAndParentsAsString) {
  SaveSetting("Corvella", "Panels\\3\\General", "Width", "64");
  EXPECT_EQ(GetString(HKEY_LOCAL_MACHINE, "Software\\Veltrop\\Corvella\\Panels\\3\\General",
                      "Width"),
            "64");
  SaveSetting("Corvella", "Panels\\3\\General", "Width", "65");
  EXPECT_EQ(GetSetting("Corvella", "Panels\\3\\General", "Width", "0"), "65");
  // Another application name lands beside the bar's own key.
  SaveSetting("DialtallyPlugin", "Settings", "NetActive", "FALSE");
  EXPECT_EQ(GetString(HKEY_LOCAL_MACHINE, "Software\\Veltrop\\DialtallyPlugin\\Settings",
                      "NetActive"),
            "FALSE");
}

TEST_F(SettingsStore, LongValuesSurviveTheRoundTrip) {
  const std::string big(10000, 'x');
  SaveSetting("Corvella", "Settings", "FontName", big);
  EXPECT_EQ(GetSetting("Corvella", "Settings", "FontName", "Arial"), big);
}

TEST_F(SettingsStore, RegistryStoreBehindThePortableInterface) {
  RegistrySettings store;
  SettingsSource& s = store;
  s.SaveSetting("Corvella", "Settings", "LogAll", "TRUE");
  EXPECT_EQ(s.GetSetting("Corvella", "Settings", "LogAll", "FALSE"), "TRUE");
  EXPECT_EQ(s.GetSetting("Corvella", "Settings", "Absent", "dflt"), "dflt");

  // One section's run of reads and writes through one key: the same values,
  // defaults and key creation as the plain store, reads after writes in the
  // same run included; other sections pass through.
  SectionSettings section("DialtallyPlugin", "Settings");
  SettingsSource& run = section;
  EXPECT_EQ(run.GetSetting("DialtallyPlugin", "Settings", "NetActive", "FALSE"), "FALSE");
  run.SaveSetting("DialtallyPlugin", "Settings", "NetActive", "TRUE");
  EXPECT_EQ(run.GetSetting("DialtallyPlugin", "Settings", "NetActive", "FALSE"), "TRUE");
  EXPECT_EQ(GetSetting("DialtallyPlugin", "Settings", "NetActive", "FALSE"), "TRUE");
  EXPECT_EQ(run.GetSetting("Corvella", "Settings", "LogAll", "FALSE"), "TRUE");
  run.SaveSetting("Corvella", "Settings", "LogAll", "FALSE");
  EXPECT_EQ(GetSetting("Corvella", "Settings", "LogAll", "TRUE"), "FALSE");
  SaveSetting("DialtallyPlugin", "Settings", "TotalTime", "1234");
  EXPECT_EQ(SectionSettings("DialtallyPlugin", "Settings")
                .GetSetting("DialtallyPlugin", "Settings", "TotalTime", "0"),
            "1234");
}

TEST_F(SettingsStore, AFailedWriteRaisesWithTheValueName) {
  // A value name beyond the registry's limit makes the write itself fail
  // after the key was created.
  const std::string name(20000, 'n');
  try {
    SaveSetting("Corvella", "Settings", name, "x");
    FAIL() << "no error raised";
  } catch (const CvlError& e) {
    EXPECT_EQ(std::string(e.what()), "Failed to set data for '" + name + "'");
  }
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, "Software\\Veltrop\\Corvella\\Settings"));
}

TEST_F(SettingsStore, AKeyThatCannotBeCreatedIsSilent) {
  // A section name beyond the key-name limit cannot be created: nothing raised.
  EXPECT_NO_THROW(SaveSetting("Corvella", std::string(600, 'k'), "Update", "1"));
}
