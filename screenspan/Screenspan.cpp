// The multiple-monitor helper: the rectangle (left, top, width, height) of
// the monitor that shows a window. The monitor functions are looked up at
// run time, so the library also loads where they do not exist; there the
// answer is the primary screen.
#include <windows.h>

namespace {

struct MonitorRectRecord {
  LONG Left, Top, Width, Height;
};

// The layout of MONITORINFO, which the headers of this target's era lack.
struct MonitorInfo {
  DWORD cbSize;
  RECT rcMonitor;
  RECT rcWork;
  DWORD dwFlags;
};

constexpr DWORD kDefaultToNearest = 2;  // MONITOR_DEFAULTTONEAREST

typedef HANDLE(WINAPI* MonitorFromWindowProc)(HWND window, DWORD flags);
typedef BOOL(WINAPI* GetMonitorInfoProc)(HANDLE monitor, MonitorInfo* info);

template <typename Proc>
Proc ProcAs(FARPROC p) {
  return reinterpret_cast<Proc>(reinterpret_cast<void (*)()>(p));
}

bool FillFromMonitor(MonitorRectRecord& rect, HWND window) {
  HMODULE user = GetModuleHandleA("user32.dll");
  if (!user) return false;
  auto fromWindow = ProcAs<MonitorFromWindowProc>(GetProcAddress(user, "MonitorFromWindow"));
  auto info = ProcAs<GetMonitorInfoProc>(GetProcAddress(user, "GetMonitorInfoA"));
  if (!fromWindow || !info) return false;
  HANDLE monitor = fromWindow(window, kDefaultToNearest);
  if (!monitor) return false;
  MonitorInfo mi{};
  mi.cbSize = sizeof mi;
  if (!info(monitor, &mi)) return false;
  rect.Left = mi.rcMonitor.left;
  rect.Top = mi.rcMonitor.top;
  rect.Width = mi.rcMonitor.right - mi.rcMonitor.left;
  rect.Height = mi.rcMonitor.bottom - mi.rcMonitor.top;
  return true;
}

}  // namespace

extern "C" void WINAPI MonitorRectByWindow(MonitorRectRecord* rect, HWND window) {
  if (!rect) return;
  if (FillFromMonitor(*rect, window)) return;
  rect->Left = 0;
  rect->Top = 0;
  rect->Width = GetSystemMetrics(SM_CXSCREEN);
  rect->Height = GetSystemMetrics(SM_CYSCREEN);
}
