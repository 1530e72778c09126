// cvl_measure.exe: the benchmark of the shipped bar under Wine (run by
// scripts/bench.sh). It installs the bar in a fresh folder with every
// built-in sensor and warning kind, both shipped plug-ins and the pass probe,
// starts it, and reports from the process's own accounting:
//   - the time from process creation to the first panel text shown;
//   - memory and GUI objects after start-up;
//   - CPU share of one core at "Update" "1000" over a stretch of seconds;
//   - the time from "SettingsStatus" = "Applied" to the reloaded panels;
//   - CPU time per pass at "Update" "0", and memory and GUI objects after;
//     the same without the monitoring chip, then with the history graphs on.
//     cvl_measure.exe [--passes N] [--seconds S] [--rounds R] [--out FILE]
// Figures go to standard output and, with --out, to FILE. Exit status 0 when
// every figure was taken.
#include <windows.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tests/perf/BarMeasure.h"

using namespace barmeasure;

namespace {

struct Options {
  long Passes = 2000;
  long Seconds = 60;
  long Rounds = 20;
  std::string Out;
};

std::string Format(const char* format, ...) __attribute__((format(gnu_printf, 1, 2)));
std::string Format(const char* format, ...) {
  char text[512];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  return text;
}

double Mb(uint64_t bytes) { return static_cast<double>(bytes) / 1048576.0; }

const char* SourceOf(const passprobe::Sample& s) {
  return s.GuiSource == passprobe::kGuiResources ? "GetGuiResources"
                                                 : "GDI handle slots, windows";
}

class Report {
 public:
  void Line(const std::string& text) {
    std::printf("%s\n", text.c_str());
    std::fflush(stdout);
    lines_ += text + "\n";
  }
  // Always false, so that a step can end with `return r.Fail(...)`.
  bool Fail(const std::string& what) {
    Line("FAILED: " + what);
    failed_ = true;
    return false;
  }
  bool Failed() const { return failed_; }
  bool Write(const std::string& path) const {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    std::fputs(lines_.c_str(), f);
    return std::fclose(f) == 0;
  }

