// One fuzz target over the bar's bad-input surface that needs no window:
// the lenient number reading, the warning list loader, the settings
// library's list models, and every text composition (built-in and hardware
// sensor texts from any readings, the plug-ins' texts, the duration and
// fixed-point formats, the drive list walk). The first byte picks the area.
//
// Properties: no sanitizer finding; no exception other than CvlError; every
// sensor text in its buffer is at most 79 characters and equals the whole
// text composed with strings, cut to 79.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "shared/core/DiskGeometry.h"
#include "tests/fakes/ReferenceFormat.h"
#include "plugins/dialtally/core/DialtallyCount.h"
#include "plugins/resource/core/FreeResources.h"
#include "sensors/core/BuiltInCatalogue.h"
#include "sensors/core/HardwareMonitor.h"
#include "sensors/core/SensorTexts.h"
#include "sensors/core/WarningObjectCode.h"
#include "settings/core/GeneralSettings.h"
#include "shared/core/CvlError.h"
#include "shared/core/PluginOperations.h"
#include "shared/core/TextBuilder.h"
#include "shared/core/VBText.h"
#include "tests/contract/FakeLoader.h"
#include "tests/fakes/MemorySettings.h"
#include "tests/fuzz/FuzzInput.h"
#include "tests/fuzz/ReferenceTexts.h"
#include "tests/settings/FakePluginFiles.h"

