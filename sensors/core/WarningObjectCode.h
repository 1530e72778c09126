#pragma once
// Warnings: a check function with a threshold that raises one alert when its
// condition first holds and re-arms once it stops holding (TWarning), and the
// list of up to 100 of them loaded from the registry (TWarnings).
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "sensors/core/BuiltInCatalogue.h"
#include "shared/core/PluginOperations.h"

// What warnings need from the bar besides the plug-in contract: the built-in
// catalogue, the functions out of service, the alert and the error box.
class TWarningHost {
 public:
  virtual ~TWarningHost() = default;
  // RangeCheckError outside 1-15.
  virtual TBuiltInWarning BuiltInWarning(int32_t number) = 0;
  // A call into fn stopped responding once: fn is out of service for good.
  virtual bool StoppedResponding(TWarningFunction fn) = 0;
  virtual void RaiseWarning(const std::string& text) = 0;
  virtual void ShowError(const std::string& message, const std::string& code,
                         const std::string& description) = 0;
};

constexpr int kMaxWarnings = 100;

class TWarning {
 public:
  // The check function is called through the contract (a guarded call: the
  // lowest byte of its result decides).
  TWarning(TWarningHost& host, PluginContract& contract, TWarningFunction checkFunc,
           int32_t warnVal, const std::string& message, const std::string& units)
      : WarnVal(warnVal),
        CheckFunc(checkFunc),
        Message(message),
        Units(units),
        host_(host),
        contract_(contract) {}

  // One evaluation: a new crossing alerts through RaiseWarning. Errors of the
  // check function (PluginFault for a processor fault) and of the alert reach
  // the caller; the refresh pass abandons itself on them.
  void Check();
  // Message, blank, threshold, blank, units, full stop.
  std::string AlertText() const;

  int32_t WarnVal;
  TWarningFunction CheckFunc;
  std::string Message;
  std::string Units;
  bool Fired = false;

 private:
  TWarningHost& host_;
  PluginContract& contract_;
};

class TWarnings {
 public:
  // The list is read from the contract's settings.
  TWarnings(TWarningHost& host, PluginContract& contract) : host_(host), contract_(contract) {}
  TWarnings(const TWarnings&) = delete;
  TWarnings& operator=(const TWarnings&) = delete;

  int Count() const { return static_cast<int>(items_.size()); }
  // Slot 1..Count; RangeCheckError otherwise.
  TWarning& Items(int index);
  // A new armed warning in slot Count + 1; RangeCheckError past 100. A
  // function that stopped responding before is not taken: it never fires.
  void AddWarning(TWarningFunction checkFunc, int32_t warnVal, const std::string& message,
                  const std::string& units);
  // Rebuilds the list from the registry. A load error empties the list and is
  // reported with code "02."; skipped plug-ins are reported once with "03.".
  void LoadWarnings();
  // Empties the list; releases no library (they go with the panel list).
  void ClearWarnings() { items_.clear(); }
  // fn stopped responding: no warning calls it again.
  void DisableStopped(TWarningFunction fn);

 private:
  void LoadEntry(int index, bool& pluginFailed);

  TWarningHost& host_;
  PluginContract& contract_;
  std::vector<std::unique_ptr<TWarning>> items_;
};
