#pragma once
// Plug-in files for native tests: a library loader whose libraries answer the
// plug-in contract's questions from a table by full path, and the contract
// over it and the test's settings.
#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "shared/core/PluginOperations.h"
#include "tests/fakes/MemorySettings.h"

struct FakePlugin {
  int32_t mask = 0;
  std::string name;
  TSENSORINFO sensor;  // an Icon is handed over by SensorIcon
  TWARNINGINFO warning;
};

// The icons the dialogs freed (the tests' DiscardPluginIcon records them).
std::vector<BitmapHandle>& DiscardedIcons();

class FakePluginFiles : public LibraryLoader {
 public:
  explicit FakePluginFiles(SettingsSource& settings) : contract(*this, settings) {}
  std::map<std::string, FakePlugin> files;
  PluginContract contract;

  // A plug-in with a sensor and a warning named after its file.
  void AddBoth(const std::string& path, const std::string& tag, int32_t width = 50) {
    FakePlugin p;
    p.mask = PluginHasSensor | PluginHasWarning;
    p.name = tag + " Plugin";
    p.sensor.Description = tag + " sensor";
    p.sensor.Width = width;
    p.warning.Description = tag + " warning";
    p.warning.Val = "units";
    p.warning.Min = 10;
    p.warning.Max = 90;
    p.warning.Increment = 10;
    files[path] = p;
  }

  // The plug-in at path, or none (the file does not load).
  virtual const FakePlugin* Plugin(const std::string& path) {
    auto it = files.find(path);
    return it == files.end() ? nullptr : &it->second;
  }

  uintptr_t Load(const std::string& path) override {
    if (!Plugin(path)) return 0;
    loaded_.push_back(path);
    return kFirstHandle + loaded_.size() - 1;
  }
  // An export is the answer it gives, kept until the loader goes.
  void* Find(uintptr_t module, const char* name) override {
    const std::string path = loaded_.at(module - kFirstHandle);
    const FakePlugin& p = *Plugin(path);
    const std::string e = name;
    Answer a;
    a.text = e == "PluginName"           ? p.name
             : e == "SensorDescription"  ? p.sensor.Description
             : e == "SensorToolTip"      ? p.sensor.ToolTip
             : e == "WarningMessage"     ? p.warning.Message
             : e == "WarningDescription" ? p.warning.Description
             : e == "WarningVal"         ? p.warning.Val
                                         : "";
    a.number = e == "PluginFacilities"   ? p.mask
               : e == "SensorWidth"      ? p.sensor.Width
               : e == "WarningMax"       ? p.warning.Max
               : e == "WarningMin"       ? p.warning.Min
               : e == "WarningIncrement" ? p.warning.Increment
                                         : 0;
    if (e == "SensorIcon" && !p.sensor.Icon) return nullptr;
    a.handle = p.sensor.Icon;
    return &(answers_[{path, e}] = a);
  }
  void Release(uintptr_t) override {}
  void Invoke(PluginCall& call) override {
    const Answer& a = *static_cast<const Answer*>(call.fn);
    std::strncpy(call.Buffer(), a.text.c_str(), kTextBufferSize - 1);
    call.number = a.number;
    call.handle = a.handle;
  }

 private:
  static constexpr uintptr_t kFirstHandle = 0x100;
  struct Answer {
    std::string text;
    int32_t number = 0;
    BitmapHandle handle = nullptr;
  };
  std::vector<std::string> loaded_;  // by handle, from kFirstHandle
  std::map<std::pair<std::string, std::string>, Answer> answers_;
};
