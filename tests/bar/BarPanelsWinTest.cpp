// The real bar in this process with its real panels, warnings, display
// thread and shell (only the settings library's dialogs left out): the panel
// windows, their texts, tips and fonts, the hand-over of texts and its gate,
// and a pass with a faulting plug-in run step by step on this thread (its
// calls made by the call helper, as this thread runs no passes of its own).
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>

#include "bar/BarFormCode.h"
#include "bar/DisplayThreadCode.h"
#include "bar/PanelWindows.h"
#include "shared/Globals.h"
#include "tests/bar/BarTestRegistry.h"
#include "tests/support/WinTest.h"

#ifndef TTTOOLINFOA_V1_SIZE
#define TTTOOLINFOA_V1_SIZE 40
#endif

using namespace wintest;
using bartest::Control;
using bartest::Panel;

namespace {

}  // namespace

// The settings library's dialogs are left out.
void BarWindow::ShowSettingsDialog() {}
void BarWindow::ShowAboutBox(const AboutTexts&) {}

namespace {

// The real shell keeps no auto-hide bars under Wine: this one says another
// program's bar hides on every edge, and passes the rest on.
class OccupiedShell : public AppBarShell {
 public:
  void Register() override { Real().Register(); }
  void Remove() override { Real().Remove(); }
  void QueryPos(int edge, EdgeRect& r) override { Real().QueryPos(edge, r); }
  void SetPos(int edge, EdgeRect& r) override {
    ++reserved;
    Real().SetPos(edge, r);
  }
  void SetAutoHideBar(int edge, bool on) override { Real().SetAutoHideBar(edge, on); }
  bool OtherAutoHideBar(int) override { return occupied; }
  bool occupied = true;
  int reserved = 0;

 private:
  static ShellAppBar Real() { return ShellAppBar(BarWindowHandle()); }
};


HWND Cell(TBarForm& form, int slot) { return GetDlgItem(form.Handle(), kTextCellIdBase + slot); }
std::string Text(TBarForm& form, int slot) { return WindowText(Cell(form, slot)); }

POINT PlaceIn(HWND parent, HWND child) {
  RECT r = WindowRectOf(child);
  POINT p = {r.left, r.top};
  ScreenToClient(parent, &p);
  return p;
}

void Pump(DWORD ms) {
  const DWORD end = GetTickCount() + ms;
  do {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    Sleep(5);
  } while (GetTickCount() < end);
}

bool PumpUntil(const std::function<bool()>& pred, DWORD ms) {
  const DWORD end = GetTickCount() + ms;
  while (!pred()) {
    if (GetTickCount() > end) return false;
    Pump(10);
  }
  return true;
}

// The display thread paused and between passes, the first readings shown
// (they are asked for, so they run even once it is paused).
bool Quiet(TBarForm& form) {
  form.PauseThread();
  return PumpUntil([&] {
    return !WindowText(GetDlgItem(form.Handle(), kTextCellIdBase + 1)).empty() &&
           !form.NoticeWhenIdle();
  }, 5000);
}

// One pass on this thread, its texts shown.
void PassHere(TBarForm& form) {
  RefreshCycle(form.Panels()->List(), *form.Warnings());
  form.Panels()->ShowTexts();
}

// Counts what the text cell is told to show.
LONG gSetTexts = 0;
WNDPROC gCellProc = nullptr;
LRESULT CALLBACK CountingProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_SETTEXT) ++gSetTexts;
  return CallWindowProcA(gCellProc, h, m, w, l);
}

class BarPanelsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetVeltropKeys();
    SetSetting("Settings", "InstalledDir", TestBinDir());
    SetSetting("Plugins", "NoOfPlugins", "3");
    SetSetting("Plugins", "1", "flaky.cvl");
    SetSetting("Plugins", "2", "complete.cvl");
    SetSetting("Plugins", "3", "nosensorfn.cvl");
    SetSetting("Settings", "Update", "60000");  // passes only when the test runs them
  }
  void TearDown() override {
    SetPriorityClass(GetCurrentProcess(), NORMAL_PRIORITY_CLASS);
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_NORMAL);
    ResetVeltropKeys();
    Pump(0);
  }
};

}  // namespace

