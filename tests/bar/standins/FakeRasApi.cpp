// Stand-in remote access library: answers a set number of open connections,
// and none unless the caller sized its records and buffer as the system does.
#include <windows.h>

static DWORD g_connections = 0;

extern "C" void WINAPI SetFakeConnections(DWORD n) { g_connections = n; }

extern "C" DWORD WINAPI RasEnumConnectionsA(DWORD* records, DWORD* size, DWORD* count) {
  if (!records || !size || !count) return 87;  // ERROR_INVALID_PARAMETER
  if (records[0] != 412 || *size != 41200) return 632;  // ERROR_INVALID_SIZE
  *count = g_connections;
  return 0;
}
