#include "sensors/core/WarningObjectCode.h"

#include <exception>

#include "shared/core/CvlError.h"
#include "shared/core/VBText.h"

void TWarning::Check() {
  if (!CheckFunc) return;
  if (!contract_.CallWarningFunction(CheckFunc, WarnVal)) {
    Fired = false;
    return;
  }
  if (Fired) return;
  // Marked before the alert: an alert whose log line fails has still been
  // shown, and must not come back at every refresh while the condition holds.
  Fired = true;
  host_.RaiseWarning(AlertText());
}

std::string TWarning::AlertText() const {
  return Message + " " + IntToText(WarnVal) + " " + Units + ".";
}

TWarning& TWarnings::Items(int index) {
  if (index < 1 || index > Count()) throw RangeCheckError();
  return *items_[static_cast<size_t>(index - 1)];
}

void TWarnings::AddWarning(TWarningFunction checkFunc, int32_t warnVal, const std::string& message,
                           const std::string& units) {
  if (Count() >= kMaxWarnings) throw RangeCheckError();
  if (checkFunc && host_.StoppedResponding(checkFunc)) checkFunc = nullptr;
  items_.push_back(
      std::make_unique<TWarning>(host_, contract_, checkFunc, warnVal, message, units));
}

void TWarnings::DisableStopped(TWarningFunction fn) {
  for (auto& warning : items_)
    if (fn && warning->CheckFunc == fn) warning->CheckFunc = nullptr;
}

void TWarnings::LoadEntry(int i, bool& pluginFailed) {
  const int32_t number = TextToInt(contract_.GetWarningSetting(i, "General", "Number", "1"));
  const int32_t warnVal = TextToInt(contract_.GetWarningSetting(i, "General", "WarnVal", "1"));
  if (contract_.GetWarningSetting(i, "General", "Plugin", "FALSE") == "FALSE") {
    const TBuiltInWarning entry = host_.BuiltInWarning(number);
    AddWarning(entry.Function, warnVal, entry.Message, entry.Units);
    return;
  }
  const std::string path = contract_.PluginPath(number);
  if ((contract_.GetPluginFacilities(path) & PluginHasWarning) != PluginHasWarning) {
    pluginFailed = true;
    return;
  }
  TWARNINGINFO info;
  contract_.GetWarningInfo(path, info);
  TWarningFunction fn = contract_.LoadWarningFunction(path);
  AddWarning(fn, warnVal, info.Message, info.Val);
}

void TWarnings::LoadWarnings() {
  bool pluginFailed = false;
  try {
    ClearWarnings();
    const int32_t n = TextToInt(
        contract_.Settings().GetSetting(kAppName, "Warnings", "NoOfWarnings", "0"));
    for (int32_t i = 1; i <= n; ++i) LoadEntry(i, pluginFailed);
  } catch (const std::exception& e) {
    ClearWarnings();
    host_.ShowError(
        "An Error has Occured Trying to Load Warnings. Please Remove all Warnings and Restart.",
        "02.", e.what());
  }
  if (pluginFailed)
    host_.ShowError("One or More Plugins could not be Loaded.", "03.", "Error Loading Plugin");
}
