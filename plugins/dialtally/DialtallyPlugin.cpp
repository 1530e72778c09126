// The exports of Dialtally.cvl: one sensor, the connections and connected
// time of the current month. No C++ exception leaves an export.
#include <windows.h>

#include <string>

#include "plugins/dialtally/DialtallyProbe.h"
#include "plugins/dialtally/core/DialtallyCount.h"
#include "sdk/CvlPlugin.h"  // the exports, as every plug-in declares them
#include "settings/CvlExports.h"  // ShowAbout, bound by ordinal 3
#include "shared/VBFunctions.h"
#include "shared/core/PluginOperations.h"
#include "shared/win32/Window.h"

namespace {

void WriteText(char* buffer, const std::string& text) {
  if (buffer) TextToBuffer(text, buffer);
}

}  // namespace

void CVL_CALL PluginName(char* buffer) { WriteText(buffer, "Monthly Internet Details"); }

int CVL_CALL PluginFacilities() { return CVL_HAS_SENSOR; }

void CVL_CALL PluginDisplaySettings() {
  try {
    ShowAbout("About Plugin:", "Monthly Internet Details Plugin", "Version 1.1",
              "Counts the dial-up connections of each month.",
              "Displays Internet Connection Details for Current Month");
  } catch (...) {
  }
}

void CVL_CALL SensorFunction(char* buffer) {
  try {
    // The state's five values are read and written through one key.
    SectionSettings store(kDialtallyApp, kDialtallySection);
    const Connection seen = ObserveConnection();
    const std::string text =
        RunDialtally(store, TodayNumber(), seen, static_cast<uint32_t>(GetTickCount()));
    WriteText(buffer, text);
  } catch (...) {
    WriteText(buffer, "Error");
  }
}

void CVL_CALL SensorDescription(char* buffer) {
  WriteText(buffer, "Dialtally: No Of Connections & Total Time");
}

void CVL_CALL SensorToolTip(char* buffer) {
  WriteText(buffer, "Monthly Internet Details : No Of Connections / Total Time");
}

CVL_BITMAP CVL_CALL SensorIcon() { return LoadBitmapA(ThisModule(), "MODEM"); }

int CVL_CALL SensorWidth() { return 80; }
