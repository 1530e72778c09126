// TBarForm in this process with recording parts: the order of FormCreate,
// ApplySettings on a real window (hot keys, menu captions, priorities,
// on-top), its "05." error path and the exit sequence.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "bar/BarFormCode.h"
#include "bar/DisplayThreadCode.h"
#include "bar/PanelWindows.h"
#include "shared/Globals.h"
#include "bar/core/ApplySettings.h"
#include "shared/core/CvlError.h"
#include "tests/support/WinTest.h"

// The portable rules name the Win32 values they use; each copy must match.
static_assert(kIdlePriorityClass == IDLE_PRIORITY_CLASS, "priority class");
static_assert(kNormalPriorityClass == NORMAL_PRIORITY_CLASS, "priority class");
static_assert(kHighPriorityClass == HIGH_PRIORITY_CLASS, "priority class");
static_assert(kRealtimePriorityClass == REALTIME_PRIORITY_CLASS, "priority class");
static_assert(kThreadPriorityLowest == THREAD_PRIORITY_LOWEST, "thread priority");
static_assert(kThreadPriorityBelowNormal == THREAD_PRIORITY_BELOW_NORMAL, "thread priority");
static_assert(kThreadPriorityNormal == THREAD_PRIORITY_NORMAL, "thread priority");
static_assert(kThreadPriorityAboveNormal == THREAD_PRIORITY_ABOVE_NORMAL, "thread priority");
static_assert(kThreadPriorityHighest == THREAD_PRIORITY_HIGHEST, "thread priority");
static_assert(kModAlt == MOD_ALT && kModControl == MOD_CONTROL && kModShift == MOD_SHIFT,
              "hot-key modifiers");
static_assert(kStyleBorder == WS_BORDER && kStyleDlgFrame == WS_DLGFRAME &&
                  kStyleCaption == WS_CAPTION && kStyleModalFrame == DS_MODALFRAME,
              "window styles");
static_assert(kMouseLeftDown == WM_LBUTTONDOWN && kMouseRightDown == WM_RBUTTONDOWN,
              "mouse messages");
static_assert(bpTop == ABE_TOP && bpBottom == ABE_BOTTOM, "edge codes");

using namespace wintest;

namespace {

using Events = std::vector<std::string>;

// What the bar's parts below note, and how they fail. Once the thread has
// stopped or the lists are freed, what would reach them does nothing, as in
// the program.
struct RecordingParts {
  RecordingParts();
  ~RecordingParts();
  Events events;
  bool failPanels = false;
  bool failBuiltIns = false;
  bool fatalPosition = false;
  int pauses = 1;  // created paused, as the real thread
  bool threadGone = false;
  bool listsGone = false;
};

RecordingParts* gParts = nullptr;
RecordingParts::RecordingParts() { gParts = this; }
RecordingParts::~RecordingParts() { gParts = nullptr; }

void Note(const std::string& event) { gParts->events.push_back(event); }
void ThreadNote(const std::string& event) {
  if (!gParts->threadGone) Note(event);
}

// The shell as the positioning uses it; a docked position queries once.
class RecordingShell : public AppBarShell {
 public:
  void Register() override {}
  void Remove() override { Note("leave"); }
  void QueryPos(int edge, EdgeRect&) override {
    Note("position " + std::to_string(edge));
    if (gParts->fatalPosition) throw CvlError("Range check error");
  }
  void SetPos(int, EdgeRect&) override {}
  void SetAutoHideBar(int, bool) override {}
  bool OtherAutoHideBar(int) override { return false; }
};

}  // namespace

