// The shipped Main.exe started as a child process under Wine: the launch
// argument, the single instance and what start-up leaves in the registry
// and on the screen.
#include <gtest/gtest.h>

#include "tests/support/WinTest.h"

using namespace wintest;

namespace {

std::string MainExe() { return BinDir() + "Main.exe"; }

class StartUp : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetVeltropKeys();
    ASSERT_EQ(FindTopWindow("TApplication", "CVL"), nullptr) << "a bar is already running";
  }
  void TearDown() override { ResetVeltropKeys(); }
};

}  // namespace

TEST_F(StartUp, WithoutTheExactLaunchArgumentItEndsAtOnce) {
  for (const char* args : {"", "splashlaunch", "SPLASHLAUNCH", "SplashLaunchX", "Splash Launch"}) {
    ChildProcess main;
    ASSERT_TRUE(main.Start(MainExe(), args));
    EXPECT_TRUE(main.WaitExit(10000)) << "still running with '" << args << "'";
    EXPECT_EQ(main.ExitCode(), 0u);
    // Nothing of start-up ran: no version written, no window left.
    EXPECT_EQ(Setting("Settings", "Version"), "<missing>") << args;
    EXPECT_EQ(FindTopWindow("TApplication", "CVL"), nullptr);
  }
}

TEST_F(StartUp, SplashLaunchStartsOneBarAtTheBottomOnTop) {
  MessageBoxWatcher boxes;
  ChildProcess bar;
  ASSERT_TRUE(bar.Start(MainExe(), "SplashLaunch"));
  HWND app = WaitForTopWindow("TApplication", "CVL", bar.Pid(), 20000);
  ASSERT_NE(app, nullptr) << "no application window";
  HWND form = WaitForTopWindow("TBarForm", "Corvella", bar.Pid(), 20000, true);
  ASSERT_NE(form, nullptr) << "no visible bar window";
  ASSERT_TRUE(WaitUntil([] { return Setting("Settings", "OnTop") == "TRUE"; }, 10000));

  EXPECT_FALSE(IsWindowVisible(app)) << "the application window must not show";
  EXPECT_EQ(Setting("Settings", "Version"), "1.6");
  EXPECT_EQ(Setting("Settings", "BarPosition"), "BOTTOM");
  EXPECT_TRUE(GetWindowLongA(form, GWL_EXSTYLE) & WS_EX_TOPMOST);
  RECT r = WindowRectOf(form);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.right, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(r.bottom, GetSystemMetrics(SM_CYSCREEN));
  EXPECT_EQ(GetPriorityClass(bar.Process()), static_cast<DWORD>(IDLE_PRIORITY_CLASS));

  // A second instance ends at once and leaves the first running.
  ChildProcess second;
  ASSERT_TRUE(second.Start(MainExe(), "SplashLaunch"));
  EXPECT_TRUE(second.WaitExit(10000)) << "a second instance kept running";
  EXPECT_TRUE(bar.Running());
  EXPECT_EQ(TopWindows(second.Pid()).size(), 0u);

  // Closing the application runs the exit sequence and ends the program.
  EXPECT_TRUE(bar.Close(15000)) << "the bar did not end when closed";
  EXPECT_EQ(bar.ExitCode(), 0u);
  EXPECT_EQ(Setting("Position", "DOCKEDLEFT"), "0");
  EXPECT_EQ(Setting("Position", "LEFT"), "<missing>");
  EXPECT_EQ(boxes.Count(), 0u) << boxes.Summary();
}

TEST_F(StartUp, StoredPositionAndOnTopAreApplied) {
  SetSetting("Settings", "BarPosition", "TOP");
  SetSetting("Settings", "OnTop", "FALSE");
  SetSetting("Priorities", "Process", "NORMAL_PRIORITY_CLASS");
  ChildProcess bar;
  ASSERT_TRUE(bar.Start(MainExe(), "SplashLaunch"));
  HWND form = WaitForTopWindow("TBarForm", "Corvella", bar.Pid(), 20000, true);
  ASSERT_NE(form, nullptr);
  ASSERT_TRUE(WaitUntil([] { return Setting("Settings", "Version") == "1.6"; }, 10000));
  ASSERT_TRUE(WaitUntil([&] { return WindowRectOf(form).top == 0; }, 5000));
  EXPECT_EQ(Setting("Settings", "BarPosition"), "TOP");
  EXPECT_EQ(Setting("Settings", "OnTop"), "FALSE");
  EXPECT_FALSE(GetWindowLongA(form, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(GetPriorityClass(bar.Process()), static_cast<DWORD>(NORMAL_PRIORITY_CLASS));
  EXPECT_TRUE(bar.Close(15000));
}
