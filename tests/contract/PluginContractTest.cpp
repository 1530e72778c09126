// The contract's algorithms against a fake loader and an in-memory registry.
#include <gtest/gtest.h>

#include <cstring>

#include "shared/core/CvlError.h"
#include "shared/core/PluginOperations.h"
#include "tests/contract/FakeLoader.h"
#include "tests/fakes/MemorySettings.h"

namespace {

void Description(char* b) { std::strcpy(b, "A description"); }
void ToolTip(char* b) { std::strcpy(b, "A tool tip"); }
int32_t Width() { return 64; }
int dummyBitmap;
void* Icon() { return &dummyBitmap; }
void Message(char* b) { std::strcpy(b, "Level has risen above"); }
void Val(char* b) { std::strcpy(b, "%"); }
int32_t Max() { return 100; }
int32_t Min() { return 5; }
int32_t Increment() { return 10; }
int32_t Returns256(int32_t) { return 256; }
int32_t ReturnsMinus1(int32_t) { return -1; }
int32_t Returns1(int32_t) { return 1; }
int32_t ReturnsThreshold(int32_t t) { return t; }

class Contract : public ::testing::Test {
 protected:
  FakeLoader loader;
  MemorySettings settings;
  PluginContract contract{loader, settings};

  FakeLoader::Exports SensorExports() {
    return {{"SensorDescription", Export(Description)},
            {"SensorToolTip", Export(ToolTip)},
            {"SensorWidth", Export(Width)},
            {"SensorIcon", Export(Icon)}};
  }
  FakeLoader::Exports WarningExports() {
    return {{"WarningMessage", Export(Message)},       {"WarningDescription", Export(Description)},
            {"WarningVal", Export(Val)},               {"WarningMax", Export(Max)},
            {"WarningMin", Export(Min)},               {"WarningIncrement", Export(Increment)},
            {"WarningFunction", Export(ReturnsMinus1)}};
  }
};

TEST(TextBuffer, CallerTakesUpToTheFirstNulOrAllEightyBytes) {
  char buffer[80];
  std::memset(buffer, 'x', sizeof buffer);
  EXPECT_EQ(TextFromBuffer(buffer), std::string(80, 'x'));
  buffer[79] = '\0';
  EXPECT_EQ(TextFromBuffer(buffer), std::string(79, 'x'));
  buffer[3] = '\0';
  EXPECT_EQ(TextFromBuffer(buffer), "xxx");

  TextToBuffer(std::string(200, 'y'), buffer);
  EXPECT_EQ(std::strlen(buffer), 79u);
  TextToBuffer("short", buffer);
  EXPECT_STREQ(buffer, "short");
}

TEST_F(Contract, FirstMissingOrFailingSensorExportEndsTheFilling) {
  auto noToolTip = SensorExports();
  noToolTip.erase("SensorToolTip");
  loader.Add("notip", noToolTip);
  TSENSORINFO info;
  info.Width = 99;
  contract.GetSensorInfo("notip", info);
  // Both texts are fetched before either is stored.
  EXPECT_EQ(info.Description, "No Description");
  EXPECT_EQ(info.ToolTip, "No Tool Tip");
  EXPECT_EQ(info.Width, 0);
  EXPECT_EQ(info.Icon, nullptr);

  auto noWidth = SensorExports();
  noWidth.erase("SensorWidth");
  loader.Add("nowidth", noWidth);
  contract.GetSensorInfo("nowidth", info);
  EXPECT_EQ(info.Description, "A description");
  EXPECT_EQ(info.Width, 0);
  EXPECT_EQ(info.Icon, nullptr);  // the icon comes after the width

  auto faulting = SensorExports();
  loader.Add("fault", faulting);
  loader.Fault(Export(ToolTip));
  contract.GetSensorInfo("fault", info);
  EXPECT_EQ(info.Description, "No Description");
  EXPECT_EQ(info.ToolTip, "No Tool Tip");
  EXPECT_TRUE(loader.AllReleased());
}

TEST_F(Contract, OnlyHandlesAboveThirtyTwoCountAsLoaded) {
  loader.AnswerLoad("zero", 0);
  loader.AnswerLoad("thirtytwo", 32);
  loader.AnswerLoad("none", 0);
  TSENSORINFO info;
  contract.GetSensorInfo("thirtytwo", info);
  EXPECT_EQ(info.Description, "No Description");
  EXPECT_EQ(contract.GetPluginFacilities("thirtytwo"), 0);
  EXPECT_EQ(contract.GetPluginName("zero"), "");
  EXPECT_EQ(contract.LoadSensorFunction("thirtytwo"), nullptr);
  EXPECT_EQ(contract.PluginLibraryCount(), 0);
  EXPECT_TRUE(loader.released.empty());  // nothing was loaded, nothing to release
  EXPECT_EQ(loader.invocations, 0);
}

TEST_F(Contract, WarningInfoFollowsTheSameRule) {
  TWARNINGINFO info;
  auto noMin = WarningExports();
  noMin.erase("WarningMin");
  loader.Add("nomin", noMin);
  contract.GetWarningInfo("nomin", info);
  EXPECT_EQ(info.Val, "%");
  EXPECT_EQ(info.Max, 100);
  EXPECT_EQ(info.Min, 0);
  EXPECT_EQ(info.Increment, 0);

  // The three texts are fetched before any is stored: without the unit, the
  // message and the description keep their defaults too.
  auto noVal = WarningExports();
  noVal.erase("WarningVal");
  loader.Add("noval", noVal);
  TWARNINGINFO texts;
  contract.GetWarningInfo("noval", texts);
  EXPECT_EQ(texts.Message, "No Message");
  EXPECT_EQ(texts.Description, "No Description");
  EXPECT_EQ(texts.Val, "No Val");
  EXPECT_EQ(texts.Max, 0);

  // The numbers come in the order Max, Min, Increment: without the first,
  // none is stored, while the texts are.
  auto noMax = WarningExports();
  noMax.erase("WarningMax");
  loader.Add("nomax", noMax);
  TWARNINGINFO numbers;
  contract.GetWarningInfo("nomax", numbers);
  EXPECT_EQ(numbers.Message, "Level has risen above");
  EXPECT_EQ(numbers.Description, "A description");
  EXPECT_EQ(numbers.Val, "%");
  EXPECT_EQ(numbers.Max, 0);
  EXPECT_EQ(numbers.Min, 0);
  EXPECT_EQ(numbers.Increment, 0);
  EXPECT_TRUE(loader.AllReleased());
}

TEST_F(Contract, KeptLibrariesTakeOneSlotPerLoadUpToSeventyEight) {
  loader.Add("a", {{"SensorFunction", Export(Description)}, {"WarningFunction", Export(Returns1)}});
  loader.Add("nofn", {});
  for (int i = 1; i <= 77; ++i) ASSERT_NE(contract.LoadSensorFunction("a"), nullptr) << i;
  // A library without the export still takes its slot.
  EXPECT_EQ(contract.LoadWarningFunction("nofn"), nullptr);
  EXPECT_EQ(contract.PluginLibraryCount(), 78);
  // The 79th gets no function, and its load is not left behind.
  EXPECT_EQ(contract.LoadWarningFunction("a"), nullptr);
  EXPECT_EQ(contract.PluginLibraryCount(), 78);
  EXPECT_EQ(loader.references[loader.HandleOf("a")], 77);

  contract.ReleasePluginLibraries();
  EXPECT_EQ(contract.PluginLibraryCount(), 0);
  EXPECT_TRUE(loader.AllReleased());
  // The refused 79th load first, then the slots in order: 77 loads of a, nofn.
  ASSERT_EQ(loader.released.size(), 79u);
  EXPECT_EQ(loader.released[0], loader.HandleOf("a"));
  EXPECT_EQ(loader.released[77], loader.HandleOf("a"));
  EXPECT_EQ(loader.released[78], loader.HandleOf("nofn"));

  // Forgetting empties the table and keeps the libraries loaded.
  contract.LoadSensorFunction("a");
  contract.ForgetPluginLibraries();
  EXPECT_EQ(contract.PluginLibraryCount(), 0);
  EXPECT_EQ(loader.references[loader.HandleOf("a")], 1);
  contract.ReleasePluginLibraries();
  EXPECT_EQ(loader.references[loader.HandleOf("a")], 1);
}

TEST_F(Contract, WarningResultsCountOnlyByTheirLowestByte) {
  EXPECT_FALSE(contract.CallWarningFunction(Returns256, 0));
  EXPECT_TRUE(contract.CallWarningFunction(ReturnsMinus1, 0));
  EXPECT_TRUE(contract.CallWarningFunction(Returns1, 0));
  EXPECT_TRUE(contract.CallWarningFunction(ReturnsThreshold, 0x301));
  EXPECT_FALSE(contract.CallWarningFunction(ReturnsThreshold, 0x300));
  EXPECT_FALSE(contract.CallWarningFunction(nullptr, 5));
}

TEST_F(Contract, AnEmptyFileNameIsNeverInstalled) {
  // Entry 2 is missing and reads as the empty text.
  settings.Set("Plugins", "NoOfPlugins", "2");
  settings.Set("Plugins", "1", "a.cvl");
  EXPECT_TRUE(contract.IsPluginInstalled("a.cvl"));
  EXPECT_FALSE(contract.IsPluginInstalled(""));
}

}  // namespace
