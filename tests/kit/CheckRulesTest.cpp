// The checker's rules that no test plug-in under Wine reaches: names the bar
// cannot find, the bar's reading of the information exports in order, limits
// out of order, icons of the wrong kind, and a call that does not return.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>

#include "cvlcheck/core/PluginCheck.h"
#include "tests/contract/FakeLoader.h"

namespace {

// The whole report, one line a line, for failure messages.
std::string ReportText(const CheckReport& report) {
  std::string text;
  for (const std::string& line : report.Lines()) text += line + "\n";
  return text;
}

class CheckLoader : public FakeLoader {
 public:
  void Hang(void* fn) { hangs_.insert(fn); }
  void Invoke(PluginCall& call) override {
    if (hangs_.count(call.fn)) throw PluginHang("no answer");
    FakeLoader::Invoke(call);
  }

 private:
  std::set<void*> hangs_;
};

class FakeHost : public CheckHost {
 public:
  std::string LoadFailure() override { return "system error 2"; }
  std::vector<std::string> ExportNames(uintptr_t) override { return names; }
  bool HasTlsDirectory(uintptr_t) override { return tlsDirectory; }
  BitmapFacts InspectBitmap(BitmapHandle handle) override { return bitmaps[handle]; }
  void DeleteBitmap(BitmapHandle handle) override { deleted.push_back(handle); }
  double Milliseconds() override { return 0; }

  std::vector<std::string> names;
  bool tlsDirectory = false;
  std::map<BitmapHandle, BitmapFacts> bitmaps;
  std::vector<BitmapHandle> deleted;
};

int32_t SensorMask() { return 1; }
int32_t WarningMask() { return 2; }
int32_t NoRoleMask() { return 4; }
void Text(char* buffer) { std::strcpy(buffer, "text"); }
int32_t Fifty() { return 50; }
int32_t Sixty() { return 60; }
int32_t Five() { return 5; }
int32_t Seventy() { return 70; }
int32_t Never(int32_t) { return 0; }
char gBitmap, gBrush;
BitmapHandle BigIcon() { return &gBitmap; }
BitmapHandle BrushIcon() { return &gBrush; }

class CheckRules : public ::testing::Test {
 protected:
  int Check(const FakeLoader::Exports& exports) {
    loader.Add("P.cvl", exports);
    for (const auto& e : exports) host.names.push_back(e.first);
    return CheckPlugin("P.cvl", loader, host, report);
  }
  std::vector<std::string> Problems() const {
    std::vector<std::string> found;
    for (const std::string& line : report.Lines())
      if (line.rfind("PROBLEM ", 0) == 0) found.push_back(line.substr(8));
    return found;
  }

