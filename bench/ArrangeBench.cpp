// The layout of 100 panels (TDisplayPanels::Arrange) for bars of several
// widths: the bar calls it at every repaint with the default "AutoResize".
// The panels are the portable list's own, with views that only record where
// they were put, so what is measured is the arithmetic and the walk.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <string>

#include "bar/core/DisplayPanelCode.h"

namespace {

class RecordingView : public PanelView {
 public:
  explicit RecordingView(int width) : width_(width) {}
  void SetPosition(int x, int y) override {
    x_ = x;
    y_ = y;
  }
  int TextWidth() const override { return width_; }
  void SetHint(const std::string&) override {}
  bool ShowText(const char*) override { return false; }
  void Redraw() override {}

 private:
  int width_;
  int x_ = 0, y_ = 0;
};

void Reading(char* buffer) { std::strcpy(buffer, "12%"); }

// Only what creating panels and laying them out needs: no settings, no
// libraries.
class NoSettings : public SettingsSource {
 public:
  std::string GetSetting(const std::string&, const std::string&, const std::string&,
                         const std::string& d) override {
    return d;
  }
  void SaveSetting(const std::string&, const std::string&, const std::string&,
                   const std::string&) override {}
};

class NoLibraries : public LibraryLoader {
 public:
  uintptr_t Load(const std::string&) override { return 0; }
  void* Find(uintptr_t, const char*) override { return nullptr; }
  void Release(uintptr_t) override {}
  void Invoke(PluginCall& call) override { call.body(call); }
};

class LayoutHost : public PanelHost {
 public:
  TBuiltInSensor BuiltInSensor(int32_t) override { return {"Sensor", &Reading}; }
  bool StoppedResponding(const void*) override { return false; }
  BitmapHandle LoadPanelImage(int32_t) override { return nullptr; }
  void DeleteBitmap(BitmapHandle) override {}
  std::unique_ptr<PanelView> CreateView(int, const std::string&, BitmapHandle, int32_t width,
                                        const PanelGraph&) override {
    return std::unique_ptr<PanelView>(new RecordingView(width));
  }
  void ShowError(const std::string&, const std::string&, const std::string&) override {}
  std::optional<int32_t> TakeBuiltInValue() override { return std::nullopt; }
  void PublishText(uint32_t, int, const char*, size_t, bool, GraphColumn) override {}
  bool LogAll() override { return false; }
  void LogLine(const std::string&) override {}
};

// The default widths of the built-in sensors, in catalogue order.
constexpr int kWidths[24] = {40, 73, 76, 139, 199, 55, 79, 76, 43, 73, 97, 58,
                             112, 85, 70, 43, 43, 43, 43, 94, 190, 64, 64, 64};

void ArrangeHundredPanels(benchmark::State& state) {
  LayoutHost host;
  NoSettings settings;
  NoLibraries loader;
  PluginContract contract(loader, settings);
  TDisplayPanels panels(host, contract);
  for (int i = 0; i < kMaxPanels; ++i) panels.AddPanel(&Reading, "Sensor", nullptr, kWidths[i % 24]);
  const int width = static_cast<int>(state.range(0));
  int height = 0;
  for (auto _ : state) {
    height = panels.Arrange(width);
    benchmark::DoNotOptimize(height);
  }
  state.SetItemsProcessed(state.iterations() * kMaxPanels);
  state.counters["bar_height"] = height;
}
// 200: every panel on a row of its own; 600: the floating bar's default;
// 1024: docked on a 1024 x 768 screen; 32767: one row.
BENCHMARK(ArrangeHundredPanels)->Arg(200)->Arg(600)->Arg(1024)->Arg(32767);

}  // namespace
