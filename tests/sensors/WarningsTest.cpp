// The warning state machine, the alert text and LoadWarnings, with the plug-in
// contract over a fake loader and an in-memory registry.
#include <gtest/gtest.h>

#include <set>

#include "sensors/core/WarningObjectCode.h"
#include "shared/core/CvlError.h"
#include "shared/core/PluginOperations.h"
#include "tests/contract/FakeLoader.h"
#include "tests/fakes/MemorySettings.h"

namespace {

int32_t gResult = 0;  // what the checks below answer
int gChecks = 0;
int32_t gLastThreshold = 0;
int32_t Controlled(int32_t threshold) {
  ++gChecks;
  gLastThreshold = threshold;
  return gResult;
}
int32_t Raising(int32_t) { throw IntOverflowError(); }
int32_t Mask(int32_t) { return 0; }
int32_t Mask1() { return 1; }
int32_t Mask2() { return 2; }

struct Box {
  std::string message, code, description;
};

class FakeHost : public TWarningHost {
 public:
  FakeHost(FakeLoader& loader, MemorySettings& settings) : contract(loader, settings) {}

  TBuiltInWarning BuiltInWarning(int32_t number) override {
    TBuiltInWarning entry;
    entry.Message = BuiltInWarningMessage(number);
    entry.Units = BuiltInWarningUnits(number);
    entry.Function = number == 1 ? Controlled : nullptr;
    return entry;
  }
  bool StoppedResponding(TWarningFunction fn) override {
    return stopped.count(reinterpret_cast<void*>(fn)) != 0;
  }
  void RaiseWarning(const std::string& text) override {
    alerts.push_back(text);
    if (failAlerts) throw CvlError("Cannot open the log file");
  }
  void ShowError(const std::string& message, const std::string& code,
                 const std::string& description) override {
    errors.push_back({message, code, description});
  }

  std::vector<std::string> alerts;
  std::vector<Box> errors;
  bool failAlerts = false;
  std::set<void*> stopped;
  PluginContract contract;
};

const char kLoadError[] =
    "An Error has Occured Trying to Load Warnings. Please Remove all Warnings and Restart.";

class Warnings : public ::testing::Test {
 protected:
  void SetUp() override {
    gResult = 0;
    gChecks = 0;
    settings.Set("Settings", "InstalledDir", "C:\\Corvella\\");
  }
  void Entry(int i, const std::string& plugin, const std::string& number,
             const std::string& warnVal = "") {
    const std::string key = "Warnings\\" + std::to_string(i) + "\\General";
    if (!plugin.empty()) settings.Set(key, "Plugin", plugin);
    settings.Set(key, "Number", number);
    if (!warnVal.empty()) settings.Set(key, "WarnVal", warnVal);
  }
  void Plugin(int number, const std::string& file, const FakeLoader::Exports& exports) {
    settings.Set("Plugins", std::to_string(number), file);
    loader.Add("C:\\Corvella\\" + file, exports);
  }