TEST_F(BarPanelsTest, EachPanelIsAnIconCellAndATextCellShowingItsText) {
  SetSetting("Panels", "NoOfPanels", "3");
  Panel(1, "", "10", "100");
  Panel(2, "TRUE", "1", "80");  // flaky.cvl
  Panel(3, "TRUE", "3", "0");  // a sensor plug-in that exports no SensorFunction
  SetSetting("Settings", "FontStyle", "Bold");
  MessageBoxWatcher boxes;
  TBarForm form;
  ASSERT_TRUE(form.Create(nullptr));
  ASSERT_TRUE(Quiet(form));

  // The display thread's first texts, readable by anyone through WM_GETTEXT.
  ASSERT_TRUE(PumpUntil([&] { return Text(form, 3) == "Error"; }, 3000));
  EXPECT_EQ(ClassOf(Cell(form, 1)), "TPanel");
  EXPECT_NE(Text(form, 1).find(':'), std::string::npos) << Text(form, 1);
  EXPECT_EQ(Text(form, 2).substr(0, 6), "Flaky ");
  EXPECT_EQ(Text(form, 3), "Error");

  // A pass sends its panels' texts together, in one message after its last
  // panel (flaky's text changes at every call).
  auto* panels = form.Panels();
  const std::string flaky = Text(form, 2);
  const long posted = panels->Texts().PostedCount();
  RefreshCycle(form.Panels()->List(), *form.Warnings());
  EXPECT_EQ(panels->Texts().PostedCount(), posted + 1);
  form.Panels()->ShowTexts();
  EXPECT_NE(Text(form, 2), flaky);

  // Geometry: icon cell 22 x 22 at (30, 3), text cell 27 further, its own width.
  HWND icon = GetDlgItem(form.Handle(), kIconCellIdBase + 1);
  const POINT iconAt = PlaceIn(form.Handle(), icon);
  EXPECT_EQ(iconAt.x, 30);
  EXPECT_EQ(iconAt.y, 3);
  EXPECT_EQ(WindowRectOf(icon).right - WindowRectOf(icon).left, 22);
  const POINT textAt = PlaceIn(form.Handle(), Cell(form, 1));
  EXPECT_EQ(textAt.x, 57);
  RECT text = WindowRectOf(Cell(form, 1));
  EXPECT_EQ(text.right - text.left, 100);
  EXPECT_EQ(text.bottom - text.top, 22);
  EXPECT_EQ(PlaceIn(form.Handle(), GetDlgItem(form.Handle(), kIconCellIdBase + 2)).x,
            30 + 127 + 6);

  // The font of the settings, bold by the exact word.
  LOGFONTA lf{};
  HFONT font = reinterpret_cast<HFONT>(SendMessageA(Cell(form, 1), WM_GETFONT, 0, 0));
  ASSERT_NE(font, nullptr);
  GetObjectA(font, sizeof lf, &lf);
  EXPECT_EQ(lf.lfWeight, FW_BOLD);
  EXPECT_STREQ(lf.lfFaceName, "Arial");

  // Both cells of every panel and the settings button carry a tool tip.
  int tools = 0;
  for (HWND w : TopWindows(GetCurrentProcessId()))
    if (ClassOf(w) == TOOLTIPS_CLASSA)
      tools += static_cast<int>(SendMessageA(w, TTM_GETTOOLCOUNT, 0, 0));
  EXPECT_EQ(tools, 7);
  EXPECT_EQ(boxes.Count(), 0u) << boxes.Summary();

  // The pointer resting on a text cell brings up the panel's tip (the cell
  // relays its mouse messages to the tip control).
  PumpUntil([&] { return IsWindowVisible(form.Handle()) != FALSE; }, 5000);
  const RECT cell = WindowRectOf(Cell(form, 1));
  SetCursorPos((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
  PostMessageA(Cell(form, 1), WM_MOUSEMOVE, 0, MAKELPARAM(50, 11));
  HWND shownTip = nullptr;
  PumpUntil([&] {
    for (HWND w : TopWindows(GetCurrentProcessId()))
      if (ClassOf(w) == TOOLTIPS_CLASSA && IsWindowVisible(w)) shownTip = w;
    return shownTip != nullptr;
  }, 5000);
  ASSERT_NE(shownTip, nullptr) << "no tip over the text cell";
  TOOLINFOA shown{};
  shown.cbSize = TTTOOLINFOA_V1_SIZE;
  char tipText[128] = "";
  shown.lpszText = tipText;
  ASSERT_TRUE(SendMessageA(shownTip, TTM_GETCURRENTTOOLA, 0, reinterpret_cast<LPARAM>(&shown)));
  EXPECT_EQ(reinterpret_cast<HWND>(shown.uId), Cell(form, 1));
  EXPECT_STREQ(tipText, "Current Time");

  // A font style that differs only in letter case is regular.
  SetSetting("Settings", "FontStyle", "bold");
  form.ApplySettings(false);
  font = reinterpret_cast<HFONT>(SendMessageA(Cell(form, 1), WM_GETFONT, 0, 0));
  GetObjectA(font, sizeof lf, &lf);
  EXPECT_EQ(lf.lfWeight, FW_NORMAL);
  form.Close();
}

TEST_F(BarPanelsTest, AFaultSkipsTheRestOfItsPassThenOnlyThatPanelShowsError) {
  SetSetting("Panels", "NoOfPanels", "3");
  Panel(1, "TRUE", "2", "120");  // complete.cvl: "Complete reading <n>"
  Panel(2, "TRUE", "1", "80");   // flaky.cvl
  Panel(3, "TRUE", "2", "120");
  SetSetting("Warnings", "NoOfWarnings", "1");
  const std::string warning = std::string(kCorvellaKey) + "\\Warnings\\1\\General";
  SetString(HKEY_LOCAL_MACHINE, warning, "Plugin", "TRUE");
  SetString(HKEY_LOCAL_MACHINE, warning, "Number", "1");
  SetString(HKEY_LOCAL_MACHINE, warning, "WarnVal", "5");
  Control("Level", "10");  // the warning holds from the start
  MessageBoxWatcher boxes;
  TBarForm form;
  ASSERT_TRUE(form.Create(nullptr));
  boxes.WaitForCount(1, 3000);  // the first pass of the thread may have alerted already
  ASSERT_TRUE(Quiet(form));
  boxes.Clear();
  // Re-arm: one pass where the condition does not hold.
  Control("Level", "0");
  PassHere(form);
  Control("Level", "10");

  Control("Fault", "1");
  const std::string first = Text(form, 1), third = Text(form, 3);
  PassHere(form);
  EXPECT_NE(Text(form, 1), first) << "panels before the fault are updated";
  EXPECT_EQ(Text(form, 3), third) << "panels after it are skipped";
  Pump(200);
  EXPECT_EQ(boxes.Count(), 0u) << "warnings are skipped: " << boxes.Summary();

  PassHere(form);
  EXPECT_EQ(Text(form, 2), "Error");
  EXPECT_NE(Text(form, 3), third);
  ASSERT_TRUE(boxes.WaitForCount(1, 3000)) << "the warning works again";
  EXPECT_EQ(boxes.Boxes()[0].text, "Warning: Flaky level has risen above 5 units.");
  EXPECT_TRUE(boxes.Boxes()[0].topmost);

  // The fault stays behind: even with the plug-in mended the panel is out.
  Control("Fault", "0");
  PassHere(form);
  EXPECT_EQ(Text(form, 2), "Error");
  form.Close();
}

TEST_F(BarPanelsTest, TextsReachTheWindowsOnceAndOnlyFromTheCurrentList) {
  SetSetting("Panels", "NoOfPanels", "1");
  Panel(1, "TRUE", "1", "80");
  TBarForm form;
  ASSERT_TRUE(form.Create(nullptr));
  ASSERT_TRUE(Quiet(form));
  auto* panels = form.Panels();
  HWND cell = Cell(form, 1);
  gCellProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(cell, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountingProc)));
  gSetTexts = 0;

  const uint32_t now = panels->List().Generation();
  const long sent = panels->Texts().PostedCount();
  panels->Texts().Publish(now, 1, "same", 4, true);
  panels->ShowTexts();
  panels->Texts().Publish(now, 1, "same", 4, true);
  panels->ShowTexts();
  EXPECT_EQ(WindowText(cell), "same");
  EXPECT_EQ(gSetTexts, 1) << "a text that did not change is not set again";
  EXPECT_EQ(panels->Texts().PostedCount(), sent + 1) << "nor sent again";

  panels->Texts().Publish(now - 1, 1, "stale", 5, true);
  panels->ShowTexts();
  EXPECT_EQ(WindowText(cell), "same") << "a text of an older list is ignored";

  // The user's pause shuts the gate: a text the pass had published, and any
  // it publishes later, never lands on the dashes.
  panels->Texts().Publish(now, 1, "early", 5, true);
  form.Command(PauseMenu);
  panels->Texts().Publish(now, 1, "late", 4, true);
  panels->ShowTexts();
  EXPECT_EQ(WindowText(cell), "------");
  form.Command(PauseMenu);
  panels->Texts().Open();  // as the next pass does

  // From another thread: one message for many texts, shown by the message loop.
  const long posted = panels->Texts().PostedCount();
  struct Args {
    PanelTextTable* table;
    uint32_t generation;
  } args{&panels->Texts(), now};
  struct Writer {
    static DWORD WINAPI Run(LPVOID p) {
      auto* a = static_cast<Args*>(p);
      char text[16];
      for (int i = 0; i < 50; ++i) {
        wsprintfA(text, "t%d", i);
        a->table->Publish(a->generation, 1, text, static_cast<size_t>(lstrlenA(text)), true);
      }
      return 0;
    }
  };
  HANDLE writer = CreateThread(nullptr, 0, &Writer::Run, &args, 0, nullptr);
  WaitForSingleObject(writer, 5000);
  CloseHandle(writer);
  EXPECT_EQ(panels->Texts().PostedCount(), posted + 1);
  EXPECT_TRUE(PumpUntil([&] { return WindowText(cell) == "t49"; }, 2000));
  form.Close();
}

