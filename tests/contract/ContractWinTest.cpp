// The plug-in contract with real .cvl libraries, real loads, the
// structured-exception guard and the hang limit.
#include <gtest/gtest.h>

#include <windows.h>

#include "shared/Common.h"
#include "tests/support/WinTest.h"
#include "tests/fakes/SensorTextStrings.h"

using namespace wintest;

namespace {

// The head of this thread's structured handler chain: a guard that leaves a
// record behind would change it.
void* HandlerChainHead() {
  void* head;
  __asm__ volatile("movl %%fs:0, %0" : "=r"(head));
  return head;
}

std::string Plugin(const std::string& name) { return TestBinDir() + name + ".cvl"; }

bool IsLoaded(const char* file) { return GetModuleHandleA(file) != nullptr; }

template <typename F>
F ExportOf(HMODULE module, const char* name) {
  return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

class PluginContractOnWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetVeltropKeys();
    SetEnvironmentVariableA("CVL_TEST_LEVEL", nullptr);
  }
  void TearDown() override {
    Contract().ReleasePluginLibraries();
    ResetVeltropKeys();
  }
};

TEST_F(PluginContractOnWindows, FacilityMasksOfRealLibraries) {
  EXPECT_EQ(Contract().GetPluginFacilities(Plugin("complete")), 3);
  EXPECT_EQ(Contract().GetPluginFacilities(Plugin("sensoronly")), 1);
  EXPECT_EQ(Contract().GetPluginFacilities(Plugin("divwarning")), 2);
  EXPECT_EQ(Contract().GetPluginFacilities(Plugin("nofacilities")), 0);
  EXPECT_EQ(Contract().GetPluginFacilities(Plugin("absent")), 0);
  EXPECT_EQ(Contract().GetPluginFacilities(TestBinDir()), 0);  // the bare folder of a missing file name
  EXPECT_FALSE(IsLoaded("complete.cvl"));
}

TEST_F(PluginContractOnWindows, SensorInformationAndItsDefaults) {
  TSENSORINFO info;
  Contract().GetSensorInfo(Plugin("complete"), info);
  EXPECT_EQ(info.Description, "Complete description");
  EXPECT_EQ(info.ToolTip, "Complete tool tip");
  EXPECT_EQ(info.Width, 64);
  ASSERT_NE(info.Icon, nullptr);
  EXPECT_FALSE(IsLoaded("complete.cvl"));
  // The bitmap outlives its library and belongs to the caller.
  BITMAP bm{};
  ASSERT_EQ(GetObjectA(static_cast<HBITMAP>(info.Icon), sizeof bm, &bm), (int)sizeof bm);
  EXPECT_EQ(bm.bmWidth, 16);
  EXPECT_EQ(bm.bmHeight, 16);
  EXPECT_TRUE(DeleteObject(static_cast<HBITMAP>(info.Icon)));

  Contract().GetSensorInfo(Plugin("notooltip"), info);
  EXPECT_EQ(info.Description, "No Description");
  EXPECT_EQ(info.ToolTip, "No Tool Tip");
  EXPECT_EQ(info.Width, 0);
  EXPECT_EQ(info.Icon, nullptr);

  // Its tool tip export runs an illegal instruction: defaults, library released.
  Contract().GetSensorInfo(Plugin("faultsensor"), info);
  EXPECT_EQ(info.Description, "No Description");
  EXPECT_EQ(info.ToolTip, "No Tool Tip");
  EXPECT_FALSE(IsLoaded("faultsensor.cvl"));
}

TEST_F(PluginContractOnWindows, WarningInformationAndItsDefaults) {
  TWARNINGINFO info;
  Contract().GetWarningInfo(Plugin("complete"), info);
  EXPECT_EQ(info.Message, "Complete level has risen above");
  EXPECT_EQ(info.Description, "Complete level warning");
  EXPECT_EQ(info.Val, "units");
  EXPECT_EQ(info.Max, 100);
  EXPECT_EQ(info.Min, 5);
  EXPECT_EQ(info.Increment, 5);

  Contract().GetWarningInfo(Plugin("nomessage"), info);
  EXPECT_EQ(info.Message, "No Message");
  EXPECT_EQ(info.Description, "No Description");
  EXPECT_EQ(info.Val, "No Val");
  EXPECT_EQ(info.Max, 0);
  Contract().GetWarningInfo(Plugin("absent"), info);
  EXPECT_EQ(info.Message, "No Message");
}

TEST_F(PluginContractOnWindows, TextsOfSeventyNineAndEightyCharacters) {
  std::string pattern;
  for (int i = 0; i < 80; ++i) pattern += static_cast<char>('A' + i % 26);

  const std::string text79 = SensorText(Contract(), Contract().LoadSensorFunction(Plugin("text79")));
  EXPECT_EQ(text79, pattern.substr(0, 79));
  EXPECT_EQ(Contract().GetPluginName(Plugin("text79")), pattern.substr(0, 79));

  const std::string text80 = SensorText(Contract(), Contract().LoadSensorFunction(Plugin("text80")));
  EXPECT_EQ(text80, pattern);
  TSENSORINFO info;
  Contract().GetSensorInfo(Plugin("text80"), info);
  EXPECT_EQ(info.Description, pattern);
  EXPECT_EQ(info.ToolTip, pattern);
}