// The bar's parts as this test links them.
void TBarForm::CreateParts() {
  Note("create panels");
  Note("create warnings");
  Note("create thread");
}
void TBarForm::LoadPanelList() {
  if (gParts->listsGone) return;
  Note("load panels");
  if (gParts->failPanels) throw CvlError("Cannot load panel 3");
}
void TBarForm::LoadWarningList() {
  if (!gParts->listsGone) Note("load warnings");
}
void BarWindow::ShowPanelsPaused() {
  if (!gParts->listsGone) Note("panels paused");
}
int32_t BarWindow::Arrange(int32_t) { return 34; }
void TBarForm::FreeLists(bool clear) {
  if (clear && !gParts->listsGone) Note("clear panels");
  gParts->listsGone = true;
}
void BarWindow::PauseThread() {
  if (!gParts->threadGone) ++gParts->pauses;
  ThreadNote("pause");
}
void BarWindow::PauseThreadMuted() {
  if (!gParts->threadGone) ++gParts->pauses;
  ThreadNote("pause muted");
}
void BarWindow::ResumeThread() {
  if (!gParts->threadGone) --gParts->pauses;
  ThreadNote("resume");
}
bool BarWindow::ThreadPaused() { return !gParts->threadGone && gParts->pauses > 0; }
void TBarForm::HoldThread() { ThreadNote("hold"); }
void TBarForm::UnholdThread() { ThreadNote("unhold"); }
bool TBarForm::NoticeWhenIdle() { return false; }
void TBarForm::RequestFirstReadings() { ThreadNote("first readings"); }
void BarWindow::RefreshNow() { ThreadNote("pass"); }
void BarWindow::SetDisplayInterval(int32_t ms) { ThreadNote("interval " + std::to_string(ms)); }
void BarWindow::SetDisplayThreadPriority(int p) {
  ThreadNote("thread priority " + std::to_string(p));
}
void TBarForm::WatchDisplayThread() {}
void BarWindow::StopThread() {
  ThreadNote("stop");
  gParts->threadGone = true;
}
void BarWindow::InitBuiltIns(bool atStartUp) {
  Note(atStartUp ? "builtins start" : "builtins");
  if (gParts->failBuiltIns) throw CvlError("Range check error");
}
void TBarForm::ForgetLoadedPlugins() { Note("forget plugins"); }
void BarWindow::ShowSettingsDialog() { Note("settings dialog"); }
void BarWindow::ShowAboutBox(const AboutTexts&) { Note("about"); }

namespace {

std::string MenuCaption(HMENU menu, UINT item) {
  char text[256] = "";
  GetMenuStringA(menu, item, text, sizeof text, MF_BYCOMMAND);
  return text;
}

// True when another window can take the key: nobody holds it.
bool HotKeyFree(UINT modifiers, char key) {
  HWND probe = CreateWindowA("STATIC", "probe", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
  const bool free = RegisterHotKey(probe, 77, modifiers, key) != FALSE;
  if (free) UnregisterHotKey(probe, 77);
  DestroyWindow(probe);
  return free;
}

void DrainQuit() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
  }
}

class BarFormWindow : public ::testing::Test {
 protected:
  void SetUp() override { ResetVeltropKeys(); }
  void TearDown() override {
    SetPriorityClass(GetCurrentProcess(), NORMAL_PRIORITY_CLASS);
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_NORMAL);
    ResetVeltropKeys();
    DrainQuit();
  }
  RecordingParts parts;
  RecordingShell shell;
};

}  // namespace

