// Launcher.exe under Wine, with a stand-in that records how it was started
// copied as Main.exe beside a copy of the launcher.
#include <gtest/gtest.h>

#include "tests/distribution/DistributionSupport.h"
#include "tests/support/WinTest.h"

using namespace wintest;
using namespace dist;

namespace {

constexpr const char* kSplashClass = "CorvellaSplash";

class LauncherTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetVeltropKeys();
    ClearLaunchRecord();
    // Blanks in the folder, as in "Program Files".
    folder_ = MakeTempDir("launcher") + "Corvella Bar\\";
    ASSERT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr));
    ASSERT_TRUE(CopyInto(BinDir() + "Launcher.exe", folder_));
    ASSERT_TRUE(CopyFileA((TestBinDir() + "RecordLaunch.exe").c_str(),
                          (folder_ + "Main.exe").c_str(), FALSE));
    elsewhere_ = MakeTempDir("elsewhere");
  }
  void TearDown() override { ResetVeltropKeys(); }

  // Started from another current folder than its own.
  void StartLauncher() {
    ASSERT_TRUE(launcher_.Start(folder_ + "Launcher.exe", "", elsewhere_));
  }
  HWND Splash(bool visibleOnly = true) {
    return FindTopWindow(kSplashClass, "", launcher_.Pid(), visibleOnly);
  }
  // Waits for the bar's start and tells whether a splash window showed meanwhile.
  bool StartedWithoutSplash() {
    bool splashSeen = false;
    bool started = WaitUntil([&] {
      if (Splash(false)) splashSeen = true;
      return Recorded("Started") == "yes";
    }, 10000, 10);
    EXPECT_TRUE(started);
    return started && !splashSeen;
  }
  void ExpectBarStartedProperly() {
    EXPECT_EQ("2", Recorded("ArgCount")) << Recorded("CommandLine");
    EXPECT_EQ("SplashLaunch", Recorded("Arg1")) << Recorded("CommandLine");
    EXPECT_TRUE(SamePath(folder_ + "Main.exe", Recorded("Module"))) << Recorded("Module");
    EXPECT_TRUE(SamePath(folder_.substr(0, folder_.size() - 1), Recorded("Directory")))
        << Recorded("Directory");
    ASSERT_TRUE(launcher_.WaitExit(5000));
    EXPECT_EQ(0u, launcher_.ExitCode());
  }

  std::string folder_, elsewhere_;
  ChildProcess launcher_;
};

TEST_F(LauncherTest, WithoutSplashStartsBarBesideItWithTheLaunchArgument) {
  // Only exactly "TRUE" shows the logo.
  SetSetting("Settings", "ShowSplash", "true");
  MessageBoxWatcher boxes;
  StartLauncher();
  EXPECT_TRUE(StartedWithoutSplash());
  ExpectBarStartedProperly();
  // Nothing else follows the program's name on its command line.
  const std::string line = Recorded("CommandLine");
  EXPECT_EQ(" SplashLaunch", line.substr(line.find("Main.exe\"") + 9)) << line;
  EXPECT_EQ(0u, boxes.Count()) << boxes.Summary();
}

TEST_F(LauncherTest, SplashShowsCentredForAMomentBeforeTheBarStarts) {
  StartLauncher();  // no "ShowSplash" stored: the default is "TRUE"
  HWND splash = WaitForTopWindow(kSplashClass, "Corvella", launcher_.Pid(), 10000, true);
  ASSERT_NE(nullptr, splash);
  const DWORD shownAt = GetTickCount();

  const LONG style = GetWindowLongA(splash, GWL_STYLE);
  EXPECT_TRUE(style & WS_POPUP);
  EXPECT_FALSE(style & WS_CAPTION);
  EXPECT_FALSE(style & WS_THICKFRAME);
  const RECT r = WindowRectOf(splash);
  EXPECT_GT(r.right - r.left, 100);
  EXPECT_NEAR(GetSystemMetrics(SM_CXSCREEN) / 2, (r.left + r.right) / 2, 1);
  EXPECT_NEAR(GetSystemMetrics(SM_CYSCREEN) / 2, (r.top + r.bottom) / 2, 1);
  EXPECT_EQ("<missing>", Recorded("Started")) << "the bar started while the logo showed";

  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(splash); }, 10000));
  const DWORD shownFor = GetTickCount() - shownAt;
  EXPECT_GE(shownFor, 1500u);
  EXPECT_LE(shownFor, 4000u);
  ASSERT_TRUE(WaitForLaunch(10000));
  EXPECT_EQ("no", Recorded("SplashOpen"));
  ExpectBarStartedProperly();
}

TEST_F(LauncherTest, ClickOnTheSplashStartsTheBarAtOnce) {
  SetSetting("Settings", "ShowSplash", "TRUE");
  StartLauncher();
  HWND splash = WaitForTopWindow(kSplashClass, "Corvella", launcher_.Pid(), 10000, true);
  ASSERT_NE(nullptr, splash);
  const DWORD clickedAt = GetTickCount();
  PostMessageA(splash, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  ASSERT_TRUE(WaitForLaunch(10000));
  EXPECT_LT(GetTickCount() - clickedAt, 1200u);
  EXPECT_FALSE(IsWindow(splash));
  ExpectBarStartedProperly();
}

TEST_F(LauncherTest, MissingBarProgramIsReportedAndFails) {
  SetSetting("Settings", "ShowSplash", "FALSE");
  ASSERT_TRUE(DeleteFileA((folder_ + "Main.exe").c_str()));
  MessageBoxWatcher boxes;
  StartLauncher();
  ASSERT_TRUE(boxes.WaitForCount(1, 10000));
  const BoxRecord box = boxes.Boxes().front();
  EXPECT_EQ("Corvella", box.title);
  EXPECT_EQ(0u, box.text.find("Unable to start Corvella.")) << box.text;
  EXPECT_NE(std::string::npos, box.text.find(folder_ + "Main.exe")) << box.text;
  ASSERT_TRUE(launcher_.WaitExit(5000));
  EXPECT_EQ(1u, launcher_.ExitCode());
}

}  // namespace
