#include "settings/core/GeneralSettings.h"

#include <algorithm>
#include <optional>

#include "shared/core/PluginOperations.h"
#include "shared/core/VBText.h"

namespace {

std::string Section(const char* list, size_t n) {
  return std::string(list) + "\\" + IntToText(static_cast<int32_t>(n)) + "\\General";
}

int32_t Clamp64(int64_t v) {
  return static_cast<int32_t>(std::max<int64_t>(INT32_MIN, std::min<int64_t>(INT32_MAX, v)));
}

// An entry without a file name names no plug-in (its path would be the bare
// folder, which never loads): no need to ask.
bool Unnamed(SettingsSource& s, int32_t number) {
  return s.GetSetting(kAppName, "Plugins", IntToText(number), "").empty();
}

// Every installed plug-in with the facility, by its number and path.
template <typename Visit>
void ForPluginsWith(PluginContract& plugins, int32_t facility, Visit visit) {
  SettingsSource& s = plugins.Settings();
  for (int32_t p = 1, n = InstalledPluginCount(s); p <= n; ++p) {
    if (Unnamed(s, p)) continue;
    const std::string path = plugins.PluginPath(p);
    if ((plugins.GetPluginFacilities(path) & facility) == facility) visit(p, path);
  }
}

TSENSORINFO SensorInfo(PluginContract& plugins, const std::string& path) {
  TSENSORINFO info;
  plugins.GetSensorInfo(path, info);
  if (info.Icon) DiscardPluginIcon(info.Icon);
  info.Icon = nullptr;
  return info;
}

TWARNINGINFO WarningInfo(PluginContract& plugins, const std::string& path) {
  TWARNINGINFO info;
  plugins.GetWarningInfo(path, info);
  return info;
}

PanelRow PluginPanelRow(const TSENSORINFO& info, const std::string& width, int32_t number) {
  return PanelRow{info.Description, "Yes", width, SensorItemData{number}};
}

WarningRow PluginWarningRow(const TWARNINGINFO& info, const std::string& value, int32_t number) {
  return WarningRow{info.Description, value, info.Val,
                    WarningItemData{info.Min, info.Max, info.Increment, number, true}};
}

WarningRow BuiltInWarningRow(const BuiltInWarning& w, const std::string& value) {
  return WarningRow{w.description, value, w.unit,
                    WarningItemData{w.min, w.max, w.increment, w.number, false}};
}

// A stored entry's row, chosen by the row type: from the catalogue (none
// for a number outside it) or from the plug-in's answers.
std::optional<PanelRow> BuiltInRow(const PanelRow*, int32_t number, const std::string& width) {
  const BuiltInSensor* b = FindBuiltInSensor(number);
  if (!b) return std::nullopt;
  return PanelRow{b->description, "No", width, SensorItemData{number}};
}

std::optional<WarningRow> BuiltInRow(const WarningRow*, int32_t number, const std::string& value) {
  const BuiltInWarning* w = FindBuiltInWarning(number);
  if (!w) return std::nullopt;
  return BuiltInWarningRow(*w, value);
}

PanelRow PluginRow(const PanelRow*, PluginContract& plugins, const std::string& path,
                   const std::string& width, int32_t number) {
  return PluginPanelRow(SensorInfo(plugins, path), width, number);
}

WarningRow PluginRow(const WarningRow*, PluginContract& plugins, const std::string& path,
                     const std::string& value, int32_t number) {
  return PluginWarningRow(WarningInfo(plugins, path), value, number);
}

// The rows of a stored list: built-in entries the catalogue knows and
// plug-in entries whose plug-in still has the facility. Other entries are
// left out, so the next Apply drops them; a missing value reads "0".
template <typename Row>
std::vector<Row> LoadRows(PluginContract& plugins, const char* list, const char* countName,
                          const char* valueName, int32_t facility) {
  const Row* kind = nullptr;
  std::vector<Row> rows;
  for (const StoredEntry& e : LoadStoredList(plugins.Settings(), list, countName, valueName)) {
    const int32_t number = e.Number();
    const std::string value = e.value.empty() ? "0" : e.value;
    if (!e.IsPlugin()) {
      if (std::optional<Row> row = BuiltInRow(kind, number, value)) rows.push_back(*row);
      continue;
    }
    const std::string path = plugins.PluginPath(number);
    if ((plugins.GetPluginFacilities(path) & facility) == facility)
      rows.push_back(PluginRow(kind, plugins, path, value, number));
  }
  return rows;
}

// The count and every row under <list>\<n>\General; higher entries stay.
template <typename Row>
void SaveRows(SettingsSource& s, const std::vector<Row>& rows, const char* list,
              const char* countName, const char* valueName, const std::string Row::*value) {
  std::vector<StoredEntry> entries;
  for (const Row& r : rows)
    entries.push_back({r.IsPlugin() ? "TRUE" : "FALSE", IntToText(r.data.Number), r.*value});
  SaveStoredList(s, list, countName, valueName, entries);
}

}  // namespace