TEST_F(PluginContractOnWindows, NameAndSettingsWindow) {
  EXPECT_EQ(Contract().GetPluginName(Plugin("complete")), "Complete plug-in");
  EXPECT_EQ(Contract().GetPluginName(Plugin("absent")), "");
  EXPECT_EQ(Contract().GetPluginName(Plugin("divwarning")), "DivWarning plug-in");

  MessageBoxWatcher boxes;
  Contract().ShowPluginSettings(Plugin("complete"));
  Contract().ShowPluginSettings(Plugin("notooltip"));  // no settings export: nothing happens
  Contract().ShowPluginSettings(Plugin("absent"));
  ASSERT_EQ(boxes.Count(), 1u) << boxes.Summary();
  EXPECT_EQ(boxes.Boxes()[0].title, "Complete");
  EXPECT_EQ(boxes.Boxes()[0].text, "Complete settings");
  EXPECT_FALSE(IsLoaded("complete.cvl"));
}

TEST_F(PluginContractOnWindows, SeventyNinthLoadGetsNoFunctionAndNothingLeaks) {
  for (int i = 1; i <= 39; ++i) {
    ASSERT_NE(Contract().LoadSensorFunction(Plugin("complete")), nullptr) << i;
    ASSERT_NE(Contract().LoadWarningFunction(Plugin("complete")), nullptr) << i;
  }
  EXPECT_EQ(Contract().PluginLibraryCount(), 78);
  EXPECT_EQ(Contract().LoadSensorFunction(Plugin("complete")), nullptr);
  EXPECT_EQ(Contract().LoadWarningFunction(Plugin("complete")), nullptr);
  EXPECT_EQ(Contract().PluginLibraryCount(), 78);
  EXPECT_TRUE(IsLoaded("complete.cvl"));
  Contract().ReleasePluginLibraries();
  EXPECT_EQ(Contract().PluginLibraryCount(), 0);
  EXPECT_FALSE(IsLoaded("complete.cvl"));

  // A qualifying plug-in without SensorFunction: a slot, but no function.
  EXPECT_EQ(Contract().LoadSensorFunction(Plugin("nosensorfn")), nullptr);
  EXPECT_EQ(Contract().PluginLibraryCount(), 1);
  EXPECT_TRUE(IsLoaded("nosensorfn.cvl"));

  // Forgetting keeps the libraries loaded and starts again from slot 1.
  Contract().ForgetPluginLibraries();
  EXPECT_EQ(Contract().PluginLibraryCount(), 0);
  EXPECT_TRUE(IsLoaded("nosensorfn.cvl"));
  FreeLibrary(GetModuleHandleA("nosensorfn.cvl"));
}

TEST_F(PluginContractOnWindows, FaultingSensorRaisesAndTheProcessLivesOn) {
  void* const chain = HandlerChainHead();
  TSensorFunction faulting = Contract().LoadSensorFunction(Plugin("faultsensor"));
  ASSERT_NE(faulting, nullptr);
  for (int i = 0; i < 3; ++i) {
    try {
      SensorText(Contract(), faulting);
      FAIL() << "no fault";
    } catch (const PluginFault& f) {
      EXPECT_EQ(f.Code(), 0xC0000005UL);
      EXPECT_STREQ(f.what(), "Exception C0000005 (access violation)");
    }
    EXPECT_EQ(HandlerChainHead(), chain);
  }
  TSensorFunction good = Contract().LoadSensorFunction(Plugin("complete"));
  EXPECT_EQ(SensorText(Contract(), good), "Complete reading 1");
  EXPECT_EQ(SensorText(Contract(), good), "Complete reading 2");

  // An illegal instruction is contained the same way.
  HMODULE lib = GetModuleHandleA("faultsensor.cvl");
  try {
    SensorText(Contract(), ExportOf<TSensorFunction>(lib, "SensorToolTip"));
    FAIL() << "no fault";
  } catch (const PluginFault& f) {
    EXPECT_EQ(f.Code(), 0xC000001DUL);
  }
  EXPECT_EQ(HandlerChainHead(), chain);
}

TEST_F(PluginContractOnWindows, AHungCallRaisesPluginHangAndItsFunctionStaysOutOfService) {
  // This thread runs no passes: its calls are made by a helper, and the
  // wait for one ends at the hang limit.
  SetString(HKEY_LOCAL_MACHINE, "Software\\Veltrop\\BarTest", "HangFrom", "1");
  const TSensorFunction hung = Contract().LoadSensorFunction(Plugin("flaky"));
  const TSensorFunction good = Contract().LoadSensorFunction(Plugin("complete"));
  ASSERT_TRUE(hung && good);
  const DWORD start = GetTickCount();
  EXPECT_THROW(SensorText(Contract(), hung), PluginHang);
  const DWORD took = GetTickCount() - start;
  EXPECT_GE(took, kCallHangLimitMs - 50);
  EXPECT_LT(took, kCallHangLimitMs + 1000);
  EXPECT_TRUE(PluginLoader().StoppedResponding(reinterpret_cast<void*>(hung)));
  const DWORD again = GetTickCount();
  EXPECT_THROW(SensorText(Contract(), hung), PluginHang);
  EXPECT_LT(GetTickCount() - again, 200u) << "never called again";
  EXPECT_EQ(SensorText(Contract(), good), "Complete reading 1") << "the next call gets a new helper";
  // Its library stays for the thread still running its code; the others go.
  Contract().ReleasePluginLibraries();
  EXPECT_TRUE(IsLoaded("flaky.cvl"));
  EXPECT_FALSE(IsLoaded("complete.cvl"));
}

