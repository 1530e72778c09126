#include "settings/core/EditLists.h"

#include <algorithm>

#include "settings/core/Catalogs.h"
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
void ForPluginsWith(SettingsSource& s, PluginQueries& plugins, int32_t facility, Visit visit) {
  for (int32_t p = 1, n = InstalledPluginCount(s); p <= n; ++p) {
    if (Unnamed(s, p)) continue;
    const std::string path = InstalledPluginPath(s, p);
    if ((plugins.Facilities(path) & facility) == facility) visit(p, path);
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

std::string InstalledPluginPath(SettingsSource& s, int32_t number) {
  return InstalledPath(s, s.GetSetting(kAppName, "Plugins", IntToText(number), ""));
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
  for (const StoredEntry& e : LoadStoredList(s, "Panels", "NoOfPanels", "Width")) {
    const int32_t number = e.Number();
    const std::string width = e.value.empty() ? "0" : e.value;
    if (!e.IsPlugin()) {
      // A number outside the catalogue names no sensor the bar could show.
      const BuiltInSensor* b = FindBuiltInSensor(number);
      if (!b) continue;
      rows.push_back(PanelRow{b->description, "No", width, SensorItemData{number}});
    } else {
      std::string path = InstalledPluginPath(s, number);
      if ((plugins.Facilities(path) & PluginHasSensor) != PluginHasSensor) continue;
      rows.push_back(PluginPanelRow(plugins.SensorInfo(path), width, number));
    }
  }
}

void PanelList::Save(SettingsSource& s) const {
  std::vector<StoredEntry> entries;
  for (const PanelRow& r : rows)
    entries.push_back({r.IsPlugin() ? "TRUE" : "FALSE", IntToText(r.data.Number), r.width});
  SaveStoredList(s, "Panels", "NoOfPanels", "Width", entries);
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
  for (const StoredEntry& e : LoadStoredList(s, "Warnings", "NoOfWarnings", "WarnVal")) {
    const int32_t number = e.Number();
    const std::string value = e.value.empty() ? "0" : e.value;
    if (!e.IsPlugin()) {
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
  std::vector<StoredEntry> entries;
  for (const WarningRow& r : rows)
    entries.push_back({r.data.IsPlugin ? "TRUE" : "FALSE", IntToText(r.data.Number), r.value});
  SaveStoredList(s, "Warnings", "NoOfWarnings", "WarnVal", entries);
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
