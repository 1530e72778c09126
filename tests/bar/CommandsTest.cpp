// The commands: position items and their check marks, the hot keys and
// clicks with the settings-dialog gate, the refresh choice, the settings
// hand-shake, the help and web commands and the exit sequence. (Double-click,
// width drag, pause and on-top run end to end on the real bar.)
#include <gtest/gtest.h>

#include <algorithm>

#include "bar/core/ApplySettings.h"
#include "tests/bar/FakeBar.h"

namespace {

class Commands : public ::testing::Test {
 protected:
  FakeBar bar;
  FakeShell shell;
  BarPositioner pos{bar, shell};
  BarCommands cmd{bar, pos};

  bool Logged(const std::string& entry) {
    return std::find(bar.log.begin(), bar.log.end(), entry) != bar.log.end();
  }
};

}  // namespace

TEST_F(Commands, ExactlyOnePositionIsCheckedAndLeavingFloatingSavesItsPlace) {
  cmd.MenuCommand(BarTopMenu);
  EXPECT_EQ(CheckedPosition(bar), "top");
  bar.settings.Set("Position", "LEFT", "40");
  bar.settings.Set("Position", "TOP", "50");
  bar.settings.Set("Position", "WIDTH", "300");
  cmd.MenuCommand(BarFloatMenu);
  EXPECT_EQ(CheckedPosition(bar), "float");
  // The floating bar comes back exactly where it was saved.
  EXPECT_EQ(bar.bounds.Left, 40);
  EXPECT_EQ(bar.bounds.Top, 50);
  EXPECT_EQ(bar.bounds.Width, 300);
  EXPECT_TRUE(bar.TitleBarShown);

  bar.bounds = {70, 80, 320, 53};
  cmd.MenuCommand(MinimiseMenu);
  EXPECT_EQ(CheckedPosition(bar), "minimise");
  EXPECT_EQ(bar.settings.Get("Position", "LEFT"), "70");
  EXPECT_EQ(bar.settings.Get("Position", "TOP"), "80");
  EXPECT_EQ(bar.settings.Get("Position", "WIDTH"), "320");

  bar.settings.writes.clear();
  cmd.MenuCommand(BarBottomMenu);
  EXPECT_EQ(CheckedPosition(bar), "bottom");
  EXPECT_EQ(bar.settings.Get("Settings", "BarPosition"), "BOTTOM");
  for (const auto& w : bar.settings.writes) EXPECT_EQ(w.find("Position/"), std::string::npos) << w;

  // The command of the checked item re-applies without hiding the window.
  bar.log.clear();
  cmd.MenuCommand(BarBottomMenu);
  EXPECT_FALSE(Logged("hide"));
  EXPECT_EQ(CheckedPosition(bar), "bottom");

  // Floating while floating does nothing; without the title bar setting the
  // window floats without caption.
  bar.settings.Set("Settings", "TitleBar", "FALSE");
  cmd.MenuCommand(BarFloatMenu);
  EXPECT_FALSE(bar.TitleBarShown);
  bar.log.clear();
  cmd.MenuCommand(BarFloatMenu);
  EXPECT_TRUE(bar.log.empty());
}

