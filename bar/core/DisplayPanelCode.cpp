#include "bar/core/DisplayPanelCode.h"

#include <cstring>
#include <exception>

#include "shared/core/CvlError.h"
#include "shared/core/PluginOperations.h"
#include "shared/core/VBText.h"

namespace {

void Publish(PanelHost& host, uint32_t generation, int slot, const char* text, bool fromPass,
             GraphColumn column = {}) {
  host.PublishText(generation, slot, text, std::strlen(text), fromPass, column);
}

}  // namespace

TDisplayPanel::TDisplayPanel(PanelHost& host, PluginContract& contract, uint32_t generation,
                             int slot, TSensorFunction sensorFunc, const std::string& hint,
                             BitmapHandle bitmap, int32_t width, const PanelGraphSource& graph)
    : SensorFunc(sensorFunc),
      ValueFunc(graph.valueFn),
      host_(host),
      contract_(contract),
      generation_(generation),
      slot_(slot),
      hint_(hint),
      place_(graph.place),
      graph_(graph.scale, width) {
  columns_ = graph_.HasGraph();
  view_ = host_.CreateView(slot, hint, bitmap, width, graph_);
}

void TDisplayPanel::UpdateText() {
  if (!SensorFunc) {
    // A graph has no readings without the function: it goes with it.
    GraphColumn column;
    if (columns_) column.kind = GraphColumn::OutOfService;
    columns_ = false;
    Publish(host_, generation_, slot_, kErrorText, true, column);
    return;
  }
  // The text stays in this frame: a pass allocates nothing for it.
  TextBuffer text;
  contract_.CallSensorFunction(SensorFunc, text);
  const size_t length = TextBufferLength(text);
  const GraphColumn column = columns_ ? ReadColumn() : GraphColumn();
  host_.PublishText(generation_, slot_, text, length, true, column);
  if (host_.LogAll()) host_.LogLine(std::string(text, length) + " - " + hint_);
}

GraphColumn TDisplayPanel::ReadColumn() {
  GraphColumn column;
  std::optional<int32_t> value;
  if (ValueFunc) {
    try {
      value = contract_.CallSensorValue(ValueFunc);
    } catch (const PluginFault&) {
      // Only the graph is out of service: the text goes on.
      ValueFunc = nullptr;
      columns_ = false;
      column.kind = GraphColumn::OutOfService;
      return column;
    }
  } else {
    value = host_.TakeBuiltInValue();
  }
  column.kind = value ? GraphColumn::Value : GraphColumn::Empty;
  column.value = value.value_or(0);
  return column;
}

void HeldColumns::Add(GraphColumn column) {
  if (column.kind == GraphColumn::None) return;
  if (count > 0 && columns[count - 1].kind == GraphColumn::OutOfService) return;
  if (count == kHeld) {
    for (int i = 1; i < kHeld; ++i) columns[i - 1] = columns[i];
    --count;
  }
  columns[count++] = column;
}

void TDisplayPanel::ShowReading(const char* text, const HeldColumns& held) {
  const bool graphed = graph_.HasGraph();
  for (int i = 0; i < held.count; ++i) {
    const GraphColumn& column = held.columns[i];
    if (column.kind == GraphColumn::Value)
      graph_.Push(column.value);
    else if (column.kind == GraphColumn::Empty)
      graph_.PushEmpty();
    else if (column.kind == GraphColumn::OutOfService)
      graph_ = PanelGraph();
  }
  // A graphed panel is drawn once a pass, its text changed or not.
  if (!view_->ShowText(text) && graphed && held.count > 0) view_->Redraw();
}

void TDisplayPanel::ShowPaused() { Publish(host_, generation_, slot_, kPausedText, false); }

void TDisplayPanel::GraphStoppedResponding() {
  ValueFunc = nullptr;
  columns_ = false;
  if (!graph_.HasGraph()) return;
  graph_ = PanelGraph();
  view_->Redraw();
}

