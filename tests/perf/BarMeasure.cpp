#include "tests/perf/BarMeasure.h"

#include <cstring>

using namespace wintest;

namespace barmeasure {

namespace {

constexpr int kTextCellBase = 1000;  // the bar's text cell of slot i is 1000 + i
constexpr UINT kSettingsMenu = 101;
constexpr UINT kExitMenu = 141;
// Wine waits two seconds for a window manager at every hiding of a managed
// window; Xvfb has none, and the bar hides itself at every reload.
constexpr const char* kX11Driver = "Software\\Wine\\X11 Driver";

// The built-in sensors' default widths, numbers 1-24.
constexpr int32_t kSensorWidths[24] = {40, 73, 76, 139, 199, 55, 79, 76, 43, 73, 97, 58,
                                       112, 85, 70, 43, 43, 43, 43, 94, 190, 64, 64, 64};

// Thresholds at which no built-in warning kind holds on a machine without a
// monitoring chip, battery or connection; kinds 8 and 9 hold at any.
const char* const kQuietThresholds[15] = {"0",    "100000", "0", "1000", "1000",
                                          "1000", "1000",   "0", "0",    "0",
                                          "0",    "0",      "100", "100000", "2147483647"};

BarConfiguration Base(const std::string& dir, const std::string& update) {
  BarConfiguration c;
  c.InstalledDir = dir;
  c.Plugins = {"Dialtally.cvl", "Resource.cvl", passprobe::kFileName};
  c.Update = update;
  return c;
}

WarningEntry BuiltInWarning(int32_t kind) {
  return WarningEntry{false, kind, kQuietThresholds[kind - 1]};
}

std::string Section(const char* list, size_t i) {
  return std::string(list) + "\\" + std::to_string(i) + "\\General";
}

int64_t Ticks(const FILETIME& t) {
  return static_cast<int64_t>((static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime);
}

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
  LARGE_INTEGER f;
  QueryPerformanceFrequency(&f);
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(f.QuadPart);
}

LARGE_INTEGER Now() {
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return t;
}

// Polls every millisecond: the figures below are read at that grain.
template <typename Pred>
bool PollUntil(Pred pred, DWORD ms) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (pred()) return true;
    if (GetTickCount() - start >= ms) return false;
    Sleep(1);
  }
}

}  // namespace

BarConfiguration BenchConfiguration(const std::string& dir, const std::string& update) {
  BarConfiguration c = Base(dir, update);
  for (int32_t n = 1; n <= 24; ++n) c.Panels.push_back(PanelEntry{false, n, kSensorWidths[n - 1]});
  c.Panels.push_back(PanelEntry{true, kDialtally, 80});
  c.Panels.push_back(PanelEntry{true, kResource, 103});
  for (int32_t kind = 1; kind <= 15; ++kind) c.Warnings.push_back(BuiltInWarning(kind));
  c.Warnings.push_back(WarningEntry{true, kResource, "5"});
  c.Warnings.push_back(WarningEntry{true, kProbe, "0"});
  return c;
}

BarConfiguration SideBySideConfiguration(const std::string& dir) {
  BarConfiguration c = Base(dir, "1000");
  for (int32_t n = 1; n <= 15; ++n) c.Panels.push_back(PanelEntry{false, n, kSensorWidths[n - 1]});
  c.Panels.push_back(PanelEntry{true, kDialtally, 80});
  for (int32_t kind : {1, 2, 3, 13, 14, 15}) c.Warnings.push_back(BuiltInWarning(kind));
  c.Warnings.push_back(WarningEntry{true, kProbe, "0"});
  c.Hardware = false;
  return c;
}

BarConfiguration SoakConfiguration(const std::string& dir, const std::string& update) {
  BarConfiguration c = Base(dir, update);
  // Every built-in sensor, warning kind and plug-in once; the rest of the
  // hundred panels are the probe's own and the rest of the warnings the
  // running-time check, which cost the bar a whole entry each (a guarded
  // call, a text, a comparison) and the system next to nothing. So 20,000
  // passes fit in a test run: the built-ins repeated four times cost Wine
  // some 40 ms a pass.
  for (int32_t n = 1; n <= 24; ++n) c.Panels.push_back(PanelEntry{false, n, kSensorWidths[n - 1]});
  c.Panels.push_back(PanelEntry{true, kDialtally, 80});
  c.Panels.push_back(PanelEntry{true, kResource, 103});
  while (c.Panels.size() < 100) c.Panels.push_back(PanelEntry{true, kProbe, 40});
  for (int32_t kind = 1; kind <= 15; ++kind) c.Warnings.push_back(BuiltInWarning(kind));
  while (c.Warnings.size() < 98) c.Warnings.push_back(BuiltInWarning(15));
  c.Warnings.push_back(WarningEntry{true, kResource, "5"});
  c.Warnings.push_back(WarningEntry{true, kProbe, "0"});
  return c;
}

