// Queries of the system: performance counters, version, monitors, dial-up,
// disks and windows. None of them fails: each degrades to a plain answer.
#include "shared/Globals.h"
#include "shared/core/DiskGeometry.h"
#include "shared/win32/Handle.h"
#include "shared/win32/Library.h"
#include "shared/win32/RegKey.h"

#ifndef SM_XVIRTUALSCREEN
#define SM_XVIRTUALSCREEN 76
#define SM_YVIRTUALSCREEN 77
#define SM_CXVIRTUALSCREEN 78
#define SM_CYVIRTUALSCREEN 79
#endif
#ifndef SM_CMONITORS
#define SM_CMONITORS 80
#endif

namespace {

// The bar's PerfStatsKey. Replaced from the main thread while the display
// thread may be reading it: the lock keeps a read off a handle being closed.
struct PerfStatsKey {
  CriticalSection lock;
  HKEY key = nullptr;
};

PerfStatsKey& KeptPerfStats() {
  static PerfStatsKey kept;
  return kept;
}

MonitorRect PrimaryScreen() {
  MonitorRect r;
  r.Width = GetSystemMetrics(SM_CXSCREEN);
  r.Height = GetSystemMetrics(SM_CYSCREEN);
  return r;
}

// Not the 9x family: asked where NT answers by other means.
bool IsNtFamily() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;
  return GetVersionExA(&info) && info.dwPlatformId != VER_PLATFORM_WIN32_WINDOWS;
}

typedef void(WINAPI* MonitorRectByWindowProc)(MonitorRect* rect, HWND window);
typedef DWORD(WINAPI* RasEnumConnectionsProc)(void* connections, DWORD* size, DWORD* count);
typedef BOOL(WINAPI* EnumDesktopWindowsProc)(HDESK desktop, WNDENUMPROC callback, LPARAM data);
typedef HDESK(WINAPI* GetThreadDesktopProc)(DWORD thread);
typedef BOOL(WINAPI* GetDiskFreeSpaceExProc)(LPCSTR root, ULARGE_INTEGER* freeAvailable,
                                             ULARGE_INTEGER* total, ULARGE_INTEGER* totalFree);

}  // namespace

void StartPerfStats() {
  RegKey start;
  if (start.Open(HKEY_DYN_DATA, "PerfStats\\StartStat", KEY_QUERY_VALUE)) {
    // Querying the value is what starts the processor-usage counter.
    DWORD value = 0, size = sizeof value;
    RegQueryValueExA(start.Get(), "KERNEL\\CPUUsage", nullptr, nullptr,
                     reinterpret_cast<BYTE*>(&value), &size);
  }
  HKEY data = nullptr;
  if (RegOpenKeyExA(HKEY_DYN_DATA, "PerfStats\\StatData", 0, KEY_QUERY_VALUE, &data) !=
      ERROR_SUCCESS)
    return;  // the earlier handle stays
  PerfStatsKey& kept = KeptPerfStats();
  Lock hold(kept.lock);
  if (kept.key) RegCloseKey(kept.key);
  kept.key = data;
}

uint32_t ReadPerfStat(const char* name) {
  uint32_t value = 0;
  return TryReadPerfStat(name, value) ? value : 0;
}

bool TryReadPerfStat(const char* name, uint32_t& value) {
  PerfStatsKey& kept = KeptPerfStats();
  Lock hold(kept.lock);
  if (!kept.key) return false;
  DWORD read = 0, size = sizeof read;
  if (RegQueryValueExA(kept.key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&read), &size) !=
      ERROR_SUCCESS)
    return false;
  value = read;
  return true;
}

bool PerfStatsEmpty() {
  if (!IsNtFamily()) return false;
  PerfStatsKey& kept = KeptPerfStats();
  Lock hold(kept.lock);
  if (!kept.key) return false;
  DWORD values = 0;
  return RegQueryInfoKeyA(kept.key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values,
                          nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
         values == 0;
}

bool IsWindows98() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;
  if (!GetVersionExA(&info)) return false;
  return info.dwMajorVersion > 3 && info.dwMinorVersion > 9 &&
         (info.dwBuildNumber & 0xFFFF) > 1649 && info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
}

MonitorRect MonitorRectOf(HWND window) {
  MonitorRect rect = PrimaryScreen();
  if (!IsWindows98()) return rect;
  Library helper("Screenspan.dll");
  auto byWindow = ProcAs<MonitorRectByWindowProc>(helper.Proc("MonitorRectByWindow"));
  if (byWindow) byWindow(&rect, window);
  return rect;
}

int MonitorCount() { return IsWindows98() ? GetSystemMetrics(SM_CMONITORS) : 1; }

