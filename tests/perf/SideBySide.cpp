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
//                             marks, the bar's thread ids and its own to FILE.
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

int Run(const Options& o) {
  wintest::MessageBoxWatcher boxes;
  ProbeBlock probe;
  const std::string dir = MakeInstallation();
  if (!probe.Valid() || dir.empty()) return std::fprintf(stderr, "no installation\n"), 1;
  WriteConfiguration(SideBySideConfiguration(dir));
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
  }
  return Run(o);
}
