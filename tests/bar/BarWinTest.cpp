// The shipped Main.exe (with the real cvl.dll) driven from outside through
// window messages, as the shell, the hot keys and the user would: positions
// and the notification icon, pause, refresh and the settings dialog, the
// hand-shake, the exit saves, a faulting plug-in, the help command, and
// fifty exits in a row while passes run. WindowNeverWaits: an alert box left
// open and calls into a plug-in that do not return hold neither the window
// nor the other panels and warnings, nor the exit.
#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdlib>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "bar/core/BarColours.h"
#include "bar/core/BarWindow.h"
#include "tests/bar/BarTestRegistry.h"
#include "tests/support/WinTest.h"

using namespace wintest;
using bartest::Control;
using bartest::Panel;

namespace {

constexpr UINT kTrayIcon = WM_USER + 154;
constexpr int kTextCell = 1000;
// Xvfb has no window manager; Wine waits two seconds for one at every hiding
// of a window it lets a manager handle. The bar is run with Wine drawing
// every window itself, as a desktop with a manager would answer at once.
constexpr const char* kX11Driver = "Software\\Wine\\X11 Driver";

std::string MainExe() { return BinDir() + "Main.exe"; }

std::string Text(HWND bar, int slot) { return WindowText(GetDlgItem(bar, kTextCell + slot)); }

// Whether the shell holds the bar's notification icon: only an existing icon
// can be modified.
bool TrayIconShown(HWND bar) {
  NOTIFYICONDATAA data{};
  data.cbSize = NOTIFYICONDATAA_V1_SIZE;
  data.hWnd = bar;
  data.uID = 1;
  data.uFlags = NIF_TIP;
  lstrcpyA(data.szTip, "Corvella");
  return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

void Command(HWND bar, UINT item) { PostMessageA(bar, WM_COMMAND, item, 0); }
void HotKey(HWND bar, int id) { PostMessageA(bar, WM_HOTKEY, static_cast<WPARAM>(id), 0); }
void TrayClick(HWND bar, UINT mouse) { PostMessageA(bar, kTrayIcon, 1, mouse); }

// A visible pop-up menu of that process.
bool MenuOpen(DWORD pid) {
  for (HWND w : TopWindows(pid))
    if (ClassOf(w) == "#32768" && IsWindowVisible(w)) return true;
  return false;
}

void Warning(int i, const std::string& plugin, const std::string& number,
             const std::string& warnVal) {
  const std::string key =
      std::string(kCorvellaKey) + "\\Warnings\\" + std::to_string(i) + "\\General";
  SetString(HKEY_LOCAL_MACHINE, key, "Plugin", plugin);
  SetString(HKEY_LOCAL_MACHINE, key, "Number", number);
  SetString(HKEY_LOCAL_MACHINE, key, "WarnVal", warnVal);
}

// Threads of that process (the system's own included).
int ThreadCount(DWORD pid) {
  HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snap == INVALID_HANDLE_VALUE) return -1;
  THREADENTRY32 t{};
  t.dwSize = sizeof t;
  int n = 0;
  for (BOOL more = Thread32First(snap, &t); more; more = Thread32Next(snap, &t))
    if (t.th32OwnerProcessID == pid) ++n;
  CloseHandle(snap);
  return n;
}

// Whether the shell still holds an application bar for that window: it takes
// no second registration of the same window.
bool AppBarRegistered(HWND bar) {
  APPBARDATA data{};
  data.cbSize = sizeof data;
  data.hWnd = bar;
  data.uCallbackMessage = WM_USER + 199;
  if (!SHAppBarMessage(ABM_NEW, &data)) return true;
  SHAppBarMessage(ABM_REMOVE, &data);
  return false;
}

constexpr DWORD kHangLimitMs = 10000;

// The number a plug-in's text ends with ("Flaky 12", "GraphValue reading 7").
int ReadingNumber(const std::string& text) {
  const size_t digits = text.find_last_not_of("0123456789");
  return digits + 1 < text.size() ? std::atoi(text.c_str() + digits + 1) : -1;
}

// A text cell as the screen shows it: 22 rows, the bevel around the inside.
struct CellPicture {
  explicit CellPicture(HWND cell) : pixels(ScreenPixels(cell)) {
    const RECT r = WindowRectOf(cell);
    width = r.right - r.left;
  }
  COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
  // Columns inside the bevel, from the rightmost leftwards, that alternate
  // between filled to the top in the tint and empty (the face), as a value
  // of 0, 100, 0, ... draws them.
  int AlternatingColumns(COLORREF face, COLORREF tint) const {
    int n = 0;
    for (int x = width - 2; x >= 1; --x) {
      const COLORREF bottom = At(x, 20), top = At(x, 1);
      if (top != bottom || (bottom != face && bottom != tint)) break;
      if (n > 0 && bottom == At(x + 1, 20)) break;
      ++n;
    }
    return n;
  }
  // The bottom and top rows inside the bevel, for a failure's message.
  std::string Rows() const {
    std::string text;
    char hex[16];
    for (int y : {1, 20}) {
      for (int x = 1; x <= width - 2; ++x) {
        std::snprintf(hex, sizeof hex, " %06lX", static_cast<unsigned long>(At(x, y)));
        text += hex;
      }
      text += "\n";
    }
    return text;
  }
  // Whether no column inside the bevel is tinted at the bottom.
  bool Ungraphed(COLORREF face) const {
    for (int x = 1; x <= width - 2; ++x)
      if (At(x, 20) != face) return false;
    return true;
  }
  std::vector<COLORREF> pixels;
  int width = 0;
};

COLORREF Face() { return GetSysColor(COLOR_BTNFACE); }
// The graph's tint with the default font colour.
COLORREF DefaultTint() { return GraphTint(Face(), GetSysColor(COLOR_WINDOWTEXT)); }

class MainBar : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetVeltropKeys();
    SetString(HKEY_CURRENT_USER, kX11Driver, "Managed", "N");
    ASSERT_EQ(FindTopWindow("TApplication", "CVL"), nullptr) << "a bar is already running";
    SetSetting("Settings", "InstalledDir", TestBinDir());
    SetSetting("Plugins", "NoOfPlugins", "2");
    SetSetting("Plugins", "1", "flaky.cvl");
    SetSetting("Plugins", "2", "complete.cvl");
  }
  void TearDown() override {
    if (main.Running()) main.Close(15000);
    ResetVeltropKeys();
    SetEnvironmentVariableA("CVL_TEST_LEVEL", nullptr);
  }
  HWND Start(bool visible = true) {
    if (!main.Start(MainExe(), "SplashLaunch")) return nullptr;
    HWND bar = WaitForTopWindow("TBarForm", "Corvella", main.Pid(), 20000, visible);
    // Start-up is over once the display interval has been applied.
    WaitUntil([&] { return bar && Setting("Settings", "OnTop") != "<missing>"; }, 10000);
    return bar;
  }
  bool Exit(HWND bar) {
    Command(bar, ExitMenu);
    return main.WaitExit(15000);
  }

  ChildProcess main;
};

}  // namespace

