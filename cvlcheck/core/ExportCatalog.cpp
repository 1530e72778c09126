#include "cvlcheck/core/ExportCatalog.h"

#include <type_traits>

#include "sdk/CvlPlugin.h"
#include "shared/core/PluginOperations.h"

// The kit's header and the contract the bar and the settings library use
// describe the same numbers and function types; they must never drift apart.
static_assert(CVL_TEXT_BUFFER_SIZE == kTextBufferSize, "the text buffer sizes differ");
static_assert(CVL_MAX_TEXT == kTextBufferSize - 1, "the longest texts differ");
static_assert(CVL_HAS_SENSOR == PluginHasSensor, "the sensor facility bits differ");
static_assert(CVL_HAS_WARNING == PluginHasWarning, "the warning facility bits differ");
static_assert(std::is_same<CVL_SENSOR_FUNCTION, TSensorFunction>::value,
              "the sensor function types differ");
static_assert(std::is_same<CVL_SENSOR_VALUE, TSensorValue>::value,
              "the sensor value types differ");
static_assert(std::is_same<CVL_WARNING_FUNCTION, TWarningFunction>::value,
              "the warning function types differ");

const std::vector<ExportEntry>& ExportCatalog() {
  using S = ExportShape;
  using R = ExportRole;
  static const std::vector<ExportEntry> catalog = {
      {"PluginFacilities", S::Number, R::Plugin, true, 0, "the bar never uses the plug-in"},
      {"PluginName", S::Text, R::Plugin, false, 0, "the Plugins tab lists it without a name"},
      {"PluginDisplaySettings", S::Procedure, R::Plugin, false, 0,
       "the Settings button of the Plugins tab does nothing"},
      {"SensorFunction", S::Text, R::Sensor, true, 0, "its panels show \"Error\""},
      {"SensorValue", S::Number, R::Sensor, false, 0, "its panels have no history graph"},
      {"SensorDescription", S::Text, R::Sensor, false, 1,
       "the Add Sensor list shows \"No Description\""},
      {"SensorToolTip", S::Text, R::Sensor, false, 1, "the panel's tool tip is \"No Tool Tip\""},
      {"SensorWidth", S::Number, R::Sensor, false, 2, "a new panel is 0 pixels wide"},
      {"SensorIcon", S::Icon, R::Sensor, false, 3, "the panel has no picture"},
      {"WarningFunction", S::Check, R::Warning, true, 0, "its warnings never fire"},
      {"WarningMessage", S::Text, R::Warning, false, 1,
       "the warning's message reads \"No Message\""},
      {"WarningDescription", S::Text, R::Warning, false, 1,
       "the Add Warning list shows \"No Description\""},
      {"WarningVal", S::Text, R::Warning, false, 1, "the unit reads \"No Val\""},
      {"WarningMax", S::Number, R::Warning, false, 2, "the highest threshold is 0"},
      {"WarningMin", S::Number, R::Warning, false, 3, "the lowest threshold is 0"},
      {"WarningIncrement", S::Number, R::Warning, false, 4,
       "the threshold's - and + buttons do nothing"},
  };
  return catalog;
}

const char* RoleName(ExportRole role) {
  switch (role) {
    case ExportRole::Sensor: return "sensor";
    case ExportRole::Warning: return "warning";
    default: return "every plug-in";
  }
}
