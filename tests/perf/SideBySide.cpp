// cvl_side_by_side.exe: the bar's half of scripts/bench.sh's side-by-side
// figure. It installs the bar with built-in sensors 1-15, Dialtally, the six
// system warning kinds and the pass probe at "Update" "1000", starts it,
// waits for its first passes, and then either
//   --ready FILE --hold FILE  creates the ready file and keeps the bar running
//                             until the hold file exists (the script reads
//                             the processes' CPU times from /proc meanwhile);
//   --marks N --out FILE      creates the named event "CorvellaMarkStart"
//                             right after a pass ends and "CorvellaMarkEnd"
//                             right after N more (a Wine server trace shows
//                             both), then writes the passes between the two
//                             marks, the bar's thread ids and its own to FILE;
//   --profile N --out FILE    writes the bar's CPU time per pass: at
//                             "Update" "1000" over 20 s, of the whole and of
//                             the probe alone (the pass itself); at "Update"
//                             "0" over N passes, of those two and of each
//                             panel and each warning alone with the probe; a
//                             bar started afresh for each.
// Then it closes the bar. Exit status 0 when all of that worked.
#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/perf/BarMeasure.h"

using namespace barmeasure;

namespace {

struct Options {
  std::string Ready, Hold, Out;
  long Marks = 0;
  long Profile = 0;
  std::string Only;  // "pass", "panel-N", "panel-Dialtally", "warning-K"
};

bool FileExists(const std::string& path) {
  return !path.empty() && GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool WriteFile(const std::string& path, const std::string& text) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  std::fputs(text.c_str(), f);
  return std::fclose(f) == 0;
}

// A request of this process that the trace shows by its name.
void Mark(const char* name) {
  HANDLE event = CreateEventA(nullptr, TRUE, FALSE, name);
  if (event) CloseHandle(event);
}

// The ids of the process's threads, as the server's trace writes them.
std::string ThreadIds(DWORD pid) {
  std::string ids;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return ids;
  THREADENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
    if (entry.th32OwnerProcessID != pid) continue;
    char id[16];
    std::snprintf(id, sizeof id, " %04lx", static_cast<unsigned long>(entry.th32ThreadID));
    ids += id;
  }
  CloseHandle(snapshot);
  return ids;
}

// Right after the probe counts a pass: the probe's warning is the last
// entry of a pass, so marks taken there enclose whole passes.
long AfterNextPass(const ProbeBlock& probe) {
  const long seen = probe.Passes();
  wintest::WaitUntil([&] { return probe.Passes() > seen; }, 30000, 1);
  return probe.Passes();
}

// The entries named (see Options::Only, several separated by commas) alone
// with the probe; the whole configuration for an empty name.
BarConfiguration Part(const BarConfiguration& whole, const std::string& names) {
  if (names.empty()) return whole;
  const std::string list = "," + names + ",";
  auto named = [&](const std::string& name) { return list.find("," + name + ",") != std::string::npos; };
  BarConfiguration c = whole;
  c.Panels.clear();
  c.Warnings.clear();
  for (const PanelEntry& panel : whole.Panels)
    if (named(panel.Plugin ? "panel-Dialtally" : "panel-" + std::to_string(panel.Number)))
      c.Panels.push_back(panel);
  for (const WarningEntry& warning : whole.Warnings)
    if (!warning.Plugin && named("warning-" + std::to_string(warning.Number)))
      c.Warnings.push_back(warning);
  c.Warnings.push_back(whole.Warnings.back());
  return c;
}

// CPU milliseconds per pass of the configuration at "Update" "0"; with
// seconds, at its own "Update" over that stretch instead. Negative when the
// bar did not run.
double CpuPerPass(const BarConfiguration& c, long passes, long seconds = 0) {
  WriteConfiguration(c);
  ProbeBlock probe;
  RunningBar bar;
  passprobe::Sample before{}, after{};
  bool measured = bar.Start(c.InstalledDir) && probe.WaitForPasses(probe.Passes() + (seconds > 0 ? 5 : 50), 60000) &&
                  probe.Sample(before, 5000);
  if (measured && seconds > 0) Sleep(static_cast<DWORD>(seconds) * 1000);
  measured = measured && probe.WaitForPasses(before.Passes + (seconds > 0 ? 1 : passes), 600000) &&
             probe.Sample(after, 5000);
  bar.Exit(20000);
  if (!measured) return -1;
  return 1000.0 * CpuSecondsBetween(before, after) / (after.Passes - before.Passes);
}

