#include "settings/core/GeneralSettings.h"

#include "shared/core/VBText.h"

const char* const kUpdateItems[kUpdateItemCount] = {
    " 50 Milliseconds", " 100 Milliseconds", " 500 Milliseconds", " 1 Second",
    " 2 Seconds",       " 5 Seconds",        " 10 Seconds",       " 30 Seconds",
    " 1 Minute",        " 5 Minutes",        " 10 Minutes"};
const char* const kUpdateMillis[kUpdateItemCount] = {"50",    "100",   "500",    "1000",
                                                     "2000",  "5000",  "10000",  "30000",
                                                     "60000", "300000", "600000"};

const char* const kHotKeyItems[kHotKeyItemCount] = {
    "Disabled", "Ctrl + Alt + Shift", "Ctrl + Alt", "Ctrl + Shift", "Ctrl", "Alt"};

const char* const kSeparatorItems[kSeparatorItemCount] = {
    " /  (Forward Slash)", " \\  (Backward Slash)", " |  (Vertical Line)",
    " :  (Semi Colon)",    " -  (Dash)",            " ,  (Comma)"};
const char kSeparatorChars[kSeparatorItemCount] = {'/', '\\', '|', ':', '-', ','};

const char* const kProcessItems[kProcessItemCount] = {"Idle (4)", "Normal (9)", "High (13)",
                                                      "Real Time (24)"};
const char* const kProcessNames[kProcessItemCount] = {
    "IDLE_PRIORITY_CLASS", "NORMAL_PRIORITY_CLASS", "HIGH_PRIORITY_CLASS",
    "REALTIME_PRIORITY_CLASS"};
const int kProcessBaseLevels[kProcessItemCount] = {4, 9, 13, 24};

const char* const kThreadItems[kThreadItemCount] = {
    "Lowest (-2)", "Below Norm (-1)", "Normal (+0)", "Above Norm (+1)", "Highest (+2)"};
const char* const kThreadNames[kThreadItemCount] = {
    "THREAD_PRIORITY_LOWEST", "THREAD_PRIORITY_BELOW_NORMAL", "THREAD_PRIORITY_NORMAL",
    "THREAD_PRIORITY_ABOVE_NORMAL", "THREAD_PRIORITY_HIGHEST"};

namespace {

int IndexOf(const char* const* items, int count, const std::string& text) {
  for (int i = 0; i < count; ++i)
    if (text == items[i]) return i;
  return -1;
}

}  // namespace

int UpdateIndex(const std::string& stored) {
  int i = IndexOf(kUpdateMillis, kUpdateItemCount, stored);
  return i < 0 ? kDefaultUpdateIndex : i;
}

int HotKeyIndex(const std::string& stored) {
  int32_t n = TextToInt(stored);
  return n >= 0 && n < kHotKeyItemCount ? n : -1;
}

int SeparatorIndex(const std::string& stored) {
  if (stored.size() != 1) return -1;
  for (int i = 0; i < kSeparatorItemCount; ++i)
    if (stored[0] == kSeparatorChars[i]) return i;
  return -1;
}

int ProcessIndex(const std::string& stored) {
  return IndexOf(kProcessNames, kProcessItemCount, stored);
}

int ThreadIndex(const std::string& stored) {
  return IndexOf(kThreadNames, kThreadItemCount, stored);
}

LogMode LoggingFrom(const std::string& logAll, const std::string& logWarnings) {
  if (logAll == "TRUE") return LogMode::All;
  if (logWarnings == "TRUE") return LogMode::WarningsOnly;
  return LogMode::None;
}

BarPlace PlaceFrom(const std::string& stored) {
  if (stored == "TOP") return BarPlace::Top;
  if (stored == "FLOATING") return BarPlace::Floating;
  if (stored == "MINIMISED") return BarPlace::Minimised;
  return BarPlace::Bottom;
}

const char* PlaceText(BarPlace place) {
  switch (place) {
    case BarPlace::Top: return "TOP";
    case BarPlace::Floating: return "FLOATING";
    case BarPlace::Minimised: return "MINIMISED";
    default: return "BOTTOM";
  }
}

Colouring ColouringFrom(const std::string& stored) {
  if (stored == "TRUE") return Colouring::Gradient;
  if (stored == "Solid") return Colouring::Solid;
  return Colouring::None;
}

const char* ColouringText(Colouring colouring) {
  switch (colouring) {
    case Colouring::Gradient: return "TRUE";
    case Colouring::Solid: return "Solid";
    default: return "FALSE";
  }
}

