// The installed product end to end: the setup's Launcher.exe brings up the
// bar with the seeded configuration, read from this (another) process.
#include <gtest/gtest.h>

#include "tests/distribution/DistributionSupport.h"
#include "tests/support/WinTest.h"

using namespace wintest;
using namespace dist;

namespace {

TEST(InstalledBar, LauncherBringsUpTheBar) {
  ForgetInstallation();
  // With the resource meter present setup adds the free resources panel too.
  ResourceMeterInstalled meter;
  ASSERT_TRUE(meter.Ok());
  const std::string folder = NewInstallFolder("bar");
  ASSERT_EQ(0, RunSetup("/D=" + folder));
  if (!FileExists(folder + "\\Main.exe")) {
    RunUninstaller(folder, "/REMOVESETTINGS");
    GTEST_SKIP() << "Main.exe is not built in this tree yet";
  }

  MessageBoxWatcher boxes;
  ChildProcess launcher;
  ASSERT_TRUE(launcher.Start(folder + "\\Launcher.exe", "", MakeTempDir("cwd")));
  EXPECT_NE(nullptr, WaitForTopWindow("CorvellaSplash", "Corvella", launcher.Pid(), 10000, true));

  // The hidden window that marks the running bar, and the bar itself.
  HWND application = WaitForTopWindow("TApplication", "CVL", 0, 20000);
  ASSERT_NE(nullptr, application) << boxes.Summary();
  DWORD barPid = 0;
  GetWindowThreadProcessId(application, &barPid);
  HWND bar = WaitForTopWindow("TBarForm", "", barPid, 20000, true);
  EXPECT_NE(nullptr, bar) << boxes.Summary();
  EXPECT_TRUE(launcher.WaitExit(5000));
  // The bar wrote its version at start: it runs with the installed settings.
  EXPECT_EQ("1.6", Setting("Settings", "Version"));
  EXPECT_EQ(0u, boxes.Count()) << boxes.Summary();
  // Still to come with the bar's panels: their texts, read through
  // WindowText from the bar's child windows, in the seeded order.

  // Closing the application window ends the bar.
  PostMessageA(application, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(application); }, 20000));

  EXPECT_TRUE(RunUninstaller(folder, "/REMOVESETTINGS"));
  ForgetInstallation();
}

}  // namespace