TEST_F(Commands, HotKeysClicksAndTheSettingsButtonAreIgnoredWhileTheDialogIsOpen) {
  cmd.HotKey(2);
  EXPECT_EQ(CheckedPosition(bar), "top");
  cmd.HotKey(3);
  EXPECT_EQ(CheckedPosition(bar), "bottom");
  cmd.HotKey(4);
  EXPECT_EQ(CheckedPosition(bar), "minimise");
  cmd.HotKey(1);
  EXPECT_TRUE(bar.Checked(PauseMenu));
  bar.log.clear();
  cmd.HotKey(5);
  cmd.HotKey(0);
  EXPECT_TRUE(bar.log.empty());

  cmd.TrayIcon(kMouseRightDown);
  EXPECT_TRUE(Logged("menu"));
  cmd.TrayIcon(0x0202);  // button up: nothing
  cmd.SettingsImageMouseDown(MouseButton::Right);
  EXPECT_EQ(std::count(bar.log.begin(), bar.log.end(), "menu"), 2);

  bar.settingsTimer = true;  // the dialog is open
  bar.log.clear();
  cmd.HotKey(2);
  cmd.HotKey(1);
  cmd.TrayIcon(kMouseLeftDown);
  cmd.TrayIcon(kMouseRightDown);
  cmd.SettingsImageMouseDown(MouseButton::Left);
  EXPECT_TRUE(bar.log.empty());
  EXPECT_EQ(CheckedPosition(bar), "minimise");

  // Inside a box of a settings load: the same, and the hand-shake's ticks
  // leave "Applied" for after the load.
  bar.settingsTimer = false;
  bar.applying = true;
  bar.settings.Set("Settings", "SettingsStatus", "Applied");
  cmd.HotKey(2);
  cmd.TrayIcon(kMouseLeftDown);
  cmd.SettingsImageMouseDown(MouseButton::Right);
  SettingsTimerTimer(bar);
  EXPECT_TRUE(bar.log.empty());
  EXPECT_EQ(bar.settings.Get("Settings", "SettingsStatus"), "Applied");
}

TEST_F(Commands, TheUsersPauseMutesThePassAndRefreshIsAlwaysTheThreadsPass) {
  cmd.MenuCommand(PauseMenu);
  EXPECT_EQ(bar.log, (std::vector<std::string>{"pause muted", "panels paused"}));
  bar.log.clear();
  cmd.MenuCommand(RefreshMenu);
  EXPECT_TRUE(Logged("refresh pass"));
  EXPECT_TRUE(bar.Checked(PauseMenu)) << "the bar stays paused";
  cmd.MenuCommand(PauseMenu);
  EXPECT_EQ(bar.pauses, 0);
  bar.log.clear();
  cmd.MenuCommand(RefreshMenu);
  EXPECT_TRUE(Logged("refresh pass"));
}

TEST_F(Commands, AReloadThatWaitsForAnAlertBoxIsFollowedByProcessed) {
  bar.settingsTimer = true;
  bar.passUnderWay = true;
  bar.settings.Set("Settings", "SettingsStatus", "Applied");
  SettingsTimerTimer(bar);
  EXPECT_TRUE(bar.reloadWaiting);
  SettingsTimerTimer(bar);
  EXPECT_EQ(bar.settings.Get("Settings", "SettingsStatus"), "Applied") << "not reloaded yet";
  // The box is closed: the reload runs by itself, the next tick answers.
  bar.passUnderWay = bar.reloadWaiting = false;
  SettingsTimerTimer(bar);
  EXPECT_EQ(bar.settings.Get("Settings", "SettingsStatus"), "Processed");
  SettingsTimerTimer(bar);
  EXPECT_EQ(std::count(bar.log.begin(), bar.log.end(), "apply settings"), 1);
}

TEST_F(Commands, TheSettingsHandShakeReloadsOnApplyAndOnceMoreAtTheEnd) {
  int ticks = 0;
  bar.autoHideTimer = true;
  bar.whileDialogOpen = [&] {
    EXPECT_EQ(bar.settings.Get("Settings", "SettingsStatus"), "Processed");
    EXPECT_TRUE(bar.settingsTimer);
    EXPECT_EQ(bar.pauses, 1);
    SettingsTimerTimer(bar);  // nothing applied yet
    EXPECT_FALSE(bar.autoHideTimer) << "no auto-hide while the dialog is open";
    bar.settings.Set("Settings", "SettingsStatus", "Applied");
    SettingsTimerTimer(bar);
    EXPECT_EQ(bar.settings.Get("Settings", "SettingsStatus"), "Processed");
    ++ticks;
  };
  cmd.MenuCommand(SettingsMenu);
  EXPECT_EQ(ticks, 1);
  EXPECT_EQ(std::count(bar.log.begin(), bar.log.end(), "apply settings"), 2);
  EXPECT_FALSE(bar.settingsTimer);
  EXPECT_EQ(bar.pauses, 0);
  EXPECT_EQ(bar.log.back(), "resume");

  // A failing reload still resumes the thread and stops the timer.
  bar.failApply = true;
  bar.whileDialogOpen = nullptr;
  EXPECT_THROW(cmd.MenuCommand(SettingsMenu), CvlError);
  EXPECT_EQ(bar.pauses, 0);
  EXPECT_FALSE(bar.settingsTimer);

  // Closed while the dialog was open: no reload of a bar that is gone.
  bar.failApply = false;
  bar.log.clear();
  bar.whileDialogOpen = [&] { bar.closed = true; };
  cmd.MenuCommand(SettingsMenu);
  EXPECT_FALSE(Logged("apply settings"));
}

