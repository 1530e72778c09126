#pragma once
// How the plug-in contract reaches libraries. The product's loader uses the
// system's load calls and the guarded call path; native tests pass a fake.
#include <cstdint>
#include <string>

#include "shared/core/PluginContract.h"

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
