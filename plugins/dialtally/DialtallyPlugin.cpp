// The exports of Dialtally.cvl: one sensor, the connections and connected
// time of the current month. No C++ exception leaves an export.
#include <windows.h>

#include <cstring>
#include <string>

#include "plugins/dialtally/DialtallyProbe.h"
#include "plugins/dialtally/core/DialtallyCount.h"
#include "settings/CvlExports.h"  // ShowAbout, bound by ordinal 3
#include "shared/VBFunctions.h"

namespace {

void WriteText(char* buffer, const char* text) {
  if (!buffer) return;
  std::strncpy(buffer, text, 79);
  buffer[79] = '\0';
}

HMODULE ThisModule() {
  MEMORY_BASIC_INFORMATION info{};
  VirtualQuery(reinterpret_cast<const void*>(&ThisModule), &info, sizeof info);
  return static_cast<HMODULE>(info.AllocationBase);
}

}  // namespace

extern "C" {

__stdcall void PluginName(char* buffer) { WriteText(buffer, "Monthly Internet Details"); }

__stdcall int32_t PluginFacilities() { return 1; }  // a sensor, no warning

__stdcall void PluginDisplaySettings() {
  try {
    ShowAbout("About Plugin:", "Monthly Internet Details Plugin", "Version 1.1",
              "Counts the dial-up connections of each month.",
              "Displays Internet Connection Details for Current Month");
  } catch (...) {
  }
}

__stdcall void SensorFunction(char* buffer) {
  try {
    // The state's five values are read and written through one key.
    SectionSettings store(kDialtallyApp, kDialtallySection);
    const Connection seen = ObserveConnection();
    const std::string text =
        RunDialtally(store, TodayNumber(), seen, static_cast<uint32_t>(GetTickCount()));
    WriteText(buffer, text.c_str());
  } catch (...) {
    WriteText(buffer, "Error");
  }
}

__stdcall void SensorDescription(char* buffer) {
  WriteText(buffer, "Dialtally: No Of Connections & Total Time");
}

__stdcall void SensorToolTip(char* buffer) {
  WriteText(buffer, "Monthly Internet Details : No Of Connections / Total Time");
}

__stdcall HBITMAP SensorIcon() { return LoadBitmapA(ThisModule(), "MODEM"); }

__stdcall int32_t SensorWidth() { return 80; }

}  // extern "C"
