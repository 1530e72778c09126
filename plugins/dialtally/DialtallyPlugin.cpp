// The exports of Dialtally.cvl: one sensor, the connections and connected
// time of the current month. No C++ exception leaves an export.
#include <windows.h>

#include <string>
#include <vector>

#include "plugins/dialtally/core/DialtallyCount.h"
#include "sdk/CvlPlugin.h"  // the exports, as every plug-in declares them
#include "settings/CvlExports.h"  // ShowAbout, bound by ordinal 3
#include "shared/VBFunctions.h"
#include "shared/core/PluginOperations.h"
#include "shared/win32/Window.h"
#include "shared/win32/RegKey.h"

namespace {

// What the tally reads from the system on each call: the day, the tick
// count and whether a dial-up connection is up.

// The first version of the remote-access connection record (Windows 95 RAS),
// which every later rasapi32.dll still accepts.
constexpr DWORD kRasConnSize = 412;
constexpr DWORD kRasConnEntries = 100;

typedef DWORD(WINAPI* RasEnumConnectionsAFn)(void* connections, DWORD* size, DWORD* count);

// Windows 98 or later of the 9x family (4.10 build 1650 and up).
bool IsWindows98System() {
  OSVERSIONINFOA v{};
  v.dwOSVersionInfoSize = sizeof v;
  if (!GetVersionExA(&v)) return false;
  return v.dwMajorVersion > 3 && v.dwMinorVersion > 9 && (v.dwBuildNumber & 0xFFFF) > 1649 &&
         v.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
}

// "Dial-Up Adapter\ConnectSpeed" of the 9x performance statistics; 0 when
// the key or the value cannot be read.
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

// A remote-access connection reported by rasapi32.dll; false when the library
// or its entry point is missing or the call fails.
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

// Windows 98: the adapter's connect speed; other systems: remote access.
Connection ObserveConnection() {
  if (IsWindows98System()) return ConnectionFromSpeed(ReadConnectSpeed());
  return RasConnectionSeen() ? Connection::Seen : Connection::NotSeen;
}

// The day number from today's date in the user's short date format.
int32_t TodayNumber() {
  char date[80] = "";
  if (GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, date, sizeof date) == 0)
    date[0] = '\0';
  char picture[80] = "";
  if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, picture, sizeof picture) == 0)
    picture[0] = '\0';
  return TodayFromShortDate(date, picture);
}

void WriteText(char* buffer, const std::string& text) {
  if (buffer) TextToBuffer(text, buffer);
}

}  // namespace

void CVL_CALL PluginName(char* buffer) { WriteText(buffer, "Monthly Internet Details"); }

int CVL_CALL PluginFacilities() { return CVL_HAS_SENSOR; }

void CVL_CALL PluginDisplaySettings() {
  try {
    ShowAbout("About Plugin:", "Monthly Internet Details Plugin", "Version 1.1",
              "Counts the dial-up connections of each month.",
              "Displays Internet Connection Details for Current Month");
  } catch (...) {
  }
}

void CVL_CALL SensorFunction(char* buffer) {
  try {
    // The state's five values are read and written through one key.
    SectionSettings store(kDialtallyApp, kDialtallySection);
    const Connection seen = ObserveConnection();
    const std::string text =
        RunDialtally(store, TodayNumber(), seen, static_cast<uint32_t>(GetTickCount()));
    WriteText(buffer, text);
  } catch (...) {
    WriteText(buffer, "Error");
  }
}

void CVL_CALL SensorDescription(char* buffer) {
  WriteText(buffer, "Dialtally: No Of Connections & Total Time");
}

void CVL_CALL SensorToolTip(char* buffer) {
  WriteText(buffer, "Monthly Internet Details : No Of Connections / Total Time");
}

CVL_BITMAP CVL_CALL SensorIcon() { return LoadBitmapA(ThisModule(), "MODEM"); }

int CVL_CALL SensorWidth() { return 80; }