  CheckLoader loader;
  FakeHost host;
  CheckReport report;
};

TEST_F(CheckRules, NamesTheBarCannotFindAndStorageWindows95CannotLoad) {
  host.names = {"_SensorDescription@4", "sensorToolTip"};
  host.tlsDirectory = true;
  EXPECT_EQ(Check({{"PluginFacilities", Export(SensorMask)}, {"SensorFunction", Export(Text)}}),
            kCheckProblems);
  const std::vector<std::string> expected = {
      "Library: it has a thread-local storage directory; Windows 95 refuses to load such a "
      "library with LoadLibrary (error 1114), Windows 98 sets up no storage for it",
      "Export SensorDescription: exported only as \"_SensorDescription@4\", a decorated name; the "
      "bar asks for SensorDescription exactly",
      "Export SensorToolTip: exported only as \"sensorToolTip\", in other letter case; the bar "
      "asks for SensorToolTip exactly"};
  EXPECT_EQ(Problems(), expected) << ReportText(report);
  EXPECT_TRUE(loader.AllReleased());
}

TEST_F(CheckRules, AMissingInformationExportCostsTheBarTheOnesAfterIt) {
  EXPECT_EQ(Check({{"PluginFacilities", Export(WarningMask)},
                   {"WarningFunction", Export(Never)},
                   {"WarningDescription", Export(Text)},
                   {"WarningVal", Export(Text)},
                   {"WarningMax", Export(Fifty)},
                   {"WarningMin", Export(Five)},
                   {"WarningIncrement", Export(Five)}}),
            kCheckProblems);
  // Without WarningMessage the bar stops at once: its limits are all 0.
  const std::vector<std::string> expected = {
      "Export WarningMessage is missing, so the bar also ignores WarningDescription, WarningVal, "
      "WarningMax, WarningMin and WarningIncrement: it reads the warning's information in order "
      "and stops at the first export that is missing",
      "WarningIncrement: the bar reads 0: the - and + buttons of the Warnings tab need a step "
      "above 0"};
  EXPECT_EQ(Problems(), expected) << ReportText(report);
  EXPECT_EQ(report.Lines().back(), "Result: 2 problems");
}

TEST_F(CheckRules, LimitsOutOfOrderAndFunctionsMissingForTheirRole) {
  EXPECT_EQ(Check({{"PluginFacilities", Export(WarningMask)},
                   {"WarningMessage", Export(Text)},
                   {"WarningDescription", Export(Text)},
                   {"WarningVal", Export(Text)},
                   {"WarningMax", Export(Fifty)},
                   {"WarningMin", Export(Sixty)},
                   {"WarningIncrement", Export(Five)}}),
            kCheckProblems);
  const std::vector<std::string> expected = {
      "Export WarningFunction: missing, required for a warning: its warnings never fire",
      "WarningMin 60 is above WarningMax 50: the lowest threshold the Warnings tab offers must not "
      "exceed the highest"};
  EXPECT_EQ(Problems(), expected) << ReportText(report);

  CheckReport second;
  FakeLoader other;
  other.Add("Q.cvl", {{"PluginFacilities", Export(NoRoleMask)}});
  EXPECT_EQ(CheckPlugin("Q.cvl", other, host, second), kCheckProblems);
  EXPECT_EQ(second.Lines()[1], "PluginFacilities: 4, neither a sensor nor a warning (the other bits "
                               "are ignored) [0 ms]");
}

TEST_F(CheckRules, AnIconMustBeA16By16BitmapAndTheCheckerDeletesIt) {
  host.bitmaps[&gBitmap] = {true, 32, 32};
  Check({{"PluginFacilities", Export(SensorMask)}, {"SensorFunction", Export(Text)},
         {"SensorDescription", Export(Text)}, {"SensorToolTip", Export(Text)},
         {"SensorWidth", Export(Fifty)}, {"SensorIcon", Export(BigIcon)}});
  EXPECT_EQ(Problems(), std::vector<std::string>{
                            "SensorIcon: a 32 x 32 bitmap; the panel's picture is 16 x 16"});
  EXPECT_EQ(host.deleted, std::vector<BitmapHandle>{&gBitmap});

  CheckReport second;
  FakeLoader other;
  other.Add("Q.cvl", {{"PluginFacilities", Export(SensorMask)}, {"SensorFunction", Export(Text)},
                      {"SensorDescription", Export(Text)}, {"SensorToolTip", Export(Text)},
                      {"SensorWidth", Export(Fifty)}, {"SensorIcon", Export(BrushIcon)}});
  EXPECT_EQ(CheckPlugin("Q.cvl", other, host, second), kCheckProblems);
  EXPECT_EQ(second.Problems(), 1);
  EXPECT_NE(ReportText(second).find("PROBLEM SensorIcon: returned a handle that is not a bitmap: the "
                               "panel has no picture\n"),
            std::string::npos);
  EXPECT_EQ(host.deleted.size(), 1u) << "what is not a bitmap is not deleted as one";
}

TEST_F(CheckRules, ACallThatDoesNotReturnEndsTheCheckAndKeepsTheLibraryLoaded) {
  loader.Hang(Export(Text));
  EXPECT_EQ(Check({{"PluginFacilities", Export(SensorMask)}, {"SensorFunction", Export(Text)}}),
            kCheckProblems);
  ASSERT_EQ(Problems().size(), 1u) << ReportText(report);
  EXPECT_EQ(Problems()[0],
            "SensorFunction call 1: did not return within 10 s, the bar's limit: the bar takes it "
            "out of service, its panels show \"Error\"; the library stays loaded until the bar "
            "ends");
  EXPECT_EQ(report.Lines().back(),
            "Result: 1 problem, checking stopped at a call that did not return");
  EXPECT_TRUE(loader.released.empty()) << "its code is still running";
}

TEST_F(CheckRules, ASensorValueThatDoesNotReturnIsReportedByName) {
  loader.Hang(Export(Seventy));
  EXPECT_EQ(Check({{"PluginFacilities", Export(SensorMask)},
                   {"SensorFunction", Export(Text)},
                   {"SensorValue", Export(Seventy)}}),
            kCheckProblems);
  ASSERT_EQ(Problems().size(), 1u) << ReportText(report);
  EXPECT_EQ(Problems()[0],
            "SensorValue call 1: did not return within 10 s, the bar's limit: the bar takes it "
            "out of service, its panels have no history graph; the library stays loaded until "
            "the bar ends");
  // Called right after the first text, as the bar calls it.
  const std::vector<std::string>& lines = report.Lines();
  EXPECT_EQ(lines[lines.size() - 3], "SensorFunction call 1: \"text\" [0 ms]");
  EXPECT_TRUE(loader.released.empty());
}

}  // namespace