namespace {

[[noreturn]] void Fail(const std::string& what) {
  std::fprintf(stderr, "\nPROPERTY BROKEN: %s\n", what.c_str());
  std::abort();
}

void Require(bool holds, const std::string& what) {
  if (!holds) Fail(what);
}

std::string Show(const std::string& s) {
  std::string out = "\"";
  for (unsigned char c : s) {
    char hex[8];
    if (c >= 32 && c < 127) {
      out += static_cast<char>(c);
    } else {
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    }
  }
  return out + "\"";
}

// The buffer text of build against the whole text of reference, cut to 79
// characters; both raise CvlError, or neither does.
template <typename Reference, typename Build>
void SameText(const char* what, Reference reference, Build build) {
  std::string expected;
  bool referenceRaised = false;
  try {
    expected = reference();
  } catch (const CvlError&) {
    referenceRaised = true;
  }
  TextBuffer buffer;
  std::memset(buffer, 0x5A, sizeof buffer);
  bool raised = false;
  try {
    TextBuilder out(buffer);
    build(out);
  } catch (const CvlError&) {
    raised = true;
  }
  Require(raised == referenceRaised, std::string(what) + ": raises in one form only");
  if (raised) return;
  const size_t length = TextBufferLength(buffer);
  Require(length <= 79, std::string(what) + ": more than 79 characters");
  const std::string text(buffer, length);
  if (text != expected.substr(0, 79))
    Fail(std::string(what) + ": " + Show(text) + " instead of " + Show(expected.substr(0, 79)));
}

// ---- Numbers and formats ---------------------------------------------------

void NumbersAndFormats(FuzzInput& in) {
  const std::string any = in.Bytes(40);
  TextToInt(any);
  LeftText(any, static_cast<int>(in.Byte()) - 4);

  const int32_t n = in.I32();
  Require(TextToInt(IntToText(n)) == n, "TextToInt does not read IntToText back");
  const int32_t positive = n < 0 ? -(n + 1) : n;
  Require(TextToInt(" +" + IntToText(positive) + "x") == positive,
          "TextToInt with a blank, a sign and a tail");
  char hex[16];
  const uint32_t pattern = in.U32();
  std::snprintf(hex, sizeof hex, "$%X", static_cast<unsigned>(pattern));
  Require(TextToInt(hex) == static_cast<int32_t>(pattern), std::string("hex pattern ") + hex);

  const int32_t ms = in.I32();
  SameText("duration", [&] { return FormatDuration(ms); },
           [&](TextBuilder& out) {
             if (ms < 0)
               out.Append("Error");
             else
               out.AppendDuration(static_cast<uint32_t>(ms));
           });
  const uint32_t wide = in.U32();
  SameText("long duration", [&] { return reference::Duration(wide); },
           [&](TextBuilder& out) { out.AppendDuration(wide); });
  const double x = in.Real();
  SameText("fixed 2", [&] { return FormatFixed2(x); },
           [&](TextBuilder& out) { out.AppendFixed2(x); });
  const uint32_t padded = in.Number();
  SameText("pad two", [&] { return PadTwo(std::to_string(padded)); },
           [&](TextBuilder& out) { out.AppendPadTwo(padded); });
}

// Any sequence of appends into a buffer of any size is the string cut to it.
void BuilderAppends(FuzzInput& in) {
  const size_t size = in.Byte() % 90;
  std::unique_ptr<char[]> buffer(new char[size ? size : 1]);
  TextBuilder out(buffer.get(), size);
  std::string whole;
  for (int step = 0; step < 24 && in.Remaining() > 0; ++step) {
    switch (in.Byte() % 6) {
      case 0: {
        const std::string t = in.Text(30);
        out.Append(t.c_str());
        whole += t;
        break;
      }
      case 1: {
        const int32_t v = in.I32();
        out.AppendInt(v);
        whole += IntToText(v);
        break;
      }
      case 2: {
        const char c = static_cast<char>(in.Byte() | 1);
        out.Append(c);
        whole += c;
        break;
      }
      case 3: {
        const double v = in.Real();
        out.AppendFixed2(v);
        whole += FormatFixed2(v);
        break;
      }
      case 4: {
        const uint32_t v = in.U32();
        out.AppendDuration(v);
        whole += reference::Duration(v);
        break;
      }
      default: {
        const size_t keep = in.Byte();
        out.Cut(keep);
        if (keep < whole.size() && keep < out.Capacity()) whole.resize(keep);
        // Once cut below what was lost, the rest of the lost text is gone.
        if (whole.size() > out.Capacity()) whole.resize(out.Capacity());
        break;
      }
    }
  }
  const std::string expected = whole.substr(0, out.Capacity());
  Require(out.Length() == expected.size(), "builder length");
  if (size > 0) Require(std::string(buffer.get()) == expected, "builder text");
}

// ---- Sensor texts ------------------------------------------------------------

void BuiltInTexts(FuzzInput& in) {
  const std::string s = in.Text(4);
  const char* sep = s.c_str();

  const uint32_t usage = in.Number();
  SameText("cpu", [&] { return reference::CpuUsage(usage); },
           [&](TextBuilder& out) { CpuUsageText(out, usage); });
  MemoryReadings memory{in.Number64(), in.Number()};
  SameText("memory", [&] { return reference::Memory(memory, s); },
           [&](TextBuilder& out) { MemoryText(out, memory, sep); });
  // A 9x counter as its signed value, or a figure past 32 bits.
  DiskCacheReadings cache{in.Bool() ? static_cast<int64_t>(in.I32()) : static_cast<int64_t>(in.Number64() >> 16),
                          in.Number(), in.Number()};
  SameText("disk cache", [&] { return reference::DiskCache(cache, s); },
           [&](TextBuilder& out) { DiskCacheText(out, cache, sep); });

  DiskReadings disks;
  disks.Reads = in.Bool() ? in.Number() : in.Number64();
  disks.Writes = in.Number();
  std::vector<uint64_t> drives;
  for (int n = in.Byte() % 28; n > 0; --n) {
    const uint64_t free = in.Number64();
    if (disks.FixedDriveFree.push_back(free)) drives.push_back(free);
  }
  Require(drives.size() <= 26, "more than 26 fixed drives kept");
  SameText("disk information", [&] { return reference::DiskInfo(disks.Reads, disks.Writes, drives, s); },
           [&](TextBuilder& out) { DiskInfoText(out, disks, sep); });

  const uint32_t size = in.Number(), used = in.Number();
  const SwapFileReadings swap{static_cast<int32_t>(size), static_cast<int64_t>(in.Number64() >> 16)};
  SameText("swap file", [&] { return reference::SwapFile(swap, s); },
           [&](TextBuilder& out) { SwapFileText(out, swap, sep); });
  SameText("network", [&] { return reference::Network(size, used, s); },
           [&](TextBuilder& out) { NetworkText(out, size, used, sep); });
  const int32_t processes = in.I32();
  SameText("processes", [&] { return reference::Processes(processes, size, s); },
           [&](TextBuilder& out) { ProcessesText(out, processes, size, sep); });
  PowerReadings power{in.Byte(), in.Number()};
  if (in.Bool()) power.Percent = 255;
  SameText("battery", [&] { return reference::Battery(power, s); },
           [&](TextBuilder& out) { BatteryText(out, power, sep); });
  DisplayReadings display{in.I32(), in.I32(), static_cast<int32_t>(in.Byte() % 5),
                          static_cast<int32_t>(in.Byte() % 40)};
  SameText("display", [&] { return reference::Display(display, s); },
           [&](TextBuilder& out) { DisplayText(out, display, sep); });
  MonitorRect desktop{in.I32(), in.I32(), in.I32(), in.I32()};
  SameText("monitors", [&] { return reference::Monitors(processes, desktop, s); },
           [&](TextBuilder& out) { MonitorsText(out, processes, desktop, sep); });
  WindowCounts windows{in.I32(), in.I32(), in.I32(), in.I32()};
  SameText("windows", [&] { return reference::Windows(windows, s); },
           [&](TextBuilder& out) { WindowsText(out, windows, sep); });
  SameText("running time", [&] { return reference::Duration(size); },
           [&](TextBuilder& out) { RunningTimeText(out, size); });

  DialUpReadings dial;
  dial.Windows98 = in.Bool();
  dial.Speed = in.Bool() ? 9600 : in.Number();
  dial.Received = in.Number();
  dial.Sent = in.Number();
  dial.Connected = in.Bool();
  dial.Now = in.U32();
  DialUpTimer timer;
  timer.Timing = in.Bool();
  timer.Start = in.U32();
  DialUpTimer referenceTimer = timer, builtTimer = timer;
  SameText("dial-up", [&] { return reference::DialUp(dial, referenceTimer, s); },
           [&](TextBuilder& out) { DialUpText(out, dial, builtTimer, sep); });
  Require(referenceTimer.Timing == builtTimer.Timing && referenceTimer.Start == builtTimer.Start,
          "dial-up timer");

  // The checks over the same readings: only CvlError may leave them.
  const int32_t threshold = static_cast<int32_t>(in.Number());
  try {
    ConnectionTimeCheck(dial, timer, threshold);
  } catch (const CvlError&) {
  }
  DiskSpaceCheck(memory.AvailablePhysical, threshold);
  BatteryCheck(power.Percent, threshold);
  MemoryLoadCheck(memory.Load, threshold);
  SwapFileCheck(swap.Used, threshold);
  RunningTimeCheck(used, threshold);
  SeparatorFrom(in.Text(6));
}

// ---- Hardware texts ------------------------------------------------------------

class ChipReadings : public HardwareReader {
 public:
  explicit ChipReadings(FuzzInput& in) {
    for (int32_t& t : temperatures) t = static_cast<int32_t>(in.Number());
    for (double& v : volts) v = in.Real();
    for (int32_t& f : fans) f = static_cast<int32_t>(in.Number());
  }
  int32_t GetTemperature(int32_t channel) override { return temperatures[channel & 7]; }
  double GetVoltage(int32_t channel) override { return volts[channel & 7]; }
  int32_t GetFan(int32_t fan) override { return fans[fan & 3]; }