  FakeLoader loader;
  MemorySettings settings;
  FakeHost host{loader, settings};
  TWarnings list{host, host.contract};
};

TEST_F(Warnings, AlertsOncePerCrossingAndRearms) {
  TWarning w(host, host.contract, Controlled, 100, "Disk space has dropped below", "Mb");
  w.Check();
  EXPECT_TRUE(host.alerts.empty());
  gResult = -1;
  w.Check();
  w.Check();
  w.Check();
  ASSERT_EQ(host.alerts.size(), 1u);
  EXPECT_EQ(host.alerts[0], "Disk space has dropped below 100 Mb.");
  EXPECT_EQ(gLastThreshold, 100);
  gResult = 0;
  w.Check();
  EXPECT_FALSE(w.Fired);
  gResult = 1;  // any nonzero lowest byte holds
  w.Check();
  EXPECT_EQ(host.alerts.size(), 2u);
  gResult = 0x100;  // lowest byte zero: does not hold, re-arms
  w.Check();
  EXPECT_FALSE(w.Fired);
  EXPECT_EQ(host.alerts.size(), 2u);
}

TEST_F(Warnings, NoFunctionNeverAlertsAndErrorsReachTheCaller) {
  TWarning none(host, host.contract, nullptr, 5, "m", "u");
  none.Check();
  EXPECT_TRUE(host.alerts.empty());

  TWarning raising(host, host.contract, Raising, 5, "m", "u");
  EXPECT_THROW(raising.Check(), CvlError);
  EXPECT_FALSE(raising.Fired);

  loader.Fault(Export(Controlled));
  TWarning faulting(host, host.contract, Controlled, 5, "m", "u");
  EXPECT_THROW(faulting.Check(), PluginFault);
}

TEST_F(Warnings, AnAlertWhoseLogLineFailsIsNotRepeated) {
  gResult = -1;
  host.failAlerts = true;
  TWarning w(host, host.contract, Controlled, 20, "Resources have dropped below", "%");
  EXPECT_THROW(w.Check(), CvlError);
  w.Check();
  EXPECT_EQ(host.alerts.size(), 1u);
  EXPECT_EQ(host.alerts[0], "Resources have dropped below 20 %.");
}

TEST_F(Warnings, LoadsBuiltInsWithLenientNumbers) {
  settings.Set("Warnings", "NoOfWarnings", "4xyz");
  Entry(1, "", "1", "250");
  Entry(2, "FALSE", " 13");
  Entry(3, "", "14", "abc");
  Entry(4, "", "1x", "-7");
  list.LoadWarnings();
  EXPECT_TRUE(host.errors.empty());
  ASSERT_EQ(list.Count(), 4);
  EXPECT_EQ(list.Items(1).WarnVal, 250);
  EXPECT_EQ(list.Items(1).Message, "Disk space has dropped below");
  EXPECT_EQ(list.Items(1).Units, "Mb");
  EXPECT_EQ(list.Items(2).WarnVal, 1);  // missing WarnVal
  EXPECT_EQ(list.Items(2).Message, "Memory Load has exceeded");
  EXPECT_EQ(list.Items(3).WarnVal, 0);  // "abc"
  EXPECT_EQ(list.Items(4).WarnVal, -7);
  EXPECT_EQ(list.Items(4).CheckFunc, Controlled);
  EXPECT_THROW(list.Items(5), CvlError);
}

TEST_F(Warnings, AHundredLoadAndTheHundredAndFirstIsALoadError) {
  settings.Set("Warnings", "NoOfWarnings", "100");  // missing entries are built-in 1
  list.LoadWarnings();
  EXPECT_EQ(list.Count(), 100);
  EXPECT_TRUE(host.errors.empty());

  settings.Set("Warnings", "NoOfWarnings", "101");
  list.LoadWarnings();
  EXPECT_EQ(list.Count(), 0);
  ASSERT_EQ(host.errors.size(), 1u);
  EXPECT_EQ(host.errors[0].message, kLoadError);
  EXPECT_EQ(host.errors[0].code, "02.");
  EXPECT_EQ(host.errors[0].description, "Range check error");
}

TEST_F(Warnings, BuiltInNumberOutsideTheCatalogueEmptiesTheList) {
  settings.Set("Warnings", "NoOfWarnings", "3");
  Entry(1, "", "1");
  Entry(2, "", "16");
  Entry(3, "", "1");
  list.LoadWarnings();
  EXPECT_EQ(list.Count(), 0);
  ASSERT_EQ(host.errors.size(), 1u);
  EXPECT_EQ(host.errors[0].code, "02.");

  host.errors.clear();
  Entry(2, "", "abc");  // reads as 0
  list.LoadWarnings();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(host.errors.size(), 1u);
}

TEST_F(Warnings, UnqualifiedPluginsAreSkippedAndReportedOnce) {
  Plugin(1, "sensor.cvl", {{"PluginFacilities", Export(Mask1)}, {"WarningFunction", Export(Mask)}});
  Plugin(2, "nomask.cvl", {{"WarningFunction", Export(Mask)}});
  Plugin(3, "good.cvl", {{"PluginFacilities", Export(Mask2)}});  // no WarningFunction
  settings.Set("Warnings", "NoOfWarnings", "5");
  Entry(1, "TRUE", "1");
  Entry(2, "TRUE", "2");
  Entry(3, "TRUE", "9");  // no file name: the bare folder does not load
  Entry(4, "TRUE", "3");
  Entry(5, "", "15");
  list.LoadWarnings();
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Items(1).CheckFunc, nullptr);  // qualifies but never fires
  EXPECT_EQ(list.Items(1).Message, "No Message");
  EXPECT_EQ(list.Items(2).Message, "Windows has been running longer than");
  ASSERT_EQ(host.errors.size(), 1u);
  EXPECT_EQ(host.errors[0].message, "One or More Plugins could not be Loaded.");
  EXPECT_EQ(host.errors[0].code, "03.");
  EXPECT_EQ(host.errors[0].description, "Error Loading Plugin");
}

TEST_F(Warnings, BothReportsWhenAPluginFailedBeforeALoadError) {
  Plugin(1, "sensor.cvl", {{"PluginFacilities", Export(Mask1)}});
  settings.Set("Warnings", "NoOfWarnings", "2");
  Entry(1, "TRUE", "1");
  Entry(2, "", "0");
  list.LoadWarnings();
  EXPECT_EQ(list.Count(), 0);
  ASSERT_EQ(host.errors.size(), 2u);
  EXPECT_EQ(host.errors[0].code, "02.");
  EXPECT_EQ(host.errors[1].code, "03.");
}

TEST_F(Warnings, AReloadedListAlertsAgainForAConditionThatStillHolds) {
  settings.Set("Warnings", "NoOfWarnings", "1");
  Entry(1, "", "1", "100");
  gResult = -1;
  list.LoadWarnings();
  list.Items(1).Check();
  list.Items(1).Check();
  list.LoadWarnings();
  list.Items(1).Check();
  EXPECT_EQ(host.alerts.size(), 2u);
  // Clearing releases no library: plug-in libraries go with the panel list.
  list.ClearWarnings();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_TRUE(loader.released.empty());
}

TEST_F(Warnings, AFunctionThatStoppedRespondingIsNeverCalledAgainNorAfterAReload) {
  settings.Set("Warnings", "NoOfWarnings", "2");
  Entry(1, "", "1", "10");
  Entry(2, "", "1", "20");  // the same check twice: both go
  gResult = -1;
  list.LoadWarnings();
  host.stopped.insert(Export(Controlled));
  list.DisableStopped(Controlled);
  list.Items(1).Check();
  list.Items(2).Check();
  EXPECT_EQ(gChecks, 0);
  EXPECT_TRUE(host.alerts.empty());
  list.LoadWarnings();
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Items(1).CheckFunc, nullptr);
  EXPECT_EQ(list.Items(2).CheckFunc, nullptr);
}

}  // namespace
