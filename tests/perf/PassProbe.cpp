// passprobe.cvl: counts the bar's passes and samples the bar's process from
// inside it (see PassProbe.h). A plug-in with a sensor ("probe", constant, so
// its panel never changes) and a warning that never holds.
#include "tests/perf/PassProbe.h"

#include <cstring>

#define EXPORT extern "C" __attribute__((stdcall))

namespace {

HANDLE gMapping = nullptr;
passprobe::Block* gBlock = nullptr;

// The measurer usually creates the block first; either side may.
passprobe::Block* TheBlock() {
  if (gBlock) return gBlock;
  gMapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                sizeof(passprobe::Block), passprobe::kBlockName);
  if (!gMapping) return nullptr;
  gBlock = static_cast<passprobe::Block*>(
      MapViewOfFile(gMapping, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(passprobe::Block)));
  return gBlock;
}

int64_t Ticks(const FILETIME& t) {
  return static_cast<int64_t>((static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime);
}

struct WindowTally {
  DWORD Pid;
  DWORD Count;
};

BOOL CALLBACK CountChild(HWND, LPARAM tally) {
  ++reinterpret_cast<WindowTally*>(tally)->Count;
  return TRUE;
}

BOOL CALLBACK CountTop(HWND window, LPARAM tally) {
  auto* t = reinterpret_cast<WindowTally*>(tally);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid != t->Pid) return TRUE;
  ++t->Count;
  EnumChildWindows(window, CountChild, tally);  // every descendant
  return TRUE;
}

void TakeSample(passprobe::Sample& s) {
  FILETIME created, ended, kernel, user;
  if (GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user)) {
    s.Kernel = Ticks(kernel);
    s.User = Ticks(user);
  }
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  s.Counter = now.QuadPart;

  using GuiResources = DWORD(WINAPI*)(HANDLE, DWORD);
  auto gui = reinterpret_cast<GuiResources>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetGuiResources")));
  SetLastError(0);
  const DWORD gdi = gui ? gui(GetCurrentProcess(), 0 /* GR_GDIOBJECTS */) : 0;
  if (gdi != 0) {
    s.GuiSource = passprobe::kGuiResources;
    s.GdiObjects = gdi;
    s.UserObjects = gui(GetCurrentProcess(), 1 /* GR_USEROBJECTS */);
    return;
  }
  s.GuiSource = passprobe::kHandleWalk;
  DWORD objects = 0;
  for (UINT_PTR slot = 1; slot < 0x10000; ++slot)
    if (GetObjectType(reinterpret_cast<HGDIOBJ>(slot)) != 0) ++objects;
  s.GdiObjects = objects;
  WindowTally tally{GetCurrentProcessId(), 0};
  EnumWindows(CountTop, reinterpret_cast<LPARAM>(&tally));
  s.UserObjects = tally.Count;
}

void Put(char* buffer, const char* text) {
  std::strncpy(buffer, text, 79);
  buffer[79] = '\0';
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_DETACH) {
    if (gBlock) UnmapViewOfFile(gBlock);
    if (gMapping) CloseHandle(gMapping);
    gBlock = nullptr;
    gMapping = nullptr;
  }
  return TRUE;
}

EXPORT void PluginName(char* buffer) { Put(buffer, "Pass Probe"); }
EXPORT int32_t PluginFacilities() { return 3; }
EXPORT void PluginDisplaySettings() {}

EXPORT void SensorFunction(char* buffer) {
  if (passprobe::Block* b = TheBlock()) InterlockedIncrement(&b->SensorCalls);
  Put(buffer, "probe");
}
EXPORT void SensorDescription(char* buffer) { Put(buffer, "Pass probe"); }
EXPORT void SensorToolTip(char* buffer) { Put(buffer, "Pass probe"); }
EXPORT HBITMAP SensorIcon() { return nullptr; }
EXPORT int32_t SensorWidth() { return 40; }

// Never holds; counts the pass and answers a waiting request.
EXPORT int32_t WarningFunction(int32_t) {
  passprobe::Block* b = TheBlock();
  if (!b) return 0;
  const LONG passes = InterlockedIncrement(&b->Passes);
  const LONG requested = b->Requested;
  if (requested != b->Answered) {
    passprobe::Sample s{};
    s.Passes = passes;
    TakeSample(s);
    b->Last = s;
    MemoryBarrier();
    b->Answered = requested;
  }
  return 0;
}
EXPORT void WarningMessage(char* buffer) { Put(buffer, "Pass probe"); }
EXPORT void WarningDescription(char* buffer) { Put(buffer, "Pass probe"); }
EXPORT void WarningVal(char* buffer) { Put(buffer, "passes"); }
EXPORT int32_t WarningMax() { return 1; }
EXPORT int32_t WarningMin() { return 0; }
EXPORT int32_t WarningIncrement() { return 1; }
