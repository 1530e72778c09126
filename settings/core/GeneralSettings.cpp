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

const char* Bool(bool on) { return on ? "TRUE" : "FALSE"; }

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
  auto get = [&](const char* section, const char* key, const char* def) {
    return s.GetSetting(kAppName, section, key, def);
  };
  GeneralSettings v;
  v.autoHide = get("Settings", "AutoHide", "FALSE") == "TRUE";
  v.logging = LoggingFrom(get("Settings", "LogAll", "FALSE"),
                          get("Settings", "LogWarnings", "FALSE"));
  v.pauseOnMinimise = get("Settings", "PauseOnMinimise", "FALSE") == "TRUE";
  v.audioWarnings = get("Settings", "AudioWarnings", "FALSE") == "TRUE";
  v.hotKey = HotKeyIndex(get("Settings", "HotKeyModifiers", "1"));
  v.separator = SeparatorIndex(get("Settings", "MultiInfoSep", "/"));
  v.showSplash = get("Settings", "ShowSplash", "TRUE") == "TRUE";
  v.disableAutoResize = get("Settings", "AutoResize", "TRUE") == "FALSE";
  v.process = ProcessIndex(get("Priorities", "Process", "IDLE_PRIORITY_CLASS"));
  v.mainThread = ThreadIndex(get("Priorities", "MainThread", "THREAD_PRIORITY_HIGHEST"));
  v.timerThread = ThreadIndex(get("Priorities", "TimerThread", "THREAD_PRIORITY_NORMAL"));
  v.update = UpdateIndex(get("Settings", "Update", "500"));
  v.onTop = get("Settings", "OnTop", "TRUE") == "TRUE";
  v.place = PlaceFrom(get("Settings", "BarPosition", ""));
  v.colouring = ColouringFrom(get("Settings", "ShadeBar", "FALSE"));
  v.shadeColour = TextToInt(get("Settings", "ShadeColour", "16744576"));
  v.shadeAmount = TextToInt(get("Settings", "ShadeAmount", "100"));
  v.font.name = get("Settings", "FontName", "Arial");
  v.font.size = TextToInt(get("Settings", "FontSize", "8"));
  v.font.colour = TextToInt(get("Settings", "FontColor", IntToText(kWindowTextColour).c_str()));
  FontStyleFrom(get("Settings", "FontStyle", ""), v.font.bold, v.font.italic);
  v.panelGraphs = get("Settings", "PanelGraphs", "FALSE") == "TRUE";
  return v;
}

void SaveSettings(SettingsSource& s, const GeneralSettings& v, const PanelList& panels,
                  const WarningList& warnings, const std::function<void()>& writeStartupEntry) {
  auto put = [&](const char* section, const char* key, const std::string& value) {
    s.SaveSetting(kAppName, section, key, value);
  };
  put("Settings", "AutoHide", Bool(v.autoHide));
  put("Settings", "LogAll", Bool(v.logging == LogMode::All));
  put("Settings", "LogWarnings", Bool(v.logging != LogMode::None));
  put("Settings", "PauseOnMinimise", Bool(v.pauseOnMinimise));
  put("Settings", "AudioWarnings", Bool(v.audioWarnings));
  put("Settings", "HotKeyModifiers", IntToText(v.hotKey < 0 ? -1 : v.hotKey));
  if (v.separator >= 0)
    put("Settings", "MultiInfoSep", std::string(1, kSeparatorChars[v.separator]));
  if (writeStartupEntry) writeStartupEntry();
  put("Settings", "ShowSplash", Bool(v.showSplash));
  put("Settings", "AutoResize", Bool(!v.disableAutoResize));
  if (v.process >= 0) put("Priorities", "Process", kProcessNames[v.process]);
  if (v.mainThread >= 0) put("Priorities", "MainThread", kThreadNames[v.mainThread]);
  if (v.timerThread >= 0) put("Priorities", "TimerThread", kThreadNames[v.timerThread]);
  if (v.update >= 0) put("Settings", "Update", kUpdateMillis[v.update]);
  put("Settings", "OnTop", Bool(v.onTop));
  put("Settings", "BarPosition", PlaceText(v.place));
  put("Settings", "ShadeBar", ColouringText(v.colouring));
  put("Settings", "ShadeColour", IntToText(v.shadeColour));
  put("Settings", "ShadeAmount", IntToText(v.shadeAmount));
  put("Settings", "FontName", v.font.name);
  put("Settings", "FontSize", IntToText(v.font.size));
  put("Settings", "FontColor", IntToText(v.font.colour));
  put("Settings", "FontStyle", FontStyleText(v.font.bold, v.font.italic));
  put("Settings", "PanelGraphs", Bool(v.panelGraphs));
  panels.Save(s);
  warnings.Save(s);
  put("Settings", "SettingsStatus", "Applied");
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
