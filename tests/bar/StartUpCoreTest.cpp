// The start-up logic that needs no window: hot-key and priority tables, the
// settings driver with its error path, the launch argument.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "bar/core/ApplySettings.h"
#include "bar/core/CommandLine.h"
#include "bar/core/ApplySettings.h"
#include "shared/core/CvlError.h"
#include "tests/fakes/MemorySettings.h"

namespace {

std::vector<std::string> Captions(const HotKeyPlan& plan) {
  std::vector<std::string> c;
  for (const HotKeyItem& item : plan.Items) c.push_back(item.Caption);
  return c;
}

}  // namespace

TEST(HotKeyPlan, ModifierSetsAndTheirCaptions) {
  struct Row {
    int value;
    uint32_t modifiers;
    const char* text;
  };
  const Row rows[] = {{1, 7, "Ctrl+Alt+Shift+"}, {2, 3, "Ctrl+Alt+"}, {3, 6, "Ctrl+Shift+"},
                      {4, 2, "Ctrl+"},           {5, 1, "Alt+"},      {9, 1, "Alt+"},
                      {-1, 1, "Alt+"}};
  for (const Row& r : rows) {
    HotKeyPlan plan = HotKeyPlanFor(r.value);
    EXPECT_TRUE(plan.Register) << r.value;
    EXPECT_EQ(plan.Modifiers, r.modifiers) << r.value;
    const std::string t = r.text;
    EXPECT_EQ(Captions(plan),
              (std::vector<std::string>{"&Pause\t" + t + "P", "&Top of Screen\t" + t + "T",
                                        "&Bottom of Screen\t" + t + "B",
                                        "&Minimized\t" + t + "M"}))
        << r.value;
    ASSERT_EQ(plan.Items.size(), 4u);
    EXPECT_EQ(plan.Items[0].Id, 1);
    EXPECT_EQ(plan.Items[0].Key, 'P');
    EXPECT_EQ(plan.Items[3].Id, 4);
    EXPECT_EQ(plan.Items[3].Key, 'M');
  }
}

TEST(HotKeyPlan, ZeroUnregistersAndDropsTheShortcutText) {
  HotKeyPlan plan = HotKeyPlanFor(0);
  EXPECT_FALSE(plan.Register);
  EXPECT_EQ(Captions(plan), (std::vector<std::string>{"&Pause", "&Top of Screen",
                                                      "&Bottom of Screen", "&Minimised"}));
}

TEST(HotKeyPlan, FallbackKeepsOnlyThePauseKey) {
  HotKeyPlan plan = FallbackHotKeyPlan();
  EXPECT_TRUE(plan.Register);
  EXPECT_EQ(plan.Modifiers, 7u);
  ASSERT_EQ(plan.Items.size(), 1u);
  EXPECT_EQ(plan.Items[0].Id, 1);
  EXPECT_EQ(plan.Items[0].Key, 'P');
  EXPECT_EQ(plan.Items[0].Caption, "&Pause\tCtrl+Alt+Shift+P");
}

TEST(PriorityTable, ExactNamesOnlyAndEachInItsOwnColumn) {
  uint32_t cls = 12345;
  EXPECT_TRUE(ProcessClassFromText("HIGH_PRIORITY_CLASS", cls));
  EXPECT_EQ(cls, 0x80u);
  EXPECT_TRUE(ProcessClassFromText("REALTIME_PRIORITY_CLASS", cls));
  EXPECT_EQ(cls, 0x100u);
  cls = 12345;
  for (const char* unknown : {"BELOW_NORMAL_PRIORITY_CLASS", "idle_priority_class",
                              "IDLE_PRIORITY_CLASS ", "", "THREAD_PRIORITY_HIGHEST"})
    EXPECT_FALSE(ProcessClassFromText(unknown, cls)) << unknown;
  EXPECT_EQ(cls, 12345u);

  int prio = 99;
  EXPECT_TRUE(ThreadPriorityFromText("THREAD_PRIORITY_LOWEST", prio));
  EXPECT_EQ(prio, -2);
  EXPECT_TRUE(ThreadPriorityFromText("THREAD_PRIORITY_ABOVE_NORMAL", prio));
  EXPECT_EQ(prio, 1);
  prio = 99;
  for (const char* unknown :
       {"THREAD_PRIORITY_IDLE", "THREAD_PRIORITY_TIME_CRITICAL", "NORMAL_PRIORITY_CLASS", "2"})
    EXPECT_FALSE(ThreadPriorityFromText(unknown, prio)) << unknown;
  EXPECT_EQ(prio, 99);
}

