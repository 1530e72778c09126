// Resource.cvl in the bar's warning list: loaded from the installation folder
// by the list loader, alerting through the bar's warning box, and reported as
// a plug-in that could not be loaded when the resource meter is missing.
#include <gtest/gtest.h>

#include <windows.h>

#include "tests/support/SystemWarningHost.h"
#include "shared/Common.h"
#include "tests/support/WinTest.h"

using namespace wintest;

namespace {

class ResourceWarningList : public ::testing::Test {
 protected:
  // An installation folder with the plug-in listed as plug-in 1 and one
  // warning bound to it at the given threshold.
  void Install(bool withMeter, const std::string& threshold) {
    ResetVeltropKeys();
    dir_ = MakeTempDir("resource-warning");
    ASSERT_TRUE(CopyInto(BinDir() + "Resource.cvl", dir_));
    ASSERT_TRUE(CopyInto(BinDir() + "cvl.dll", dir_));
    if (withMeter) ASSERT_TRUE(CopyInto(TestBinDir() + "rsrc32.dll", dir_));
    GetCurrentDirectoryA(MAX_PATH, previousDir_);
    SetCurrentDirectoryA(dir_.c_str());
    SetSetting("Settings", "InstalledDir", dir_);
    SetSetting("Plugins", "NoOfPlugins", "1");
    SetSetting("Plugins", "1", "Resource.cvl");
    SetSetting("Warnings", "NoOfWarnings", "1");
    SetSetting("Warnings\\1\\General", "Plugin", "TRUE");
    SetSetting("Warnings\\1\\General", "Number", "1");
    SetSetting("Warnings\\1\\General", "WarnVal", threshold);
  }
  void TearDown() override {
    Contract().ReleasePluginLibraries();
    if (previousDir_[0]) SetCurrentDirectoryA(previousDir_);
    for (const char* name : {"CVL_RSRC32_SYSTEM", "CVL_RSRC32_GDI", "CVL_RSRC32_USER"})
      SetEnvironmentVariableA(name, nullptr);
    ResetVeltropKeys();
  }

  std::string dir_;
  char previousDir_[MAX_PATH] = "";
  MessageBoxWatcher boxes;
};

TEST_F(ResourceWarningList, AlertsOnceWhenAResourceDropsBelowTheThreshold) {
  Install(true, "5");
  SetEnvironmentVariableA("CVL_RSRC32_SYSTEM", "50");
  SetEnvironmentVariableA("CVL_RSRC32_GDI", "5");
  SetEnvironmentVariableA("CVL_RSRC32_USER", "60");
  TWarnings list(SystemWarningHost(), Contract());
  list.LoadWarnings();
  ASSERT_EQ(list.Count(), 1);
  list.Items(1).Check();  // 5% is not below 5
  EXPECT_EQ(boxes.Count(), 0u) << boxes.Summary();

  SetEnvironmentVariableA("CVL_RSRC32_GDI", "4");
  list.Items(1).Check();
  list.Items(1).Check();  // still below: no second alert
  ASSERT_TRUE(boxes.WaitForCount(1, 5000));
  Sleep(300);
  ASSERT_EQ(boxes.Count(), 1u) << boxes.Summary();
  EXPECT_EQ(boxes.Boxes()[0].text, "Warning: System Resources have dropped below 5 %.");
}

TEST_F(ResourceWarningList, WithoutTheResourceMeterThePluginIsReportedNotLoaded) {
  Install(false, "5");
  TWarnings list(SystemWarningHost(), Contract());
  list.LoadWarnings();
  EXPECT_EQ(list.Count(), 0);
  ASSERT_TRUE(boxes.WaitForCount(1, 5000));
  EXPECT_EQ(boxes.Boxes()[0].title, "Corvella");
  EXPECT_EQ(boxes.Boxes()[0].text,
            "One or More Plugins could not be Loaded. Error Code: 03. Description: Error "
            "Loading Plugin");
}

}  // namespace