  int32_t temperatures[8];
  double volts[8];
  int32_t fans[4];
};

void ChipTexts(FuzzInput& in) {
  ChipReadings chip(in);
  HardwareSettings settings;
  settings.CoreOnPort1 = in.Bool();
  settings.CoreVoltNominal = static_cast<int32_t>(in.Number());
  for (int n = 1; n <= 4; ++n) {
    settings.TempComp[n] = static_cast<int32_t>(in.Number());
    settings.TempEnabled[n] = in.Bool();
  }
  settings.HardwareEnabled = in.Bool();
  for (int n = 1; n <= 3; ++n) settings.FanType[n] = static_cast<int32_t>(in.Byte() % 6) - 1;
  const std::string s = in.Text(4);
  const int32_t threshold = static_cast<int32_t>(in.Number());

  for (int32_t channel = 1; channel <= 4; ++channel) {
    SameText("temperature", [&] { return reference::Temperature(chip, settings, channel); },
             [&](TextBuilder& out) { TemperatureText(out, chip, settings, channel); });
    try {
      TemperatureCheck(chip, settings, channel, threshold);
    } catch (const CvlError&) {
    }
  }
  SameText("processor voltages", [&] { return reference::ProcessorVoltages(chip, settings, s); },
           [&](TextBuilder& out) { ProcessorVoltagesText(out, chip, settings, s.c_str()); });
  SameText("system voltages", [&] { return reference::SystemVoltages(chip, settings, s); },
           [&](TextBuilder& out) { SystemVoltagesText(out, chip, settings, s.c_str()); });
  ProcessorVoltageCheck(chip, settings, threshold);
  SystemVoltageCheck(chip, settings, threshold);
  for (int32_t fan = 1; fan <= 3; ++fan) {
    SameText("fan", [&] { return reference::Fan(chip, settings, fan); },
             [&](TextBuilder& out) { FanText(out, chip, settings, fan); });
    try {
      FanCheck(chip, settings, fan, threshold);
    } catch (const CvlError&) {
    }
  }
}

// ---- The plug-ins' texts -----------------------------------------------------------

void PluginTexts(FuzzInput& in) {
  const std::string sep = in.Text(3);
  const int32_t count = in.I32();
  const int32_t total = in.I32();
  const std::string tally = DialtallyText(count, sep, total);
  Require(tally.size() <= 79, "Dialtally text over 79 characters: " + Show(tally));
  Require(tally.compare(0, IntToText(count).size(), IntToText(count)) == 0, "Dialtally count");

  MemorySettings store;
  const char* keys[] = {"TimeConnected", "TotalTime", "LastDate", "NoConnections", "NetActive"};
  for (const char* key : keys)
    store.values[std::make_tuple(std::string(kDialtallyApp), std::string(kDialtallySection),
                                 std::string(key))] = in.Bool() ? IntToText(in.I32()) : in.Text(12);
  store.Set("Settings", "MultiInfoSep", sep);
  const Connection seen = static_cast<Connection>(in.Byte() % 3);
  const std::string run = RunDialtally(store, static_cast<int32_t>(in.Byte() % 40) - 4, seen, in.U32());
  Require(run.size() <= 79, "Dialtally sensor text over 79 characters: " + Show(run));

  TodayFromShortDate(in.Text(24), in.Text(24));

  int32_t free[3] = {in.I32(), in.I32(), in.I32()};
  const FreeResourceQuery freeOf = [&](ResourceKind kind) { return free[kind % 3]; };
  const std::string resources = FreeResourcesText(store, freeOf);
  Require(resources.size() <= 79, "Resource text over 79 characters: " + Show(resources));
  FreeResourcesBelow(in.I32(), freeOf);
}

// ---- The warning list from any registry ------------------------------------------------

int32_t Holds(int32_t) { return -1; }
int32_t Clear(int32_t) { return 0; }
int32_t LowByteZero(int32_t) { return 256; }
int32_t Overflows(int32_t) { throw IntOverflowError(); }
int32_t Mask0() { return 0; }
int32_t Mask1() { return 1; }
int32_t Mask2() { return 2; }
int32_t Mask3() { return 3; }
void Message(char* buffer) { std::strcpy(buffer, "Plug-in level has dropped below"); }
void Unit(char* buffer) { std::memset(buffer, 'u', 80); }  // no NUL at all

const TWarningFunction kChecks[] = {Holds, Clear, LowByteZero, Overflows};

class WarningHost : public TWarningHost {
 public:
  TBuiltInWarning BuiltInWarning(int32_t number) override {
    TBuiltInWarning entry;
    entry.Message = BuiltInWarningMessage(number);
    entry.Units = BuiltInWarningUnits(number);
    entry.Function = kChecks[number % 4];
    return entry;
  }
  bool StoppedResponding(TWarningFunction) override { return false; }
  void RaiseWarning(const std::string& text) override { alerts.push_back(text); }
  void ShowError(const std::string&, const std::string& code, const std::string&) override {
    codes.push_back(code);
  }

