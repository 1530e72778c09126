// A sensor plug-in without its own settings (no PluginDisplaySettings export).
#include <cstdint>
#include <cstdio>

#define EXPORT extern "C" __attribute__((stdcall))

EXPORT void PluginName(char* buffer) { std::snprintf(buffer, 80, "Quiet plug-in"); }
EXPORT int32_t PluginFacilities() { return 1; }
EXPORT void SensorFunction(char* buffer) { std::snprintf(buffer, 80, "quiet"); }
EXPORT void SensorDescription(char* buffer) { std::snprintf(buffer, 80, "Quiet sensor"); }
EXPORT void SensorToolTip(char* buffer) { std::snprintf(buffer, 80, "Quiet tip"); }
EXPORT int32_t SensorWidth() { return 30; }
EXPORT void* SensorIcon() { return nullptr; }