TEST_F(MainBar, PositionsAreWrittenAndTheIconShowsOnlyWhileMinimised) {
  SetSetting("Position", "LEFT", "100");
  SetSetting("Position", "TOP", "200");
  SetSetting("Position", "WIDTH", "500");
  HWND bar = Start();
  ASSERT_NE(bar, nullptr);
  const int screenW = GetSystemMetrics(SM_CXSCREEN), screenH = GetSystemMetrics(SM_CYSCREEN);
  EXPECT_EQ(Setting("Settings", "BarPosition"), "BOTTOM");
  EXPECT_TRUE(WaitUntil([&] { return WindowRectOf(bar).bottom == screenH; }, 5000));
  EXPECT_FALSE(TrayIconShown(bar));

  HotKey(bar, 2);
  EXPECT_TRUE(WaitUntil([&] { return Setting("Settings", "BarPosition") == "TOP"; }, 5000));
  EXPECT_TRUE(WaitUntil([&] {
    RECT r = WindowRectOf(bar);
    return r.top == 0 && r.left == 0 && r.right == screenW && IsWindowVisible(bar);
  }, 5000));
  EXPECT_EQ(GetWindowLongA(bar, GWL_STYLE) & WS_CAPTION, WS_DLGFRAME) << "docked without caption";

  Command(bar, BarFloatMenu);
  ASSERT_TRUE(WaitUntil([&] { return Setting("Settings", "BarPosition") == "FLOATING"; }, 5000));
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(bar) != FALSE; }, 5000));
  RECT r = WindowRectOf(bar);
  EXPECT_EQ(r.left, 100);
  EXPECT_EQ(r.top, 200) << "the floating bar comes back where it was saved";
  EXPECT_EQ(r.right - r.left, 500);
  EXPECT_EQ(GetWindowLongA(bar, GWL_STYLE) & WS_CAPTION, WS_CAPTION);
  EXPECT_FALSE(TrayIconShown(bar));

  // Moved while floating; minimising remembers where.
  MoveWindow(bar, 120, 220, 480, r.bottom - r.top, TRUE);
  HotKey(bar, 4);
  ASSERT_TRUE(WaitUntil([&] { return Setting("Settings", "BarPosition") == "MINIMISED"; }, 5000));
  EXPECT_FALSE(IsWindowVisible(bar));
  EXPECT_TRUE(TrayIconShown(bar));
  EXPECT_EQ(Setting("Position", "LEFT"), "120");
  EXPECT_EQ(Setting("Position", "TOP"), "220");
  EXPECT_EQ(Setting("Position", "WIDTH"), "480");

  // A restarted shell has forgotten the icon; its broadcast brings it back.
  NOTIFYICONDATAA gone{};
  gone.cbSize = NOTIFYICONDATAA_V1_SIZE;
  gone.hWnd = bar;
  gone.uID = 1;
  ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &gone));
  EXPECT_FALSE(TrayIconShown(bar));
  PostMessageA(bar, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return TrayIconShown(bar); }, 3000));

  HotKey(bar, 3);
  ASSERT_TRUE(WaitUntil([&] { return Setting("Settings", "BarPosition") == "BOTTOM"; }, 5000));
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(bar) != FALSE; }, 5000));
  EXPECT_FALSE(TrayIconShown(bar));

  // Exit while docked: the docked place, the floating one left alone.
  ASSERT_TRUE(Exit(bar));
  EXPECT_EQ(main.ExitCode(), 0u);
  EXPECT_EQ(Setting("Position", "DOCKEDLEFT"), "0");
  EXPECT_NE(Setting("Position", "DOCKEDTOP"), "<missing>");
  EXPECT_EQ(Setting("Position", "LEFT"), "120");
  EXPECT_EQ(Setting("Position", "WIDTH"), "480");
}

TEST_F(MainBar, PauseHoldsAcrossTheSettingsDialogWhichGatesKeysAndClicks) {
  SetSetting("Settings", "Update", "50");
  SetSetting("Panels", "NoOfPanels", "2");
  Panel(1, "", "10", "90");
  Panel(2, "TRUE", "1", "80");
  HWND bar = Start();
  ASSERT_NE(bar, nullptr);
  const std::string first = Text(bar, 2);
  ASSERT_TRUE(WaitUntil([&] { return Text(bar, 2) != first; }, 5000)) << "no refresh";

  Command(bar, PauseMenu);
  ASSERT_TRUE(WaitUntil([&] { return Text(bar, 1) == "------" && Text(bar, 2) == "------"; },
                        3000));
  Sleep(300);
  EXPECT_EQ(Text(bar, 2), "------");

  // The settings dialog from the notification icon; while it is open, keys,
  // icon clicks and the menu do nothing.
  TrayClick(bar, WM_LBUTTONDOWN);
  HWND dialog = WaitForTopWindow("", "Corvella Settings", main.Pid(), 10000, true);
  ASSERT_NE(dialog, nullptr);
  HotKey(bar, 2);
  TrayClick(bar, WM_RBUTTONDOWN);
  TrayClick(bar, WM_LBUTTONDOWN);
  Sleep(400);
  EXPECT_EQ(Setting("Settings", "BarPosition"), "BOTTOM");
  EXPECT_FALSE(MenuOpen(main.Pid()));
  int dialogs = 0;
  for (HWND w : TopWindows(main.Pid()))
    if (WindowText(w) == "Corvella Settings" && IsWindowVisible(w)) ++dialogs;
  EXPECT_EQ(dialogs, 1);
  PostMessageA(dialog, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 5000));
  Sleep(300);
  EXPECT_EQ(Text(bar, 2), "------") << "still paused after the dialog";

  // Refresh while paused: fresh texts once, and paused still.
  Command(bar, RefreshMenu);
  ASSERT_TRUE(WaitUntil([&] { return Text(bar, 2).rfind("Flaky ", 0) == 0; }, 3000));
  const std::string once = Text(bar, 2);
  Sleep(300);
  EXPECT_EQ(Text(bar, 2), once);

  Command(bar, PauseMenu);
  EXPECT_TRUE(WaitUntil([&] { return Text(bar, 2) != once; }, 3000)) << "running again";
  ASSERT_TRUE(Exit(bar));
}

