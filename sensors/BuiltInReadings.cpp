#include "sensors/BuiltInReadings.h"

#include "shared/Globals.h"
#include "sensors/BuiltInPass.h"
#include "sensors/BuiltInState.h"
#include "sensors/SystemFigures.h"
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

namespace {

// A sensor's counters, each 0 when missing; true when any of them exists.
template <size_t N>
bool ReadCounters(const char* const (&names)[N], uint32_t (&values)[N]) {
  bool any = false;
  for (size_t i = 0; i < N; ++i) {
    values[i] = 0;
    if (PassTryReadPerfStat(names[i], values[i])) any = true;
  }
  return any;
}

// A 9x size counter as the texts have always shown it: signed.
int64_t SignedBytes(uint32_t counter) { return static_cast<int32_t>(counter); }

}  // namespace

uint32_t ReadCpuUsage() {
  uint32_t usage = 0;
  if (PassTryReadPerfStat("KERNEL\\CPUUsage", usage)) return usage;
  ProcessorTimes times;
  if (!ReadProcessorTimes(times)) return 0;
  BuiltInState& state = BuiltIns();
  Lock hold(state.SamplesLock);
  return state.Processors.Update(times);
}

MemoryReadings ReadMemory() {
  MemoryReadings r;
  if (ReadMemoryStatusEx(r)) return r;
  MEMORYSTATUS status{};
  status.dwLength = sizeof status;
  GlobalMemoryStatus(&status);
  r.AvailablePhysical = status.dwAvailPhys;
  r.Load = status.dwMemoryLoad;
  return r;
}

DiskCacheReadings ReadDiskCache() {
  static const char* const kNames[] = {"VMM\\cpgDiskcache", "VCACHE\\Hits", "VCACHE\\Misses"};
  uint32_t counters[3];
  DiskCacheReadings r;
  if (ReadCounters(kNames, counters)) {
    r.Size = SignedBytes(counters[0]);
    r.Hits = counters[1];
    r.Misses = counters[2];
  } else if (!ReadFileCache(r)) {
    r = DiskCacheReadings();
  }
  return r;
}

SwapFileReadings ReadSwapFile() {
  static const char* const kNames[] = {"VMM\\cpgSwapfile", "VMM\\cpgSwapfileInUse"};
  uint32_t counters[2];
  SwapFileReadings r;
  if (ReadCounters(kNames, counters)) {
    r.Size = SignedBytes(counters[0]);
    r.Used = SignedBytes(counters[1]);
  } else if (!ReadPageFiles(r)) {
    r = SwapFileReadings();
  }
  return r;
}

int64_t ReadSwapFileSize() {
  uint32_t size = 0;
  if (PassTryReadPerfStat("VMM\\cpgSwapfile", size)) return SignedBytes(size);
  SwapFileReadings r;
  return ReadPageFiles(r) ? r.Size : 0;
}

uint32_t ReadThreadCount() {
  uint32_t threads = 0;
  if (PassTryReadPerfStat("KERNEL\\Threads", threads) || ReadSystemThreads(threads)) return threads;
  return 0;
}

uint64_t FreeBytesOn(const char* root) {
  uint64_t free = 0, total = 0, totalFree = 0;
  DiskFreeSpace(root, free, total, totalFree);
  return free;
}

namespace {

// The I/O totals as rates per second, measured from the kept samples.
void ReadIoRates(DiskReadings& r) {
  uint64_t read = 0, written = 0;
  if (!ReadIoTransfers(read, written)) return;
  const uint32_t now = GetTickCount();
  BuiltInState& state = BuiltIns();
  Lock hold(state.SamplesLock);
  r.Reads = state.DiskReads.Update(read, now);
  r.Writes = state.DiskWrites.Update(written, now);
}

}  // namespace

DiskReadings ReadDisks() {
  static const char* const kNames[] = {"VFAT\\BReadsSec", "VFAT\\BWritesSec"};
  uint32_t counters[2];
  DiskReadings r;
  if (ReadCounters(kNames, counters)) {
    r.Reads = counters[0];
    r.Writes = counters[1];
  } else {
    ReadIoRates(r);
  }
  // The list and each drive's type are asked as the system answers them,
  // every pass: under Wine the list is a walk of its drive directory and a
  // local disk's type a question to its mount manager, and no other source
  // gives the same answer for fewer requests.
  char drives[257] = {};
  GetLogicalDriveStringsA(256, drives);
  for (int n = 1; n <= 26; ++n) {
    // Three characters at most: the string stays in its own small buffer.
    const std::string root = DriveRootOf(drives, n);
    // Past the last drive: an empty root would name the current drive.
    if (root.empty()) break;
    if (GetDriveTypeA(root.c_str()) == DRIVE_FIXED)
      r.FixedDriveFree.push_back(PassFreeBytesOn(root.c_str()));
  }
  return r;
}

namespace {

DialUpReadings ReadDialUpCounters() {
  DialUpReadings r;
  r.Received = PassReadPerfStat("Dial-Up Adapter\\TotalBytesRecvd");
  r.Sent = PassReadPerfStat("Dial-Up Adapter\\TotalBytesXmit");
  r.Speed = PassReadPerfStat("Dial-Up Adapter\\ConnectSpeed");
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
  r.Speed = PassReadPerfStat("Dial-Up Adapter\\ConnectSpeed");
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
  const MonitorRect screen = PassPrimaryScreen();
  r.Width = screen.Width;
  r.Height = screen.Height;
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