namespace {

// Records every step as text; the step named in failAt raises.
class RecordingSteps : public BarWindow {
 public:
  void Do(const std::string& step) {
    log.push_back(step);
    if (step == failAt || (failAlsoAt == step && failedOnce++ == 0))
      throw CvlError("Failed at " + step);
    if (step == failAt2) throw CvlError("again");
  }

  std::vector<std::string> log;
  std::string failAt, failAlsoAt, failAt2;
  int failedOnce = 0;
  bool minimised = false;
};

RecordingSteps& Steps(BarWindow& bar) { return static_cast<RecordingSteps&>(bar); }

}  // namespace

// The settings steps of the bar window in this test program.
void BarWindow::InitBuiltIns(bool atStartUp) {
  Steps(*this).Do(atStartUp ? "builtins start" : "builtins");
}
void BarWindow::SetAutoHide(bool on) { Steps(*this).Do(on ? "autohide on" : "autohide off"); }
void BarWindow::SetLogAll(bool on) { Steps(*this).Do(on ? "logall on" : "logall off"); }
void BarWindow::ApplyHotKeys(const HotKeyPlan& plan) {
  std::string s = plan.Register ? "hotkeys " + std::to_string(plan.Modifiers) : "hotkeys off";
  for (const HotKeyItem& item : plan.Items) s += " " + std::to_string(item.Id);
  Steps(*this).Do(s);
}
void BarWindow::SetProcessPriority(uint32_t c) { Steps(*this).Do("process " + std::to_string(c)); }
void BarWindow::SetMainThreadPriority(int p) { Steps(*this).Do("main " + std::to_string(p)); }
void BarWindow::SetDisplayThreadPriority(int p) {
  Steps(*this).Do("display " + std::to_string(p));
}
void BarWindow::LoadPanels() { Steps(*this).Do("panels"); }
void BarWindow::LoadWarnings() { Steps(*this).Do("warnings"); }
void BarWindow::RunPositionCommand(TBarPosition p) {
  Steps(*this).Do("position " + std::to_string(p));
}
void BarWindow::SetOnTopChecked(bool c) { Steps(*this).Do(c ? "ontop checked" : "ontop unchecked"); }
void BarWindow::RunOnTopCommand() { Steps(*this).Do("ontop command"); }
void BarWindow::SetDisplayInterval(int32_t ms) { Steps(*this).Do("interval " + std::to_string(ms)); }
bool BarWindow::IsMinimised() {
  Steps(*this).Do("minimised?");
  return Steps(*this).minimised;
}
void BarWindow::HideAndShow() { Steps(*this).Do("hide and show"); }
void BarWindow::ShowError(const std::string& m, const std::string& c, const std::string& d) {
  Steps(*this).log.push_back("error " + m + "|" + c + "|" + d);
}

namespace {

const std::vector<std::string> kDefaultRun = {
    "builtins start", "autohide off",  "logall off",    "hotkeys 7 1 2 3 4",
    "process 64",     "main 2",        "display 0",     "panels",
    "warnings",       "position 3",    "ontop unchecked", "ontop command",
    "interval 1000"};

std::vector<std::string> SafeDefaults(bool atStartUp) {
  std::vector<std::string> s = {atStartUp ? "builtins start" : "builtins",
                                "logall off",
                                "hotkeys 7 1",
                                "process 64",
                                "main 2",
                                "display 0",
                                "panels",
                                "warnings",
                                "position 3",
                                "ontop unchecked",
                                "ontop command",
                                "interval 1000"};
  if (!atStartUp) s.push_back("hide and show");
  return s;
}

}  // namespace

TEST(ApplySettings, DefaultsAppliedInOrderAtStartUp) {
  MemorySettings settings;
  RecordingSteps steps;
  ApplySettingsWith(true, settings, steps);
  EXPECT_EQ(steps.log, kDefaultRun);
}

TEST(ApplySettings, StoredSettingsReachTheirSteps) {
  MemorySettings settings;
  settings.Set("Settings", "AutoHide", "TRUE");
  settings.Set("Settings", "LogAll", "TRUE");
  settings.Set("Settings", "HotKeyModifiers", "0");
  settings.Set("Priorities", "Process", "BELOW_NORMAL_PRIORITY_CLASS");  // not in the table
  settings.Set("Priorities", "MainThread", "THREAD_PRIORITY_LOWEST");
  settings.Set("Priorities", "TimerThread", "nonsense");
  settings.Set("Settings", "BarPosition", "FLOATING");
  settings.Set("Settings", "OnTop", "true");  // only "TRUE" is on
  settings.Set("Settings", "Update", "250ms");
  RecordingSteps steps;
  ApplySettingsWith(true, settings, steps);
  EXPECT_EQ(steps.log,
            (std::vector<std::string>{"builtins start", "autohide on", "logall on",
                                      "hotkeys off 1 2 3 4", "main -2", "panels", "warnings",
                                      "position 2", "ontop checked", "ontop command",
                                      "interval 250"}));
}