TEST_F(MainBar, AppliedWhileTheDialogIsOpenReloadsThePanelsWithin300ms) {
  SetSetting("Panels", "NoOfPanels", "1");
  Panel(1, "", "10", "90");
  MessageBoxWatcher boxes;
  HWND bar = Start();
  ASSERT_NE(bar, nullptr);
  TrayClick(bar, WM_LBUTTONDOWN);
  HWND dialog = WaitForTopWindow("", "Corvella Settings", main.Pid(), 10000, true);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(Setting("Settings", "SettingsStatus"), "Processed");

  SetSetting("Panels", "NoOfPanels", "2");
  Panel(2, "", "12", "90");
  const DWORD start = GetTickCount();
  SetSetting("Settings", "SettingsStatus", "Applied");
  ASSERT_TRUE(WaitUntil([&] { return GetDlgItem(bar, kTextCell + 2) != nullptr; }, 2000, 5));
  const DWORD took = GetTickCount() - start;
  EXPECT_LT(took, 300u);
  EXPECT_TRUE(WaitUntil([&] { return Setting("Settings", "SettingsStatus") == "Processed"; }, 300));

  std::printf("panels reloaded %lu ms after \"Applied\"\n", static_cast<unsigned long>(took));
  EXPECT_EQ(boxes.Count(), 0u) << boxes.Summary();
  PostMessageA(dialog, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 5000));
  ASSERT_TRUE(Exit(bar));
}

TEST_F(MainBar, AReloadWhoseBoxIsOpenIsNotStartedAgainByTheHandShake) {
  SetSetting("Panels", "NoOfPanels", "1");
  Panel(1, "", "10", "90");
  SetSetting("Plugins", "NoOfPlugins", "3");
  SetSetting("Plugins", "3", "nofacilities.cvl");
  MessageBoxWatcher boxes;
  HWND bar = Start();
  ASSERT_NE(bar, nullptr);
  TrayClick(bar, WM_LBUTTONDOWN);
  HWND dialog = WaitForTopWindow("", "Corvella Settings", main.Pid(), 10000, true);
  ASSERT_NE(dialog, nullptr);

  // Applied with a panel whose plug-in cannot serve it: the reload reports
  // "07." and its box stays open for a second, ten ticks of the hand-shake.
  boxes.Hold(true);
  SetSetting("Panels", "NoOfPanels", "2");
  Panel(2, "TRUE", "3", "80");
  SetSetting("Settings", "SettingsStatus", "Applied");
  ASSERT_TRUE(boxes.WaitForCount(1, 5000));
  Sleep(1000);
  EXPECT_EQ(boxes.Count(), 1u) << boxes.Summary();
  EXPECT_EQ(boxes.Boxes()[0].text,
            "One or More Plugins could not be Loaded. Error Code: 07. Description: Error "
            "Loading Plugin");
  EXPECT_EQ(boxes.Boxes()[0].owner, bar);
  EXPECT_EQ(Setting("Settings", "SettingsStatus"), "Applied") << "the reload is still under way";
  boxes.Hold(false);
  EXPECT_TRUE(WaitUntil([&] { return Setting("Settings", "SettingsStatus") == "Processed"; }, 3000));
  Sleep(500);
  EXPECT_EQ(boxes.Count(), 1u) << boxes.Summary();
  EXPECT_EQ(Text(bar, 1).find(':') != std::string::npos, true) << "the built-in panel is shown";

  // Closing the dialog applies everything once more: one more report.
  PostMessageA(dialog, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 5000));
  ASSERT_TRUE(boxes.WaitForCount(2, 5000));
  Sleep(300);
  EXPECT_EQ(boxes.Count(), 2u) << boxes.Summary();
  ASSERT_TRUE(Exit(bar));
}

TEST_F(MainBar, TheEndOfTheWindowsSessionRunsTheExitSequence) {
  SetSetting("Position", "LEFT", "100");
  HWND bar = Start();
  ASSERT_NE(bar, nullptr);
  const int screenH = GetSystemMetrics(SM_CYSCREEN);
  ASSERT_TRUE(WaitUntil([&] { return WindowRectOf(bar).bottom == screenH; }, 5000));
  const RECT docked = WindowRectOf(bar);

  // Asked, the bar lets the session end; a session that goes on after all
  // changes nothing.
  DWORD_PTR answer = 0;
  ASSERT_TRUE(SendMessageTimeoutA(bar, WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, 5000, &answer));
  EXPECT_EQ(answer, static_cast<DWORD_PTR>(TRUE));
  ASSERT_TRUE(SendMessageTimeoutA(bar, WM_ENDSESSION, FALSE, 0, SMTO_NORMAL, 5000, &answer));
  Sleep(300);
  EXPECT_TRUE(main.Running());
  EXPECT_EQ(Setting("Position", "DOCKEDTOP"), "<missing>");

  // Windows ends without closing the window: the bar saves its place, gives
  // up what it holds and ends on its own.
  SendMessageTimeoutA(bar, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_NORMAL, 15000, &answer);
  ASSERT_TRUE(main.WaitExit(15000));
  EXPECT_EQ(main.ExitCode(), 0u);
  EXPECT_EQ(Setting("Position", "DOCKEDLEFT"), std::to_string(docked.left));
  EXPECT_EQ(Setting("Position", "DOCKEDTOP"), std::to_string(docked.top));
  EXPECT_EQ(Setting("Position", "LEFT"), "100") << "the floating place is left alone";
}

