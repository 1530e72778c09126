#include "shared/win32/Win32LibraryLoader.h"

#include <windows.h>

#include "shared/core/PluginFault.h"
#include "shared/win32/CallRecord.h"
#include "shared/win32/GuardedCall.h"

namespace {

constexpr const char* kHangText = "The call stopped responding";

}  // namespace

uintptr_t Win32LibraryLoader::Load(const std::string& path) {
  // A plug-in whose own libraries are missing must fail quietly: Windows 9x
  // would otherwise stop the calling thread with a system error box.
  const UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  const HMODULE module = LoadLibraryA(path.c_str());
  SetErrorMode(previous);
  return reinterpret_cast<uintptr_t>(module);
}

void* Win32LibraryLoader::Find(uintptr_t module, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(reinterpret_cast<HMODULE>(module), name));
}

void Win32LibraryLoader::Release(uintptr_t module) { FreeLibrary(reinterpret_cast<HMODULE>(module)); }

void Win32LibraryLoader::Invoke(PluginCall& call) {
  if (outOfService_.Contains(call.fn)) throw PluginHang(kHangText);
  unsigned long code = 0;
  if (CallRecord* record = CallRecord::OfThisThread()) {
    code = record->Run(call);
  } else if (call.unbounded) {
    code = GuardedCall(call);
  } else if (!helper_.Run(call, code)) {
    // Kept before the caller's own hold on the library goes with the error.
    outOfService_.Add(call.fn);
    throw PluginHang(kHangText);
  }
  if (code != 0) throw PluginFault(code, FaultText(code));
}