TEST(ApplySettings, BarPositionWordsAndTheBottomForAnythingElse) {
  const std::pair<const char*, int> cases[] = {
      {"TOP", 1}, {"FLOATING", 2}, {"MINIMISED", 4}, {"BOTTOM", 3}, {"top", 3}, {"MINIMIZED", 3}};
  for (const auto& c : cases) {
    MemorySettings settings;
    settings.Set("Settings", "BarPosition", c.first);
    RecordingSteps steps;
    ApplySettingsWith(true, settings, steps);
    EXPECT_EQ(steps.log[9], "position " + std::to_string(c.second)) << c.first;
  }
}

TEST(ApplySettings, AfterStartUpTheBarIsRedrawnUnlessMinimised) {
  MemorySettings settings;
  RecordingSteps steps;
  ApplySettingsWith(false, settings, steps);
  std::vector<std::string> expected = kDefaultRun;
  expected[0] = "builtins";
  expected.push_back("minimised?");
  expected.push_back("hide and show");
  EXPECT_EQ(steps.log, expected);

  RecordingSteps minimised;
  minimised.minimised = true;
  ApplySettingsWith(false, settings, minimised);
  EXPECT_EQ(minimised.log.back(), "minimised?");
}

TEST(ApplySettings, AnErrorSkipsTheRestAndAppliesTheSafeDefaults) {
  // Fail at every step in turn: the steps before it ran, then the box, then
  // exactly the safe defaults.
  for (size_t k = 0; k < kDefaultRun.size(); ++k) {
    MemorySettings settings;
    RecordingSteps steps;
    steps.failAlsoAt = kDefaultRun[k];
    ApplySettingsWith(true, settings, steps);
    std::vector<std::string> expected(kDefaultRun.begin(), kDefaultRun.begin() + k + 1);
    expected.push_back("error An Error has Occured Trying to Display Corvella|05.|Failed at " +
                       kDefaultRun[k]);
    for (const std::string& s : SafeDefaults(true)) expected.push_back(s);
    EXPECT_EQ(steps.log, expected) << "failing at " << kDefaultRun[k];
  }
}

TEST(ApplySettings, ErrorPathAfterStartUpRedrawsEvenWhenMinimised) {
  MemorySettings settings;
  settings.Set("Settings", "BarPosition", "MINIMISED");
  RecordingSteps steps;
  steps.minimised = true;
  steps.failAlsoAt = "interval 1000";
  ApplySettingsWith(false, settings, steps);
  EXPECT_EQ(steps.log.back(), "hide and show");
  EXPECT_EQ(std::count(steps.log.begin(), steps.log.end(), "minimised?"), 0);
}

TEST(ApplySettings, AFailingSafeDefaultDoesNotStopTheOthers) {
  MemorySettings settings;
  RecordingSteps steps;
  steps.failAt = "panels";  // fails in the normal run and again in the defaults
  ApplySettingsWith(true, settings, steps);
  EXPECT_EQ(std::count(steps.log.begin(), steps.log.end(), "panels"), 2);
  EXPECT_EQ(steps.log.back(), "interval 1000");
  EXPECT_NE(std::find(steps.log.begin(), steps.log.end(), "position 3"), steps.log.end());
  // One box only.
  EXPECT_EQ(std::count_if(steps.log.begin(), steps.log.end(),
                          [](const std::string& s) { return s.rfind("error ", 0) == 0; }),
            1);
}

TEST(CommandLine, FirstArgumentAfterTheProgram) {
  EXPECT_EQ(CommandLineItem("Main.exe SplashLaunch", 1), "SplashLaunch");
  EXPECT_EQ(CommandLineItem("\"C:\\Program Files\\Corvella\\Main.exe\" SplashLaunch", 1),
            "SplashLaunch");
  EXPECT_EQ(CommandLineItem("\"C:\\Program Files\\Corvella\\Main.exe\" SplashLaunch", 0),
            "C:\\Program Files\\Corvella\\Main.exe");
  EXPECT_EQ(CommandLineItem("Main.exe   \"SplashLaunch\"  extra", 1), "SplashLaunch");
  EXPECT_EQ(CommandLineItem("Main.exe   \"SplashLaunch\"  extra", 2), "extra");
  EXPECT_EQ(CommandLineItem("Main.exe", 1), "");
  EXPECT_EQ(CommandLineItem("Main.exe ", 1), "");
  EXPECT_EQ(CommandLineItem("", 1), "");
  EXPECT_EQ(CommandLineItem("Main.exe splashlaunch", 1), "splashlaunch");
  EXPECT_EQ(CommandLineItem("Main.exe Splash\"Launch\"", 1), "SplashLaunch");
}