TEST_F(MainBar, TheSessionEndingWhileALoadShowsItsBoxEndsTheBarCleanly) {
  SetSetting("Plugins", "NoOfPlugins", "3");
  SetSetting("Plugins", "3", "nofacilities.cvl");
  SetSetting("Panels", "NoOfPanels", "2");
  Panel(1, "", "10", "90");
  Panel(2, "TRUE", "3", "80");
  MessageBoxWatcher boxes;
  boxes.Hold(true);
  ASSERT_TRUE(main.Start(MainExe(), "SplashLaunch"));
  ASSERT_TRUE(boxes.WaitForCount(1, 20000));
  HWND bar = FindTopWindow("TBarForm", "Corvella", main.Pid());
  ASSERT_NE(bar, nullptr);
  // The start-up load is inside its "07." box when Windows ends.
  DWORD_PTR answer = 0;
  SendMessageTimeoutA(bar, WM_ENDSESSION, TRUE, 0, SMTO_NORMAL, 15000, &answer);
  boxes.Hold(false);
  ASSERT_TRUE(main.WaitExit(15000));
  EXPECT_EQ(main.ExitCode(), 0u);
  EXPECT_NE(Setting("Position", "DOCKEDTOP"), "<missing>");
  EXPECT_EQ(boxes.Count(), 1u) << boxes.Summary();
}

TEST_F(MainBar, AFaultingPlugInLeavesTheBarUpAndOnlyItsPanelShowsError) {
  SetSetting("Settings", "Update", "50");
  SetSetting("Panels", "NoOfPanels", "3");
  Panel(1, "TRUE", "2", "120");  // complete.cvl
  Panel(2, "TRUE", "1", "80");   // flaky.cvl
  Panel(3, "TRUE", "2", "120");
  SetSetting("Warnings", "NoOfWarnings", "1");
  Warning(1, "TRUE", "1", "5");
  MessageBoxWatcher boxes;
  HWND bar = Start();
  ASSERT_NE(bar, nullptr);
  const std::string third = Text(bar, 3);
  ASSERT_TRUE(WaitUntil([&] { return Text(bar, 3) != third; }, 5000));

  Control("Fault", "1");
  ASSERT_TRUE(WaitUntil([&] { return Text(bar, 2) == "Error"; }, 5000));
  const std::string later = Text(bar, 3);
  EXPECT_TRUE(WaitUntil([&] { return Text(bar, 3) != later; }, 3000)) << "later panels go on";
  Control("Level", "10");
  ASSERT_TRUE(boxes.WaitForCount(1, 5000)) << "the warning still works";
  EXPECT_EQ(boxes.Boxes()[0].text, "Warning: Flaky level has risen above 5 units.");
  EXPECT_TRUE(main.Running());
  ASSERT_TRUE(Exit(bar));
  EXPECT_EQ(main.ExitCode(), 0u);
}

TEST_F(MainBar, HelpWithAMissingOrVeryLongFolderShowsItsFailureBox) {
  const std::string longDir = "C:\\" + std::string(150, 'h') + "\\" + std::string(60, 'i') + "\\";
  SetSetting("Settings", "InstalledDir", longDir);
  MessageBoxWatcher boxes;
  HWND bar = Start();
  ASSERT_NE(bar, nullptr);
  Command(bar, HelpMenu);
  ASSERT_TRUE(boxes.WaitForCount(1, 10000));
  EXPECT_EQ(boxes.Boxes()[0].title, "Corvella");
  EXPECT_EQ(boxes.Boxes()[0].text, "Unable to Launch Corvella Help.");
  EXPECT_EQ(boxes.Boxes()[0].owner, bar);
  EXPECT_EQ(boxes.Boxes()[0].icon, MB_ICONEXCLAMATION);
  EXPECT_EQ(boxes.Boxes()[0].defaultButton, IDOK);
  EXPECT_TRUE(main.Running());
  ASSERT_TRUE(Exit(bar));
}

TEST_F(MainBar, AResourcePanelWithoutTheResourceMeterIsReportedWith07) {
  // The shipped resource plug-in needs the Windows 95 resource meter
  // (rsrc32.dll), which this folder and the system lack: it does not load.
  const std::string dir = MakeTempDir("bar07");
  ASSERT_TRUE(CopyInto(BinDir() + "Resource.cvl", dir));
  SetSetting("Settings", "InstalledDir", dir);
  SetSetting("Plugins", "NoOfPlugins", "1");
  SetSetting("Plugins", "1", "Resource.cvl");
  SetSetting("Panels", "NoOfPanels", "2");
  Panel(1, "TRUE", "1", "80");
  Panel(2, "", "10", "90");
  MessageBoxWatcher boxes;
  boxes.Hold(true);
  ASSERT_TRUE(main.Start(MainExe(), "SplashLaunch"));
  ASSERT_TRUE(boxes.WaitForCount(1, 20000));
  // The box shows in the middle of loading the settings: a hot key or a click
  // on the notification icon now would act on a half-built bar (or open the
  // settings dialog inside the load), so both wait until it is over.
  HWND loading = FindTopWindow("TBarForm", "Corvella", main.Pid());
  ASSERT_NE(loading, nullptr);
  HotKey(loading, 2);
  TrayClick(loading, WM_LBUTTONDOWN);
  Sleep(500);
  EXPECT_EQ(Setting("Settings", "BarPosition"), "<missing>");
  EXPECT_EQ(FindTopWindow("", "Corvella Settings", main.Pid()), nullptr);
  boxes.Hold(false);
  EXPECT_EQ(boxes.Boxes()[0].title, "Corvella");
  EXPECT_EQ(boxes.Boxes()[0].text,
            "One or More Plugins could not be Loaded. Error Code: 07. Description: Error "
            "Loading Plugin");
  EXPECT_EQ(boxes.Boxes()[0].icon, MB_ICONEXCLAMATION);
  HWND bar = WaitForTopWindow("TBarForm", "Corvella", main.Pid(), 20000, true);
  ASSERT_NE(bar, nullptr);
  // The resource panel is left out; the built-in one takes the first slot.
  EXPECT_TRUE(WaitUntil([&] { return Text(bar, 1).find(':') != std::string::npos; }, 3000));
  EXPECT_EQ(GetDlgItem(bar, kTextCell + 2), nullptr);
  EXPECT_EQ(boxes.Count(), 1u) << boxes.Summary();
  ASSERT_TRUE(Exit(bar));
}