bool DesktopIsPrimaryScreen() { return !IsWindows98(); }

MonitorRect VirtualDesktopRect() {
  if (DesktopIsPrimaryScreen()) return PrimaryScreen();
  MonitorRect r;
  r.Left = GetSystemMetrics(SM_XVIRTUALSCREEN);
  r.Top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  r.Width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
  r.Height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
  return r;
}

bool IsDialUpConnected() {
  // Only a library someone else already loaded: asking must not load it.
  HMODULE ras = GetModuleHandleA("rasapi32.dll");
  if (!ras) return false;
  auto enumerate =
      ProcAs<RasEnumConnectionsProc>(GetProcAddress(ras, "RasEnumConnectionsA"));
  if (!enumerate) return false;
  constexpr DWORD kRecordSize = 412, kRecords = 100;
  // On the stack (41200 bytes): the refresh pass allocates nothing. Only the
  // first record's size is read; clearing the rest would write all 40 KB at
  // every call for nothing.
  DWORD buffer[kRecordSize * kRecords / sizeof(DWORD)];
  buffer[0] = kRecordSize;
  DWORD size = kRecordSize * kRecords, count = 0;
  return enumerate(buffer, &size, &count) == 0 && count > 0;
}

void DiskFreeSpaceByGeometry(const std::string& root, uint64_t& freeAvailable) {
  DWORD bytesPerSector = 0, sectorsPerCluster = 0, freeClusters = 0, clusters = 0;
  if (!GetDiskFreeSpaceA(root.c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters,
                         &clusters))
    return;
  int32_t bytes = 0;
  if (FreeBytesFromGeometry(bytesPerSector, sectorsPerCluster, freeClusters, bytes))
    freeAvailable = static_cast<uint32_t>(bytes);
}

void DiskFreeSpace(const std::string& root, uint64_t& freeAvailable, uint64_t& total,
                   uint64_t& totalFree) {
  auto ex = ProcAs<GetDiskFreeSpaceExProc>(
      GetProcAddress(GetModuleHandleA("kernel32"), "GetDiskFreeSpaceExA"));
  if (!ex) {
    DiskFreeSpaceByGeometry(root, freeAvailable);
    return;
  }
  ULARGE_INTEGER a{}, t{}, f{};
  if (!ex(root.c_str(), &a, &t, &f)) return;
  freeAvailable = a.QuadPart;
  total = t.QuadPart;
  totalFree = f.QuadPart;
}

namespace {

struct WindowWalk {
  WindowCounts Tally;
  uint32_t Previous = 0;
  int Seen = 0;
};

BOOL CALLBACK TallyTopWindow(HWND w, LPARAM walk) {
  auto& at = *reinterpret_cast<WindowWalk*>(walk);
  WindowFacts facts;
  DWORD pid = 0;
  // A window closed since the list was taken has no thread: left out, as
  // EnumWindows leaves it out.
  if (!GetWindowThreadProcessId(w, &pid)) return TRUE;
  facts.ProcessId = pid;
  // What IsIconic and IsWindowVisible answer for a top-level window, in one
  // question instead of two (a window of another process costs a request).
  const LONG style = GetWindowLongA(w, GWL_STYLE);
  facts.Minimised = (style & WS_MINIMIZE) != 0;
  facts.Visible = (style & WS_VISIBLE) != 0;
  TallyWindow(at.Tally, at.Previous, facts);
  return ++at.Seen < 65536;
}

}  // namespace

void CountWindows(WindowCounts& counts) {
  // The top-level windows in Z order, as a walk with GetWindow from the
  // first one meets them; the system hands over the whole list in one go
  // instead of one request per step. Counted as it goes: the refresh pass
  // keeps no list of windows. On NT the walk of this thread's desktop gives
  // the same list without EnumWindows' check that each window still exists,
  // one request for every window of another process. Both calls are NT's.
  WindowWalk walk;
  HMODULE user = GetModuleHandleA("user32");
  const bool nt = IsNtFamily();
  auto desktopWalk =
      nt ? ProcAs<EnumDesktopWindowsProc>(GetProcAddress(user, "EnumDesktopWindows")) : nullptr;
  auto threadDesktop =
      nt ? ProcAs<GetThreadDesktopProc>(GetProcAddress(user, "GetThreadDesktop")) : nullptr;
  HDESK desktop = desktopWalk && threadDesktop ? threadDesktop(GetCurrentThreadId()) : nullptr;
  if (desktop)
    desktopWalk(desktop, TallyTopWindow, reinterpret_cast<LPARAM>(&walk));
  else
    EnumWindows(TallyTopWindow, reinterpret_cast<LPARAM>(&walk));
  counts = walk.Tally;
}
