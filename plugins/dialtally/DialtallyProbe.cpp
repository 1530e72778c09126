#include "plugins/dialtally/DialtallyProbe.h"

#include <windows.h>

#include <vector>

#include "plugins/dialtally/core/TodayNumber.h"
#include "shared/win32/RegKey.h"

namespace {

// The first version of the remote-access connection record (Windows 95 RAS),
// which every later rasapi32.dll still accepts.
constexpr DWORD kRasConnSize = 412;
constexpr DWORD kRasConnEntries = 100;

typedef DWORD(WINAPI* RasEnumConnectionsAFn)(void* connections, DWORD* size, DWORD* count);

}  // namespace

bool IsWindows98System() {
  OSVERSIONINFOA v{};
  v.dwOSVersionInfoSize = sizeof v;
  if (!GetVersionExA(&v)) return false;
  return v.dwMajorVersion > 3 && v.dwMinorVersion > 9 && (v.dwBuildNumber & 0xFFFF) > 1649 &&
         v.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
}

uint32_t ReadConnectSpeed() {
  RegKey key;
  if (!key.Open(HKEY_DYN_DATA, "PerfStats\\StatData", KEY_QUERY_VALUE)) return 0;
  DWORD value = 0;
  DWORD size = sizeof value;
  if (RegQueryValueExA(key.Get(), "Dial-Up Adapter\\ConnectSpeed", nullptr, nullptr,
                       reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS)
    return 0;
  return value;
}

bool RasConnectionSeen() {
  // Kept loaded for the life of the process once it is there: asking every
  // refresh must not load and unload the remote-access stack each time.
  HMODULE ras = GetModuleHandleA("rasapi32.dll");
  if (!ras) ras = LoadLibraryA("rasapi32.dll");
  if (reinterpret_cast<UINT_PTR>(ras) <= 32) return false;
  auto enumConnections = reinterpret_cast<RasEnumConnectionsAFn>(
      reinterpret_cast<void (*)()>(GetProcAddress(ras, "RasEnumConnectionsA")));
  if (!enumConnections) return false;
  std::vector<DWORD> records(kRasConnSize * kRasConnEntries / sizeof(DWORD), 0);
  records[0] = kRasConnSize;  // the size field of the first record
  DWORD size = kRasConnSize * kRasConnEntries;
  DWORD count = 0;
  return enumConnections(records.data(), &size, &count) == 0 && count > 0;
}

Connection ObserveConnection() {
  if (IsWindows98System()) return ConnectionFromSpeed(ReadConnectSpeed());
  return RasConnectionSeen() ? Connection::Seen : Connection::NotSeen;
}

int32_t TodayNumber() {
  char date[80] = "";
  if (GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, date, sizeof date) == 0)
    date[0] = '\0';
  char picture[80] = "";
  if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, picture, sizeof picture) == 0)
    picture[0] = '\0';
  return TodayFromShortDate(date, picture);
}