TEST_F(BarFormWindow, FormCreateRunsItsStepsInOrder) {
  MessageBoxWatcher boxes;
  TBarForm form(&shell);
  ASSERT_TRUE(form.Create(nullptr));
  EXPECT_EQ(parts.events,
            (Events{"create panels", "create warnings", "create thread", "hold", "builtins start",
                    "thread priority 0", "load panels", "load warnings", "position 3",
                    "interval 1000", "first readings", "unhold", "resume", "forget plugins"}));
  EXPECT_EQ(Setting("Settings", "Version"), "1.6");
  EXPECT_EQ(Setting("Settings", "OnTop"), "TRUE");
  EXPECT_EQ(ClassOf(form.Handle()), "TBarForm");
  EXPECT_EQ(WindowText(form.Handle()), "Corvella");
  EXPECT_EQ(BarWindowHandle(), form.Handle());
  EXPECT_EQ(GetPriorityClass(GetCurrentProcess()), static_cast<DWORD>(IDLE_PRIORITY_CLASS));
  EXPECT_EQ(GetThreadPriority(GetCurrentThread()), THREAD_PRIORITY_HIGHEST);
  EXPECT_TRUE(form.Checked(OnTopMenu));
  EXPECT_TRUE(GetWindowLongA(form.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_FALSE(form.AutoHideTimerEnabled());
  EXPECT_EQ(MenuCaption(form.PopupMenu(), PauseMenu), "&Pause\tCtrl+Alt+Shift+P");
  EXPECT_FALSE(HotKeyFree(MOD_CONTROL | MOD_ALT | MOD_SHIFT, 'B')) << "hot key 3 not registered";
  EXPECT_EQ(boxes.Count(), 0u) << boxes.Summary();
}

TEST_F(BarFormWindow, HotKeyCaptionsFollowTheModifierSetting) {
  SetSetting("Settings", "HotKeyModifiers", "9");
  TBarForm form(&shell);
  ASSERT_TRUE(form.Create(nullptr));
  HMENU m = form.PopupMenu();
  EXPECT_EQ(MenuCaption(m, PauseMenu), "&Pause\tAlt+P");
  EXPECT_EQ(MenuCaption(m, BarTopMenu), "&Top of Screen\tAlt+T");
  EXPECT_EQ(MenuCaption(m, BarBottomMenu), "&Bottom of Screen\tAlt+B");
  EXPECT_EQ(MenuCaption(m, MinimiseMenu), "&Minimized\tAlt+M");
  EXPECT_FALSE(HotKeyFree(MOD_ALT, 'M'));

  // A changed modifier set takes effect: the old keys are given up.
  SetSetting("Settings", "HotKeyModifiers", "3");
  form.ApplySettings(false);
  EXPECT_EQ(MenuCaption(m, BarTopMenu), "&Top of Screen\tCtrl+Shift+T");
  EXPECT_TRUE(HotKeyFree(MOD_ALT, 'M'));
  EXPECT_FALSE(HotKeyFree(MOD_CONTROL | MOD_SHIFT, 'M'));

  SetSetting("Settings", "HotKeyModifiers", "0");
  form.ApplySettings(false);
  EXPECT_EQ(MenuCaption(m, PauseMenu), "&Pause");
  EXPECT_EQ(MenuCaption(m, MinimiseMenu), "&Minimised");
  EXPECT_TRUE(HotKeyFree(MOD_CONTROL | MOD_SHIFT, 'M'));
  // The check of an item survives its new caption.
  EXPECT_TRUE(form.Checked(BarBottomMenu));
}

TEST_F(BarFormWindow, PrioritiesByNameAndUnknownNamesChangeNothing) {
  SetSetting("Priorities", "Process", "HIGH_PRIORITY_CLASS");
  SetSetting("Priorities", "MainThread", "THREAD_PRIORITY_LOWEST");
  SetSetting("Priorities", "TimerThread", "THREAD_PRIORITY_ABOVE_NORMAL");
  TBarForm form(&shell);
  ASSERT_TRUE(form.Create(nullptr));
  EXPECT_EQ(GetPriorityClass(GetCurrentProcess()), static_cast<DWORD>(HIGH_PRIORITY_CLASS));
  EXPECT_EQ(GetThreadPriority(GetCurrentThread()), THREAD_PRIORITY_LOWEST);
  EXPECT_NE(std::find(parts.events.begin(), parts.events.end(), "thread priority 1"),
            parts.events.end());

  SetSetting("Priorities", "Process", "BELOW_NORMAL_PRIORITY_CLASS");
  SetSetting("Priorities", "MainThread", "THREAD_PRIORITY_IDLE");
  parts.events.clear();
  form.ApplySettings(false);
  EXPECT_EQ(GetPriorityClass(GetCurrentProcess()), static_cast<DWORD>(HIGH_PRIORITY_CLASS));
  EXPECT_EQ(GetThreadPriority(GetCurrentThread()), THREAD_PRIORITY_LOWEST);
}

TEST_F(BarFormWindow, AFailingStepShowsError05AndAppliesTheSafeDefaults) {
  SetSetting("Settings", "HotKeyModifiers", "3");
  SetSetting("Settings", "LogAll", "TRUE");
  SetSetting("Settings", "BarPosition", "TOP");
  SetSetting("Settings", "OnTop", "FALSE");
  SetSetting("Settings", "Update", "250");
  SetSetting("Priorities", "Process", "HIGH_PRIORITY_CLASS");
  parts.failBuiltIns = true;
  MessageBoxWatcher boxes;
  TBarForm form(&shell);
  ASSERT_TRUE(form.Create(nullptr));

  ASSERT_EQ(boxes.Count(), 1u) << boxes.Summary();
  const BoxRecord box = boxes.Boxes()[0];
  EXPECT_EQ(box.title, "Corvella");
  EXPECT_EQ(box.text,
            "An Error has Occured Trying to Display Corvella Error Code: 05. Description: "
            "Range check error");
  EXPECT_EQ(box.owner, form.Handle());
  EXPECT_EQ(box.icon, MB_ICONEXCLAMATION);
  EXPECT_EQ(box.defaultButton, IDOK);

  // The safe defaults, whatever the settings said.
  EXPECT_FALSE(form.LogAll);
  EXPECT_EQ(MenuCaption(form.PopupMenu(), PauseMenu), "&Pause\tCtrl+Alt+Shift+P");
  EXPECT_EQ(MenuCaption(form.PopupMenu(), BarTopMenu), "Docked at &Top       Alt+T");
  EXPECT_FALSE(HotKeyFree(MOD_CONTROL | MOD_ALT | MOD_SHIFT, 'P'));
  EXPECT_TRUE(HotKeyFree(MOD_CONTROL | MOD_SHIFT, 'T'));
  EXPECT_EQ(GetPriorityClass(GetCurrentProcess()), static_cast<DWORD>(IDLE_PRIORITY_CLASS));
  EXPECT_EQ(GetThreadPriority(GetCurrentThread()), THREAD_PRIORITY_HIGHEST);
  EXPECT_EQ(form.Position, bpBottom);
  EXPECT_EQ(Setting("Settings", "OnTop"), "TRUE");
  EXPECT_TRUE(form.Checked(OnTopMenu));
  EXPECT_EQ(parts.events,
            (Events{"create panels", "create warnings", "create thread", "hold", "builtins start",
                    "builtins start", "thread priority 0", "load panels", "load warnings",
                    "position 3", "interval 1000", "first readings", "unhold", "resume",
                    "forget plugins"}));
}

TEST_F(BarFormWindow, AnErrorAfterStartUpRedrawsTheBarAndKeepsItRunning) {
  TBarForm form(&shell);
  ASSERT_TRUE(form.Create(nullptr));
  ASSERT_TRUE(IsWindowVisible(form.Handle()) || form.Position == bpBottom);
  parts.failPanels = true;
  MessageBoxWatcher boxes;
  form.ApplySettings(false);
  EXPECT_EQ(boxes.Summary(),
            "Corvella: An Error has Occured Trying to Display Corvella Error Code: 05. "
            "Description: Cannot load panel 3");
  EXPECT_TRUE(IsWindow(form.Handle()));
  EXPECT_TRUE(IsWindowVisible(form.Handle()));
}

// The docked position is asked of the shell again ("position 3") whenever
// the bar must be placed anew.
long Placements(const Events& events) {
  return std::count(events.begin(), events.end(), "position 3");
}

TEST_F(BarFormWindow, AutoHideToggleAndTheShellsNotificationsPlaceTheBarAgain) {
  TBarForm form(&shell);
  ASSERT_TRUE(form.Create(nullptr));
  parts.events.clear();
  form.Command(AutoHideMenu);
  EXPECT_EQ(Setting("Settings", "AutoHide"), "TRUE");
  EXPECT_TRUE(form.AutoHideTimerEnabled());
  EXPECT_TRUE(form.Checked(AutoHideMenu));
  EXPECT_EQ(Placements(parts.events), 1);
  // An auto-hide bar is registered afresh for its edge.
  EXPECT_EQ(std::count(parts.events.begin(), parts.events.end(), "leave"), 1);

  parts.events.clear();
  form.Command(AutoHideMenu);
  EXPECT_EQ(Setting("Settings", "AutoHide"), "FALSE");
  EXPECT_FALSE(form.AutoHideTimerEnabled());
  EXPECT_FALSE(form.Checked(AutoHideMenu));
  EXPECT_EQ(Placements(parts.events), 1);

  // The shell tells of a changed state or a moved bar: placed again. Its
  // other notifications change nothing.
  parts.events.clear();
  SendMessageA(form.Handle(), WM_BARCALLBACK, ABN_STATECHANGE, 0);
  EXPECT_EQ(Placements(parts.events), 1);
  SendMessageA(form.Handle(), WM_BARCALLBACK, ABN_POSCHANGED, 0);
  EXPECT_EQ(Placements(parts.events), 2);
  SendMessageA(form.Handle(), WM_BARCALLBACK, ABN_FULLSCREENAPP, TRUE);
  SendMessageA(form.Handle(), WM_BARCALLBACK, ABN_WINDOWARRANGE, TRUE);
  EXPECT_EQ(Placements(parts.events), 2);
}

TEST_F(BarFormWindow, APaintThatFindsBothDiskCountersAtZeroStartsTheStatisticsAgain) {
  SetPerfStat("Cvl\\Probe", 5);
  TBarForm form(&shell);
  ASSERT_TRUE(form.Create(nullptr));
  ASSERT_EQ(ReadPerfStat("Cvl\\Probe"), 5u);
  // The statistics key the bar keeps open goes away and comes back (as when
  // the system's statistics restart): the kept handle reads nothing now.
  ASSERT_TRUE(DeleteTree(HKEY_DYN_DATA, "PerfStats\\StatData"));
  SetPerfStat("Cvl\\Probe", 6);
  ASSERT_EQ(ReadPerfStat("Cvl\\Probe"), 0u);
  // Both disk counters read 0 at the next paint: the statistics are started
  // again, and read through a fresh key.
  ShowWindow(form.Handle(), SW_SHOWNA);
  RedrawWindow(form.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(ReadPerfStat("Cvl\\Probe"), 6u);
  DeletePerfStat("Cvl\\Probe");
}

TEST_F(BarFormWindow, ExitSequenceStopsTheThreadAndGivesUpTheHotKeys) {
  TBarForm form(&shell);
  ASSERT_TRUE(form.Create(nullptr));
  form.Command(PauseMenu);  // paused at exit: resumed once before the stop
  EXPECT_TRUE(form.Checked(PauseMenu));
  parts.events.clear();
  form.Close();
  EXPECT_EQ(parts.events, (Events{"resume", "stop", "clear panels", "leave"}));
  EXPECT_FALSE(IsWindow(BarWindowHandle()));
  EXPECT_TRUE(HotKeyFree(MOD_CONTROL | MOD_ALT | MOD_SHIFT, 'P'));
  EXPECT_NE(Setting("Position", "DOCKEDTOP"), "<missing>");
  MSG msg;
  bool quit = false;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) quit = quit || msg.message == WM_QUIT;
  EXPECT_TRUE(quit) << "closing the bar must end the message loop";
}

TEST_F(BarFormWindow, AFatalPositioningErrorDuringStartUpEndsTheBarCleanly) {
  parts.fatalPosition = true;
  MessageBoxWatcher boxes;
  TBarForm form(&shell);
  ASSERT_TRUE(form.Create(nullptr));
  EXPECT_EQ(boxes.Summary(),
            "Corvella: An Error has Occured Trying to Display Corvella Error Code: 04. "
            "Description: Range check error");
  EXPECT_FALSE(IsWindow(form.Handle()));
  // The exit sequence ran once, and start-up stopped where the bar closed.
  EXPECT_EQ(std::count(parts.events.begin(), parts.events.end(), "stop"), 1);
  EXPECT_EQ(std::count(parts.events.begin(), parts.events.end(), "forget plugins"), 0);
  EXPECT_TRUE(HotKeyFree(MOD_CONTROL | MOD_ALT | MOD_SHIFT, 'P'));
  EXPECT_EQ(Setting("Settings", "OnTop"), "<missing>");
  MSG msg;
  bool quit = false;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) quit = quit || msg.message == WM_QUIT;
  EXPECT_TRUE(quit);
}
