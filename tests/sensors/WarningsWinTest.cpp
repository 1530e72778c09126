// The warning list end to end: the registry lists, real plug-in libraries,
// the built-in checks, and the alert and error boxes of the bar.
#include <gtest/gtest.h>

#include <windows.h>

#include "shared/Globals.h"
#include "sensors/BuiltInsCode.h"
#include "tests/support/SystemWarningHost.h"
#include "shared/Common.h"
#include "tests/support/WinTest.h"

using namespace wintest;

namespace {

constexpr DWORD kMb = 1048576;

class WarningsOnWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetVeltropKeys();
    SetEnvironmentVariableA("CVL_TEST_LEVEL", nullptr);
    SetSetting("Settings", "InstalledDir", TestBinDir());
    StartPerfStats();
    InitBuiltIns(true);
  }
  void TearDown() override {
    Contract().ReleasePluginLibraries();
    DeletePerfStat("VMM\\cpgSwapfile");
    ResetVeltropKeys();
  }
  void Plugins(std::initializer_list<const char*> files) {
    int n = 0;
    for (const char* file : files) SetSetting("Plugins", std::to_string(++n), file);
    SetSetting("Plugins", "NoOfPlugins", std::to_string(n));
  }
  void Entry(int i, const std::string& plugin, const std::string& number,
             const std::string& warnVal) {
    const std::string section = "Warnings\\" + std::to_string(i) + "\\General";
    if (!plugin.empty()) SetSetting(section, "Plugin", plugin);
    SetSetting(section, "Number", number);
    if (!warnVal.empty()) SetSetting(section, "WarnVal", warnVal);
  }
  std::vector<std::string> Texts() {
    std::vector<std::string> texts;
    for (const auto& box : boxes.Boxes()) texts.push_back(box.text);
    return texts;
  }
  // One refresh pass over the warnings; an error ends it, as in the bar.
  void CheckAll(TWarnings& list) {
    for (int i = 1; i <= list.Count(); ++i) list.Items(i).Check();
  }

  MessageBoxWatcher boxes;
};

TEST_F(WarningsOnWindows, BuiltInAndPluginWarningsAlertOncePerCrossing) {
  Plugins({"complete.cvl", "sensoronly.cvl", "warn256.cvl", "nomessage.cvl"});
  SetSetting("Warnings", "NoOfWarnings", "5");
  Entry(1, "", "14", "64");         // swap file above 64 Mb
  Entry(2, "TRUE", "1", "40");      // complete: level above 40
  Entry(3, "TRUE", "2", "40");      // mask 1: skipped
  Entry(4, "TRUE", "3", "0");       // 256: never fires
  Entry(5, "TRUE", "4", "20");      // no WarningMessage
  SetPerfStat("VMM\\cpgSwapfile", 65 * kMb);
  SetEnvironmentVariableA("CVL_TEST_LEVEL", "50");

  TWarnings list(SystemWarningHost(), Contract());
  list.LoadWarnings();
  ASSERT_EQ(list.Count(), 4);
  EXPECT_EQ(Contract().PluginLibraryCount(), 3);
  ASSERT_TRUE(boxes.WaitForCount(1, 5000));
  EXPECT_EQ(boxes.Boxes()[0].title, "Corvella");
  EXPECT_EQ(boxes.Boxes()[0].text,
            "One or More Plugins could not be Loaded. Error Code: 03. Description: Error "
            "Loading Plugin");

  boxes.Clear();
  CheckAll(list);
  CheckAll(list);  // still holding: no second alert
  const std::vector<std::string> expected = {
      "Warning: Swap File size has exceeded 64 Mb.",
      "Warning: Complete level has risen above 40 units.",
      "Warning: No Message 20 No Val.",
  };
  EXPECT_EQ(Texts(), expected) << boxes.Summary();
  EXPECT_TRUE(boxes.Boxes()[0].topmost);

  // The plug-in's condition clears for one pass and holds again: one more alert.
  boxes.Clear();
  SetEnvironmentVariableA("CVL_TEST_LEVEL", "40");
  CheckAll(list);
  SetEnvironmentVariableA("CVL_TEST_LEVEL", "41");
  CheckAll(list);
  EXPECT_EQ(Texts(), std::vector<std::string>{"Warning: Complete level has risen above 40 units."})
      << boxes.Summary();
}

TEST_F(WarningsOnWindows, AFaultingCheckRaisesAndTheNextPassGoesOn) {
  Plugins({"divwarning.cvl", "complete.cvl"});
  SetSetting("Warnings", "NoOfWarnings", "2");
  Entry(1, "TRUE", "1", "10");
  Entry(2, "TRUE", "2", "10");
  SetEnvironmentVariableA("CVL_TEST_LEVEL", "50");
  TWarnings list(SystemWarningHost(), Contract());
  list.LoadWarnings();
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(boxes.Count(), 0u) << boxes.Summary();
  try {
    CheckAll(list);
    FAIL() << "no fault";
  } catch (const PluginFault& f) {
    EXPECT_EQ(f.Code(), 0xC0000094UL);
  }
  EXPECT_EQ(boxes.Count(), 0u);  // the pass ended before the second warning
  list.Items(2).Check();
  ASSERT_TRUE(boxes.WaitForCount(1, 5000));
  EXPECT_EQ(boxes.Boxes()[0].text, "Warning: Complete level has risen above 10 units.");
}

TEST_F(WarningsOnWindows, LoadErrorEmptiesTheListWithItsBox) {
  SetSetting("Warnings", "NoOfWarnings", "2");
  Entry(1, "FALSE", "1", "100");
  Entry(2, "FALSE", "16", "100");
  TWarnings list(SystemWarningHost(), Contract());
  list.LoadWarnings();
  EXPECT_EQ(list.Count(), 0);
  ASSERT_TRUE(boxes.WaitForCount(1, 5000));
  EXPECT_EQ(boxes.Boxes()[0].text,
            "An Error has Occured Trying to Load Warnings. Please Remove all Warnings and "
            "Restart. Error Code: 02. Description: Range check error");

  // "false" is not "FALSE": a plug-in entry, whose plug-in number 16 has no file.
  boxes.Clear();
  Entry(2, "false", "16", "100");
  list.LoadWarnings();
  EXPECT_EQ(list.Count(), 1);
  ASSERT_TRUE(boxes.WaitForCount(1, 5000));
  EXPECT_EQ(boxes.Boxes()[0].text,
            "One or More Plugins could not be Loaded. Error Code: 03. Description: Error "
            "Loading Plugin");
}

}  // namespace
