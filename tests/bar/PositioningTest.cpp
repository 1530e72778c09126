// Where the bar goes: the docked paths with the shell, the auto-hide decision
// and refusal, floating and minimised, the docking timer, auto-hide shrinking
// and the title bar's arithmetic.
#include <gtest/gtest.h>

#include "tests/bar/FakeBar.h"

namespace {

class Positioning : public ::testing::Test {
 protected:
  FakeBar bar;
  FakeShell shell;
  BarPositioner pos{bar, shell};
};

bool Contains(const std::vector<std::string>& log, const std::string& entry) {
  for (const auto& e : log)
    if (e == entry) return true;
  return false;
}

}  // namespace

TEST_F(Positioning, DockingAtTheTopTakesTheShellsRectangleAndTheLayoutHeight) {
  shell.reservedTop = 20;  // another bar above us
  pos.SetBarPosition(bpTop);
  EXPECT_EQ(bar.Position, bpTop);
  // Laid out for the full monitor width, one row: 34 high below the other bar.
  EXPECT_EQ(bar.arrangedFor.back(), 1024);
  EXPECT_EQ(bar.BarHeight, 34);
  EXPECT_EQ(bar.DockRect.Top, 20);
  EXPECT_EQ(bar.DockRect.Bottom, 54);
  ASSERT_EQ(shell.setPos.size(), 1u) << "a plain docked bar reserves its space";
  EXPECT_EQ(shell.setPos[0].Bottom, 54);
  EXPECT_TRUE(bar.displayTimer);
  EXPECT_FALSE(bar.TitleBarShown);
  EXPECT_EQ(bar.style & kStyleCaption, kStyleDlgFrame) << "the caption goes";
  EXPECT_EQ(CheckedPosition(bar), "top");
  EXPECT_EQ(bar.settings.Get("Settings", "BarPosition"), "TOP");
  EXPECT_FALSE(bar.tray);
  // The old edge (none yet) loses auto-hide first, the new one gets "off".
  EXPECT_EQ(shell.log[0], "autohide 0 off");
  EXPECT_TRUE(Contains(shell.log, "autohide 1 off"));

  // Settled and visible: re-applying moves nothing.
  bar.bounds = bar.DockRect.Bounds();
  bar.displayTimer = false;
  shell.setPos.clear();
  pos.SetBarPosition(bpNone);
  EXPECT_TRUE(shell.setPos.empty());
  EXPECT_FALSE(bar.displayTimer);
}

TEST_F(Positioning, DockingAtTheBottomKeepsTheBottomEdgeForTwoRows) {
  bar.monitor = {0, 0, 400, 300};  // narrow: the layout needs two rows
  pos.SetBarPosition(bpBottom);
  EXPECT_EQ(bar.BarHeight, 62);
  EXPECT_EQ(bar.DockRect.Bottom, 300);
  EXPECT_EQ(bar.DockRect.Top, 238);
  EXPECT_EQ(CheckedPosition(bar), "bottom");
  EXPECT_EQ(bar.settings.Get("Settings", "BarPosition"), "BOTTOM");
}

TEST_F(Positioning, AutoHideIsRefusedWhenAnotherBarHidesOnThatEdge) {
  bar.checks[AutoHideMenu] = true;
  bar.autoHideTimer = true;
  shell.otherAutoHide = true;
  pos.SetBarPosition(bpTop);
  ASSERT_EQ(bar.boxes.size(), 1u);
  EXPECT_EQ(bar.boxes[0],
            "A toolbar is already hidden on this side of your screen.\r\n"
            "You can have only one auto-hide toolbar per side.");
  EXPECT_EQ(bar.settings.Get("Settings", "AutoHide"), "FALSE");
  EXPECT_FALSE(bar.Checked(AutoHideMenu));
  EXPECT_FALSE(bar.autoHideTimer);
  // Docked as an ordinary bar that reserves its space.
  EXPECT_TRUE(Contains(shell.log, "autohide 1 off"));
  EXPECT_EQ(shell.setPos.size(), 1u);
}

TEST_F(Positioning, AcceptedAutoHideRegistersAgainAndReservesNothing) {
  bar.checks[AutoHideMenu] = true;
  pos.SetBarPosition(bpBottom);
  EXPECT_TRUE(bar.boxes.empty());
  EXPECT_TRUE(Contains(shell.log, "autohide 3 on"));
  EXPECT_TRUE(shell.setPos.empty());
  // remove, then register again, before the flag is sent
  std::vector<std::string> tail;
  for (const auto& e : shell.log)
    if (e == "remove" || e == "register" || e == "autohide 3 on") tail.push_back(e);
  EXPECT_EQ(tail, (std::vector<std::string>{"register", "remove", "register", "autohide 3 on"}));
}

