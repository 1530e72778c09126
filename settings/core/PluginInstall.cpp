#include "settings/core/GeneralSettings.h"

#include <cctype>

#include "shared/core/PluginOperations.h"
#include "shared/core/VBText.h"

namespace {

const char* const kInvalidPluginName = "<Invalid Plugin>";
const char* const kNotAPluginMessage = "File is not a Valid Corvella Plugin";
const char* const kAlreadyInstalledMessage =
    "Plugin is Already Installed or a Plugin with the same name is Installed";

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

std::string FileNameOf(const std::string& path) {
  size_t slash = path.find_last_of("\\/:");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Rewrites one stored list without the entries of plug-in k and with later
// plug-ins numbered one lower. Values are copied as stored (an empty value
// stays empty, so it still reads as its default). The list is the entries
// the dialog reads (StoredListCount).
void RenumberStoredList(SettingsSource& s, const char* list, const char* countName,
                        const char* valueName, int32_t k) {
  std::vector<StoredEntry> kept;
  bool changed = false;
  for (StoredEntry& e : LoadStoredList(s, list, countName, valueName)) {
    const int32_t number = e.Number();
    if (e.IsPlugin() && number == k) {
      changed = true;
      continue;
    }
    if (e.IsPlugin() && number > k) {
      e.number = IntToText(number - 1);
      changed = true;
    }
    kept.push_back(e);
  }
  if (changed) SaveStoredList(s, list, countName, valueName, kept);
}

// Drops a list's rows of plug-in k and numbers the later plug-ins' rows one lower.
template <class List>
void ForgetPlugin(List& list, int32_t k) {
  std::vector<bool> drop(list.rows.size());
  for (size_t i = 0; i < list.rows.size(); ++i)
    drop[i] = list.rows[i].IsPlugin() && list.rows[i].data.Number == k;
  list.Remove(drop);
  for (auto& r : list.rows)
    if (r.IsPlugin() && r.data.Number > k) --r.data.Number;
}

}  // namespace

std::vector<PluginRow> LoadPluginRows(PluginContract& plugins) {
  SettingsSource& s = plugins.Settings();
  std::vector<PluginRow> rows;
  std::string dir = InstalledPath(s);
  for (int32_t k = 1, n = InstalledPluginCount(s); k <= n; ++k) {
    std::string file = s.GetSetting(kAppName, "Plugins", IntToText(k), "");
    std::string path = dir + file;
    // A bare folder never loads: an entry without a name needs no asking.
    std::string name = !file.empty() && plugins.GetPluginFacilities(path) != 0
                           ? plugins.GetPluginName(path)
                           : kInvalidPluginName;
    rows.push_back(PluginRow{name, file, k});
  }
  return rows;
}

InstallDecision DecideInstall(PluginContract& plugins, const std::string& chosenPath) {
  InstallDecision d;
  d.count = InstalledPluginCount(plugins.Settings());
  if (chosenPath.empty()) return d;
  if (chosenPath.size() < 3 || chosenPath.compare(chosenPath.size() - 3, 3, "cvl") != 0 ||
      plugins.GetPluginFacilities(chosenPath) == 0) {
    d.kind = InstallDecision::Refuse;
    d.message = kNotAPluginMessage;
    return d;
  }
  std::string file = FileNameOf(chosenPath);
  if (plugins.IsPluginInstalled(file)) {
    d.kind = InstallDecision::Refuse;
    d.message = kAlreadyInstalledMessage;
    return d;
  }
  d.kind = InstallDecision::Install;
  d.fileName = file;
  std::string target = InstalledPath(plugins.Settings(), file);
  if (Upper(chosenPath) != Upper(target)) d.copyTo = target;
  return d;
}

PluginRow RecordInstall(PluginContract& plugins, const InstallDecision& d,
                        const std::string& chosenPath) {
  SettingsSource& s = plugins.Settings();
  int32_t position = d.count + 1;
  s.SaveSetting(kAppName, "Plugins", "NoOfPlugins", IntToText(position));
  s.SaveSetting(kAppName, "Plugins", IntToText(position), d.fileName);
  return PluginRow{plugins.GetPluginName(chosenPath), d.fileName, position};
}

void RemovePlugin(SettingsSource& s, int32_t k, std::vector<PluginRow>& pluginRows,
                  PanelList& panels, WarningList& warnings) {
  ForgetPlugin(warnings, k);
  ForgetPlugin(panels, k);

  const int32_t m = InstalledPluginCount(s);
  if (m >= k) {
    s.SaveSetting(kAppName, "Plugins", "NoOfPlugins", IntToText(m - 1));
    for (int32_t i = k; i <= m; ++i)
      s.SaveSetting(kAppName, "Plugins", IntToText(i),
                    s.GetSetting(kAppName, "Plugins", IntToText(i + 1), ""));
  }

  std::vector<PluginRow> rest;
  for (PluginRow& r : pluginRows) {
    if (r.position == k) continue;
    if (r.position > k) --r.position;
    rest.push_back(r);
  }
  pluginRows.swap(rest);
  RenumberStoredList(s, "Panels", "NoOfPanels", "Width", k);
  RenumberStoredList(s, "Warnings", "NoOfWarnings", "WarnVal", k);
}
