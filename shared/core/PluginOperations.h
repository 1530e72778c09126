#pragma once
// The sensor plug-in contract and its operations. The contract as plain data
// (the text buffer convention, the facility bits, the function types and the
// two information records) is shared by the bar, the settings library and,
// through the exports, the plug-ins. The operations run over a library loader
// and a settings source: the registry lists of plug-ins, panels and warnings,
// the questions asked of a plug-in, the table of libraries kept for sensor and
// warning functions, and every call into library code. Common gives the
// process's one over the system's loader and the registry; native tests run
// them with fakes.
#include <cstdint>
#include <string>

#include "shared/core/CvlError.h"
#include "shared/core/SettingsSource.h"

// Every export uses the Windows API calling convention.
#if defined(_WIN32) && defined(__i386__)
#define CVL_STDCALL __attribute__((stdcall))
#else
#define CVL_STDCALL
#endif

// How long the bar waits for a call into a sensor or check function, or any
// other export but the plug-in's own settings window, before it takes the
// call as hung (PluginHang) and stops waiting for it.
constexpr uint32_t kCallHangLimitMs = 10000;

// A caller-owned 80-byte buffer: at most 79 characters and a NUL.
constexpr int kTextBufferSize = 80;
typedef char TextBuffer[kTextBufferSize];

// Writes the sensor's current text into the buffer.
typedef void(CVL_STDCALL* TSensorFunction)(char* buffer);
// The sensor's current reading as one number, for the panel's history graph;
// optional, called right after the sensor function.
typedef int32_t(CVL_STDCALL* TSensorValue)();
// Nonzero lowest byte of the result: the warning condition holds for threshold.
typedef int32_t(CVL_STDCALL* TWarningFunction)(int32_t threshold);

constexpr int32_t PluginHasSensor = 1;
constexpr int32_t PluginHasWarning = 2;

// The caller's copy of a buffer: up to the first NUL, or all 80 bytes.
std::string TextFromBuffer(const char* buffer);
// The length of that text, without copying it: 80 when there is no NUL.
size_t TextBufferLength(const char* buffer);
// Fills a buffer with text cut to 79 characters and a NUL.
void TextToBuffer(const std::string& text, char* buffer);

// A bitmap handle (HBITMAP) that changes owner with SensorIcon.
using BitmapHandle = void*;

struct TSENSORINFO {
  std::string Description = "No Description";
  int32_t Width = 0;
  std::string ToolTip = "No Tool Tip";
  BitmapHandle Icon = nullptr;
};

struct TWARNINGINFO {
  std::string Message = "No Message";
  std::string Description = "No Description";
  int32_t Min = 0;
  int32_t Max = 0;
  int32_t Increment = 0;
  std::string Val = "No Val";
};

// A processor exception (access violation, divide by zero, illegal
// instruction ...) raised inside plug-in code, turned into an ordinary error
// that callers who stop using a faulting function tell apart by its type.
class PluginFault : public CvlError {
 public:
  PluginFault(unsigned long code, const std::string& text) : CvlError(text), code_(code) {}
  unsigned long Code() const { return code_; }

 private:
  unsigned long code_;
};

// A call into plug-in code that has not returned within kCallHangLimitMs.
// The caller stops waiting for it and treats the function as a faulting one:
// out of service for good, while its library stays loaded.
class PluginHang : public PluginFault {
 public:
  explicit PluginHang(const std::string& text) : PluginFault(0, text) {}
};

// "Exception C0000005 (access violation)": the text a fault carries.
std::string FaultText(unsigned long code);

// One call into library code. It carries what the call takes and yields and
// no pointer into the caller's memory, so that a loader may run a copy of it
// on another thread and copy the outcome back: a copy left behind by a call
// that never returns harms nobody.
struct PluginCall {
  static constexpr int kErrorChars = 160;
  // The callee's 80 bytes lie inside a larger area, at the end of the call:
  // a plug-in that writes a little before or past its buffer reaches room of
  // its own, not the fields that say how the call ended.
  static constexpr int kTextLead = 16;
  static constexpr int kTextArea = 256;

  // Calls fn with the fields below and stores what it yields. Raises
  // nothing: a C++ error of the callee ends up in failed and error.
  void (*body)(PluginCall& call) = nullptr;
  void* fn = nullptr;
  // A call that may take as long as the user wants (a plug-in's own settings
  // window): made on the caller's thread, without a time limit.
  bool unbounded = false;
  int32_t argument = 0;
  int32_t number = 0;
  BitmapHandle handle = nullptr;
  bool failed = false;
  bool fault = false;  // a PluginFault raised inside the body
  unsigned long faultCode = 0;
  char error[kErrorChars] = "";
  char text[kTextArea];

  char* Buffer() { return text + kTextLead; }
};