const BuiltInSensor kBuiltInSensors[kCatalogueSensorCount] = {
    {1, "CPU Usage", 40},
    {2, "System Memory : Free & Load", 73},
    {3, "Disk Cache : Size & Percentage Hits", 76},
    {4, "Disk Information : Writes, Reads & Free Space", 139},
    {5, "Dial Up Internet Connection Information", 199},
    {6, "Windows Running Time", 55},
    {7, "Swap File : Size & Usage", 79},
    {8, "Microsoft-Network : Reads & Writes", 76},
    {9, "Active Processes : No. of Processes & Threads", 43},
    {10, "Current Time", 73},
    {11, "Battery Status : Percentage Free & Time Remaining", 97},
    {12, "Current Date", 58},
    {13, "Primary Display : Resolution & Colour Depth", 112},
    {14, "Multiple Monitor Info : No. Of Monitors & Total Desktop Size", 85},
    {15, "Windows : Visible, Minimised & Total", 70},
    {16, "System Temperature : Temperature 1 ", 43},
    {17, "System Temperature : Temperature 2 ", 43},
    {18, "System Temperature : Temperature 3 ", 43},
    {19, "System Temperature : Temperature 4 ", 43},
    {20, "CPU Voltages : Core & I/O ", 94},
    {21, "System Voltages : +5V, -5V, +12V & -12V ", 190},
    {22, "Fans Speed : Fan 1 ", 64},
    {23, "Fans Speed : Fan 2 ", 64},
    {24, "Fans Speed : Fan 3 ", 64},
};

// "\xB0" is the degree sign of the Windows Western code page.
const BuiltInWarning kBuiltInWarnings[kCatalogueWarningCount] = {
    {1, "Disk space drops below", 2, 644444444, 5, "Mb"},
    {2, "Internet Connection Time exceeds", 5, 1920, 5, "Mins"},
    {3, "Battery Power drops below", 5, 80, 1, "%"},
    {4, "Temperature 1 rises above", 5, 150, 1, "\xB0" "C"},
    {5, "Temperature 2 rises above", 5, 150, 1, "\xB0" "C"},
    {6, "Temperature 3 rises above", 5, 150, 1, "\xB0" "C"},
    {7, "Temperature 4 rises above", 5, 150, 1, "\xB0" "C"},
    {8, "CPU Voltages deviate by more than", 1, 20, 1, "%"},
    {9, "System Voltages deviate by more than", 1, 20, 1, "%"},
    {10, "Fan 1 speed drops below", 500, 20000, 500, "rpm"},
    {11, "Fan 2 speed drops below", 500, 20000, 500, "rpm"},
    {12, "Fan 3 speed drops below", 500, 20000, 500, "rpm"},
    {13, "Memory Load exceeds", 1, 99, 1, "%"},
    {14, "Swap Files size exceeds", 1, 1024, 1, "Mb"},
    {15, "Windows has been running longer than", 10, 2880, 10, "Mins"},
};

const BuiltInSensor* FindBuiltInSensor(int32_t number) {
  if (number < 1 || number > kCatalogueSensorCount) return nullptr;
  return &kBuiltInSensors[number - 1];
}

const BuiltInWarning* FindBuiltInWarning(int32_t number) {
  if (number < 1 || number > kCatalogueWarningCount) return nullptr;
  return &kBuiltInWarnings[number - 1];
}

int32_t StoredListCount(const std::string& storedCount) {
  const int32_t n = TextToInt(storedCount);
  return n < 0 ? 0 : std::min(n, kMaxStoredListEntries);
}

int32_t StoredEntry::Number() const { return TextToInt(number.empty() ? "1" : number); }

