#pragma once
// Running the shipped bar from outside and measuring it, for the benchmark
// (cvl_measure.exe, scripts/bench.sh) and the soak test: a private
// installation folder, a prepared registry, the pass probe's counts and
// samples, the process's memory, the time to the first panel text, and the
// settings hand-shake driven as the settings dialog drives it.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/perf/PassProbe.h"
#include "tests/support/WinTest.h"

namespace barmeasure {

struct PanelEntry {
  bool Plugin;
  int32_t Number;  // built-in sensor, or position in the plug-in list
  int32_t Width;
};

struct WarningEntry {
  bool Plugin;
  int32_t Number;  // built-in kind, or position in the plug-in list
  std::string WarnVal;
};

struct BarConfiguration {
  std::string InstalledDir;
  std::vector<std::string> Plugins;  // file names, positions 1, 2, ...
  std::vector<PanelEntry> Panels;
  std::vector<WarningEntry> Warnings;  // the probe's warning goes last
  std::string Update;
  // "LM78Enable": on, every hardware sensor and check asks the monitoring
  // chip (under Wine each request fails through the system, about 1.5 ms a
  // reading); off, as on a machine without a chip, they show "------" and
  // never hold.
  bool Hardware = true;
};

// Plug-in positions in every configuration below.
constexpr int32_t kDialtally = 1;
constexpr int32_t kResource = 2;
constexpr int32_t kProbe = 3;

// Every built-in sensor 1-24, both shipped plug-ins; every built-in warning
// kind 1-15, the resource warning, the probe. Only kinds 8 and 9 hold (no
// monitoring chip answers, so every voltage deviates) while the hardware
// section is on: two alerts after each load of the list.
BarConfiguration BenchConfiguration(const std::string& installedDir, const std::string& update);
// The side-by-side figure's: built-in sensors 1-15, Dialtally, the six
// system warning kinds (1, 2, 3, 13, 14, 15, none holding) and the probe
// (which asks the system nothing while no sample is asked for); no chip.
BarConfiguration SideBySideConfiguration(const std::string& installedDir);
// 100 panels (the 24 built-ins four times, both shipped plug-ins, the probe's
// sensor and the processor usage again) and 100 warnings (kinds 1-15 cycled
// with 8 and 9 only once, the resource warning, the probe last).
BarConfiguration SoakConfiguration(const std::string& installedDir, const std::string& update);

// Replaces every setting of the product with the configuration (fans of
// types 1, 2 and 3).
void WriteConfiguration(const BarConfiguration& c);

// Switches the hardware section on or off (see BarConfiguration::Hardware).
void WriteHardware(bool on);

// A fresh installation folder: Main.exe with its libraries and the shipped
// plug-ins, the resource meter stand-in (Wine has none) and the probe.
// Empty when a file is missing.
std::string MakeInstallation();

// The measuring side of the probe's shared block.
class ProbeBlock {
 public:
  ProbeBlock();
  ~ProbeBlock();
  ProbeBlock(const ProbeBlock&) = delete;
  ProbeBlock& operator=(const ProbeBlock&) = delete;

  bool Valid() const { return block_ != nullptr; }
  long Passes() const;
  long SensorCalls() const;
  bool WaitForPasses(long n, DWORD ms) const;
  // Asks the probe for a sample and waits for the pass that answers it.
  bool Sample(passprobe::Sample& out, DWORD ms);

 private:
  HANDLE mapping_ = nullptr;
  passprobe::Block* block_ = nullptr;
};

// Seconds between two samples, by the system-wide performance counter.
double SecondsBetween(const passprobe::Sample& a, const passprobe::Sample& b);
// CPU seconds the process spent between two samples (kernel and user).
double CpuSecondsBetween(const passprobe::Sample& a, const passprobe::Sample& b);

struct Memory {
  uint64_t PrivateBytes = 0;  // the commit charge (PagefileUsage)
  uint64_t WorkingSet = 0;
};
// GetProcessMemoryInfo, looked up at run time (kernel32, else psapi.dll).
bool ReadMemory(HANDLE process, Memory& out);

// The shipped bar started from an installation folder, with the folder as
// its current directory (where the resource meter stand-in is found).
class RunningBar {
 public:
  bool Start(const std::string& dir);
  HWND Window() const { return bar_; }
  wintest::ChildProcess& Process() { return process_; }

  // Milliseconds from the process's creation (its own accounting) until the
  // bar is visible with a text in its first panel; negative after ms.
  double WaitForFirstText(DWORD ms);
  // Text cells of the bar (ids 1001, 1002, ...).
  int CellCount() const;
  HWND Cell(int slot) const;

  // The Settings command: the bar writes "Processed" and opens the dialog.
  bool OpenSettings(DWORD ms);
  // One hand-shake: "SettingsStatus" = "Applied", then the bar reloads and
  // writes "Processed". Answers the milliseconds from the write until the
  // bar shows its new panels (a new first cell with a text, the bar
  // visible); negative when that or "Processed" did not come within ms.
  double ReloadRound(DWORD ms);
  // Cancel: the bar applies the settings once more and refreshes again.
  bool CloseSettings(DWORD ms);
  bool Exit(DWORD ms);

 private:
  HWND SettingsDialog() const;

  wintest::ChildProcess process_;
  HWND bar_ = nullptr;
};

}  // namespace barmeasure