void WriteConfiguration(const BarConfiguration& c) {
  ResetVeltropKeys();
  SetSetting("Settings", "InstalledDir", c.InstalledDir);
  SetSetting("Settings", "Update", c.Update);
  SetSetting("Plugins", "NoOfPlugins", std::to_string(c.Plugins.size()));
  for (size_t i = 0; i < c.Plugins.size(); ++i)
    SetSetting("Plugins", std::to_string(i + 1), c.Plugins[i]);
  SetSetting("Panels", "NoOfPanels", std::to_string(c.Panels.size()));
  for (size_t i = 0; i < c.Panels.size(); ++i) {
    const PanelEntry& p = c.Panels[i];
    SetSetting(Section("Panels", i + 1), "Plugin", p.Plugin ? "TRUE" : "FALSE");
    SetSetting(Section("Panels", i + 1), "Number", std::to_string(p.Number));
    SetSetting(Section("Panels", i + 1), "Width", std::to_string(p.Width));
  }
  SetSetting("Warnings", "NoOfWarnings", std::to_string(c.Warnings.size()));
  for (size_t i = 0; i < c.Warnings.size(); ++i) {
    const WarningEntry& w = c.Warnings[i];
    SetSetting(Section("Warnings", i + 1), "Plugin", w.Plugin ? "TRUE" : "FALSE");
    SetSetting(Section("Warnings", i + 1), "Number", std::to_string(w.Number));
    SetSetting(Section("Warnings", i + 1), "WarnVal", w.WarnVal);
  }
  WriteHardware(c.Hardware);
  SetSetting("LM78", "Fan1Type", "1");
  SetSetting("LM78", "Fan2Type", "2");
  SetSetting("LM78", "Fan3Type", "3");
}

void WriteHardware(bool on) {
  // Off as the hardware dialog leaves it when it finds no chip: the
  // temperatures follow their own switches.
  const char* value = on ? "TRUE" : "FALSE";
  SetSetting("LM78", "LM78Enable", value);
  for (const char* temperature : {"Temp1Enable", "Temp2Enable", "Temp3Enable", "Temp4Enable"})
    SetSetting("LM78", temperature, value);
}

std::string MakeInstallation() {
  const std::string dir = MakeTempDir("bar-install");
  for (const char* file : {"Main.exe", "cvl.dll", "Chipwatch.dll", "Coreprobe.dll",
                           "Screenspan.dll", "Dialtally.cvl", "Resource.cvl"})
    if (!CopyInto(BinDir() + file, dir)) return "";
  for (const char* file : {"rsrc32.dll", passprobe::kFileName})
    if (!CopyInto(TestBinDir() + file, dir)) return "";
  return dir;
}

// ---- The probe's block ------------------------------------------------------

ProbeBlock::ProbeBlock() {
  mapping_ = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                sizeof(passprobe::Block), passprobe::kBlockName);
  if (!mapping_) return;
  block_ = static_cast<passprobe::Block*>(
      MapViewOfFile(mapping_, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(passprobe::Block)));
  if (block_) std::memset(const_cast<passprobe::Block*>(block_), 0, sizeof(passprobe::Block));
}

ProbeBlock::~ProbeBlock() {
  if (block_) UnmapViewOfFile(block_);
  if (mapping_) CloseHandle(mapping_);
}

long ProbeBlock::Passes() const { return block_ ? block_->Passes : 0; }
long ProbeBlock::SensorCalls() const { return block_ ? block_->SensorCalls : 0; }

bool ProbeBlock::WaitForPasses(long n, DWORD ms) const {
  return block_ && WaitUntil([&] { return block_->Passes >= n; }, ms, 5);
}

bool ProbeBlock::Sample(passprobe::Sample& out, DWORD ms) {
  if (!block_) return false;
  const LONG wanted = InterlockedIncrement(&block_->Requested);
  if (!WaitUntil([&] { return block_->Answered == wanted; }, ms, 1)) return false;
  MemoryBarrier();
  out = block_->Last;
  return true;
}

double SecondsBetween(const passprobe::Sample& a, const passprobe::Sample& b) {
  LARGE_INTEGER f;
  QueryPerformanceFrequency(&f);
  return static_cast<double>(b.Counter - a.Counter) / static_cast<double>(f.QuadPart);
}

