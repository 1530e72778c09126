// The hardware monitoring dialog linked into the test and run over a
// made-up machine: what auto-detection does when a chip answers, which
// Wine cannot show with the real libraries.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "sensors/core/HardwareMonitor.h"
#include "settings/LM78Form.h"
#include "settings/ControlIds.h"
#include "shared/VBFunctions.h"
#include "tests/settings/CvlDriver.h"
#include "tests/support/WinTest.h"

using namespace cvltest;
using namespace lm78_ids;

namespace {

const char* const kCaption = "Hardware Monitoring Settings";

class MadeUpMachine : public LM78Probe {
 public:
  int32_t temperature[5] = {};
  double voltage[3] = {};
  uint32_t fan[4] = {};
  ProcessorFacts cpu;
  int inits = 0;

  bool InitialiseLM78() override { return ++inits % 2 == 0; }  // answers from the second call
  int32_t GetTemperature(int32_t channel) override { return temperature[channel]; }
  double GetVoltage(int32_t channel) override { return voltage[channel]; }
  uint32_t GetFan(int32_t n) override { return fan[n]; }
  ProcessorFacts Processor() override { return cpu; }
};

std::string Lm78(const char* name) { return wintest::Setting("LM78", name); }

class HardwareForm : public ::testing::Test {
 protected:
  void SetUp() override {
    wintest::ResetVeltropKeys();
    machine_.cpu.vendor = "GenuineIntel";
    machine_.cpu.family = 5;
    machine_.cpu.model = 4;
    machine_.cpu.mmx = true;
  }
  void TearDown() override { wintest::ResetVeltropKeys(); }
  HWND Open() {
    thread_.reset(new DialogThread([this] { RunHardwareSettings(machine_); }));
    HWND dlg = thread_->WaitForWindow(kCaption);
    EXPECT_NE(dlg, nullptr);
    return dlg;
  }
  bool Close(HWND dlg, int button) {
    Click(dlg, button);
    return thread_->WaitDone(5000);
  }

  MadeUpMachine machine_;
  std::unique_ptr<DialogThread> thread_;
};

TEST_F(HardwareForm, APentiumMmxOnVoltageInputOneIsMotherboardTypeOne) {
  wintest::SetSetting("LM78", "LM78Enable", "TRUE");
  wintest::SetSetting("LM78", "Fan2Type", "1");
  machine_.voltage[1] = 2.79;
  machine_.voltage[2] = 3.31;
  machine_.fan[1] = 2801;
  machine_.fan[2] = 20001;
  machine_.fan[3] = 20000;
  wintest::MessageBoxWatcher boxes;
  HWND dlg = Open();
  ASSERT_NE(dlg, nullptr);
  EXPECT_EQ(ComboText(dlg, MbTypeCombo), "Motherboard Type 2");
  boxes.Answer(IDYES);
  PostClick(dlg, AutoDetectBtn);
  ASSERT_TRUE(boxes.WaitForCount(1, 10000));
  // The report stays open while the controls are read: closing a window can
  // keep the dialog's thread from answering for a while under Wine.
  boxes.Hold(true);
  ASSERT_TRUE(boxes.WaitForCount(2, 10000));
  EXPECT_EQ(boxes.Boxes()[1].text,
            "Hardware Auto-Detection Results:                              \r\r"
            "Hardware Monitoring Support: LM78/79\r"
            "CPU Type: Intel Pentium MMX\r"
            "Motherboard Type: Motherboard Type 1\r"
            "Fan 1 Type: Fan Type 2\rFan 2 Type: \rFan 3 Type: Fan Type 3\r");
  EXPECT_EQ(Text(dlg, CoreVoltEdit), "2.8");
  EXPECT_TRUE(Checked(dlg, FanRadio(1, 1)));  // an unbelievable speed leaves the buttons
  boxes.Hold(false);
  ASSERT_TRUE(Close(dlg, OKBtn));
  EXPECT_EQ(Lm78("CorePort1"), "TRUE");
  EXPECT_EQ(Lm78("CPUType"), "8");
  EXPECT_EQ(Lm78("CoreVolt"), "280");
  EXPECT_EQ(Lm78("Fan1Type"), "2");
  EXPECT_EQ(Lm78("Fan2Type"), "1");
  EXPECT_EQ(Lm78("Fan3Type"), "3");
  EXPECT_EQ(Lm78("Temp1Enable"), "TRUE");
  EXPECT_EQ(Lm78("Temp2Enable"), "FALSE");
}

// A first opening on a Winbond board: the choice is stored so that the bar
// monitors what the user chose and the dialog shows the Winbond again.
TEST_F(HardwareForm, TheWinbondChoiceComesBackAndTheBarMonitorsItsTemperatures) {
  machine_.temperature[2] = 38;
  machine_.fan[1] = 4000;
  wintest::MessageBoxWatcher boxes;
  boxes.Answer(IDYES);
  HWND dlg = Open();
  ASSERT_NE(dlg, nullptr);
  ASSERT_EQ(boxes.Count(), 2u) << boxes.Summary();
  EXPECT_NE(boxes.Boxes()[1].text.find("\rHardware Monitoring Support: Winbond W83781D\r"),
            std::string::npos);
  EXPECT_EQ(ComboText(dlg, HardwareCombo), "Winbond W83781D");
  EXPECT_TRUE(Checked(dlg, TempCheck(0)) && Checked(dlg, TempCheck(1)) &&
              Checked(dlg, TempCheck(2)));
  EXPECT_FALSE(Checked(dlg, TempCheck(3)));
  SetCheck(dlg, TempCheck(2), false);  // the user keeps two of the three
  ASSERT_TRUE(Close(dlg, OKBtn));
  EXPECT_EQ(Lm78("LM78Enable"), "TRUE");
  EXPECT_EQ(Lm78("LM75Enable"), "FALSE");
  EXPECT_EQ(Lm78("WinbondEnable"), "TRUE");

  RegistrySettings registry;
  HardwareSettings bar = ReadHardwareSettings(registry);
  EXPECT_TRUE(bar.HardwareEnabled);
  EXPECT_TRUE(bar.TempEnabled[1]);
  EXPECT_TRUE(bar.TempEnabled[2]);
  EXPECT_FALSE(bar.TempEnabled[3]);
  EXPECT_FALSE(bar.TempEnabled[4]);
  EXPECT_EQ(bar.FanType[1], 2);

  dlg = Open();
  ASSERT_NE(dlg, nullptr);
  EXPECT_EQ(boxes.Count(), 2u);
  EXPECT_EQ(ComboText(dlg, HardwareCombo), "Winbond W83781D");
  EXPECT_FALSE(Checked(dlg, TempCheck(2)));
  EXPECT_TRUE(Close(dlg, CancelBtn));
}

}  // namespace