TEST_F(Positioning, FloatingAndMinimisedStopADockingUnderWay) {
  bar.bounds = {100, 100, 506, 10};
  bar.displayTimer = true;  // a docking still under way
  pos.SetBarPosition(bpFloating);
  EXPECT_FALSE(bar.displayTimer) << "the docking must not pull the floating bar back";
  EXPECT_EQ(bar.arrangedFor.back(), 500) << "laid out for the client width";
  EXPECT_EQ(bar.bounds.Height, 34 + 19);

  bar.settings.Set("Settings", "PauseOnMinimise", "TRUE");
  bar.displayTimer = true;
  pos.SetBarPosition(bpMinimised);
  EXPECT_FALSE(bar.displayTimer) << "nor show the minimised one again";
  EXPECT_TRUE(Contains(bar.log, "pause command"));
  bar.log.clear();
  bar.checks[PauseMenu] = true;  // already paused: no second pause
  pos.SetBarPosition(bpMinimised);
  EXPECT_FALSE(Contains(bar.log, "pause command"));
}

TEST_F(Positioning, AnErrorIsFatalWithCode04) {
  shell.failQuery = true;
  pos.SetBarPosition(bpTop);
  ASSERT_EQ(bar.boxes.size(), 1u);
  EXPECT_EQ(bar.boxes[0],
            "An Error has Occured Trying to Display Corvella Error Code: 04. Description: "
            "Range check error");
}

TEST_F(Positioning, TheDockingTimerPlacesTheWindowAndShowsItOnceSettled) {
  bar.DockRect = {0, 0, 1024, 34};
  bar.displayTimer = true;
  pos.DisplayTimerTick();
  EXPECT_EQ(bar.bounds, (BarBounds{0, 0, 1024, 34}));
  EXPECT_TRUE(bar.visible);
  EXPECT_TRUE(bar.displayTimer);
  pos.DisplayTimerTick();
  EXPECT_FALSE(bar.displayTimer);

  // Minimised and docked again at the same place: the window stands on the
  // rectangle but is hidden; it must come back.
  bar.visible = false;
  bar.displayTimer = true;
  pos.DisplayTimerTick();
  EXPECT_FALSE(bar.displayTimer);
  EXPECT_TRUE(bar.visible);
}

TEST_F(Positioning, AutoHideShrinksToFourPixelsAndComesBackNearTheCursor) {
  bar.Position = bpTop;
  bar.bounds = {0, 0, 1024, 34};
  pos.AutoHideTick(500, 400);  // far away
  EXPECT_EQ(bar.bounds, (BarBounds{0, 0, 1024, 4}));
  EXPECT_EQ(bar.moves.size(), 15u) << "2 pixels a step";
  EXPECT_FALSE(bar.Hiding);

  bar.Position = bpBottom;
  bar.bounds = {0, 733, 1024, 35};  // odd height: ends at 4, bottom kept
  pos.AutoHideTick(500, 10);
  EXPECT_EQ(bar.bounds.Height, 4);
  EXPECT_EQ(bar.bounds.Top + bar.bounds.Height, 768);

  // The cursor within 2 pixels of the strip brings it back.
  shell.log.clear();
  pos.AutoHideTick(500, 766);
  EXPECT_TRUE(Contains(shell.log, "query 3"));
  // Floating bars do not auto-hide.
  bar.Position = bpFloating;
  bar.bounds = {10, 10, 300, 53};
  pos.AutoHideTick(900, 700);
  EXPECT_EQ(bar.bounds.Height, 53);
}

TEST(TitleBar, HidingAndShowingMoveByNineteenAndTheCaptionMetric) {
  const uint32_t dialog = 0x80000000u | kStyleCaption;
  TitleBarChange hide = TitlebarChange(false, dialog, BorderKind::Dialog, 18);
  EXPECT_TRUE(hide.Changed);
  EXPECT_EQ(hide.Style, 0x80000000u | kStyleDlgFrame | kStyleModalFrame);
  EXPECT_EQ(hide.HeightDelta, -18);
  EXPECT_EQ(hide.TopDelta, 19);
  EXPECT_FALSE(TitlebarChange(false, hide.Style, BorderKind::Dialog, 18).Changed);

  TitleBarChange show = TitlebarChange(true, hide.Style, BorderKind::Dialog, 18);
  EXPECT_EQ(show.Style & kStyleCaption, kStyleCaption);
  EXPECT_EQ(show.HeightDelta, 18);
  EXPECT_EQ(show.TopDelta, -19);
  EXPECT_FALSE(TitlebarChange(true, show.Style, BorderKind::Dialog, 18).Changed);

  TitleBarChange single = TitlebarChange(false, kStyleCaption, BorderKind::Single, 18);
  EXPECT_EQ(single.Style, kStyleBorder);
}
