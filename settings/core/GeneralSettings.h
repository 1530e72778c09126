#pragma once
// The settings dialog's values as Apply writes them: the general settings
// (the fixed item lists of its drop-down lists, how stored texts select
// items), the panel and warning lists with their editing operations and
// limits, loaded from and written to the registry lists "Panels" and
// "Warnings", and the installed plug-in list. An index of -1 means "no item
// selected": Apply then writes nothing for that value (the hot-key set is
// written as -1).
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "shared/core/PluginOperations.h"
#include "shared/core/SettingsSource.h"
#include "shared/core/StoredLook.h"

// The dialogs ask plug-in files through the plug-in contract (each question
// loads the file, asks it and releases it) and read the lists from its
// settings. They show no plug-in icon: each one handed over is freed at once,
// by the Win32 layer's definition (native tests count them).
void DiscardPluginIcon(BitmapHandle icon);

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

// The built-in sensors and warnings this library offers, under the numbers
// stored in the registry (sensors 1-24, warnings 1-15). The bar program keeps
// its own wording for the same numbers.
struct BuiltInSensor {
  int32_t number;
  const char* description;
  int32_t width;  // default panel width in pixels
};

struct BuiltInWarning {
  int32_t number;
  const char* description;
  int32_t min;  // also the first threshold of a new warning
  int32_t max;
  int32_t increment;
  const char* unit;
};

constexpr int kCatalogueSensorCount = 24;
constexpr int kCatalogueWarningCount = 15;
extern const BuiltInSensor kBuiltInSensors[kCatalogueSensorCount];
extern const BuiltInWarning kBuiltInWarnings[kCatalogueWarningCount];

// The catalogue entry of a number, or none outside the catalogue.
const BuiltInSensor* FindBuiltInSensor(int32_t number);
const BuiltInWarning* FindBuiltInWarning(int32_t number);

// Rows for the add dialogs: the built-in catalogue, then every installed
// plug-in with the facility.
std::vector<PanelRow> SensorChoices(PluginContract& plugins);
std::vector<WarningRow> WarningChoices(PluginContract& plugins);

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
  void Load(PluginContract& plugins);
  // "NoOfPanels" and every row under Panels\<n>\General; higher entries stay.
  void Save(SettingsSource& settings) const;
  // Width - 1 (never below 0) or + 1 (no upper limit); false without a row.
  bool StepWidth(int index, int delta);
};

class WarningList : public EditList<WarningRow> {
 public:
  void Load(PluginContract& plugins);
  void Save(SettingsSource& settings) const;
  // Threshold + Increment, at most Max; or - Increment, at least Min.
  bool StepValue(int index, bool up);
};

constexpr int kUpdateItemCount = 11;
extern const char* const kUpdateItems[kUpdateItemCount];
extern const char* const kUpdateMillis[kUpdateItemCount];
constexpr int kDefaultUpdateIndex = 2;  // " 500 Milliseconds"
constexpr int kOneSecondIndex = 3;
constexpr int kOneMinuteIndex = 8;

constexpr int kHotKeyItemCount = 6;
extern const char* const kHotKeyItems[kHotKeyItemCount];

constexpr int kSeparatorItemCount = 6;
extern const char* const kSeparatorItems[kSeparatorItemCount];
extern const char kSeparatorChars[kSeparatorItemCount];

constexpr int kProcessItemCount = 4;
extern const char* const kProcessItems[kProcessItemCount];
extern const char* const kProcessNames[kProcessItemCount];
extern const int kProcessBaseLevels[kProcessItemCount];

constexpr int kThreadItemCount = 5;
extern const char* const kThreadItems[kThreadItemCount];
extern const char* const kThreadNames[kThreadItemCount];

enum class LogMode { All = 0, WarningsOnly = 1, None = 2 };
enum class BarPlace { Top = 0, Bottom = 1, Floating = 2, Minimised = 3 };
enum class Colouring { None = 0, Solid = 1, Gradient = 2 };

// The window-text system colour as stored: 0x80000008.
constexpr int32_t kWindowTextColour = static_cast<int32_t>(0x80000008u);

