#pragma once
// The plug-in contract's operations, compiled into Main and cvl: registry
// lists of plug-ins, panels and warnings; querying a plug-in's information;
// loading its sensor and warning functions; the table of loaded libraries.
// No operation here raises except the Call* functions, whose errors the
// refresh pass handles.
#include <string>

#include "shared/core/CvlError.h"
#include "shared/core/PluginContract.h"
#include "shared/core/PluginFault.h"
#include "shared/core/PluginLibraries.h"

// Values of Panels\<index>\<section> and Warnings\<index>\<section>. A write
// that cannot be stored fails silently.
std::string GetPanelSetting(int index, const std::string& section, const std::string& name,
                            const std::string& def);
void SavePanelSetting(int index, const std::string& section, const std::string& name,
                      const std::string& value);
std::string GetWarningSetting(int index, const std::string& section, const std::string& name,
                              const std::string& def);
void SaveWarningSetting(int index, const std::string& section, const std::string& name,
                        const std::string& value);

// Each loads the library at path, calls into it and releases it again; a
// library that does not load, a missing export, or a fault or a hang inside
// the plug-in gives the documented defaults.
int32_t GetPluginFacilities(const std::string& path);
void GetSensorInfo(const std::string& path, TSENSORINFO& info);
void GetWarningInfo(const std::string& path, TWARNINGINFO& info);
std::string GetPluginName(const std::string& path);
void ShowPluginSettings(const std::string& path);
// One of the values 1..NoOfPlugins of Plugins equals fileName (case counts).
// An empty file name is never installed (a missing list value reads empty).
bool IsPluginInstalled(const std::string& fileName);
// InstalledDir followed by the file name stored under Plugins\<number>.
std::string PluginPath(int32_t number);

// Load and keep the library (one slot of PluginLibraries per call); none when
// the library does not load, the export is missing, or the table is full.
// With value, also the plug-in's SensorValue from that same load (none
// without one).
TSensorFunction LoadSensorFunction(const std::string& path, TSensorValue* value = nullptr);
TWarningFunction LoadWarningFunction(const std::string& path);
// Releases every kept library in slot order and empties the table.
void ReleasePluginLibraries();
// Empties the table without releasing (start-up keeps its libraries loaded).
void ForgetPluginLibraries();
int PluginLibraryCount();
constexpr int kMaxPluginLibraries = kPluginLibrarySlots;

// Calls a sensor or warning function (built in or plug-in) through the one
// guarded path. A processor fault raises PluginFault, a call that does not
// return within kCallHangLimitMs (or one into a function that stopped
// responding before) PluginHang; an ordinary error raised
// by a built-in function reaches the caller as CvlError with the same text.
// A fault is a PluginFault (a CvlError too), so catching CvlError catches
// both. CallSensorFunction raises for a missing function; CallWarningFunction
// answers false for one and looks only at the lowest byte of the result (256
// is false).
//
// The buffer form is the one for the refresh pass: it allocates nothing
// unless something fails. buffer80 is the caller's 80 bytes, cleared before
// the call; afterwards the text is up to the first NUL or all 80 bytes (a
// plug-in may leave no NUL; TextBufferLength measures it). After an error the
// buffer holds no meaningful text. The string form copies that text out.
void CallSensorFunction(TSensorFunction fn, char* buffer80);
std::string CallSensorFunction(TSensorFunction fn);
bool CallWarningFunction(TWarningFunction fn, int32_t threshold);
// A plug-in's SensorValue through the same guard and hang limit.
int32_t CallSensorValue(TSensorValue fn);

// A thread was given up inside a call into fn: fn is never called again, and
// its library stays loaded until the process ends.
void TakeOutOfService(void* fn);
// fn has been taken out of service (see above).
bool StoppedResponding(const void* fn);
