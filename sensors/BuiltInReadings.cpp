#include "sensors/BuiltInReadings.h"

#include "bar/Globals.h"
#include "shared/win32/RegKey.h"

void StartBuiltInCounters() {
  // Windows 9x collects a counter only after it has been asked for under
  // StartStat once; the processor usage counter is started by the bar itself.
  static const char* const kCounters[] = {
      "KERNEL\\Threads",          "VMM\\cpgDiskcache",     "VCACHE\\Hits",
      "VCACHE\\Misses",           "VFAT\\BReadsSec",       "VFAT\\BWritesSec",
      "VMM\\cpgSwapfile",         "VMM\\cpgSwapfileInUse", "SMBRedir\\BReadsSec",
      "SMBRedir\\BWritesSec",     "Dial-Up Adapter\\ConnectSpeed",
      "Dial-Up Adapter\\TotalBytesRecvd", "Dial-Up Adapter\\TotalBytesXmit"};
  RegKey key;
  if (!key.Open(HKEY_DYN_DATA, "PerfStats\\StartStat", KEY_QUERY_VALUE)) return;
  for (const char* name : kCounters) {
    DWORD value = 0;
    key.QueryDword(name, value);
  }
}

MemoryReadings ReadMemory() {
  MEMORYSTATUS status{};
  status.dwLength = sizeof status;
  GlobalMemoryStatus(&status);
  MemoryReadings r;
  r.AvailablePhysical = status.dwAvailPhys;
  r.Load = status.dwMemoryLoad;
  return r;
}

DiskCacheReadings ReadDiskCache() {
  DiskCacheReadings r;
  r.Size = ReadPerfStat("VMM\\cpgDiskcache");
  r.Hits = ReadPerfStat("VCACHE\\Hits");
  r.Misses = ReadPerfStat("VCACHE\\Misses");
  return r;
}

uint64_t FreeBytesOn(const char* root) {
  uint64_t free = 0, total = 0, totalFree = 0;
  DiskFreeSpace(root, free, total, totalFree);
  return free;
}

DiskReadings ReadDisks() {
  DiskReadings r;
  r.Reads = ReadPerfStat("VFAT\\BReadsSec");
  r.Writes = ReadPerfStat("VFAT\\BWritesSec");
  char drives[257] = {};
  GetLogicalDriveStringsA(256, drives);
  for (int n = 1; n <= 26; ++n) {
    // Three characters at most: the string stays in its own small buffer.
    const std::string root = DriveRootOf(drives, n);
    // Past the last drive: an empty root would name the current drive.
    if (root.empty()) break;
    if (GetDriveTypeA(root.c_str()) == DRIVE_FIXED) r.FixedDriveFree.push_back(FreeBytesOn(root.c_str()));
  }
  return r;
}

namespace {

DialUpReadings ReadDialUpCounters() {
  DialUpReadings r;
  r.Received = ReadPerfStat("Dial-Up Adapter\\TotalBytesRecvd");
  r.Sent = ReadPerfStat("Dial-Up Adapter\\TotalBytesXmit");
  r.Speed = ReadPerfStat("Dial-Up Adapter\\ConnectSpeed");
  return r;
}

}  // namespace

DialUpReadings ReadDialUpForSensor() {
  DialUpReadings r = ReadDialUpCounters();
  r.Windows98 = IsWindows98();
  if (!r.Windows98) r.Connected = IsDialUpConnected();
  r.Now = GetTickCount();
  return r;
}

DialUpReadings ReadDialUpForCheck() {
  DialUpReadings r;
  r.Speed = ReadPerfStat("Dial-Up Adapter\\ConnectSpeed");
  if (r.Speed == 0) r.Connected = IsDialUpConnected();
  r.Now = GetTickCount();
  return r;
}

PowerReadings ReadPower() {
  PowerReadings r;  // unknown unless the system answers
  SYSTEM_POWER_STATUS status{};
  if (GetSystemPowerStatus(&status)) {
    r.Percent = status.BatteryLifePercent;
    r.SecondsLeft = status.BatteryLifeTime;
  }
  return r;
}

DisplayReadings ReadDisplay(HDC dc) {
  DisplayReadings r;
  r.Width = GetSystemMetrics(SM_CXSCREEN);
  r.Height = GetSystemMetrics(SM_CYSCREEN);
  r.Planes = GetDeviceCaps(dc, PLANES);
  r.BitsPerPixel = GetDeviceCaps(dc, BITSPIXEL);
  return r;
}

void LocalTimeText(TextBuilder& out) {
  char text[kTextBufferSize] = {};
  if (GetTimeFormatA(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, text, sizeof text)) out.Append(text);
}

void LocalDateText(TextBuilder& out) {
  char text[kTextBufferSize] = {};
  if (GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, text, sizeof text))
    out.Append(text);
}