// How the contract reaches libraries: the product's loader uses the system's
// load calls and the guarded call path; native tests pass a fake.
class LibraryLoader {
 public:
  virtual ~LibraryLoader() = default;

  // The load call's raw answer; see IsLoadedHandle.
  virtual uintptr_t Load(const std::string& path) = 0;
  // The address of an export, or nullptr.
  virtual void* Find(uintptr_t module, const char* name) = 0;
  virtual void Release(uintptr_t module) = 0;

  // Runs call.body(call), so that a processor exception inside it raises
  // PluginFault, and a call that does not return within kCallHangLimitMs
  // (unless unbounded) raises PluginHang, once the call has been abandoned.
  // A function that hung is never called again: PluginHang at once.
  virtual void Invoke(PluginCall& call) = 0;
};

// A library counts as loaded when the load call answers a handle above 32
// (the rule of the 16-bit era that Windows 9x kept for its load calls).
inline bool IsLoadedHandle(uintptr_t handle) { return handle > 32; }

// The shapes of call into library code, each made through the loader's
// Invoke. A processor fault raises PluginFault, a call that has not returned
// within kCallHangLimitMs PluginHang; a C++ error raised by the callee (a
// built-in function) is caught inside the guard and raised again as CvlError
// with the same text once the guard is gone.
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

// How many entries of the installed plug-in list ("Plugins": "NoOfPlugins"
// and the file names under "1", "2", ...) the lists built from it take. The
// contract sets no limit, but no installation reaches a thousand plug-ins,
// each chosen by hand. A count up to that is taken as stored (an entry
// without a name included); a negative one as 0; a larger one is damaged, and
// the list is taken as far as its named entries go from "1" on, at most a
// thousand. So a count of "2000000000" neither makes a dialog read two
// billion values nor hides an installation behind them.
constexpr int32_t kMaxInstalledPlugins = 1000;
int32_t InstalledPluginCount(SettingsSource& settings);

class PluginContract {
 public:
  PluginContract(LibraryLoader& loader, SettingsSource& settings)
      : loader_(loader), settings_(settings) {}
  PluginContract(const PluginContract&) = delete;
  PluginContract& operator=(const PluginContract&) = delete;
  // Where the lists are read from.
  SettingsSource& Settings() { return settings_; }

  // Panels\<index>\<section> and Warnings\<index>\<section>.
  std::string GetPanelSetting(int index, const std::string& section, const std::string& name,
                              const std::string& def);
  std::string GetWarningSetting(int index, const std::string& section, const std::string& name,
                                const std::string& def);
  bool IsPluginInstalled(const std::string& fileName);
  std::string PluginPath(int32_t number);

  // Load, ask, release; never raise.
  int32_t GetPluginFacilities(const std::string& path);
  void GetSensorInfo(const std::string& path, TSENSORINFO& info);
  void GetWarningInfo(const std::string& path, TWARNINGINFO& info);
  std::string GetPluginName(const std::string& path);
  void ShowPluginSettings(const std::string& path);

  // With value, the plug-in's SensorValue from the same load (none when it
  // has none).
  TSensorFunction LoadSensorFunction(const std::string& path, TSensorValue* value = nullptr);
  TWarningFunction LoadWarningFunction(const std::string& path);
  // Releases the kept libraries in the order they were loaded.
  void ReleasePluginLibraries();
  // Empties the table and leaves the libraries loaded.
  void ForgetPluginLibraries() { libraryCount_ = 0; }
  int PluginLibraryCount() const { return libraryCount_; }

  // Guarded calls of sensor and warning functions, built in or plug-in: a
  // processor fault raises PluginFault (a CvlError), a call that does not
  // return within kCallHangLimitMs (or one into a function out of service)
  // PluginHang, a built-in's ordinary error CvlError with its text. A missing
  // sensor function raises; a missing warning function answers false, and
  // only the lowest byte of its result counts (256 is false). The buffer form
  // clears the caller's 80 bytes and allocates nothing unless the call fails;
  // the text is up to the first NUL or all 80 bytes (TextBufferLength).
  void CallSensorFunction(TSensorFunction fn, char* buffer80);
  bool CallWarningFunction(TWarningFunction fn, int32_t threshold);
  int32_t CallSensorValue(TSensorValue fn);

 private:
  void* LoadKeptFunction(const std::string& path, const char* exportName,
                         const char* otherName = nullptr, void** other = nullptr);

  LibraryLoader& loader_;
  SettingsSource& settings_;
  // The libraries kept loaded for sensor and warning functions, one slot per
  // load (a plug-in used by three entries is loaded three times and the
  // system counts the loads), shared by the panel and warning lists.
  static constexpr int kLibrarySlots = 78;
  uintptr_t libraries_[kLibrarySlots] = {};
  int libraryCount_ = 0;
};