std::vector<StoredEntry> LoadStoredList(SettingsSource& s, const char* list, const char* countName,
                                        const char* valueName) {
  std::vector<StoredEntry> entries;
  const int32_t count = StoredListCount(s.GetSetting(kAppName, list, countName, "0"));
  for (int32_t n = 1; n <= count; ++n) {
    const SettingsSection sec(s, Section(list, n));
    entries.push_back({sec.Get("Plugin", ""), sec.Get("Number", ""), sec.Get(valueName, "")});
  }
  return entries;
}

void SaveStoredList(SettingsSource& s, const char* list, const char* countName,
                    const char* valueName, const std::vector<StoredEntry>& entries) {
  s.SaveSetting(kAppName, list, countName, IntToText(static_cast<int32_t>(entries.size())));
  for (size_t i = 0; i < entries.size(); ++i) {
    const SettingsSection sec(s, Section(list, i + 1));
    sec.Put("Plugin", entries[i].plugin);
    sec.Put("Number", entries[i].number);
    sec.Put(valueName, entries[i].value);
  }
}

std::vector<PanelRow> SensorChoices(PluginContract& plugins) {
  std::vector<PanelRow> rows;
  for (const BuiltInSensor& b : kBuiltInSensors)
    rows.push_back(PanelRow{b.description, "No", IntToText(b.width), SensorItemData{b.number}});
  ForPluginsWith(plugins, PluginHasSensor, [&](int32_t p, const std::string& path) {
    const TSENSORINFO info = SensorInfo(plugins, path);
    rows.push_back(PluginPanelRow(info, IntToText(info.Width), p));
  });
  return rows;
}

std::vector<WarningRow> WarningChoices(PluginContract& plugins) {
  std::vector<WarningRow> rows;
  for (const BuiltInWarning& w : kBuiltInWarnings)
    rows.push_back(BuiltInWarningRow(w, IntToText(w.min)));
  ForPluginsWith(plugins, PluginHasWarning, [&](int32_t p, const std::string& path) {
    const TWARNINGINFO info = WarningInfo(plugins, path);
    rows.push_back(PluginWarningRow(info, IntToText(info.Min), p));
  });
  return rows;
}

void PanelList::Load(PluginContract& plugins) {
  rows = LoadRows<PanelRow>(plugins, "Panels", "NoOfPanels", "Width", PluginHasSensor);
}

void PanelList::Save(SettingsSource& s) const {
  SaveRows(s, rows, "Panels", "NoOfPanels", "Width", &PanelRow::width);
}

bool PanelList::StepWidth(int index, int delta) {
  if (index < 0 || index >= static_cast<int>(rows.size())) return false;
  int64_t w = static_cast<int64_t>(TextToInt(rows[index].width)) + delta;
  if (w < 0) w = 0;
  rows[index].width = IntToText(Clamp64(w));
  return true;
}

void WarningList::Load(PluginContract& plugins) {
  rows = LoadRows<WarningRow>(plugins, "Warnings", "NoOfWarnings", "WarnVal", PluginHasWarning);
}

void WarningList::Save(SettingsSource& s) const {
  SaveRows(s, rows, "Warnings", "NoOfWarnings", "WarnVal", &WarningRow::value);
}

bool WarningList::StepValue(int index, bool up) {
  if (index < 0 || index >= static_cast<int>(rows.size())) return false;
  WarningRow& r = rows[index];
  int64_t v = TextToInt(r.value);
  if (up) {
    v += r.data.Increment;
    if (v > r.data.Max) v = r.data.Max;
  } else {
    v -= r.data.Increment;
    if (v < r.data.Min) v = r.data.Min;
  }
  r.value = IntToText(Clamp64(v));
  return true;
}

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

// The stored words of the positions and colourings, in the order of their
// enumerations; an unknown word reads as bottom and as no colouring.
const char* const kPlaceTexts[] = {"TOP", "BOTTOM", "FLOATING", "MINIMISED"};
const char* const kColouringTexts[] = {"FALSE", "Solid", "TRUE"};

BarPlace PlaceFrom(const std::string& stored) {
  const int i = IndexOf(kPlaceTexts, 4, stored);
  return i < 0 ? BarPlace::Bottom : static_cast<BarPlace>(i);
}

const char* PlaceText(BarPlace place) { return kPlaceTexts[static_cast<int>(place)]; }

Colouring ColouringFrom(const std::string& stored) {
  const int i = IndexOf(kColouringTexts, 3, stored);
  return i < 0 ? Colouring::None : static_cast<Colouring>(i);
}

const char* ColouringText(Colouring colouring) {
  return kColouringTexts[static_cast<int>(colouring)];
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