TEST_F(MainBar, FiftyExitsWhilePassesRunNeitherHangNorCrash) {
  // 100 panels, passes back to back; one plug-in panel makes every pass take
  // a while, so most exits land in the middle of one.
  SetSetting("Settings", "Update", "0");
  SetSetting("Panels", "NoOfPanels", "100");
  for (int i = 1; i <= 100; ++i) {
    if (i == 50)
      Panel(i, "TRUE", "1", "40");
    else
      Panel(i, "", std::to_string(1 + i % 15), "40");
  }
  Control("DelayMs", "20");
  MessageBoxWatcher boxes;
  const DWORD start = GetTickCount();
  DWORD slowest = 0;
  for (int run = 0; run < 50; ++run) {
    ChildProcess bar;
    ASSERT_TRUE(bar.Start(MainExe(), "SplashLaunch"));
    HWND form = WaitForTopWindow("TBarForm", "Corvella", bar.Pid(), 20000, true);
    ASSERT_NE(form, nullptr) << "run " << run;
    ASSERT_TRUE(WaitUntil([&] { return !Text(form, 100).empty(); }, 10000)) << "run " << run;
    Sleep(static_cast<DWORD>((run * 37) % 120));
    const DWORD asked = GetTickCount();
    if (run % 2 == 0)
      PostMessageA(form, WM_COMMAND, ExitMenu, 0);
    else
      PostMessageA(FindTopWindow("TApplication", "CVL", bar.Pid()), WM_CLOSE, 0, 0);
    ASSERT_TRUE(bar.WaitExit(15000)) << "run " << run << " hangs";
    EXPECT_EQ(bar.ExitCode(), 0u) << "run " << run;
    slowest = std::max(slowest, GetTickCount() - asked);
  }
  EXPECT_EQ(boxes.Count(), 0u) << boxes.Summary();
  std::printf("50 exits in %lu ms, the slowest exit %lu ms\n",
              static_cast<unsigned long>(GetTickCount() - start),
              static_cast<unsigned long>(slowest));
}

TEST_F(MainBar, MinimisingPausesWhenAskedAndADoubleClickFloatsTheDockedBar) {
  SetSetting("Settings", "Update", "50");
  SetSetting("Settings", "PauseOnMinimise", "TRUE");
  SetSetting("Panels", "NoOfPanels", "1");
  Panel(1, "TRUE", "1", "80");
  HWND bar = Start();
  ASSERT_NE(bar, nullptr);
  HotKey(bar, 4);
  ASSERT_TRUE(WaitUntil([&] { return Setting("Settings", "BarPosition") == "MINIMISED"; }, 5000));
  EXPECT_EQ(Text(bar, 1), "------");
  HotKey(bar, 2);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(bar) != FALSE; }, 5000));
  Sleep(300);
  EXPECT_EQ(Text(bar, 1), "------") << "restoring does not resume";

  // Docked at the top: a double-click shows the title bar and floats the bar
  // at its next repaint.
  PostMessageA(bar, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(200, 10));
  EXPECT_TRUE(WaitUntil([&] { return Setting("Settings", "BarPosition") == "FLOATING"; }, 5000));
  EXPECT_EQ(Setting("Settings", "TitleBar"), "TRUE");
  EXPECT_EQ(GetWindowLongA(bar, GWL_STYLE) & WS_CAPTION, WS_CAPTION);

  // Exit while floating: left, top and width of the floating window.
  RECT r = WindowRectOf(bar);
  MoveWindow(bar, 70, 80, 410, r.bottom - r.top, TRUE);
  ASSERT_TRUE(Exit(bar));
  EXPECT_EQ(Setting("Position", "LEFT"), "70");
  EXPECT_EQ(Setting("Position", "TOP"), "80");
  EXPECT_EQ(Setting("Position", "WIDTH"), "410");
  EXPECT_EQ(Setting("Position", "DOCKEDLEFT"), "<missing>");
}

namespace {

// The bar started with these settings runs until its panel 1 has read
// `readings` times, is paused, and its first two text cells are kept as the
// screen shows them; then it ends.
class GraphedBar : public MainBar {
 protected:
  void SetUp() override {
    MainBar::SetUp();
    SetSetting("Settings", "Update", "200");
    SetSetting("Plugins", "NoOfPlugins", "4");
    SetSetting("Plugins", "3", "graphvalue.cvl");
    SetSetting("Plugins", "4", "faultvalue.cvl");
  }
  // Paused, the dashes shown over whatever graph there is.
  bool PauseAndShowDashes(HWND bar, int panels) {
    Command(bar, PauseMenu);
    const bool dashes = WaitUntil([&] {
      for (int slot = 1; slot <= panels; ++slot)
        if (Text(bar, slot) != "------") return false;
      return true;
    }, 3000);
    Sleep(300);  // drawn
    return dashes;
  }
  std::vector<COLORREF> PausedCells(int readings) {
    std::vector<COLORREF> both;
    HWND bar = Start();
    if (!bar) return both;
    WaitUntil([&] { return ReadingNumber(Text(bar, 1)) >= readings; }, 10000);
    if (PauseAndShowDashes(bar, 2)) {
      for (int slot = 1; slot <= 2; ++slot) {
        const std::vector<COLORREF> cell = ScreenPixels(GetDlgItem(bar, kTextCell + slot));
        both.insert(both.end(), cell.begin(), cell.end());
      }
    }
    Exit(bar);
    return both;
  }
};

}  // namespace

TEST_F(GraphedBar, OnlyTRUEDrawsGraphsAndTheAppearanceBoxTurnsThemOnInTheRunningBar) {
  SetSetting("Panels", "NoOfPanels", "2");
  Panel(1, "TRUE", "3", "80");  // graphvalue.cvl: 0, 100, 0, ...
  Panel(2, "", "10", "90");     // the time
  const std::vector<COLORREF> today = PausedCells(4);
  ASSERT_EQ(today.size(), (80u + 90u) * 22u) << "both cells on the screen";
  for (const std::string& value :
       {std::string("FALSE"), std::string("true"), std::string("1"), std::string("TRUE "),
        std::string(10000, 'T')}) {
    SetSetting("Settings", "PanelGraphs", value);
    EXPECT_EQ(PausedCells(4), today) << "\"" << value.substr(0, 12) << "\": pixels as without it";
  }

  // The box on the Appearance tab and Apply, in the running bar.
  SetSetting("Settings", "PanelGraphs", "FALSE");
  HWND bar = Start();
  ASSERT_NE(bar, nullptr);
  TrayClick(bar, WM_LBUTTONDOWN);
  HWND dialog = WaitForTopWindow("", "Corvella Settings", main.Pid(), 10000, true);
  ASSERT_NE(dialog, nullptr);
  HWND box = FindChildByText(dialog, "Show history graphs in panels", "Button");
  ASSERT_NE(box, nullptr);
  SendMessageA(box, BM_SETCHECK, BST_CHECKED, 0);
  ClickButton(FindChildByText(dialog, "&Apply", "Button"));
  EXPECT_TRUE(WaitUntil([&] { return Setting("Settings", "PanelGraphs") == "TRUE"; }, 3000));
  EXPECT_TRUE(WaitUntil([&] { return Setting("Settings", "SettingsStatus") == "Processed"; }, 3000));
  PostMessageA(dialog, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 5000));
  // Ten passes seen after the dialog's last reload.
  std::string seen = Text(bar, 1);
  int passes = 0;
  ASSERT_TRUE(WaitUntil([&] {
    if (Text(bar, 1) != seen) ++passes;
    seen = Text(bar, 1);
    return passes >= 10;
  }, 10000)) << seen;
  ASSERT_TRUE(PauseAndShowDashes(bar, 2));
  const CellPicture graphed(GetDlgItem(bar, kTextCell + 1));
  EXPECT_GE(graphed.AlternatingColumns(Face(), DefaultTint()), 8)
      << "one column a pass, the newest at the right:\n" << graphed.Rows();
  EXPECT_FALSE(graphed.Ungraphed(Face()));
  const std::vector<COLORREF> time = ScreenPixels(GetDlgItem(bar, kTextCell + 2));
  EXPECT_TRUE(std::equal(time.begin(), time.end(), today.begin() + 80 * 22))
      << "the time shows no graph: its cell as without graphs";
  ASSERT_TRUE(Exit(bar));
}