GeneralSettings LoadGeneralSettings(SettingsSource& s) {
  const SettingsSection settings(s, "Settings"), priorities(s, "Priorities");
  GeneralSettings v;
  v.autoHide = settings.IsOn("AutoHide", "FALSE");
  v.logging = LoggingFrom(settings.Get("LogAll", "FALSE"), settings.Get("LogWarnings", "FALSE"));
  v.pauseOnMinimise = settings.IsOn("PauseOnMinimise", "FALSE");
  v.audioWarnings = settings.IsOn("AudioWarnings", "FALSE");
  v.hotKey = HotKeyIndex(settings.Get("HotKeyModifiers", "1"));
  v.separator = SeparatorIndex(settings.Get("MultiInfoSep", "/"));
  v.showSplash = settings.IsOn("ShowSplash", "TRUE");
  v.disableAutoResize = settings.Get("AutoResize", "TRUE") == "FALSE";
  v.process = ProcessIndex(priorities.Get("Process", "IDLE_PRIORITY_CLASS"));
  v.mainThread = ThreadIndex(priorities.Get("MainThread", "THREAD_PRIORITY_HIGHEST"));
  v.timerThread = ThreadIndex(priorities.Get("TimerThread", "THREAD_PRIORITY_NORMAL"));
  v.update = UpdateIndex(settings.Get("Update", "500"));
  v.onTop = settings.IsOn("OnTop", "TRUE");
  v.place = PlaceFrom(settings.Get("BarPosition", ""));
  v.colouring = ColouringFrom(settings.Get("ShadeBar", "FALSE"));
  v.shadeColour = settings.Number("ShadeColour", "16744576");
  v.shadeAmount = settings.Number("ShadeAmount", "100");
  v.font.name = settings.Get("FontName", "Arial");
  v.font.size = settings.Number("FontSize", "8");
  v.font.colour = settings.Number("FontColor", IntToText(kWindowTextColour).c_str());
  FontStyleFrom(settings.Get("FontStyle", ""), v.font.bold, v.font.italic);
  v.panelGraphs = settings.IsOn("PanelGraphs", "FALSE");
  return v;
}

void SaveSettings(SettingsSource& s, const GeneralSettings& v, const PanelList& panels,
                  const WarningList& warnings, const std::function<void()>& writeStartupEntry) {
  const SettingsSection settings(s, "Settings"), priorities(s, "Priorities");
  settings.PutFlag("AutoHide", v.autoHide);
  settings.PutFlag("LogAll", v.logging == LogMode::All);
  settings.PutFlag("LogWarnings", v.logging != LogMode::None);
  settings.PutFlag("PauseOnMinimise", v.pauseOnMinimise);
  settings.PutFlag("AudioWarnings", v.audioWarnings);
  settings.Put("HotKeyModifiers", IntToText(v.hotKey < 0 ? -1 : v.hotKey));
  if (v.separator >= 0)
    settings.Put("MultiInfoSep", std::string(1, kSeparatorChars[v.separator]));
  if (writeStartupEntry) writeStartupEntry();
  settings.PutFlag("ShowSplash", v.showSplash);
  settings.PutFlag("AutoResize", !v.disableAutoResize);
  if (v.process >= 0) priorities.Put("Process", kProcessNames[v.process]);
  if (v.mainThread >= 0) priorities.Put("MainThread", kThreadNames[v.mainThread]);
  if (v.timerThread >= 0) priorities.Put("TimerThread", kThreadNames[v.timerThread]);
  if (v.update >= 0) settings.Put("Update", kUpdateMillis[v.update]);
  settings.PutFlag("OnTop", v.onTop);
  settings.Put("BarPosition", PlaceText(v.place));
  settings.Put("ShadeBar", ColouringText(v.colouring));
  settings.Put("ShadeColour", IntToText(v.shadeColour));
  settings.Put("ShadeAmount", IntToText(v.shadeAmount));
  settings.Put("FontName", v.font.name);
  settings.Put("FontSize", IntToText(v.font.size));
  settings.Put("FontColor", IntToText(v.font.colour));
  settings.Put("FontStyle", FontStyleText(v.font.bold, v.font.italic));
  settings.PutFlag("PanelGraphs", v.panelGraphs);
  panels.Save(s);
  warnings.Save(s);
  settings.Put("SettingsStatus", "Applied");
}

bool SpeedNeedsConfirmation(int updateIndex) { return updateIndex >= 0 && updateIndex < 3; }

int SpeedForLogAll(int updateIndex) {
  return updateIndex < kOneMinuteIndex ? kOneMinuteIndex : updateIndex;
}

bool ThreadLevel(int processIndex, int threadIndex, int& level) {
  if (threadIndex < 0 || threadIndex >= kThreadItemCount) return false;
  if (processIndex < 0 || processIndex >= kProcessItemCount) return false;
  level = kProcessBaseLevels[processIndex] + threadIndex - 2;
  return true;
}

std::string PreviewPicture(BarPlace place, bool onTop) {
  int n = 6;
  switch (place) {
    case BarPlace::Top: n = onTop ? 0 : 1; break;
    case BarPlace::Bottom: n = onTop ? 2 : 3; break;
    case BarPlace::Floating: n = onTop ? 4 : 5; break;
    case BarPlace::Minimised: n = 6; break;
  }
  return "APPEARPIC" + std::to_string(n);
}