TEST_F(Commands, HelpAndWebPagesAndTheirFailureBoxes) {
  const std::string longDir = "C:\\" + std::string(200, 'x') + "\\";
  bar.settings.Set("Settings", "InstalledDir", longDir);
  cmd.MenuCommand(HelpMenu);
  ASSERT_EQ(bar.opened.size(), 1u);
  EXPECT_EQ(bar.opened[0], longDir + "Help\\Help.htm") << "a long folder is kept whole";
  EXPECT_TRUE(bar.boxes.empty());
  cmd.MenuCommand(WebMenu);
  cmd.MenuCommand(UpdatesMenu);
  // The build's addresses; a section of the help page lies in the same folder.
  EXPECT_EQ(bar.opened[1], ResolveAddress(kWebSiteAddress, longDir));
  EXPECT_EQ(bar.opened[2], ResolveAddress(kUpdatesAddress, longDir));

  bar.shellWorks = false;
  cmd.MenuCommand(HelpMenu);
  cmd.MenuCommand(WebMenu);
  cmd.MenuCommand(UpdatesMenu);
  EXPECT_EQ(bar.boxes, (std::vector<std::string>{"Unable to Launch Corvella Help.",
                                                 "Unable to Launch Web Browser.",
                                                 "Unable to Launch Web Browser."}));
  cmd.MenuCommand(AboutMenu);
  EXPECT_TRUE(Logged("about Corvella"));
}

TEST_F(Commands, ExitSavesThePlaceOfItsPositionAndRunsEveryStep) {
  bar.checks[BarFloatMenu] = true;
  bar.bounds = {11, 22, 333, 53};
  bar.pauses = 1;
  cmd.FormCloseQuery();
  EXPECT_EQ(bar.settings.Get("Position", "LEFT"), "11");
  EXPECT_EQ(bar.settings.Get("Position", "TOP"), "22");
  EXPECT_EQ(bar.settings.Get("Position", "WIDTH"), "333");
  EXPECT_EQ(bar.settings.Get("Position", "DOCKEDLEFT"), "<missing>");
  EXPECT_EQ(bar.log, (std::vector<std::string>{"hide", "resume", "stop", "free panels",
                                               "release dial-up", "unregister hot keys"}));
  EXPECT_EQ(shell.log, (std::vector<std::string>{"remove"}));

  // Docked: the docked place, the floating one untouched; a failing write
  // does not keep the thread running or the keys registered.
  FakeBar docked;
  FakeShell shell2;
  BarPositioner pos2(docked, shell2);
  BarCommands cmd2(docked, pos2);
  docked.checks[BarTopMenu] = true;
  docked.bounds = {0, 0, 1024, 34};
  docked.settings.Set("Position", "LEFT", "5");
  cmd2.FormCloseQuery();
  EXPECT_EQ(docked.settings.Get("Position", "DOCKEDLEFT"), "0");
  EXPECT_EQ(docked.settings.Get("Position", "DOCKEDTOP"), "0");
  EXPECT_EQ(docked.settings.Get("Position", "LEFT"), "5");
  EXPECT_EQ(docked.settings.Get("Position", "WIDTH"), "<missing>");

  FakeBar failing;
  FakeShell shell3;
  BarPositioner pos3(failing, shell3);
  BarCommands cmd3(failing, pos3);
  failing.settings.failOnWrite = "DOCKEDLEFT";
  cmd3.FormCloseQuery();
  EXPECT_EQ(failing.log, (std::vector<std::string>{"hide", "stop", "free panels",
                                                   "release dial-up", "unregister hot keys",
                                                   "beep and terminate"}));
}
