// Test stand-in for the Windows 95 resource meter's rsrc32.dll (never
// shipped). It exports _MyGetFreeSystemResources32@4 like the real library,
// so Resource.cvl binds to it at load time under Wine.
//
// The answers come from environment variables of the calling process, read
// at every call, so a test sets them with SetEnvironmentVariableA (or for a
// child process in its environment) before it asks the plug-in:
//   CVL_RSRC32_SYSTEM   kind 0, free system resources
//   CVL_RSRC32_GDI      kind 1, free GDI resources
//   CVL_RSRC32_USER     kind 2, free user resources
// An unset variable answers 100; any other kind answers 0.
#include <windows.h>

#include <cstdint>
#include <cstdlib>

namespace {

int32_t FromEnvironment(const char* name) {
  char value[32];
  const DWORD n = GetEnvironmentVariableA(name, value, sizeof value);
  if (n == 0 || n >= sizeof value) return 100;
  return static_cast<int32_t>(std::atoi(value));
}

}  // namespace

extern "C" __stdcall int32_t StandinFreeResources(int32_t kind) {
  switch (kind) {
    case 0:
      return FromEnvironment("CVL_RSRC32_SYSTEM");
    case 1:
      return FromEnvironment("CVL_RSRC32_GDI");
    case 2:
      return FromEnvironment("CVL_RSRC32_USER");
    default:
      return 0;
  }
}
