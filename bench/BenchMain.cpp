// The main of every native benchmark program: says in its output whether the
// timings come from the sanitizer build, where they mean nothing.
#include <benchmark/benchmark.h>

int main(int argc, char** argv) {
#if defined(__SANITIZE_ADDRESS__)
  benchmark::AddCustomContext(
      "build", "with sanitizers: timings not meaningful; use scripts/bench-native.sh");
#else
  benchmark::AddCustomContext("build", "-O2, no sanitizers");
#endif
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