TEST_F(GraphedBar, AFaultInSensorValueTakesOnlyThatGraphAway) {
  SetSetting("Settings", "PanelGraphs", "TRUE");
  SetSetting("Panels", "NoOfPanels", "2");
  Panel(1, "TRUE", "4", "80");  // faultvalue.cvl
  Panel(2, "TRUE", "3", "80");  // graphvalue.cvl
  MessageBoxWatcher boxes;
  HWND bar = Start();
  ASSERT_NE(bar, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return ReadingNumber(Text(bar, 1)) >= 10; }, 10000))
      << "its text goes on: " << Text(bar, 1);
  EXPECT_EQ(Text(bar, 1).rfind("FaultValue reading ", 0), 0u);
  ASSERT_TRUE(PauseAndShowDashes(bar, 2));
  EXPECT_TRUE(CellPicture(GetDlgItem(bar, kTextCell + 1)).Ungraphed(Face())) << "no graph";
  EXPECT_GE(CellPicture(GetDlgItem(bar, kTextCell + 2)).AlternatingColumns(Face(), DefaultTint()),
            8)
      << "the other panel's graph goes on";
  EXPECT_EQ(boxes.Count(), 0u) << boxes.Summary();
  ASSERT_TRUE(Exit(bar));
}

namespace {

// The bar whose window never waits for its display thread.
class WindowNeverWaits : public MainBar {
 protected:
  bool Within(DWORD ms, const std::function<bool()>& done) { return WaitUntil(done, ms); }
};

}  // namespace

TEST_F(WindowNeverWaits, AnAlertBoxLeftOpenHoldsOnlyItsOwnPass) {
  SetSetting("Settings", "Update", "100");
  SetSetting("Panels", "NoOfPanels", "2");
  Panel(1, "TRUE", "1", "80");   // flaky.cvl
  Panel(2, "TRUE", "2", "120");  // complete.cvl
  SetSetting("Warnings", "NoOfWarnings", "1");
  Warning(1, "TRUE", "1", "5");
  MessageBoxWatcher boxes;
  HWND bar = Start();
  ASSERT_NE(bar, nullptr);
  const std::string first = Text(bar, 1);
  ASSERT_TRUE(Within(5000, [&] { return Text(bar, 1) != first; }));

  // The user is away: the alert stays open on the display thread.
  boxes.Hold(true);
  Control("Level", "10");
  ASSERT_TRUE(boxes.WaitForCount(1, 5000));
  EXPECT_EQ(boxes.Boxes()[0].text, "Warning: Flaky level has risen above 5 units.");
  Control("Level", "0");  // the warnings of the reload below stay quiet

  HotKey(bar, 1);
  EXPECT_TRUE(Within(1000, [&] { return Text(bar, 1) == "------" && Text(bar, 2) == "------"; }))
      << "pause";
  HotKey(bar, 2);
  EXPECT_TRUE(Within(1000, [&] { return Setting("Settings", "BarPosition") == "TOP"; }));
  HotKey(bar, 4);
  EXPECT_TRUE(Within(1000, [&] { return Setting("Settings", "BarPosition") == "MINIMISED"; }));
  HotKey(bar, 3);
  EXPECT_TRUE(Within(1000, [&] { return Setting("Settings", "BarPosition") == "BOTTOM"; }));
  TrayClick(bar, WM_RBUTTONDOWN);
  EXPECT_TRUE(Within(1000, [&] { return MenuOpen(main.Pid()); })) << "the pop-up menu";
  PostMessageA(bar, WM_CANCELMODE, 0, 0);
  ASSERT_TRUE(Within(1000, [&] { return !MenuOpen(main.Pid()); }));
  const DWORD asked = GetTickCount();
  TrayClick(bar, WM_LBUTTONDOWN);
  HWND dialog = WaitForTopWindow("", "Corvella Settings", main.Pid(), 10000, true);
  ASSERT_NE(dialog, nullptr);
  std::printf("settings dialog shown %lu ms after the click\n",
              static_cast<unsigned long>(GetTickCount() - asked));
  EXPECT_LT(GetTickCount() - asked, 1000u);

  // Applied while the alert holds its pass: the reload waits for that pass,
  // and so does the refresh asked for.
  SetSetting("Panels", "NoOfPanels", "3");
  Panel(3, "", "10", "90");
  SetSetting("Settings", "SettingsStatus", "Applied");
  Command(bar, RefreshMenu);
  Sleep(1000);
  EXPECT_EQ(GetDlgItem(bar, kTextCell + 3), nullptr);
  EXPECT_EQ(Setting("Settings", "SettingsStatus"), "Applied");
  EXPECT_EQ(Text(bar, 1), "------");
  boxes.Hold(false);
  EXPECT_TRUE(Within(3000, [&] { return GetDlgItem(bar, kTextCell + 3) != nullptr; }));
  EXPECT_TRUE(Within(3000, [&] { return Setting("Settings", "SettingsStatus") == "Processed"; }));
  // The refresh's one pass over the new list, and paused still.
  EXPECT_TRUE(Within(1000, [&] { return Text(bar, 3).find(':') != std::string::npos; }));
  const std::string refreshed = Text(bar, 1);
  EXPECT_EQ(refreshed.rfind("Flaky ", 0), 0u);
  Sleep(400);
  EXPECT_EQ(Text(bar, 1), refreshed);
  PostMessageA(dialog, WM_CLOSE, 0, 0);
  ASSERT_TRUE(Within(5000, [&] { return !IsWindow(dialog); }));

  HotKey(bar, 1);
  EXPECT_TRUE(Within(3000, [&] {
    return Text(bar, 1).rfind("Flaky ", 0) == 0 && Text(bar, 3).find(':') != std::string::npos;
  })) << "running again";
  const std::string running = Text(bar, 1);
  EXPECT_TRUE(Within(3000, [&] { return Text(bar, 1) != running; }));
  EXPECT_EQ(boxes.Count(), 1u) << boxes.Summary();
  ASSERT_TRUE(Exit(bar));
  EXPECT_EQ(main.ExitCode(), 0u);
}

