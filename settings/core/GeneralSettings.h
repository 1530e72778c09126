#pragma once
// The general settings of the settings dialog as values: the fixed item
// lists of its drop-down lists, how stored texts select items, and what
// Apply writes for each. An index of -1 means "no item selected": Apply then
// writes nothing for that value (the hot-key set is written as -1).
#include <cstdint>
#include <functional>
#include <string>

#include "settings/core/EditLists.h"
#include "shared/core/SettingsSource.h"
#include "shared/core/StoredLook.h"

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
