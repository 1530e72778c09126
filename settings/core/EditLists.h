#pragma once
// The panel and warning lists as the settings dialog edits them: rows in bar
// order, loaded from and written to the registry lists "Panels" and
// "Warnings", with the editing operations and their limits.
#include <cstdint>
#include <string>
#include <vector>

#include "settings/core/PluginQueries.h"
#include "shared/core/SettingsSource.h"

// The bar shows at most this many panels and warnings: appending stops there.
constexpr size_t kMaxListRows = 100;

// How many entries of a stored panel or warning list the dialogs read: the
// count as stored ("NoOfPanels", "NoOfWarnings"; negative as 0), but at most
// one more than the bar takes. The bar refuses a longer list as a whole, so
// such a list stays recognisably too long after Apply (and the bar says so)
// while a damaged count ("2000000000") no longer makes the dialog read two
// billion entries.
constexpr int32_t kMaxStoredListEntries = static_cast<int32_t>(kMaxListRows) + 1;
int32_t StoredListCount(const std::string& storedCount);

// One entry of a stored list as stored: "Plugin", "Number" and the value
// ("Width" or "WarnVal"), each empty when missing, in section
// "<list>\<n>\General".
struct StoredEntry {
  std::string plugin, number, value;
  bool IsPlugin() const { return !plugin.empty() && plugin != "FALSE"; }
  int32_t Number() const;
};
// The entries the dialogs read (StoredListCount of them).
std::vector<StoredEntry> LoadStoredList(SettingsSource& s, const char* list, const char* countName,
                                        const char* valueName);
// The count, then every entry.
void SaveStoredList(SettingsSource& s, const char* list, const char* countName,
                    const char* valueName, const std::vector<StoredEntry>& entries);

struct SensorItemData {
  int32_t Number = 0;  // built-in number, or the plug-in's position
};

struct WarningItemData {
  int32_t Min = 0;
  int32_t Max = 0;
  int32_t Increment = 0;
  int32_t Number = 0;
  bool IsPlugin = false;
};

struct PanelRow {
  std::string caption;
  std::string plugin;  // "Yes" or "No"
  std::string width;   // decimal text
  SensorItemData data;
  bool IsPlugin() const { return plugin == "Yes"; }
  // The list views' columns.
  std::vector<std::string> Texts() const { return {caption, plugin, width}; }
};

struct WarningRow {
  std::string caption;
  std::string value;  // the threshold as decimal text
  std::string unit;
  WarningItemData data;
  bool IsPlugin() const { return data.IsPlugin; }
  std::vector<std::string> Texts() const { return {caption, value, unit}; }
};

// Rows for the add dialogs: the built-in catalogue, then every installed
// plug-in with the facility.
std::vector<PanelRow> SensorChoices(SettingsSource& settings, PluginQueries& plugins);
std::vector<WarningRow> WarningChoices(SettingsSource& settings, PluginQueries& plugins);

// Operations shared by both lists. Indexes are 0-based rows.
template <typename Row>
class EditList {
 public:
  std::vector<Row> rows;

  size_t Count() const { return rows.size(); }
  // Appends in order until the list holds kMaxListRows; answers how many went in.
  size_t Append(const std::vector<Row>& added) {
    size_t n = 0;
    for (const Row& r : added) {
      if (rows.size() >= kMaxListRows) break;
      rows.push_back(r);
      ++n;
    }
    return n;
  }
  // Removes the rows whose flag is set; the others keep their order.
  void Remove(const std::vector<bool>& selected) {
    std::vector<Row> kept;
    for (size_t i = 0; i < rows.size(); ++i)
      if (i >= selected.size() || !selected[i]) kept.push_back(rows[i]);
    rows.swap(kept);
  }
  // Exchanges the row with its neighbour; answers the moved row's new index,
  // or -1 when nothing moved (no such row, or already first / last).
  int MoveUp(int index) {
    if (index <= 0 || index >= static_cast<int>(rows.size())) return -1;
    std::swap(rows[index], rows[index - 1]);
    return index - 1;
  }
  int MoveDown(int index) {
    if (index < 0 || index + 1 >= static_cast<int>(rows.size())) return -1;
    std::swap(rows[index], rows[index + 1]);
    return index + 1;
  }
};

class PanelList : public EditList<PanelRow> {
 public:
  // Rows of "Panels": built-in rows named from the catalogue, plug-in rows
  // from a plug-in that still has a sensor. Other entries are left out, so the
  // next Apply drops them.
  void Load(SettingsSource& settings, PluginQueries& plugins);
  // "NoOfPanels" and every row under Panels\<n>\General; higher entries stay.
  void Save(SettingsSource& settings) const;
  // Width - 1 (never below 0) or + 1 (no upper limit); false without a row.
  bool StepWidth(int index, int delta);
};

class WarningList : public EditList<WarningRow> {
 public:
  void Load(SettingsSource& settings, PluginQueries& plugins);
  void Save(SettingsSource& settings) const;
  // Threshold + Increment, at most Max; or - Increment, at least Min.
  bool StepValue(int index, bool up);
};
