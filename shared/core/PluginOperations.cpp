#include "shared/core/PluginOperations.h"

#include <cstring>
#include <exception>

#include "shared/core/CvlError.h"
#include "shared/core/GuardedCalls.h"
#include "shared/core/VBText.h"

namespace {

// A library loaded for one question and released on every way out.
class BorrowedLibrary {
 public:
  BorrowedLibrary(LibraryLoader& loader, const std::string& path)
      : loader_(loader), handle_(loader.Load(path)) {}
  ~BorrowedLibrary() {
    if (Loaded()) loader_.Release(handle_);
  }
  BorrowedLibrary(const BorrowedLibrary&) = delete;
  BorrowedLibrary& operator=(const BorrowedLibrary&) = delete;
  bool Loaded() const { return IsLoadedHandle(handle_); }
  void* Find(const char* name) const { return loader_.Find(handle_, name); }

 private:
  LibraryLoader& loader_;
  uintptr_t handle_;
};

std::string ListKey(const char* list, int index, const std::string& section) {
  return std::string(list) + "\\" + IntToText(index) + "\\" + section;
}

// A text export called into a fresh buffer; cleared first so that an export
// that writes nothing gives an empty text rather than stack leftovers.
std::string TextOf(LibraryLoader& loader, void* fn) {
  TextBuffer buffer = {};
  GuardedTextCall(loader, fn, buffer);
  return TextFromBuffer(buffer);
}

}  // namespace

std::string PluginContract::GetPanelSetting(int index, const std::string& section,
                                            const std::string& name, const std::string& def) {
  return settings_.GetSetting(kAppName, ListKey("Panels", index, section), name, def);
}

// The list writes fail silently, like every other operation of the contract.
void PluginContract::SavePanelSetting(int index, const std::string& section,
                                      const std::string& name, const std::string& value) {
  try {
    settings_.SaveSetting(kAppName, ListKey("Panels", index, section), name, value);
  } catch (const std::exception&) {
  }
}

std::string PluginContract::GetWarningSetting(int index, const std::string& section,
                                              const std::string& name, const std::string& def) {
  return settings_.GetSetting(kAppName, ListKey("Warnings", index, section), name, def);
}

void PluginContract::SaveWarningSetting(int index, const std::string& section,
                                        const std::string& name, const std::string& value) {
  try {
    settings_.SaveSetting(kAppName, ListKey("Warnings", index, section), name, value);
  } catch (const std::exception&) {
  }
}

int32_t InstalledPluginCount(SettingsSource& settings) {
  const int32_t stored = TextToInt(settings.GetSetting(kAppName, "Plugins", "NoOfPlugins", "0"));
  if (stored <= 0) return 0;
  if (stored <= kMaxInstalledPlugins) return stored;
  int32_t named = 0;
  while (named < kMaxInstalledPlugins &&
         !settings.GetSetting(kAppName, "Plugins", IntToText(named + 1), "").empty())
    ++named;
  return named;
}

bool PluginContract::IsPluginInstalled(const std::string& fileName) {
  // No installed plug-in has an empty name; a missing list value reads empty.
  if (fileName.empty()) return false;
  const int32_t n = InstalledPluginCount(settings_);
  for (int32_t i = 1; i <= n; ++i) {
    if (settings_.GetSetting(kAppName, "Plugins", IntToText(i), "") == fileName) return true;
  }
  return false;
}

std::string PluginContract::PluginPath(int32_t number) {
  return settings_.GetSetting(kAppName, "Settings", "InstalledDir", "") +
         settings_.GetSetting(kAppName, "Plugins", IntToText(number), "");
}

int32_t PluginContract::GetPluginFacilities(const std::string& path) {
  try {
    BorrowedLibrary lib(loader_, path);
    if (!lib.Loaded()) return 0;
    void* fn = lib.Find("PluginFacilities");
    return fn ? GuardedNumberCall(loader_, fn) : 0;
  } catch (const std::exception&) {
    return 0;
  }
}

void PluginContract::GetSensorInfo(const std::string& path, TSENSORINFO& info) {
  info.Description = "No Description";
  info.Width = 0;
  info.ToolTip = "No Tool Tip";
  info.Icon = nullptr;
  try {
    BorrowedLibrary lib(loader_, path);
    if (!lib.Loaded()) return;
    void* description = lib.Find("SensorDescription");
    void* toolTip = lib.Find("SensorToolTip");
    void* icon = lib.Find("SensorIcon");
    void* width = lib.Find("SensorWidth");
    // The first missing or failing export ends the filling; both texts are
    // fetched before either is stored.
    if (!description) return;
    const std::string descriptionText = TextOf(loader_, description);
    if (!toolTip) return;
    const std::string toolTipText = TextOf(loader_, toolTip);
    info.Description = descriptionText;
    info.ToolTip = toolTipText;
    if (!width) return;
    info.Width = GuardedNumberCall(loader_, width);
    if (!icon) return;
    info.Icon = GuardedHandleCall(loader_, icon);
  } catch (const std::exception&) {
  }
}

