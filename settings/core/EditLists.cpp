#include "settings/core/EditLists.h"

#include <algorithm>

#include "settings/core/Catalogs.h"
#include "shared/core/PluginOperations.h"
#include "shared/core/VBText.h"

namespace {

std::string Section(const char* list, int n) {
  return std::string(list) + "\\" + IntToText(n) + "\\General";
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
void ForPluginsWith(SettingsSource& s, PluginQueries& plugins, int32_t facility, Visit visit) {
  for (int32_t p = 1, n = InstalledPluginCount(s); p <= n; ++p) {
    if (Unnamed(s, p)) continue;
    const std::string path = InstalledPluginPath(s, p);
    if ((plugins.Facilities(path) & facility) == facility) visit(p, path);
  }
}

// What a stored list keeps of a row besides its section.
struct StoredEntry {
  bool plugin;
  int32_t number;
  const std::string& value;
};

// The count, then each row's "Plugin", "Number" and value in its section.
template <typename Row, typename Entry>
void SaveRows(SettingsSource& s, const char* list, const char* countName, const char* valueName,
              const std::vector<Row>& rows, Entry entry) {
  s.SaveSetting(kAppName, list, countName, IntToText(static_cast<int32_t>(rows.size())));
  for (size_t i = 0; i < rows.size(); ++i) {
    const std::string sec = Section(list, static_cast<int>(i + 1));
    const StoredEntry e = entry(rows[i]);
    s.SaveSetting(kAppName, sec, "Plugin", e.plugin ? "TRUE" : "FALSE");
    s.SaveSetting(kAppName, sec, "Number", IntToText(e.number));
    s.SaveSetting(kAppName, sec, valueName, e.value);
  }
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

}  // namespace

int32_t StoredListCount(const std::string& storedCount) {
  const int32_t n = TextToInt(storedCount);
  return n < 0 ? 0 : std::min(n, kMaxStoredListEntries);
}

std::string InstalledPluginPath(SettingsSource& s, int32_t number) {
  return s.GetSetting(kAppName, "Settings", "InstalledDir", "") +
         s.GetSetting(kAppName, "Plugins", IntToText(number), "");
}

std::vector<PanelRow> SensorChoices(SettingsSource& s, PluginQueries& plugins) {
  std::vector<PanelRow> rows;
  for (const BuiltInSensor& b : kBuiltInSensors)
    rows.push_back(PanelRow{b.description, "No", IntToText(b.width), SensorItemData{b.number}});
  ForPluginsWith(s, plugins, PluginHasSensor, [&](int32_t p, const std::string& path) {
    const TSENSORINFO info = plugins.SensorInfo(path);
    rows.push_back(PluginPanelRow(info, IntToText(info.Width), p));
  });
  return rows;
}

std::vector<WarningRow> WarningChoices(SettingsSource& s, PluginQueries& plugins) {
  std::vector<WarningRow> rows;
  for (const BuiltInWarning& w : kBuiltInWarnings)
    rows.push_back(BuiltInWarningRow(w, IntToText(w.min)));
  ForPluginsWith(s, plugins, PluginHasWarning, [&](int32_t p, const std::string& path) {
    const TWARNINGINFO info = plugins.WarningInfo(path);
    rows.push_back(PluginWarningRow(info, IntToText(info.Min), p));
  });
  return rows;
}

void PanelList::Load(SettingsSource& s, PluginQueries& plugins) {
  rows.clear();
  const int32_t count = StoredListCount(s.GetSetting(kAppName, "Panels", "NoOfPanels", "0"));
  for (int32_t n = 1; n <= count; ++n) {
    std::string sec = Section("Panels", n);
    std::string plugin = s.GetSetting(kAppName, sec, "Plugin", "FALSE");
    int32_t number = TextToInt(s.GetSetting(kAppName, sec, "Number", "1"));
    if (plugin == "FALSE") {
      // A number outside the catalogue names no sensor the bar could show.
      const BuiltInSensor* b = FindBuiltInSensor(number);
      if (!b) continue;
      rows.push_back(PanelRow{b->description, "No", s.GetSetting(kAppName, sec, "Width", "0"),
                              SensorItemData{number}});
    } else {
      std::string path = InstalledPluginPath(s, number);
      if ((plugins.Facilities(path) & PluginHasSensor) != PluginHasSensor) continue;
      rows.push_back(PluginPanelRow(plugins.SensorInfo(path),
                                    s.GetSetting(kAppName, sec, "Width", "0"), number));
    }
  }
}

void PanelList::Save(SettingsSource& s) const {
  SaveRows(s, "Panels", "NoOfPanels", "Width", rows, [](const PanelRow& r) {
    return StoredEntry{r.IsPlugin(), r.data.Number, r.width};
  });
}

bool PanelList::StepWidth(int index, int delta) {
  if (index < 0 || index >= static_cast<int>(rows.size())) return false;
  int64_t w = static_cast<int64_t>(TextToInt(rows[index].width)) + delta;
  if (w < 0) w = 0;
  rows[index].width = IntToText(Clamp64(w));
  return true;
}

void WarningList::Load(SettingsSource& s, PluginQueries& plugins) {
  rows.clear();
  const int32_t count =
      StoredListCount(s.GetSetting(kAppName, "Warnings", "NoOfWarnings", "0"));
  for (int32_t n = 1; n <= count; ++n) {
    std::string sec = Section("Warnings", n);
    std::string plugin = s.GetSetting(kAppName, sec, "Plugin", "FALSE");
    int32_t number = TextToInt(s.GetSetting(kAppName, sec, "Number", "1"));
    std::string value = s.GetSetting(kAppName, sec, "WarnVal", "0");
    if (plugin == "FALSE") {
      const BuiltInWarning* w = FindBuiltInWarning(number);
      if (!w) continue;
      rows.push_back(BuiltInWarningRow(*w, value));
    } else {
      std::string path = InstalledPluginPath(s, number);
      if ((plugins.Facilities(path) & PluginHasWarning) != PluginHasWarning) continue;
      rows.push_back(PluginWarningRow(plugins.WarningInfo(path), value, number));
    }
  }
}

void WarningList::Save(SettingsSource& s) const {
  SaveRows(s, "Warnings", "NoOfWarnings", "WarnVal", rows, [](const WarningRow& r) {
    return StoredEntry{r.data.IsPlugin, r.data.Number, r.value};
  });
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