TEST_F(BarPanelsTest, TheBarIsPaintedSolidOrWithItsShadeAndHasItsSettingsButton) {
  SetSetting("Settings", "BarPosition", "FLOATING");
  SetSetting("Settings", "ShadeBar", "Solid");
  SetSetting("Settings", "ShadeColour", "255");
  SetSetting("Position", "LEFT", "100");
  SetSetting("Position", "TOP", "100");
  SetSetting("Position", "WIDTH", "300");
  TBarForm form;
  ASSERT_TRUE(form.Create(nullptr));
  HWND settings = GetDlgItem(form.Handle(), kSettingsPanelId);
  ASSERT_NE(settings, nullptr);
  const POINT at = PlaceIn(form.Handle(), settings);
  EXPECT_EQ(at.x, 3);
  EXPECT_EQ(at.y, 3);

  auto pixel = [&](int x, int y) {
    RedrawWindow(form.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Pump(100);
    HDC dc = GetDC(form.Handle());
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(form.Handle(), dc);
    return c;
  };
  RECT client;
  GetClientRect(form.Handle(), &client);
  EXPECT_EQ(pixel(client.right - 4, client.bottom - 2), RGB(255, 0, 0)) << "pure red";

  // The shade: the shade colour at the left edge, the button face beyond its share.
  SetSetting("Settings", "ShadeBar", "TRUE");
  SetSetting("Settings", "ShadeAmount", "50");
  EXPECT_EQ(pixel(0, client.bottom - 1), RGB(255, 0, 0));
  EXPECT_EQ(pixel(client.right - 4, client.bottom - 2), GetSysColor(COLOR_BTNFACE));
  SetSetting("Settings", "ShadeBar", "False");
  EXPECT_EQ(pixel(0, client.bottom - 1), GetSysColor(COLOR_BTNFACE));
  form.Close();
}

TEST_F(BarPanelsTest, AutoHideIsRefusedOnAnOccupiedEdgeAndOtherwiseShrinksTheBar) {
  SetSetting("Settings", "BarPosition", "TOP");
  SetSetting("Settings", "AutoHide", "TRUE");
  OccupiedShell occupied;
  MessageBoxWatcher boxes;
  {
    TBarForm form(&occupied);
    ASSERT_TRUE(form.Create(nullptr));
    ASSERT_TRUE(boxes.WaitForCount(1, 5000));
    EXPECT_EQ(boxes.Boxes()[0].title, "Corvella");
    EXPECT_EQ(boxes.Boxes()[0].text,
              "A toolbar is already hidden on this side of your screen.\r\n"
              "You can have only one auto-hide toolbar per side.");
    EXPECT_TRUE(boxes.Boxes()[0].topmost) << "system-modal";
    EXPECT_EQ(Setting("Settings", "AutoHide"), "FALSE");
    EXPECT_FALSE(form.Checked(AutoHideMenu));
    EXPECT_FALSE(form.AutoHideTimerEnabled());
    EXPECT_GE(occupied.reserved, 1) << "docked as a bar that reserves its space";
    EXPECT_TRUE(PumpUntil([&] { return WindowRectOf(form.Handle()).top == 0 &&
                                       IsWindowVisible(form.Handle()); }, 3000));
    form.Close();
  }

  // A free edge: the bar docks without reserving space and, with the cursor
  // away, shrinks to a 4-pixel strip at the next tick of its timer.
  SetSetting("Settings", "AutoHide", "TRUE");
  OccupiedShell free;
  free.occupied = false;
  boxes.Clear();
  TBarForm form(&free);
  ASSERT_TRUE(form.Create(nullptr));
  EXPECT_TRUE(form.AutoHideTimerEnabled());
  EXPECT_EQ(free.reserved, 0);
  SetCursorPos(500, 600);
  EXPECT_TRUE(PumpUntil([&] {
    RECT r = WindowRectOf(form.Handle());
    return r.top == 0 && r.bottom - r.top == 4;
  }, 5000));
  // The cursor at the strip brings the bar back.
  SetCursorPos(500, 1);
  EXPECT_TRUE(PumpUntil([&] {
    RECT r = WindowRectOf(form.Handle());
    return r.bottom - r.top > 4;
  }, 5000));
  EXPECT_EQ(boxes.Count(), 0u) << boxes.Summary();
  form.Close();
}

TEST_F(BarPanelsTest, TheFloatingBarIsWidenedByDraggingItsRightEdge) {
  SetSetting("Settings", "BarPosition", "FLOATING");
  SetSetting("Position", "LEFT", "100");
  SetSetting("Position", "TOP", "100");
  SetSetting("Position", "WIDTH", "300");
  TBarForm form;
  ASSERT_TRUE(form.Create(nullptr));
  HWND bar = form.Handle();
  ASSERT_EQ(WindowRectOf(bar).right - WindowRectOf(bar).left, 300);
  // A press more than 10 pixels from the edge does not start a drag.
  SendMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, 10));
  SendMessageA(bar, WM_LBUTTONUP, 0, MAKELPARAM(250, 10));
  EXPECT_EQ(WindowRectOf(bar).right - WindowRectOf(bar).left, 300);
  // 6 pixels from the right edge (x beyond width - 10), released 100 further.
  SendMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(294, 10));
  SendMessageA(bar, WM_LBUTTONUP, 0, MAKELPARAM(394, 10));
  EXPECT_EQ(WindowRectOf(bar).right - WindowRectOf(bar).left, 400);
  form.Close();
}