void TDisplayPanel::StoppedResponding() {
  SensorFunc = nullptr;
  GraphStoppedResponding();
  hint_ += kStoppedTip;
  view_->SetHint(hint_);
  Publish(host_, generation_, slot_, kErrorText, false);
}

TDisplayPanel& TDisplayPanels::Items(int index) {
  if (index < 1 || index > Count()) throw RangeCheckError();
  return *items_[static_cast<size_t>(index - 1)];
}

void TDisplayPanels::AddPanel(TSensorFunction sensorFunc, const std::string& hint,
                              BitmapHandle bitmap, int32_t width, PanelGraphSource graph) {
  if (Count() >= kMaxPanels) {
    if (bitmap) host_.DeleteBitmap(bitmap);
    throw RangeCheckError();
  }
  const bool stopped = sensorFunc && host_.StoppedResponding(reinterpret_cast<void*>(sensorFunc));
  const bool valueStopped =
      graph.valueFn && host_.StoppedResponding(reinterpret_cast<void*>(graph.valueFn));
  if (stopped || !sensorFunc || valueStopped) {
    graph.scale = GraphScale::None;
    graph.valueFn = nullptr;
  }
  graph.place.slot = Count() + 1;
  std::unique_ptr<TDisplayPanel> panel(
      new TDisplayPanel(host_, contract_, generation_, Count() + 1, stopped ? nullptr : sensorFunc,
                        stopped ? hint + kStoppedTip : hint, bitmap, width, graph));
  items_.push_back(std::move(panel));
}

void TDisplayPanels::LoadEntry(int i, bool& pluginFailed) {
  const int32_t number = TextToInt(contract_.GetPanelSetting(i, "General", "Number", "1"));
  // The entry's own width decides, not the one a plug-in suggests.
  const int32_t width = TextToInt(contract_.GetPanelSetting(i, "General", "Width", "0"));
  if (contract_.GetPanelSetting(i, "General", "Plugin", "FALSE") == "FALSE") {
    BitmapHandle bitmap = host_.LoadPanelImage(number);
    TBuiltInSensor sensor;
    try {
      sensor = host_.BuiltInSensor(number);
    } catch (...) {
      if (bitmap) host_.DeleteBitmap(bitmap);
      throw;
    }
    PanelGraphSource graph;
    graph.place.builtIn = number;
    if (graphsShown_) graph.scale = sensor.Scale;
    AddPanel(sensor.Function, sensor.Name, bitmap, width, graph);
    return;
  }
  const std::string path = contract_.PluginPath(number);
  if ((contract_.GetPluginFacilities(path) & PluginHasSensor) != PluginHasSensor) {
    pluginFailed = true;
    return;
  }
  TSENSORINFO info;
  contract_.GetSensorInfo(path, info);
  PanelGraphSource graph;
  graph.place.pluginPath = path;
  // SensorValue is looked up only for a graph, in the load that is kept.
  TSensorFunction fn = contract_.LoadSensorFunction(path, graphsShown_ ? &graph.valueFn : nullptr);
  if (graph.valueFn) graph.scale = GraphScale::Largest;
  AddPanel(fn, info.ToolTip, info.Icon, width, graph);
}

