#pragma once
// The four shapes of call into library code, each made through the loader's
// guarded Invoke. A processor fault raises PluginFault, a call that has not
// returned within kCallHangLimitMs PluginHang; a C++ error raised by the
// callee (a built-in function) is caught inside the guard and raised again as
// CvlError with the same text once the guard is gone.
#include <cstdint>

#include "shared/core/LibraryLoader.h"
#include "shared/core/PluginContract.h"

// void (TextBuffer): SensorFunction, PluginName and the text exports.
void GuardedTextCall(LibraryLoader& loader, void* fn, char* buffer);
// The same over a copy of the call's whole text area (PluginCall::kTextArea
// bytes, the callee's 80 at kTextLead), so that what a careless callee wrote
// around its buffer comes back too.
void GuardedTextAreaCall(LibraryLoader& loader, void* fn, char* area);
// int32 (): PluginFacilities, SensorWidth, WarningMax ...; SensorIcon's handle.
int32_t GuardedNumberCall(LibraryLoader& loader, void* fn);
BitmapHandle GuardedHandleCall(LibraryLoader& loader, void* fn);
// void (): PluginDisplaySettings, on the calling thread and without a time limit.
void GuardedProcedureCall(LibraryLoader& loader, void* fn);
// int32 (int32): WarningFunction and the built-in checks, raw 32-bit result.
int32_t GuardedCheckCall(LibraryLoader& loader, void* fn, int32_t threshold);
