#pragma once
// The hardware monitor's rules: the readings of the monitor library the bar
// uses, its settings (section "LM78" of the bar's key), the values that
// hardware panels show and hardware warnings compare (shared, so that a
// panel and its warning never disagree; each call reads the chip), the texts
// of built-in sensors 16-24 and the decisions of warning kinds 4-12. Texts
// and checks may raise IntOverflowError.
#include <cstdint>
#include <optional>

#include "shared/core/SettingsSource.h"
#include "shared/core/TextBuilder.h"

// The three readings of the hardware monitor library that the bar uses. The
// product reads the chip through the library's exports; tests put a fake or
// the library's own reading code over a chip model behind it.
class HardwareReader {
 public:
  virtual ~HardwareReader() = default;
  // Temperature channel 1-4 in whole degrees (0 when there is no reading).
  virtual int32_t GetTemperature(int32_t channel) = 0;
  // Voltage channel 1-7 in volts.
  virtual double GetVoltage(int32_t channel) = 0;
  // Fan 1-3 as the library gives it (rpm, or the raw count).
  virtual int32_t GetFan(int32_t fan) = 0;
};

// Voltage channels as the motherboards wire them.
constexpr int32_t kCoreChannelPort1 = 1;
constexpr int32_t kCoreChannelPort2 = 2;
constexpr int32_t kProcessorIoChannel = 3;  // nominal 3.44 V
constexpr int32_t kPlus5Channel = 4;
constexpr int32_t kPlus12Channel = 5;
constexpr int32_t kMinus12Channel = 6;
constexpr int32_t kMinus5Channel = 7;
constexpr double kProcessorIoNominal = 3.44;

// The settings dialog writes them; the bar reads them on every settings load.
struct HardwareSettings {
  bool CoreOnPort1 = false;       // "CorePort1": core voltage on channel 1, else 2
  int32_t CoreVoltNominal = 250;  // "CoreVolt": hundredths of a volt
  int32_t TempComp[5] = {};       // "TempComp1"-"TempComp4": degrees added, [1..4]
  bool TempEnabled[5] = {false, true, true, true, true};  // "Temp1Enable"-"Temp4Enable"
  bool HardwareEnabled = false;   // "LM78Enable": voltages and fans
  int32_t FanType[5] = {};        // "Fan1Type"-"Fan3Type", [1..3]: 0 none, 1 x2, 2 x1, 3 x0.5
};

// Reads the section key by key in the order CorePort1, CoreVolt,
// TempComp1-4, Temp1Enable-4, LM78Enable, Fan1Type-3. A flag is on only for
// the exact text "TRUE"; numbers are read leniently.
HardwareSettings ReadHardwareSettings(SettingsSource& settings);

// Channel 1-4 with its compensation added; IntOverflowError when the sum
// leaves 32 bits.
int32_t CompensatedTemperature(HardwareReader& reader, const HardwareSettings& settings,
                               int32_t channel);

// The voltage channel of the processor core (1 or 2).
int32_t CoreChannel(const HardwareSettings& settings);

// Fan 1-3 in rpm by its type: 1 the reading x 2 (IntOverflowError past 32
// bits), 2 the reading, 3 half the reading rounded to even. No value, and
// no reading of the chip, for type 0 ("None") or any type the dialog does
// not offer.
std::optional<int32_t> FanSpeed(HardwareReader& reader, const HardwareSettings& settings,
                                int32_t fan);

// The texts of sensors 16-24 (temperatures, processor voltages, system
// voltages, fans), written into a TextBuilder (the sensor's own buffer in the
// refresh pass). A channel that is switched off shows kHardwareOffText.
constexpr const char* kHardwareOffText = "------";

// Each answers the quantity its text shows, for the panel's graph.
// 16-19: "38°C" (ANSI degree sign 0xB0) for channel 1-4; answers the
// degrees (0 while switched off). The chip is read even when the channel is
// switched off.
int32_t TemperatureText(TextBuilder& out, HardwareReader& reader,
                        const HardwareSettings& settings, int32_t channel);
// 20: "+2.50V" + sep + "+3.31V", core then processor I/O; answers the core
// voltage (0 while switched off).
double ProcessorVoltagesText(TextBuilder& out, HardwareReader& reader,
                             const HardwareSettings& settings, const char* sep);
// 21: "+5.01V" + sep + "-5.04V" + sep + "+12.14V" + sep + "-11.99V".
void SystemVoltagesText(TextBuilder& out, HardwareReader& reader,
                        const HardwareSettings& settings, const char* sep);
// 22-24: "2250rpm" for fan 1-3; kHardwareOffText for type 0 and for a type
// outside 0-3, which has no conversion. Answers the speed shown, if any.
std::optional<int32_t> FanText(TextBuilder& out, HardwareReader& reader,
                               const HardwareSettings& settings, int32_t fan);

// The decisions of warning kinds 4-12; true means alert. The threshold is
// the warning's WarnVal.
// 4-7: channel 1-4, compensated, above the threshold in degrees. A channel
// that is switched off never alerts and is not read.
bool TemperatureCheck(HardwareReader& reader, const HardwareSettings& settings, int32_t channel,
                      int32_t threshold);
// 8: the core (against "CoreVolt") or the processor I/O voltage (against
// 3.44 V) beyond threshold percent: above nominal x f or below nominal / f,
// f = 1 + threshold / 100. A reading on a bound does not alert.
bool ProcessorVoltageCheck(HardwareReader& reader, const HardwareSettings& settings,
                           int32_t threshold);
// 9: +5, -5, +12 or -12 V beyond threshold percent in the same sense (for a
// negative rail: below nominal x f or above nominal / f).
bool SystemVoltageCheck(HardwareReader& reader, const HardwareSettings& settings,
                        int32_t threshold);
// 10-12: fan 1-3 below the threshold in rpm; never for type 0 or a type
// outside 0-3.
bool FanCheck(HardwareReader& reader, const HardwareSettings& settings, int32_t fan,
              int32_t threshold);