 private:
  std::string lines_;
  bool failed_ = false;
};

std::string Resources(const Memory& m, const passprobe::Sample& s) {
  return Format("private bytes %.2f MB, working set %.2f MB, GDI objects %lu, USER objects %lu",
                Mb(m.PrivateBytes), Mb(m.WorkingSet), static_cast<unsigned long>(s.GdiObjects),
                static_cast<unsigned long>(s.UserObjects));
}

// Waits for a few passes, then samples before and after n more.
bool PassesBackToBack(ProbeBlock& probe, long n, passprobe::Sample& before,
                      passprobe::Sample& after) {
  return probe.WaitForPasses(probe.Passes() + 50, 60000) && probe.Sample(before, 5000) &&
         probe.WaitForPasses(before.Passes + n, 3600000) && probe.Sample(after, 5000);
}

std::string PassFigures(const passprobe::Sample& before, const passprobe::Sample& after) {
  const long passes = after.Passes - before.Passes;
  const double seconds = SecondsBetween(before, after);
  return Format("%.3f ms (%ld passes in %.1f s, %.3f ms per pass elapsed)",
                1000.0 * CpuSecondsBetween(before, after) / passes, passes, seconds,
                1000.0 * seconds / passes);
}

bool Run(const Options& o, Report& r) {
  wintest::MessageBoxWatcher boxes;  // the two voltage alerts after each list load
  ProbeBlock probe;
  if (!probe.Valid()) return r.Fail("no shared block for the probe");
  const std::string dir = MakeInstallation();
  if (dir.empty()) return r.Fail("cannot assemble the installation folder");
  const BarConfiguration config = BenchConfiguration(dir, "1000");
  WriteConfiguration(config);
  r.Line(Format("Configuration: %lu panels (built-in sensors 1-24, Dialtally, Resource), "
                "%lu warnings (kinds 1-15, Resource, pass probe)",
                static_cast<unsigned long>(config.Panels.size()),
                static_cast<unsigned long>(config.Warnings.size())));

  RunningBar bar;
  if (!bar.Start(dir)) return r.Fail("the bar did not start");
  const double firstText = bar.WaitForFirstText(20000);
  if (firstText < 0) return r.Fail("no panel text within 20 s");
  r.Line(Format("Start to first panel text shown: %.0f ms", firstText));

  // Start-up is over once passes run (the first pass's alerts answered).
  if (!probe.WaitForPasses(3, 30000)) return r.Fail("no passes after start-up");
  if (bar.CellCount() != static_cast<int>(config.Panels.size()))
    return r.Fail(Format("%d panels shown", bar.CellCount()));
  Memory startMemory;
  passprobe::Sample started{}, before{}, after{};
  if (!ReadMemory(bar.Process().Process(), startMemory) || !probe.Sample(started, 5000))
    return r.Fail("no figures after start-up");
  r.Line("After start-up: " + Resources(startMemory, started));

  if (!probe.Sample(before, 5000)) return r.Fail("no sample");
  Sleep(static_cast<DWORD>(o.Seconds) * 1000);
  if (!probe.Sample(after, 5000)) return r.Fail("no sample");
  const double seconds = SecondsBetween(before, after);
  r.Line(Format("CPU share at \"Update\" \"1000\": %.3f %% of one core (%.1f s, %ld passes, "
                "%.2f ms CPU per pass)",
                100.0 * CpuSecondsBetween(before, after) / seconds, seconds,
                static_cast<long>(after.Passes - before.Passes),
                1000.0 * CpuSecondsBetween(before, after) /
                    std::max<long>(1, after.Passes - before.Passes)));

  // The settings hand-shake; the reloads also bring "Update" "0".
  wintest::SetSetting("Settings", "Update", "0");
  if (!bar.OpenSettings(20000)) return r.Fail("the settings dialog did not open");
  std::vector<double> reloads;
  for (long i = 0; i < o.Rounds; ++i) {
    const double ms = bar.ReloadRound(20000);
    if (ms < 0) return r.Fail(Format("reload %ld did not finish", i + 1));
    reloads.push_back(ms);
  }
  if (!bar.CloseSettings(20000)) return r.Fail("the settings dialog did not close");
  std::sort(reloads.begin(), reloads.end());
  double sum = 0;
  for (double ms : reloads) sum += ms;
  r.Line(Format("\"SettingsStatus\" \"Applied\" to reloaded panels shown: median %.0f ms, "
                "mean %.0f ms, min %.0f ms, max %.0f ms (%lu rounds; the bar looks every 100 ms)",
                reloads[reloads.size() / 2], sum / reloads.size(), reloads.front(), reloads.back(),
                static_cast<unsigned long>(reloads.size())));

  // Passes back to back, after a few to warm up.
  Memory endMemory;
  if (!PassesBackToBack(probe, o.Passes, before, after) ||
      !ReadMemory(bar.Process().Process(), endMemory))
    return r.Fail("the passes at \"Update\" \"0\" did not complete");
  r.Line("CPU per pass at \"Update\" \"0\": " + PassFigures(before, after));
  r.Line(Format("After those passes: ") + Resources(endMemory, after));
  r.Line(Format("GUI objects counted by: %s", SourceOf(after)));

  // A reload with changed settings, then passes back to back again.
  auto reloadedPasses = [&](const std::string& what) {
    if (!bar.OpenSettings(20000) || bar.ReloadRound(20000) < 0 || !bar.CloseSettings(20000))
      return r.Fail("the reload " + what + " did not finish");
    if (!PassesBackToBack(probe, o.Passes, before, after))
      return r.Fail("the passes " + what + " did not complete");
    return true;
  };

  // The same without the monitoring chip, whose requests dominate above.
  WriteHardware(false);
  if (!reloadedPasses("without the chip")) return false;
  r.Line("The same with the monitoring chip switched off (sensors 16-24 show \"------\"): " +
         PassFigures(before, after));

  // And with the history graphs on: each graphed panel hands its value over
  // with its text and its cell is drawn at every pass.
  wintest::SetSetting("Settings", "PanelGraphs", "TRUE");
  if (!reloadedPasses("with the history graphs")) return false;
  r.Line("The same with the history graphs on (\"PanelGraphs\" \"TRUE\"): " +
         PassFigures(before, after));

  if (!bar.Exit(20000)) r.Fail("the bar did not exit");
  r.Line(Format("Message boxes answered: %lu (%s)", static_cast<unsigned long>(boxes.Count()),
                boxes.Summary().c_str()));
  return !r.Failed();
}

}  // namespace

int main(int argc, char** argv) {
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  Options o;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string name = argv[i];
    if (name == "--passes") o.Passes = std::max(1L, std::atol(argv[i + 1]));
    else if (name == "--seconds") o.Seconds = std::max(1L, std::atol(argv[i + 1]));
    else if (name == "--rounds") o.Rounds = std::max(1L, std::atol(argv[i + 1]));
    else if (name == "--out") o.Out = argv[i + 1];
  }
  Report report;
  const bool ok = Run(o, report);
  if (!o.Out.empty() && !report.Write(o.Out)) {
    std::fprintf(stderr, "cannot write %s\n", o.Out.c_str());
    return 1;
  }
  return ok ? 0 : 1;
}