TEST_F(WindowNeverWaits, ASensorThatNeverReturnsIsTakenOutOfServiceAndTheBarGoesOn) {
  SetSetting("Settings", "Update", "1000");
  SetSetting("Panels", "NoOfPanels", "3");
  Panel(1, "TRUE", "2", "120");  // complete.cvl
  Panel(2, "TRUE", "1", "80");   // flaky.cvl: its third reading never returns
  Panel(3, "TRUE", "2", "120");
  SetSetting("Warnings", "NoOfWarnings", "1");
  Warning(1, "TRUE", "1", "5");  // flaky's check, after the hung sensor
  Control("HangFrom", "3");
  MessageBoxWatcher boxes;
  HWND bar = Start();
  ASSERT_NE(bar, nullptr);
  // The first readings, then one pass; the pass after that hangs.
  ASSERT_TRUE(Within(5000, [&] { return Text(bar, 2) == "Flaky 2"; }));
  const DWORD second = GetTickCount();
  ASSERT_TRUE(Within(kHangLimitMs + 5000, [&] { return Text(bar, 2) == "Error"; }));
  const DWORD took = GetTickCount() - second;
  std::printf("\"Error\" %lu ms after the last reading before the hang\n",
              static_cast<unsigned long>(took));
  EXPECT_LE(took, 1000 + kHangLimitMs + 1000 + 300) << "the hang limit plus one interval";
  const std::string later = Text(bar, 3);
  EXPECT_TRUE(Within(2500, [&] { return Text(bar, 3) != later; })) << "the other panels go on";
  Control("Level", "10");
  ASSERT_TRUE(boxes.WaitForCount(1, 3000)) << "the warning after it fires";
  EXPECT_EQ(boxes.Boxes()[0].text, "Warning: Flaky level has risen above 5 units.");

  HotKey(bar, 1);
  EXPECT_TRUE(Within(1000, [&] { return Text(bar, 1) == "------"; }));
  HotKey(bar, 1);
  const std::string resumed = Text(bar, 3);
  EXPECT_TRUE(Within(2500, [&] { return Text(bar, 3) != resumed; }));

  // Reloads that keep the panel (still out of service) and that remove it.
  TrayClick(bar, WM_LBUTTONDOWN);
  HWND dialog = WaitForTopWindow("", "Corvella Settings", main.Pid(), 10000, true);
  ASSERT_NE(dialog, nullptr);
  Control("Level", "0");
  SetSetting("Settings", "SettingsStatus", "Applied");
  EXPECT_TRUE(Within(2000, [&] { return Setting("Settings", "SettingsStatus") == "Processed"; }));
  EXPECT_TRUE(Within(1000, [&] {
    return Text(bar, 2) == "Error" && Text(bar, 3).rfind("Complete reading", 0) == 0;
  }));
  SetSetting("Panels", "NoOfPanels", "2");
  Panel(2, "TRUE", "2", "120");
  SetSetting("Settings", "SettingsStatus", "Applied");
  EXPECT_TRUE(Within(2000, [&] { return Setting("Settings", "SettingsStatus") == "Processed"; }));
  EXPECT_TRUE(Within(1000, [&] {
    return GetDlgItem(bar, kTextCell + 3) == nullptr &&
           Text(bar, 2).rfind("Complete reading", 0) == 0;
  }));
  PostMessageA(dialog, WM_CLOSE, 0, 0);
  ASSERT_TRUE(Within(5000, [&] { return !IsWindow(dialog); }));

  Command(bar, ExitMenu);
  EXPECT_TRUE(main.WaitExit(5000));
  EXPECT_EQ(main.ExitCode(), 0u);
  EXPECT_EQ(boxes.Count(), 1u) << boxes.Summary();
}

TEST_F(WindowNeverWaits, APlugInWhoseFirstCallsHangStillLetsTheBarStartAndRun) {
  // Both its sensor and its check hang at their first call and come back
  // after twenty seconds, long after they were given up.
  SetEnvironmentVariableA("CVL_TEST_LEVEL", "50");
  SetSetting("Settings", "Update", "500");
  SetSetting("Panels", "NoOfPanels", "2");
  Panel(1, "TRUE", "1", "80");   // flaky.cvl
  Panel(2, "TRUE", "2", "120");  // complete.cvl
  SetSetting("Warnings", "NoOfWarnings", "2");
  Warning(1, "TRUE", "1", "5");  // flaky's check
  Warning(2, "TRUE", "2", "5");  // complete's: holds at level 50
  Control("HangFrom", "1");
  Control("CheckHangFrom", "1");
  Control("HangMs", "20000");
  MessageBoxWatcher boxes;
  const DWORD launched = GetTickCount();
  ASSERT_TRUE(main.Start(MainExe(), "SplashLaunch"));
  HWND bar = WaitForTopWindow("TBarForm", "Corvella", main.Pid(), kHangLimitMs + 2000, true);
  ASSERT_NE(bar, nullptr) << "shown within the hang limit and two seconds";
  std::printf("bar shown %lu ms after its launch\n",
              static_cast<unsigned long>(GetTickCount() - launched));

  // The sensor's panel goes out of service, the other one runs; the next
  // pass hangs in the check at once.
  ASSERT_TRUE(Within(kHangLimitMs + 3000, [&] { return Text(bar, 1) == "Error"; }));
  const DWORD checkHangs = GetTickCount();
  const int threads = ThreadCount(main.Pid());  // the given-up one and its successor
  EXPECT_TRUE(Within(2000, [&] { return Text(bar, 2).rfind("Complete reading", 0) == 0; }));
  // The warning after the check fires once the check is given up.
  ASSERT_TRUE(boxes.WaitForCount(1, kHangLimitMs + 4000));
  EXPECT_EQ(boxes.Boxes()[0].text, "Warning: Complete level has risen above 5 units.");
  const std::string now = Text(bar, 2);
  EXPECT_TRUE(Within(2000, [&] { return Text(bar, 2) != now; }));

  // Both calls return: their threads end without a trace, no "Flaky 1"
  // lands on the panel, and no second thread runs passes.
  const DWORD returned = checkHangs + 20000 + 1500;
  bool flakyText = false;
  while (static_cast<LONG>(returned - GetTickCount()) > 0 && main.Running()) {
    flakyText = flakyText || Text(bar, 1) != "Error";
    Sleep(20);
  }
  EXPECT_FALSE(flakyText);
  ASSERT_TRUE(main.Running());
  std::printf("threads: %d with the first call given up, %d after both returned\n", threads,
              ThreadCount(main.Pid()));
  EXPECT_EQ(ThreadCount(main.Pid()), threads - 1);
  EXPECT_EQ(boxes.Count(), 1u) << boxes.Summary();
  ASSERT_TRUE(Exit(bar));
  EXPECT_EQ(main.ExitCode(), 0u);
}

