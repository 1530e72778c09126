#include "bar/core/ApplySettings.h"

#include <exception>

#include "shared/core/VBText.h"

namespace {

struct Named {
  const char* text;
  int64_t value;
};
const Named kClasses[] = {
    {"IDLE_PRIORITY_CLASS", kIdlePriorityClass},
    {"NORMAL_PRIORITY_CLASS", kNormalPriorityClass},
    {"HIGH_PRIORITY_CLASS", kHighPriorityClass},
    {"REALTIME_PRIORITY_CLASS", kRealtimePriorityClass},
};
const Named kThreads[] = {
    {"THREAD_PRIORITY_LOWEST", kThreadPriorityLowest},
    {"THREAD_PRIORITY_BELOW_NORMAL", kThreadPriorityBelowNormal},
    {"THREAD_PRIORITY_NORMAL", kThreadPriorityNormal},
    {"THREAD_PRIORITY_ABOVE_NORMAL", kThreadPriorityAboveNormal},
    {"THREAD_PRIORITY_HIGHEST", kThreadPriorityHighest},
};

template <typename Value, size_t N>
bool Lookup(const Named (&table)[N], const std::string& text, Value& value) {
  for (const Named& n : table)
    if (text == n.text) {
      value = static_cast<Value>(n.value);
      return true;
    }
  return false;
}

std::string Read(SettingsSource& s, const char* section, const char* key, const char* def) {
  return s.GetSetting(kAppName, section, key, def);
}

TBarPosition PositionFromText(const std::string& text) {
  if (text == "TOP") return bpTop;
  if (text == "FLOATING") return bpFloating;
  if (text == "MINIMISED") return bpMinimised;
  return bpBottom;  // empty or any other text
}

void ApplyAll(bool atStartUp, SettingsSource& s, BarWindow& steps) {
  steps.InitBuiltIns(atStartUp);
  steps.SetAutoHide(Read(s, "Settings", "AutoHide", "FALSE") == "TRUE");
  steps.SetLogAll(Read(s, "Settings", "LogAll", "FALSE") == "TRUE");
  steps.ApplyHotKeys(HotKeyPlanFor(TextToInt(Read(s, "Settings", "HotKeyModifiers", "1"))));

  const std::string process = Read(s, "Priorities", "Process", "IDLE_PRIORITY_CLASS");
  const std::string main = Read(s, "Priorities", "MainThread", "THREAD_PRIORITY_HIGHEST");
  const std::string timer = Read(s, "Priorities", "TimerThread", "THREAD_PRIORITY_NORMAL");
  uint32_t priorityClass = 0;
  int priority = 0;
  if (ProcessClassFromText(process, priorityClass)) steps.SetProcessPriority(priorityClass);
  if (ThreadPriorityFromText(main, priority)) steps.SetMainThreadPriority(priority);
  if (ThreadPriorityFromText(timer, priority)) steps.SetDisplayThreadPriority(priority);

  // Panels first: reloading them releases the plug-in libraries that the
  // warnings share.
  steps.LoadPanels();
  steps.LoadWarnings();

  steps.RunPositionCommand(PositionFromText(Read(s, "Settings", "BarPosition", "")));

  const bool onTop = Read(s, "Settings", "OnTop", "TRUE") == "TRUE";
  steps.SetOnTopChecked(!onTop);  // the command toggles it to the wanted state
  steps.RunOnTopCommand();

  steps.SetDisplayInterval(TextToInt(Read(s, "Settings", "Update", "1000")));

  if (!atStartUp && !steps.IsMinimised()) steps.HideAndShow();
}

template <typename Step>
void Guarded(Step step) {
  try {
    step();
  } catch (...) {
    // The error box has been shown once; the remaining defaults still apply.
  }
}

void ApplySafeDefaults(bool atStartUp, BarWindow& steps) {
  Guarded([&] { steps.InitBuiltIns(atStartUp); });
  Guarded([&] { steps.SetLogAll(false); });
  Guarded([&] { steps.ApplyHotKeys(FallbackHotKeyPlan()); });
  Guarded([&] { steps.SetProcessPriority(kIdlePriorityClass); });
  Guarded([&] { steps.SetMainThreadPriority(kThreadPriorityHighest); });
  Guarded([&] { steps.SetDisplayThreadPriority(kThreadPriorityNormal); });
  Guarded([&] { steps.LoadPanels(); });
  Guarded([&] { steps.LoadWarnings(); });
  Guarded([&] { steps.RunPositionCommand(bpBottom); });
  Guarded([&] {
    steps.SetOnTopChecked(false);
    steps.RunOnTopCommand();
  });
  Guarded([&] { steps.SetDisplayInterval(1000); });
  if (!atStartUp) Guarded([&] { steps.HideAndShow(); });
}

}  // namespace

bool ProcessClassFromText(const std::string& text, uint32_t& priorityClass) {
  return Lookup(kClasses, text, priorityClass);
}

bool ThreadPriorityFromText(const std::string& text, int& priority) {
  return Lookup(kThreads, text, priority);
}

void ApplySettingsWith(bool atStartUp, SettingsSource& settings, BarWindow& steps) {
  std::string description;
  try {
    ApplyAll(atStartUp, settings, steps);
    return;
  } catch (const std::exception& e) {
    description = e.what();
  } catch (...) {
    description = "Unknown error";
  }
  Guarded([&] {
    steps.ShowError("An Error has Occured Trying to Display Corvella", "05.", description);
  });
  ApplySafeDefaults(atStartUp, steps);
}