TEST_F(PluginContractOnWindows, WarningFunctionsFaultAndCountByTheLowestByte) {
  TWarningFunction dividing = Contract().LoadWarningFunction(Plugin("divwarning"));
  ASSERT_NE(dividing, nullptr);
  try {
    Contract().CallWarningFunction(dividing, 10);
    FAIL() << "no fault";
  } catch (const PluginFault& f) {
    EXPECT_EQ(f.Code(), 0xC0000094UL);
  }
  // Floating point still works after the fault.
  volatile double x = 1.0;
  EXPECT_DOUBLE_EQ(x / 4.0, 0.25);

  EXPECT_FALSE(Contract().CallWarningFunction(Contract().LoadWarningFunction(Plugin("warn256")), 0));

  TWarningFunction level = Contract().LoadWarningFunction(Plugin("complete"));
  SetEnvironmentVariableA("CVL_TEST_LEVEL", "50");
  EXPECT_TRUE(Contract().CallWarningFunction(level, 49));
  EXPECT_FALSE(Contract().CallWarningFunction(level, 50));
}

int32_t CVL_STDCALL OverflowingCheck(int32_t) { throw IntOverflowError(); }

void CVL_STDCALL NestedFault(char* buffer) {
  // A built-in that itself calls a faulting plug-in and recovers.
  try {
    SensorText(Contract(), Contract().LoadSensorFunction(Plugin("faultsensor")));
  } catch (const PluginFault&) {
    TextToBuffer("recovered", buffer);
  }
}

TEST_F(PluginContractOnWindows, OrdinaryErrorsOfBuiltInsPassAsCvlError) {
  void* const chain = HandlerChainHead();
  try {
    Contract().CallWarningFunction(OverflowingCheck, 1);
    FAIL() << "no error";
  } catch (const PluginFault&) {
    FAIL() << "an ordinary error became a fault";
  } catch (const CvlError& e) {
    EXPECT_STREQ(e.what(), "Integer overflow");
  }
  EXPECT_EQ(HandlerChainHead(), chain);
  EXPECT_EQ(SensorText(Contract(), NestedFault), "recovered");
  EXPECT_EQ(HandlerChainHead(), chain);
}

DWORD WINAPI FaultOnThread(LPVOID result) {
  try {
    Contract().CallWarningFunction(Contract().LoadWarningFunction(Plugin("divwarning")), 1);
    *static_cast<int*>(result) = 1;
  } catch (const PluginFault& f) {
    *static_cast<int*>(result) = f.Code() == 0xC0000094UL ? 2 : 3;
  }
  return 0;
}

TEST_F(PluginContractOnWindows, FaultsAreContainedOnAnyThread) {
  int result = 0;
  HANDLE thread = CreateThread(nullptr, 0, FaultOnThread, &result, 0, nullptr);
  ASSERT_NE(thread, nullptr);
  ASSERT_EQ(WaitForSingleObject(thread, 10000), WAIT_OBJECT_0);
  CloseHandle(thread);
  EXPECT_EQ(result, 2);
}

TEST_F(PluginContractOnWindows, RegistryListsWithTheRealRegistry) {
  SetSetting("Settings", "InstalledDir", TestBinDir());
  SetSetting("Plugins", "NoOfPlugins", "2");
  SetSetting("Plugins", "1", "complete.cvl");
  SetSetting("Plugins", "2", "Warn256.cvl");
  EXPECT_EQ(Contract().PluginPath(1), Plugin("complete"));
  EXPECT_EQ(Contract().GetPluginFacilities(Contract().PluginPath(1)), 3);
  EXPECT_EQ(Contract().PluginPath(3), TestBinDir());
  EXPECT_TRUE(Contract().IsPluginInstalled("Warn256.cvl"));
  EXPECT_FALSE(Contract().IsPluginInstalled("warn256.cvl"));
  EXPECT_FALSE(Contract().IsPluginInstalled("COMPLETE.CVL"));

  SetSetting("Panels\\2\\General", "Width", "48");
  EXPECT_EQ(Contract().GetPanelSetting(2, "General", "Width", "0"), "48");
  SetSetting("Warnings\\1\\General", "Plugin", "");
  EXPECT_EQ(Contract().GetWarningSetting(1, "General", "Plugin", "FALSE"), "FALSE");
}

}  // namespace