void PluginContract::GetWarningInfo(const std::string& path, TWARNINGINFO& info) {
  info.Message = "No Message";
  info.Description = "No Description";
  info.Val = "No Val";
  info.Max = info.Min = info.Increment = 0;
  try {
    BorrowedLibrary lib(loader_, path);
    if (!lib.Loaded()) return;
    void* message = lib.Find("WarningMessage");
    void* description = lib.Find("WarningDescription");
    void* val = lib.Find("WarningVal");
    void* max = lib.Find("WarningMax");
    void* min = lib.Find("WarningMin");
    void* increment = lib.Find("WarningIncrement");
    if (!message) return;
    const std::string messageText = TextOf(loader_, message);
    if (!description) return;
    const std::string descriptionText = TextOf(loader_, description);
    if (!val) return;
    const std::string valText = TextOf(loader_, val);
    info.Message = messageText;
    info.Description = descriptionText;
    info.Val = valText;
    if (!max) return;
    info.Max = GuardedNumberCall(loader_, max);
    if (!min) return;
    info.Min = GuardedNumberCall(loader_, min);
    if (!increment) return;
    info.Increment = GuardedNumberCall(loader_, increment);
  } catch (const std::exception&) {
  }
}

std::string PluginContract::GetPluginName(const std::string& path) {
  try {
    BorrowedLibrary lib(loader_, path);
    if (!lib.Loaded()) return std::string();
    void* fn = lib.Find("PluginName");
    return fn ? TextOf(loader_, fn) : std::string();
  } catch (const std::exception&) {
    return std::string();
  }
}

void PluginContract::ShowPluginSettings(const std::string& path) {
  try {
    BorrowedLibrary lib(loader_, path);
    if (!lib.Loaded()) return;
    if (void* fn = lib.Find("PluginDisplaySettings")) GuardedProcedureCall(loader_, fn);
  } catch (const std::exception&) {
  }
}

void* PluginContract::LoadKeptFunction(const std::string& path, const char* exportName,
                                       const char* otherName, void** other) {
  if (other) *other = nullptr;
  const uintptr_t handle = loader_.Load(path);
  if (!IsLoadedHandle(handle)) return nullptr;
  void* fn = loader_.Find(handle, exportName);
  void* found = otherName ? loader_.Find(handle, otherName) : nullptr;
  // A load that finds the table full gets no function and is not kept either:
  // nothing would ever release it.
  if (!libraries_.Add(handle)) {
    loader_.Release(handle);
    return nullptr;
  }
  if (other) *other = found;
  return fn;
}

TSensorFunction PluginContract::LoadSensorFunction(const std::string& path, TSensorValue* value) {
  void* valueFn = nullptr;
  void* fn = LoadKeptFunction(path, "SensorFunction", value ? "SensorValue" : nullptr, &valueFn);
  if (value) *value = reinterpret_cast<TSensorValue>(valueFn);
  return reinterpret_cast<TSensorFunction>(fn);
}

TWarningFunction PluginContract::LoadWarningFunction(const std::string& path) {
  return reinterpret_cast<TWarningFunction>(LoadKeptFunction(path, "WarningFunction"));
}

void PluginContract::CallSensorFunction(TSensorFunction fn, char* buffer80) {
  if (!fn) throw CvlError("No sensor function");
  // Cleared, so that a function that writes nothing leaves an empty text
  // rather than the previous pass's.
  std::memset(buffer80, 0, kTextBufferSize);
  GuardedTextCall(loader_, reinterpret_cast<void*>(fn), buffer80);
}

std::string PluginContract::CallSensorFunction(TSensorFunction fn) {
  TextBuffer buffer;
  CallSensorFunction(fn, buffer);
  return TextFromBuffer(buffer);
}

int32_t PluginContract::CallSensorValue(TSensorValue fn) {
  if (!fn) throw CvlError("No sensor value");
  return GuardedNumberCall(loader_, reinterpret_cast<void*>(fn));
}

bool PluginContract::CallWarningFunction(TWarningFunction fn, int32_t threshold) {
  if (!fn) return false;
  // Only the lowest byte counts: 256 is false, -1 and 1 are true.
  const int32_t result = GuardedCheckCall(loader_, reinterpret_cast<void*>(fn), threshold);
  return (result & 0xFF) != 0;
}
