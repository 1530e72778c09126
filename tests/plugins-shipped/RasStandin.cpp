// Test stand-in for the remote-access library rasapi32.dll (never shipped),
// for the Dialtally tests of systems other than Windows 98. A test copies it
// as rasapi32.dll into a folder, tells Wine to prefer it over its own
// library and loads it before the plug-in asks for it.
//
// RasEnumConnectionsA reports CVL_RAS_CONNECTIONS connections (environment
// of the calling process; unset: none). It insists on the call the plug-in
// must make: the size field of the first record 412 and room for 100 of them
// (41200 bytes); anything else answers ERROR_INVALID_SIZE, as the real
// library does for a record size it does not know.
#include <windows.h>

#include <cstdlib>

namespace {

constexpr DWORD kRecordSize = 412;
constexpr DWORD kErrorInvalidSize = 632;

}  // namespace

extern "C" __stdcall DWORD StandinRasEnumConnectionsA(DWORD* records, DWORD* size, DWORD* count) {
  if (!records || !size || !count) return ERROR_INVALID_PARAMETER;
  if (records[0] != kRecordSize || *size != 100 * kRecordSize) return kErrorInvalidSize;
  char value[16];
  const DWORD n = GetEnvironmentVariableA("CVL_RAS_CONNECTIONS", value, sizeof value);
  *count = (n > 0 && n < sizeof value) ? static_cast<DWORD>(std::atoi(value)) : 0;
  *size = *count * kRecordSize;
  return 0;
}

// Lets a test tell this library from Wine's own rasapi32.dll.
extern "C" __stdcall DWORD StandinMarker() { return 1; }