  std::vector<std::string> alerts, codes;
};

// A list count as the registry may hold it: a number near the limits, or text.
std::string CountText(FuzzInput& in) {
  switch (in.Byte() % 4) {
    case 0: return IntToText(in.Byte() % 110);
    case 1: return IntToText(95 + in.Byte() % 12);
    case 2: return IntToText(static_cast<int32_t>(in.Number()));
    default: return in.Text(8);
  }
}

std::string EntryText(FuzzInput& in) {
  switch (in.Byte() % 5) {
    case 0: return "FALSE";
    case 1: return "TRUE";
    case 2: return "";
    case 3: return IntToText(static_cast<int32_t>(in.Byte() % 20) - 2);
    default: return in.Text(10);
  }
}

void WarningLoader(FuzzInput& in) {
  FakeLoader loader;
  MemorySettings settings;
  settings.Set("Settings", "InstalledDir", "C:\\Corvella\\");
  const int plugins = in.Byte() % 5;
  settings.Set("Plugins", "NoOfPlugins", IntToText(plugins));
  for (int p = 1; p <= plugins; ++p) {
    const std::string file = "p" + IntToText(p) + ".cvl";
    settings.Set("Plugins", IntToText(p), file);
    if (in.Byte() % 4 == 0) continue;  // not there
    FakeLoader::Exports exports;
    const uint8_t has = in.Byte();
    static void* const kMasks[] = {Export(Mask0), Export(Mask1), Export(Mask2), Export(Mask3)};
    if (has & 1) exports["PluginFacilities"] = kMasks[in.Byte() % 4];
    if (has & 4) exports["WarningMessage"] = Export(Message);
    if (has & 8) exports["WarningDescription"] = Export(Message);
    if (has & 16) exports["WarningVal"] = Export(Unit);
    if (has & 2) {
      void* check = Export(kChecks[in.Byte() % 4]);
      exports["WarningFunction"] = check;
      if (has & 32) loader.Fault(check);  // as a processor exception would
    }
    loader.Add("C:\\Corvella\\" + file, exports);
  }
  const std::string count = CountText(in);
  settings.Set("Warnings", "NoOfWarnings", count);
  const int stored = in.Byte() % 110;
  for (int i = 1; i <= stored; ++i) {
    const std::string key = "Warnings\\" + IntToText(i) + "\\General";
    const uint8_t which = in.Byte();
    if (which & 1) settings.Set(key, "Plugin", EntryText(in));
    if (which & 2) settings.Set(key, "Number", EntryText(in));
    if (which & 4) settings.Set(key, "WarnVal", in.Bool() ? IntToText(in.I32()) : in.Text(12));
  }

  WarningHost host;
  PluginContract contract(loader, settings);
  TWarnings list(host, contract);
  list.LoadWarnings();  // reports its own errors; raises nothing
  Require(list.Count() <= kMaxWarnings, "more than 100 warnings");
  for (const std::string& code : host.codes) Require(code == "02." || code == "03.", "error code");
  if (!host.codes.empty() && host.codes[0] == "02.")
    Require(list.Count() == 0, "a failed load left warnings behind");

  for (int pass = 0; pass < 2; ++pass) {
    for (int i = 1; i <= list.Count(); ++i) {
      try {
        list.Items(i).Check();
      } catch (const CvlError&) {
      }
    }
  }
  for (const std::string& alert : host.alerts)
    Require(!alert.empty() && alert.back() == '.', "alert text " + Show(alert));
}

// ---- The settings library's list models ------------------------------------------------

// Plug-ins answering from four slots chosen by the path's length.
class Queries : public FakePluginFiles {
 public:
  Queries(FuzzInput& in, SettingsSource& settings) : FakePluginFiles(settings) {
    for (int p = 0; p < 4; ++p) {
      slots[p].mask = in.Byte() % 5;
      slots[p].name = "Plug-in " + IntToText(p);
      slots[p].sensor.Description = in.Text(12);
      slots[p].sensor.Width = static_cast<int32_t>(in.Number());
      slots[p].warning.Description = in.Text(12);
      slots[p].warning.Val = in.Text(6);
      slots[p].warning.Min = static_cast<int32_t>(in.Number());
      slots[p].warning.Max = static_cast<int32_t>(in.Number());
      slots[p].warning.Increment = static_cast<int32_t>(in.Number());
    }
  }
  const FakePlugin* Plugin(const std::string& path) override { return &slots[path.size() % 4]; }