TEST_F(WindowNeverWaits, TheBarEndsWithinFiveSecondsWhileItsThreadIsHeld) {
  // A sensor call that never returns: closed while docked.
  SetSetting("Settings", "Update", "200");
  SetSetting("Panels", "NoOfPanels", "1");
  Panel(1, "TRUE", "1", "80");
  SetSetting("Warnings", "NoOfWarnings", "1");
  Warning(1, "TRUE", "1", "5");
  Control("HangFrom", "2");
  HWND bar = Start();
  ASSERT_NE(bar, nullptr);
  ASSERT_TRUE(Within(3000, [&] { return Text(bar, 1) == "Flaky 1"; }));
  Sleep(500);
  ASSERT_TRUE(AppBarRegistered(bar));
  DWORD asked = GetTickCount();
  PostMessageA(bar, WM_CLOSE, 0, 0);
  ASSERT_TRUE(main.WaitExit(5000));
  std::printf("ended %lu ms after WM_CLOSE\n", static_cast<unsigned long>(GetTickCount() - asked));
  EXPECT_EQ(main.ExitCode(), 0u);
  EXPECT_NE(Setting("Position", "DOCKEDTOP"), "<missing>");
  EXPECT_FALSE(AppBarRegistered(bar));

  // An alert box open on the display thread when the session ends. (The
  // shell itself drops the icons of a window that is gone, so only the
  // application bar tells whether the exit sequence ran.)
  MessageBoxWatcher boxes;
  boxes.Hold(true);
  Control("HangFrom", "0");
  Control("Level", "10");
  SetSetting("Position", "DOCKEDTOP", "");
  bar = Start();
  ASSERT_NE(bar, nullptr);
  ASSERT_TRUE(boxes.WaitForCount(1, 5000));
  ASSERT_TRUE(AppBarRegistered(bar));
  asked = GetTickCount();
  DWORD_PTR answer = 0;
  SendMessageTimeoutA(bar, WM_ENDSESSION, TRUE, 0, SMTO_NORMAL, 5000, &answer);
  ASSERT_TRUE(main.WaitExit(5000 - (GetTickCount() - asked)));
  std::printf("ended %lu ms after WM_ENDSESSION\n",
              static_cast<unsigned long>(GetTickCount() - asked));
  EXPECT_EQ(main.ExitCode(), 0u);
  EXPECT_NE(Setting("Position", "DOCKEDTOP"), "");
  EXPECT_FALSE(AppBarRegistered(bar));
}

TEST_F(WindowNeverWaits, ASensorValueThatNeverReturnsTakesOnlyItsGraphOutOfService) {
  SetSetting("Settings", "Update", "500");
  SetSetting("Settings", "PanelGraphs", "TRUE");
  SetSetting("Plugins", "NoOfPlugins", "3");
  SetSetting("Plugins", "3", "graphvalue.cvl");
  SetSetting("Panels", "NoOfPanels", "2");
  Panel(1, "TRUE", "1", "80");  // flaky.cvl: its third value never comes
  Panel(2, "TRUE", "3", "80");  // graphvalue.cvl
  Control("ValueHangFrom", "3");
  MessageBoxWatcher boxes;
  HWND bar = Start();
  ASSERT_NE(bar, nullptr);
  ASSERT_TRUE(Within(5000, [&] { return Text(bar, 1) == "Flaky 2"; }));
  // The pass hangs after the third text; the window answers meanwhile.
  Sleep(1000);
  HotKey(bar, 2);
  EXPECT_TRUE(Within(1000, [&] { return Setting("Settings", "BarPosition") == "TOP"; }));
  ASSERT_TRUE(Within(kHangLimitMs + 3000, [&] { return ReadingNumber(Text(bar, 1)) > 2; }))
      << "given up, the text goes on: " << Text(bar, 1);
  const std::string going = Text(bar, 1);
  EXPECT_TRUE(Within(2000, [&] { return Text(bar, 1) != going; }));
  EXPECT_EQ(Text(bar, 1).rfind("Flaky ", 0), 0u) << "not \"Error\"";
  const int other = ReadingNumber(Text(bar, 2));
  ASSERT_TRUE(Within(5000, [&] { return ReadingNumber(Text(bar, 2)) >= other + 8; }));

  Command(bar, PauseMenu);
  ASSERT_TRUE(Within(3000, [&] { return Text(bar, 1) == "------" && Text(bar, 2) == "------"; }));
  Sleep(300);
  EXPECT_TRUE(CellPicture(GetDlgItem(bar, kTextCell + 1)).Ungraphed(Face())) << "its graph is gone";
  EXPECT_GE(CellPicture(GetDlgItem(bar, kTextCell + 2)).AlternatingColumns(Face(), DefaultTint()),
            8);
  Command(bar, ExitMenu);
  EXPECT_TRUE(main.WaitExit(5000));
  EXPECT_EQ(main.ExitCode(), 0u);
  EXPECT_EQ(boxes.Count(), 0u) << boxes.Summary();
}
