#include "bar/core/DisplayPanelCode.h"

#include <cstring>
#include <exception>

#include "shared/core/CvlError.h"
#include "shared/core/VBText.h"

namespace {

void Publish(PanelHost& host, uint32_t generation, int slot, const char* text, bool fromPass) {
  host.PublishText(generation, slot, text, std::strlen(text), fromPass);
}

}  // namespace

TDisplayPanel::TDisplayPanel(PanelHost& host, uint32_t generation, int slot,
                             TSensorFunction sensorFunc, const std::string& hint,
                             BitmapHandle bitmap, int32_t width)
    : SensorFunc(sensorFunc), host_(host), generation_(generation), slot_(slot), hint_(hint) {
  view_ = host_.CreateView(slot, hint, bitmap, width);
}

void TDisplayPanel::UpdateText() {
  if (!SensorFunc) {
    Publish(host_, generation_, slot_, kErrorText, true);
    return;
  }
  // The text stays in this frame: a pass allocates nothing for it.
  TextBuffer text;
  host_.CallSensorFunction(SensorFunc, text);
  const size_t length = TextBufferLength(text);
  host_.PublishText(generation_, slot_, text, length, true);
  if (host_.LogAll()) host_.LogLine(std::string(text, length) + " - " + hint_);
}

void TDisplayPanel::ShowPaused() { Publish(host_, generation_, slot_, kPausedText, false); }

void TDisplayPanel::StoppedResponding() {
  SensorFunc = nullptr;
  hint_ += kStoppedTip;
  view_->SetHint(hint_);
  Publish(host_, generation_, slot_, kErrorText, false);
}

TDisplayPanels::~TDisplayPanels() {
  // The views go; the libraries stay for whoever owns the table.
  items_.clear();
}

TDisplayPanel& TDisplayPanels::Items(int index) {
  if (index < 1 || index > Count()) throw RangeCheckError();
  return *items_[static_cast<size_t>(index - 1)];
}

void TDisplayPanels::AddPanel(TSensorFunction sensorFunc, const std::string& hint,
                              BitmapHandle bitmap, int32_t width) {
  if (Count() >= kMaxPanels) {
    if (bitmap) host_.DeleteBitmap(bitmap);
    throw RangeCheckError();
  }
  const bool stopped = sensorFunc && host_.StoppedResponding(sensorFunc);
  std::unique_ptr<TDisplayPanel> panel(
      new TDisplayPanel(host_, generation_, Count() + 1, stopped ? nullptr : sensorFunc,
                        stopped ? hint + kStoppedTip : hint, bitmap, width));
  items_.push_back(std::move(panel));
}

void TDisplayPanels::LoadEntry(int i, bool& pluginFailed) {
  if (host_.GetPanelSetting(i, "General", "Plugin", "FALSE") == "FALSE") {
    const int32_t width = TextToInt(host_.GetPanelSetting(i, "General", "Width", "0"));
    const int32_t number = TextToInt(host_.GetPanelSetting(i, "General", "Number", "1"));
    BitmapHandle bitmap = host_.LoadPanelImage(number);
    TBuiltInSensor sensor;
    try {
      sensor = host_.BuiltInSensor(number);
    } catch (...) {
      if (bitmap) host_.DeleteBitmap(bitmap);
      throw;
    }
    AddPanel(sensor.Function, sensor.Name, bitmap, width);
    return;
  }
  const int32_t number = TextToInt(host_.GetPanelSetting(i, "General", "Number", "1"));
  const std::string path = host_.PluginPath(number);
  if ((host_.GetPluginFacilities(path) & PluginHasSensor) != PluginHasSensor) {
    pluginFailed = true;
    return;
  }
  TSENSORINFO info;
  host_.GetSensorInfo(path, info);
  // The entry's own width decides, not the one the plug-in suggests.
  const int32_t width = TextToInt(host_.GetPanelSetting(i, "General", "Width", "0"));
  TSensorFunction fn = host_.LoadSensorFunction(path);
  AddPanel(fn, info.ToolTip, info.Icon, width);
}

void TDisplayPanels::LoadPanels() {
  bool pluginFailed = false;
  try {
    ClearPanels();
    const int32_t n = TextToInt(host_.GetSetting("Panels", "NoOfPanels", "0"));
    for (int32_t i = 1; i <= n; ++i) LoadEntry(i, pluginFailed);
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
  host_.ReleasePluginLibraries();
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

void TDisplayPanels::DisableStopped(TSensorFunction fn) {
  for (auto& panel : items_)
    if (fn && panel->SensorFunc == fn) panel->StoppedResponding();
}