 private:
  FakePlugin slots[4];
};

// Counts of lists the dialogs read, kept within what the test can afford:
// the dialogs read every entry up to the stored count, however large.
std::string BoundedCount(FuzzInput& in) {
  const std::string text = CountText(in);
  const int32_t n = TextToInt(text);
  return n >= -5 && n <= 130 ? text : IntToText(n % 130);
}

bool Same(const PanelRow& a, const PanelRow& b) {
  return a.caption == b.caption && a.plugin == b.plugin && a.width == b.width &&
         a.data.Number == b.data.Number;
}
bool Same(const WarningRow& a, const WarningRow& b) {
  return a.caption == b.caption && a.value == b.value && a.unit == b.unit &&
         a.data.Number == b.data.Number && a.data.IsPlugin == b.data.IsPlugin &&
         a.data.Min == b.data.Min && a.data.Max == b.data.Max &&
         a.data.Increment == b.data.Increment;
}
template <typename Row>
bool SameRows(const std::vector<Row>& a, const std::vector<Row>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (!Same(a[i], b[i])) return false;
  return true;
}

void SettingsLists(FuzzInput& in) {
  MemorySettings settings;
  Queries plugins(in, settings);
  settings.Set("Settings", "InstalledDir", in.Bool() ? "C:\\Corvella\\" : in.Text(8));
  const std::string pluginCount = BoundedCount(in);
  settings.Set("Plugins", "NoOfPlugins", pluginCount);
  for (int p = 1; p <= 8; ++p) settings.Set("Plugins", IntToText(p), in.Text(10));
  for (const char* list : {"Panels", "Warnings"}) {
    settings.Set(list, std::string("NoOf") + list, BoundedCount(in));
    for (int i = 1, n = in.Byte() % 110; i <= n; ++i) {
      const std::string key = std::string(list) + "\\" + IntToText(i) + "\\General";
      settings.Set(key, "Plugin", EntryText(in));
      settings.Set(key, "Number", EntryText(in));
      settings.Set(key, list[0] == 'P' ? "Width" : "WarnVal", EntryText(in));
    }
  }

  PanelList panels;
  WarningList warnings;
  panels.Load(plugins.contract);
  warnings.Load(plugins.contract);
  std::vector<PluginRow> pluginRows = LoadPluginRows(plugins.contract);

  for (int step = 0; step < 16 && in.Remaining() > 0; ++step) {
    const int index = static_cast<int>(in.Byte() % 120) - 2;
    switch (in.Byte() % 7) {
      case 0: panels.Append(SensorChoices(plugins.contract)); break;
      case 1: warnings.Append(WarningChoices(plugins.contract)); break;
      case 2:
        panels.MoveUp(index);
        warnings.MoveDown(index);
        break;
      case 3: panels.StepWidth(index, in.Bool() ? 1 : -1); break;
      case 4: warnings.StepValue(index, in.Bool()); break;
      case 5: {
        std::vector<bool> drop(in.Byte() % 120);
        for (size_t i = 0; i < drop.size(); ++i) drop[i] = in.Bool();
        panels.Remove(drop);
        warnings.Remove(drop);
        break;
      }
      default: DecideInstall(plugins.contract, in.Text(16)); break;
    }
    Require(panels.Count() <= 100 + 130 && warnings.Count() <= 100 + 130, "list grew unbounded");
  }
  // What Save writes, Load reads back as the same rows.
  panels.Save(settings);
  warnings.Save(settings);
  PanelList panelsAgain;
  WarningList warningsAgain;
  panelsAgain.Load(plugins.contract);
  warningsAgain.Load(plugins.contract);
  Require(SameRows(panels.rows, panelsAgain.rows), "panel rows do not survive Save and Load");
  Require(SameRows(warnings.rows, warningsAgain.rows), "warning rows do not survive Save and Load");

  const int32_t installed = TextToInt(settings.GetSetting(kAppName, "Plugins", "NoOfPlugins", "0"));
  if (installed >= 1) {
    const int32_t k = 1 + static_cast<int32_t>(in.Byte()) % installed;
    size_t kept = 0;
    for (const PanelRow& r : panels.rows) kept += !(r.IsPlugin() && r.data.Number == k);
    RemovePlugin(settings, k, pluginRows, panels, warnings);
    Require(TextToInt(settings.GetSetting(kAppName, "Plugins", "NoOfPlugins", "0")) == installed - 1,
            "removal count");
    Require(panels.rows.size() == kept, "the removed plug-in's panel rows");
  }
}

// ---- The drive list walk ------------------------------------------------------------------

void DriveRoots(FuzzInput& in) {
  // Exactly the 257 bytes of the system's list, so a read past them is caught.
  std::unique_ptr<char[]> list(new char[257]);
  for (int i = 0; i < 257; ++i) {
    const uint8_t b = in.Byte();
    list[i] = b < 64 ? '\0' : static_cast<char>(b);
  }
  if (in.Bool()) list[256] = 'X';  // no final NUL at all
  const int n = static_cast<int>(in.Byte() % 32) - 2;
  const std::string root = DriveRootOf(list.get(), n);
  Require(root.size() <= 3, "drive root longer than 3");
  Require(root.find('\0') == std::string::npos, "drive root with a NUL");
  if (n == 1) Require(root == std::string(list.get(), strnlen(list.get(), 3)), "first root");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  try {
    switch (in.Byte() % 8) {
      case 0: NumbersAndFormats(in); break;
      case 1: BuilderAppends(in); break;
      case 2: BuiltInTexts(in); break;
      case 3: ChipTexts(in); break;
      case 4: PluginTexts(in); break;
      case 5: WarningLoader(in); break;
      case 6: SettingsLists(in); break;
      default: DriveRoots(in); break;
    }
  } catch (const CvlError&) {
    // The one kind of error the product raises on bad input.
  }
  return 0;
}