double CpuSecondsBetween(const passprobe::Sample& a, const passprobe::Sample& b) {
  return static_cast<double>((b.Kernel + b.User) - (a.Kernel + a.User)) * 1e-7;
}

bool ReadMemory(HANDLE process, Memory& out) {
  struct Counters {  // PROCESS_MEMORY_COUNTERS
    DWORD cb;
    DWORD PageFaultCount;
    SIZE_T PeakWorkingSetSize, WorkingSetSize;
    SIZE_T QuotaPeakPagedPoolUsage, QuotaPagedPoolUsage;
    SIZE_T QuotaPeakNonPagedPoolUsage, QuotaNonPagedPoolUsage;
    SIZE_T PagefileUsage, PeakPagefileUsage;
  };
  using Query = BOOL(WINAPI*)(HANDLE, Counters*, DWORD);
  static Query query = [] {
    FARPROC fn = GetProcAddress(GetModuleHandleA("kernel32.dll"), "K32GetProcessMemoryInfo");
    if (!fn) {
      HMODULE psapi = LoadLibraryA("psapi.dll");  // kept for the program's lifetime
      fn = psapi ? GetProcAddress(psapi, "GetProcessMemoryInfo") : nullptr;
    }
    return reinterpret_cast<Query>(reinterpret_cast<void*>(fn));
  }();
  Counters c{};
  c.cb = sizeof c;
  if (!query || !query(process, &c, sizeof c)) return false;
  out.PrivateBytes = c.PagefileUsage;
  out.WorkingSet = c.WorkingSetSize;
  return true;
}

// ---- The running bar ----------------------------------------------------------

bool RunningBar::Start(const std::string& dir) {
  SetString(HKEY_CURRENT_USER, kX11Driver, "Managed", "N");
  if (!process_.Start(dir + "Main.exe", "SplashLaunch", dir)) return false;
  bar_ = WaitForTopWindow("TBarForm", "Corvella", process_.Pid(), 20000);
  return bar_ != nullptr;
}

HWND RunningBar::Cell(int slot) const { return GetDlgItem(bar_, kTextCellBase + slot); }

int RunningBar::CellCount() const {
  int n = 0;
  while (Cell(n + 1)) ++n;
  return n;
}

double RunningBar::WaitForFirstText(DWORD ms) {
  const bool shown = PollUntil(
      [&] { return bar_ && IsWindowVisible(bar_) && !WindowText(Cell(1)).empty(); }, ms);
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  FILETIME created, ended, kernel, user;
  if (!shown || !GetProcessTimes(process_.Process(), &created, &ended, &kernel, &user)) return -1;
  return static_cast<double>(Ticks(now) - Ticks(created)) / 10000.0;
}

HWND RunningBar::SettingsDialog() const {
  return FindTopWindow("", "Corvella Settings", process_.Pid(), true);
}

bool RunningBar::OpenSettings(DWORD ms) {
  SetSetting("Settings", "SettingsStatus", "");
  PostMessageA(bar_, WM_COMMAND, kSettingsMenu, 0);
  return WaitUntil([&] {
    return SettingsDialog() != nullptr && Setting("Settings", "SettingsStatus") == "Processed";
  }, ms);
}

double RunningBar::ReloadRound(DWORD ms) {
  const HWND before = Cell(1);
  SetSetting("Settings", "SettingsStatus", "Applied");
  const LARGE_INTEGER written = Now();
  const bool shown = PollUntil([&] {
    const HWND cell = Cell(1);
    return cell && cell != before && IsWindowVisible(bar_) && !WindowText(cell).empty();
  }, ms);
  const double elapsed = Milliseconds(written, Now());
  const bool processed =
      WaitUntil([&] { return Setting("Settings", "SettingsStatus") == "Processed"; }, ms, 2);
  return shown && processed ? elapsed : -1;
}

bool RunningBar::CloseSettings(DWORD ms) {
  const HWND dialog = SettingsDialog();
  const HWND cancel = dialog ? FindChildByText(dialog, "Cancel", "Button") : nullptr;
  if (!cancel) return false;
  ClickButton(cancel);
  return WaitUntil([&] { return !IsWindow(dialog); }, ms);
}

bool RunningBar::Exit(DWORD ms) {
  PostMessageA(bar_, WM_COMMAND, kExitMenu, 0);
  const bool ended = process_.WaitExit(ms);
  return ended;
}

}  // namespace barmeasure