int Profile(const Options& o) {
  wintest::MessageBoxWatcher boxes;
  const std::string dir = MakeInstallation();
  if (dir.empty()) return std::fprintf(stderr, "no installation\n"), 1;
  const BarConfiguration whole = SideBySideConfiguration(dir);
  const WarningEntry probe = whole.Warnings.back();
  std::string lines;
  int status = 0;
  auto measure = [&](const std::string& name, BarConfiguration c, long seconds = 0) {
    if (seconds == 0) c.Update = "0";
    const double ms = CpuPerPass(c, o.Profile, seconds);
    if (ms < 0) status = 1;
    char line[160];
    std::snprintf(line, sizeof line, "  %s %.3f\n", name.c_str(), ms);
    lines += line;
  };
  BarConfiguration alone = whole;
  alone.Panels.clear();
  alone.Warnings = {probe};
  lines += "At \"Update\" \"1000\" over 20 s:\n";
  measure("whole", whole, 20);
  measure("pass-alone", alone, 20);
  lines += "At \"Update\" \"0\" over " + std::to_string(o.Profile) + " passes:\n";
  measure("whole", whole);
  measure("pass-alone", alone);
  for (const PanelEntry& panel : whole.Panels) {
    alone.Panels = {panel};
    measure(panel.Plugin ? "panel-Dialtally" : "panel-" + std::to_string(panel.Number), alone);
  }
  alone.Panels.clear();
  for (size_t i = 0; i + 1 < whole.Warnings.size(); ++i) {
    alone.Warnings = {whole.Warnings[i], probe};
    measure("warning-" + std::to_string(whole.Warnings[i].Number), alone);
  }
  if (!WriteFile(o.Out, lines)) status = 1;
  if (boxes.Count() != 0) {
    std::fprintf(stderr, "message boxes: %s\n", boxes.Summary().c_str());
    status = 1;
  }
  return status;
}

int Run(const Options& o) {
  wintest::MessageBoxWatcher boxes;
  ProbeBlock probe;
  const std::string dir = MakeInstallation();
  if (!probe.Valid() || dir.empty()) return std::fprintf(stderr, "no installation\n"), 1;
  WriteConfiguration(Part(SideBySideConfiguration(dir), o.Only));
  RunningBar bar;
  if (!bar.Start(dir) || !probe.WaitForPasses(5, 60000))
    return std::fprintf(stderr, "the bar did not run its passes\n"), 1;

  int status = 0;
  if (o.Marks > 0) {
    const long first = AfterNextPass(probe);
    Mark("CorvellaMarkStart");
    long last = first;
    while (last - first < o.Marks) last = AfterNextPass(probe);
    Mark("CorvellaMarkEnd");
    const std::string figures = "passes " + std::to_string(last - first) + "\nthreads" +
                                ThreadIds(bar.Process().Pid()) + "\nself" +
                                ThreadIds(GetCurrentProcessId()) + "\n";
    if (last - first != o.Marks || !WriteFile(o.Out, figures)) status = 1;
  } else {
    if (!WriteFile(o.Ready, "ready\n")) status = 1;
    wintest::WaitUntil([&] { return FileExists(o.Hold); }, 600000, 100);
  }
  if (!bar.Exit(20000)) status = 1;
  if (boxes.Count() != 0) {
    std::fprintf(stderr, "message boxes: %s\n", boxes.Summary().c_str());
    status = 1;
  }
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  Options o;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string name = argv[i];
    if (name == "--ready") o.Ready = argv[i + 1];
    else if (name == "--hold") o.Hold = argv[i + 1];
    else if (name == "--out") o.Out = argv[i + 1];
    else if (name == "--marks") o.Marks = std::max(1L, std::atol(argv[i + 1]));
    else if (name == "--profile") o.Profile = std::max(1L, std::atol(argv[i + 1]));
    else if (name == "--only") o.Only = argv[i + 1];
  }
  return o.Profile > 0 ? Profile(o) : Run(o);
}
