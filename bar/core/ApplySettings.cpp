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

struct KeyRow {
  int id;
  char key;
  const char* item;     // caption before the tab
  const char* bareItem; // caption without a shortcut
};

// The shortcut caption spells "Minimized" with z, the bare one "Minimised".
const KeyRow kRows[] = {
    {1, 'P', "&Pause", "&Pause"},
    {2, 'T', "&Top of Screen", "&Top of Screen"},
    {3, 'B', "&Bottom of Screen", "&Bottom of Screen"},
    {4, 'M', "&Minimized", "&Minimised"},
};

// The modifiers of "HotKeyModifiers" 1 to 4, then of every other value.
const struct {
  uint32_t modifiers;
  const char* text;
} kModifierRows[] = {
    {kModControl | kModAlt | kModShift, "Ctrl+Alt+Shift+"},
    {kModControl | kModAlt, "Ctrl+Alt+"},
    {kModControl | kModShift, "Ctrl+Shift+"},
    {kModControl, "Ctrl+"},
    {kModAlt, "Alt+"},
};

std::string CaptionWith(const KeyRow& row, const char* modifierText) {
  return std::string(row.item) + "\t" + modifierText + row.key;
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

HotKeyPlan HotKeyPlanFor(int32_t value) {
  HotKeyPlan plan;
  if (value == 0) {
    for (const KeyRow& row : kRows) plan.Items.push_back({row.id, row.key, row.bareItem});
    return plan;
  }
  const auto& modifiers = kModifierRows[value >= 1 && value <= 4 ? value - 1 : 4];
  plan.Register = true;
  plan.Modifiers = modifiers.modifiers;
  for (const KeyRow& row : kRows)
    plan.Items.push_back({row.id, row.key, CaptionWith(row, modifiers.text)});
  return plan;
}

HotKeyPlan FallbackHotKeyPlan() {
  HotKeyPlan plan;
  plan.Register = true;
  plan.Modifiers = kModifierRows[0].modifiers;
  plan.Items.push_back({1, 'P', CaptionWith(kRows[0], kModifierRows[0].text)});
  return plan;
}

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