void TDisplayPanels::LoadPanels() {
  bool pluginFailed = false;
  // The histories a reload may keep, slot by slot.
  struct Kept {
    GraphPlace place;
    PanelGraph graph;
  };
  std::vector<Kept> kept;
  try {
    for (auto& panel : items_) kept.push_back({panel->Place(), std::move(panel->Graph())});
    ClearPanels();
    graphsShown_ = contract_.Settings().GetSetting(kAppName, "Settings", kPanelGraphsSetting, "FALSE") == "TRUE";
    const int32_t n = TextToInt(contract_.Settings().GetSetting(kAppName, "Panels", "NoOfPanels", "0"));
    for (int32_t i = 1; i <= n; ++i) LoadEntry(i, pluginFailed);
    for (size_t i = 0; i < items_.size() && i < kept.size(); ++i)
      if (KeepsHistory(kept[i].place, items_[i]->Place()))
        items_[i]->Graph().TakeHistory(kept[i].graph);
  } catch (const std::exception& e) {
    ClearPanels();
    host_.ShowError(
        "An Error has Occured Trying to Load Sensors. Please Remove all Sensors and Restart.",
        "06.", e.what());
  }
  if (pluginFailed)
    host_.ShowError("One or More Plugins could not be Loaded.", "07.", "Error Loading Plugin");
}

void TDisplayPanels::ClearPanels() {
  for (auto& panel : items_) {
    try {
      panel.reset();
    } catch (...) {
      // One panel that cannot be destroyed does not keep the others.
    }
  }
  items_.clear();
  ++generation_;
  contract_.ReleasePluginLibraries();
}

int TDisplayPanels::Arrange(int w) {
  // 64-bit: a width read from the registry may be anything.
  int64_t x = kFirstRowLeft;
  int row = 0;
  int height = kOneRowBarHeight;
  for (auto& panel : items_) {
    const int64_t span = panel->PanelSpan();
    if (x + span + kPanelGap < w) {
      panel->SetPosition(static_cast<int>(x), kRowTop + kRowPitch * row);
    } else {
      ++row;
      height += kExtraRowHeight;
      x = kRowLeft;
      panel->SetPosition(kRowLeft, kRowTop + kRowPitch * row);
    }
    x += span + kPanelGap;
  }
  return height;
}

void TDisplayPanels::ShowPaused() {
  for (auto& panel : items_) panel->ShowPaused();
}

void TDisplayPanels::DisableStopped(const void* fn) {
  if (!fn) return;
  for (auto& panel : items_) {
    if (reinterpret_cast<void*>(panel->SensorFunc) == fn) panel->StoppedResponding();
    if (reinterpret_cast<void*>(panel->ValueFunc) == fn) panel->GraphStoppedResponding();
  }
}

// ---- The pass ----------------------------------------------------------------

namespace {

// Runs step(i); false when it raised (the pass ends). A fault disables.
template <typename Step, typename Disable>
bool Survives(int i, Step step, Disable disable) noexcept {
  try {
    step(i);
    return true;
  } catch (const PluginFault&) {
    try {
      disable(i);
    } catch (...) {
    }
  } catch (...) {
  }
  return false;
}

}  // namespace

void RefreshCycle(TDisplayPanels& panels, RefreshWarnings& warnings) noexcept {
  // The panels' texts of a pass leave together, before any warning is
  // checked (an alert box may hold the pass for long).
  panels.HoldTexts();
  bool whole = true;
  for (int i = 1; whole && i <= panels.Count(); ++i)
    whole = Survives(i, [&](int n) { panels.Items(n).UpdateText(); },
                     [&](int n) { panels.Items(n).SensorFunc = nullptr; });
  panels.SendTexts();
  if (!whole) return;
  try {
    for (int i = 1; i <= warnings.WarningCount(); ++i) {
      if (!Survives(i, [&](int n) { warnings.CheckWarning(n); },
                    [&](int n) { warnings.DisableCheck(n); }))
        return;
    }
  } catch (...) {
    // A count that cannot be read ends the pass like any other error.
  }
}

void FirstReadings(TDisplayPanels& panels) noexcept {
  panels.HoldTexts();
  // An error ends no more than its own panel's reading.
  for (int i = 1; i <= panels.Count(); ++i)
    Survives(i, [&](int n) { panels.Items(n).UpdateText(); },
             [&](int n) {
               panels.Items(n).SensorFunc = nullptr;
               panels.Items(n).UpdateText();  // "Error", without a function
             });
  panels.SendTexts();
}
