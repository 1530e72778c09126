// The exports of Resource.cvl: the free system, user and GDI resources as a
// sensor and as a warning. No C++ exception leaves an export.
#include <windows.h>

#include <string>

#include "plugins/resource/core/FreeResources.h"
#include "sdk/CvlPlugin.h"  // the exports, as every plug-in declares them
#include "settings/CvlExports.h"  // ShowAbout, bound by ordinal 3
#include "shared/VBFunctions.h"
#include "shared/core/PluginOperations.h"
#include "shared/win32/Window.h"

// The resource meter's library, bound when the plug-in loads: without it the
// plug-in does not load at all. The export name itself carries the leading
// underscore and the argument size, so the linker symbol gains one more.
extern "C" int32_t __stdcall FreeSystemResources32(int32_t kind) __asm__(
    "__MyGetFreeSystemResources32@4");

namespace {

void WriteText(char* buffer, const std::string& text) {
  if (buffer) TextToBuffer(text, buffer);
}

int32_t FreeOf(ResourceKind kind) { return FreeSystemResources32(kind); }

}  // namespace

void CVL_CALL PluginName(char* buffer) { WriteText(buffer, "System Resources Plugin"); }

int CVL_CALL PluginFacilities() { return CVL_HAS_SENSOR | CVL_HAS_WARNING; }

void CVL_CALL PluginDisplaySettings() {
  try {
    ShowAbout("About Plugin:", "System Resources Plugin", "Version 1.2",
              "Reads the resource meter of Windows 95 and 98.",
              "Displays System User and GDI Resources Remaining");
  } catch (...) {
  }
}

void CVL_CALL SensorFunction(char* buffer) {
  try {
    RegistrySettings store;
    WriteText(buffer, FreeResourcesText(store, FreeOf));
  } catch (...) {
    WriteText(buffer, "Error");
  }
}

void CVL_CALL SensorDescription(char* buffer) {
  WriteText(buffer, "Free Resources : System, User & GDI");
}

void CVL_CALL SensorToolTip(char* buffer) {
  WriteText(buffer, "System Resources : System Free / User Free / GDI Free");
}

CVL_BITMAP CVL_CALL SensorIcon() { return LoadBitmapA(ThisModule(), "RES"); }

int CVL_CALL SensorWidth() { return 103; }

int CVL_CALL WarningFunction(int threshold) {
  try {
    return FreeResourcesBelow(threshold, FreeOf) ? CVL_TRUE : CVL_FALSE;
  } catch (...) {
    return CVL_FALSE;
  }
}

void CVL_CALL WarningMessage(char* buffer) {
  WriteText(buffer, "System Resources have dropped below");
}

void CVL_CALL WarningDescription(char* buffer) {
  WriteText(buffer, "System Resources drop below");
}

void CVL_CALL WarningVal(char* buffer) { WriteText(buffer, "%"); }

int CVL_CALL WarningMax() { return 95; }

int CVL_CALL WarningMin() { return 5; }

int CVL_CALL WarningIncrement() { return 1; }