struct SensorFont {
  std::string name = "Arial";
  int32_t size = 8;  // points
  int32_t colour = kWindowTextColour;
  bool bold = false;
  bool italic = false;
};

struct GeneralSettings {
  bool autoHide = false;
  LogMode logging = LogMode::None;
  bool pauseOnMinimise = false;
  bool audioWarnings = false;
  int hotKey = 1;
  int separator = 0;
  bool showSplash = true;
  bool disableAutoResize = false;
  int process = 0;
  int mainThread = 4;
  int timerThread = 2;
  int update = kDefaultUpdateIndex;
  bool onTop = true;
  BarPlace place = BarPlace::Bottom;
  Colouring colouring = Colouring::None;
  int32_t shadeColour = 16744576;
  int32_t shadeAmount = 100;
  SensorFont font;
  bool panelGraphs = false;  // history graphs behind the panels' texts
};

// Stored text to item index, and back (defaults are those of the reads).
int UpdateIndex(const std::string& stored);
int HotKeyIndex(const std::string& stored);
int SeparatorIndex(const std::string& stored);
int ProcessIndex(const std::string& stored);
int ThreadIndex(const std::string& stored);
LogMode LoggingFrom(const std::string& logAll, const std::string& logWarnings);
BarPlace PlaceFrom(const std::string& stored);
const char* PlaceText(BarPlace place);
Colouring ColouringFrom(const std::string& stored);
const char* ColouringText(Colouring colouring);

// Reads every general value with the defaults of the dialog.
GeneralSettings LoadGeneralSettings(SettingsSource& settings);

// What Apply writes, in its order: the general values, with the start-up
// entry (written by writeStartupEntry) between their two groups, the panel and
// warning lists, and last "SettingsStatus" = "Applied", which tells the bar to
// reload. A failed write raises CvlError and leaves the status unwritten.
void SaveSettings(SettingsSource& settings, const GeneralSettings& values, const PanelList& panels,
                  const WarningList& warnings, const std::function<void()>& writeStartupEntry);

// Rules of the dialog's reactions.
// Speeds under one second ask before they are kept.
bool SpeedNeedsConfirmation(int updateIndex);
// Logging every reading at a speed faster than one minute (or none) moves
// the speed to one minute; other speeds stay.
int SpeedForLogAll(int updateIndex);
// The level a thread box shows: process base + thread setting; false (box
// left as it is) when the thread or the process list has no selection.
bool ThreadLevel(int processIndex, int threadIndex, int& level);
// The preview picture resource for a position and the on-top box.
std::string PreviewPicture(BarPlace place, bool onTop);

// The installed plug-in list ("Plugins": "NoOfPlugins" and the file names
// under "1", "2", ...), installing a file and removing a plug-in. Both write
// the "Plugins" section at once, whatever the dialog does afterwards; how a
// removal renumbers the panels and warnings is in settings/README.md.

struct PluginRow {
  std::string name;
  std::string fileName;
  int32_t position = 0;
};

// One row per entry 1..NoOfPlugins; a file that is no plug-in shows as
// "<Invalid Plugin>".
std::vector<PluginRow> LoadPluginRows(PluginContract& plugins);

struct InstallDecision {
  enum Kind { Nothing, Refuse, Install } kind = Nothing;
  std::string message;   // Refuse: what to tell the user
  std::string fileName;  // Install: the name without folder
  std::string copyTo;    // Install: target of the copy; empty when the file is already there
  int32_t count = 0;     // NoOfPlugins before the installation
};

// What installing the chosen file means: nothing (no file chosen), a refusal
// with its message, or an installation (with or without a copy).
InstallDecision DecideInstall(PluginContract& plugins, const std::string& chosenPath);
// Writes NoOfPlugins = count + 1 and the file name under count + 1; answers
// the new row, named from the chosen file.
PluginRow RecordInstall(PluginContract& plugins, const InstallDecision& decision,
                        const std::string& chosenPath);

// Removes plug-in number k (see the note above on the numbers).
void RemovePlugin(SettingsSource& settings, int32_t k, std::vector<PluginRow>& pluginRows,
                  PanelList& panels, WarningList& warnings);
