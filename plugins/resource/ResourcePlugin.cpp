// The exports of Resource.cvl: the free system, user and GDI resources as a
// sensor and as a warning. No C++ exception leaves an export.
#include <windows.h>

#include <cstring>
#include <string>

#include "plugins/resource/core/FreeResources.h"
#include "settings/CvlExports.h"  // ShowAbout, bound by ordinal 3
#include "shared/VBFunctions.h"

// The resource meter's library, bound when the plug-in loads: without it the
// plug-in does not load at all. The export name itself carries the leading
// underscore and the argument size, so the linker symbol gains one more.
extern "C" int32_t __stdcall FreeSystemResources32(int32_t kind) __asm__(
    "__MyGetFreeSystemResources32@4");

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

int32_t FreeOf(ResourceKind kind) { return FreeSystemResources32(kind); }

}  // namespace

extern "C" {

__stdcall void PluginName(char* buffer) { WriteText(buffer, "System Resources Plugin"); }

__stdcall int32_t PluginFacilities() { return 3; }  // a sensor and a warning

__stdcall void PluginDisplaySettings() {
  try {
    ShowAbout("About Plugin:", "System Resources Plugin", "Version 1.2",
              "Reads the resource meter of Windows 95 and 98.",
              "Displays System User and GDI Resources Remaining");
  } catch (...) {
  }
}

__stdcall void SensorFunction(char* buffer) {
  try {
    RegistrySettings store;
    WriteText(buffer, FreeResourcesText(store, FreeOf).c_str());
  } catch (...) {
    WriteText(buffer, "Error");
  }
}

__stdcall void SensorDescription(char* buffer) {
  WriteText(buffer, "Free Resources : System, User & GDI");
}

__stdcall void SensorToolTip(char* buffer) {
  WriteText(buffer, "System Resources : System Free / User Free / GDI Free");
}

__stdcall HBITMAP SensorIcon() { return LoadBitmapA(ThisModule(), "RES"); }

__stdcall int32_t SensorWidth() { return 103; }

__stdcall int32_t WarningFunction(int32_t threshold) {
  try {
    return FreeResourcesBelow(threshold, FreeOf) ? -1 : 0;
  } catch (...) {
    return 0;
  }
}

__stdcall void WarningMessage(char* buffer) {
  WriteText(buffer, "System Resources have dropped below");
}

__stdcall void WarningDescription(char* buffer) {
  WriteText(buffer, "System Resources drop below");
}

__stdcall void WarningVal(char* buffer) { WriteText(buffer, "%"); }

__stdcall int32_t WarningMax() { return 95; }

__stdcall int32_t WarningMin() { return 5; }

__stdcall int32_t WarningIncrement() { return 1; }

}  // extern "C"
