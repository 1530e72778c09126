// The portable work of one refresh pass: composing the texts of built-in
// sensors 1-24 from given readings into their buffers through the guarded
// call, and evaluating 100 warnings (half of them holding, so fired). Also
// the two costliest compositions on their own, and the string form of the
// call for comparison.
#include <benchmark/benchmark.h>

#include <string>

#include "tests/perf/PortablePass.h"

namespace {

void SensorTexts(benchmark::State& state) {
  PortablePass pass;
  pass.Run();  // the first pass raises the alerts of the holding warnings
  for (auto _ : state) {
    pass.RunSensors();
    benchmark::DoNotOptimize(pass.Text(0));
  }
  state.SetItemsProcessed(state.iterations() * PortablePass::kSensors);
}
BENCHMARK(SensorTexts);

void HundredWarnings(benchmark::State& state) {
  PortablePass pass;
  pass.Run();
  for (auto _ : state) pass.RunWarnings();
  state.SetItemsProcessed(state.iterations() * PortablePass::kWarnings);
}
BENCHMARK(HundredWarnings);

void WholePass(benchmark::State& state) {
  PortablePass pass;
  pass.Run();
  for (auto _ : state) {
    pass.Run();
    benchmark::DoNotOptimize(pass.Text(0));
  }
}
BENCHMARK(WholePass);

// One sensor at a time: 4 is the disk text with 26 fixed drives (cut at 79),
// 21 the system voltages (four fixed-point numbers).
void OneSensor(benchmark::State& state) {
  PortablePass pass;
  pass.Run();
  const int index = static_cast<int>(state.range(0));
  TextBuffer buffer;
  TSensorFunction fn = pass.Sensor(index);
  for (auto _ : state) {
    fn(buffer);
    benchmark::DoNotOptimize(buffer);
  }
  state.SetLabel("sensor " + std::to_string(pass.SensorNumber(index)));
}
BENCHMARK(OneSensor)->Arg(3)->Arg(18)->Arg(0);

// The texts copied out as strings, as the string form of the call does.
void SensorTextsAsStrings(benchmark::State& state) {
  PortablePass pass;
  pass.Run();
  for (auto _ : state) {
    for (int i = 0; i < PortablePass::kSensors; ++i) {
      std::string text = pass.CallForString(pass.Sensor(i));
      benchmark::DoNotOptimize(text);
    }
  }
  state.SetItemsProcessed(state.iterations() * PortablePass::kSensors);
}
BENCHMARK(SensorTextsAsStrings);

}  // namespace
