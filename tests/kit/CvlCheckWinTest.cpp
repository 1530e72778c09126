// The plug-in kit under Wine: the shipped checker over the test plug-ins
// that each commit one fault, over the shipped plug-ins and over the
// template built from a copy of the kit (tests/kit/build-template.sh), and
// that template in the shipped bar.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "bar/core/BarWindow.h"
#include "tests/bar/BarTestRegistry.h"
#include "tests/support/WinTest.h"

using namespace wintest;

namespace {

struct CheckRun {
  DWORD exitCode = STILL_ACTIVE;
  std::vector<std::string> lines;  // without the call times ("[0 ms]")
  DWORD tookMs = 0;

  std::vector<std::string> Problems() const {
    std::vector<std::string> found;
    for (const std::string& line : lines)
      if (line.rfind("PROBLEM ", 0) == 0) found.push_back(line);
    return found;
  }
  bool Has(const std::string& line) const {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  }
  int CountStarting(const std::string& start) const {
    return static_cast<int>(std::count_if(lines.begin(), lines.end(), [&](const std::string& l) {
      return l.rfind(start, 0) == 0;
    }));
  }
  int CountContaining(const std::string& part) const {
    return static_cast<int>(std::count_if(lines.begin(), lines.end(), [&](const std::string& l) {
      return l.find(part) != std::string::npos;
    }));
  }
  std::string Text() const {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
  }
};

std::string Checker() { return BinDir() + "SDK\\CvlCheck.exe"; }
std::string Template() { return TestBinDir() + "kit\\Template.cvl"; }

std::string WithoutTime(std::string line) {
  const size_t at = line.rfind(" [");
  if (at != std::string::npos && line.size() > 4 && line.compare(line.size() - 4, 4, " ms]") == 0)
    line.erase(at);
  return line;
}

// Runs the checker on a plug-in with its output in a file, as a console
// user would redirect it.
CheckRun RunChecker(const std::string& plugin) {
  CheckRun run;
  const std::string outFile = MakeTempDir("cvlcheck") + "report.txt";
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE out = CreateFileA(outFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                           CREATE_ALWAYS, 0, nullptr);
  if (out == INVALID_HANDLE_VALUE) return run;
  STARTUPINFOA si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdOutput = out;
  si.hStdError = out;
  PROCESS_INFORMATION pi{};
  std::string command = "\"" + Checker() + "\" \"" + plugin + "\"";
  std::vector<char> line(command.begin(), command.end());
  line.push_back('\0');
  const DWORD start = GetTickCount();
  if (CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                     nullptr, &si, &pi)) {
    if (WaitForSingleObject(pi.hProcess, 60000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 99);
    GetExitCodeProcess(pi.hProcess, &run.exitCode);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
  }
  run.tookMs = GetTickCount() - start;
  CloseHandle(out);

  // Wine's console host for the child may still hold the inherited handle.
  HANDLE in = CreateFileA(outFile.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                          nullptr, OPEN_EXISTING, 0, nullptr);
  std::string text;
  char chunk[4096];
  DWORD got = 0;
  while (in != INVALID_HANDLE_VALUE && ReadFile(in, chunk, sizeof chunk, &got, nullptr) && got)
    text.append(chunk, got);
  if (in != INVALID_HANDLE_VALUE) CloseHandle(in);
  size_t from = 0;
  for (size_t nl; (nl = text.find('\n', from)) != std::string::npos; from = nl + 1) {
    std::string l = text.substr(from, nl - from);
    if (!l.empty() && l.back() == '\r') l.pop_back();
    run.lines.push_back(WithoutTime(l));
  }
  return run;
}

std::string ResultLine(size_t problems) {
  return "Result: " + std::to_string(problems) + (problems == 1 ? " problem" : " problems");
}

}  // namespace

TEST(CvlCheck, ShippedPluginsAndTheTemplateFromTheKitHaveNoProblem) {
  // The shipped plug-ins bind cvl.dll (with the libraries it binds), and
  // Resource.cvl the resource meter, from the folder they are installed in.
  const std::string dir = MakeTempDir("cvlcheck-shipped");
  for (const char* file : {"Dialtally.cvl", "Resource.cvl", "cvl.dll", "Chipwatch.dll", "Coreprobe.dll"})
    ASSERT_TRUE(CopyInto(BinDir() + file, dir)) << file;
  ASSERT_TRUE(CopyInto(TestBinDir() + "rsrc32.dll", dir));

  for (const std::string& plugin : {dir + "Dialtally.cvl", dir + "Resource.cvl", Template()}) {
    SCOPED_TRACE(plugin);
    const CheckRun run = RunChecker(plugin);
    EXPECT_EQ(run.exitCode, 0u) << run.Text();
    EXPECT_TRUE(run.Problems().empty()) << run.Text();
    ASSERT_FALSE(run.lines.empty());
    EXPECT_EQ(run.lines.back(), "Result: no problems");
    EXPECT_TRUE(run.Has("Export names: undecorated"));
    EXPECT_TRUE(run.Has("SensorIcon: a 16 x 16 bitmap"));
    EXPECT_EQ(run.CountContaining("SensorFunction call "), 5);
  }
  // The template graphs its memory load.
  const CheckRun kit = RunChecker(Template());
  EXPECT_EQ(kit.CountStarting("SensorValue: "), 1) << kit.Text();

  // The resource meter stand-in answers 100 unless told otherwise.
  SetEnvironmentVariableA("CVL_RSRC32_GDI", "50");
  const CheckRun resource = RunChecker(dir + "Resource.cvl");
  SetEnvironmentVariableA("CVL_RSRC32_GDI", nullptr);
  EXPECT_TRUE(resource.Has("PluginFacilities: 3, a sensor and a warning")) << resource.Text();
  EXPECT_TRUE(resource.Has("SensorFunction call 1: \"100% / 100% / 50%\""));
  // A steady reading is said so, and is no problem.
  EXPECT_TRUE(resource.Has(
      "SensorFunction: the same text in all 5 calls (not a problem: a reading may stay the same)"));
  EXPECT_TRUE(resource.Has("WarningFunction(5): 0, false"));
  EXPECT_TRUE(resource.Has("WarningFunction(50): 0, false"));
  EXPECT_TRUE(resource.Has("WarningFunction(95): -1, true"));
  EXPECT_TRUE(resource.Has("PluginDisplaySettings: not called, it shows a window and waits for the user"));

  const CheckRun dialtally = RunChecker(dir + "Dialtally.cvl");
  EXPECT_TRUE(dialtally.Has("PluginFacilities: 1, a sensor")) << dialtally.Text();
  EXPECT_TRUE(dialtally.Has("Export WarningFunction: missing (not needed without a warning)"));
  ResetVeltropKeys();  // the monthly tally the dial-up plug-in wrote
}

TEST(CvlCheck, ReportsEachFaultByTheExportsNameAndGoesOnWithTheOthers) {
  struct Case {
    const char* plugin;
    std::vector<std::string> problems;
    const char* laterLine;  // a call after the fault still made
  };
  const std::string textLong = ": 80 bytes without a NUL; write at most 79 characters and a NUL";
  const std::vector<Case> cases = {
      {"text80.cvl",
       {"PROBLEM PluginName" + textLong, "PROBLEM SensorDescription" + textLong,
        "PROBLEM SensorToolTip" + textLong, "PROBLEM SensorFunction call 1" + textLong,
        "PROBLEM SensorFunction call 2" + textLong, "PROBLEM SensorFunction call 3" + textLong,
        "PROBLEM SensorFunction call 4" + textLong, "PROBLEM SensorFunction call 5" + textLong},
       "SensorWidth: 64"},
      {"overrun.cvl",
       {"PROBLEM SensorFunction call 1: wrote 21 bytes past the end of the 80-byte buffer",
        "PROBLEM SensorFunction call 2: wrote 21 bytes past the end of the 80-byte buffer",
        "PROBLEM SensorFunction call 3: wrote 21 bytes past the end of the 80-byte buffer",
        "PROBLEM SensorFunction call 4: wrote 21 bytes past the end of the 80-byte buffer",
        "PROBLEM SensorFunction call 5: wrote 21 bytes past the end of the 80-byte buffer"},
       "SensorFunction: the same text in all 5 calls (not a problem: a reading may stay the same)"},
      {"faultsensor.cvl",
       {"PROBLEM SensorToolTip: processor fault, Exception C000001D (illegal instruction): the "
        "panel's tool tip is \"No Tool Tip\"",
        "PROBLEM SensorFunction call 1: processor fault, Exception C0000005 (access violation): "
        "the bar takes it out of service, its panels show \"Error\""},
       "SensorIcon: a 16 x 16 bitmap"},
      {"divwarning.cvl",
       {"PROBLEM WarningFunction(5): processor fault, Exception C0000094 (integer divide by "
        "zero): the bar takes it out of service, its warnings never fire"},
       "WarningIncrement: 5"},
      {"warn1.cvl",
       {"PROBLEM WarningFunction(5): returned 1, not 0 (false) or -1 (true, all bits set); the "
        "bar reads only the lowest byte, so it counts as true",
        "PROBLEM WarningFunction(52): returned 1, not 0 (false) or -1 (true, all bits set); the "
        "bar reads only the lowest byte, so it counts as true",
        "PROBLEM WarningFunction(100): returned 1, not 0 (false) or -1 (true, all bits set); the "
        "bar reads only the lowest byte, so it counts as true"},
       "WarningVal: \"units\""},
      {"badincrement.cvl",
       {"PROBLEM WarningIncrement: the bar reads 0: the - and + buttons of the Warnings tab need "
        "a step above 0"},
       "WarningFunction(100): 0, false"},
      {"noicon.cvl", {"PROBLEM SensorIcon: returned no bitmap (0): the panel has no picture"},
       "SensorFunction call 5: \"NoIcon reading 5\""},
      // The text goes on without the value.
      {"faultvalue.cvl",
       {"PROBLEM SensorValue call 1: processor fault, Exception C0000005 (access violation): the "
        "bar takes it out of service, its panels have no history graph"},
       "SensorFunction call 5: \"FaultValue reading 5\""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.plugin);
    const CheckRun run = RunChecker(TestBinDir() + c.plugin);
    EXPECT_EQ(run.exitCode, 1u) << run.Text();
    EXPECT_EQ(run.Problems(), c.problems) << run.Text();
    EXPECT_TRUE(run.Has(c.laterLine)) << run.Text();
    ASSERT_FALSE(run.lines.empty());
    EXPECT_EQ(run.lines.back(), ResultLine(c.problems.size()));
  }
  // A function that faulted is not called again, as the bar does.
  EXPECT_EQ(RunChecker(TestBinDir() + "divwarning.cvl").CountContaining("WarningFunction("), 1);
  EXPECT_EQ(RunChecker(TestBinDir() + "faultsensor.cvl").CountContaining("PROBLEM SensorFunction call "), 1);
  EXPECT_EQ(RunChecker(TestBinDir() + "faultvalue.cvl").CountContaining("SensorValue"), 2)
      << "its export line and the one fault";
}

TEST(CvlCheck, SensorValueIsAskedAfterEachTextAndItsValuesShareALine) {
  const CheckRun run = RunChecker(TestBinDir() + "graphvalue.cvl");
  EXPECT_EQ(run.exitCode, 0u) << run.Text();
  EXPECT_TRUE(run.Has("Export SensorValue: found (optional)")) << run.Text();
  EXPECT_TRUE(run.Has("SensorValue: 0, 100, 0, 100, 0")) << run.Text();
  EXPECT_EQ(run.CountContaining("SensorValue"), 2) << run.Text();
  // Without the export the panel simply has no graph: no problem.
  const CheckRun without = RunChecker(TestBinDir() + "sensoronly.cvl");
  EXPECT_TRUE(without.Has("Export SensorValue: missing (optional): its panels have no history "
                          "graph"))
      << without.Text();
  EXPECT_EQ(without.lines.back(), "Result: no problems");
}

TEST(CvlCheck, ACallThatDoesNotReturnIsReportedAndEndsTheCheck) {
  const CheckRun run = RunChecker(TestBinDir() + "hang.cvl");
  EXPECT_EQ(run.exitCode, 1u) << run.Text();
  EXPECT_EQ(run.Problems(),
            std::vector<std::string>{
                "PROBLEM SensorFunction call 1: did not return within 10 s, the bar's limit: the "
                "bar takes it out of service, its panels show \"Error\"; the library stays "
                "loaded until the bar ends"})
      << run.Text();
  EXPECT_TRUE(run.Has("SensorIcon: a 16 x 16 bitmap")) << "the calls before it are reported";
  EXPECT_EQ(run.lines.back(), "Result: 1 problem, checking stopped at a call that did not return");
  EXPECT_GE(run.tookMs, 10000u);
  EXPECT_LT(run.tookMs, 30000u);
}

TEST(CvlCheck, WhatCannotBeLoadedAsAPluginEndsWith2) {
  const std::string dir = MakeTempDir("cvlcheck-not");
  const std::string text = dir + "Notes.cvl";
  HANDLE f = CreateFileA(text.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(f, "not a library", 13, &written, nullptr);
  CloseHandle(f);

  for (const std::string& plugin : {text, dir + "Missing.cvl"}) {
    const CheckRun run = RunChecker(plugin);
    EXPECT_EQ(run.exitCode, 2u) << run.Text();
    ASSERT_EQ(run.lines.size(), 2u) << run.Text();
    EXPECT_EQ(run.lines[0], "Plug-in " + plugin);
    EXPECT_EQ(run.lines[1].rfind("Result: not a plug-in, the library does not load (system error ", 0),
              0u)
        << run.lines[1];
  }
  const CheckRun library = RunChecker(TestBinDir() + "nofacilities.cvl");
  EXPECT_EQ(library.exitCode, 2u) << library.Text();
  EXPECT_EQ(library.lines.back(), "Result: not a plug-in, it does not export PluginFacilities");
}

TEST(KitTemplate, ShowsItsPanelAndRaisesItsWarningInTheShippedBar) {
  ResetVeltropKeys();
  SetString(HKEY_CURRENT_USER, "Software\\Wine\\X11 Driver", "Managed", "N");
  SetSetting("Settings", "InstalledDir", TestBinDir() + "kit\\");
  SetSetting("Plugins", "NoOfPlugins", "1");
  SetSetting("Plugins", "1", "Template.cvl");
  SetSetting("Panels", "NoOfPanels", "1");
  bartest::Panel(1, "TRUE", "1", "90");
  // The memory load is above 0 on every machine: the warning fires at once.
  const std::string warning = std::string(kCorvellaKey) + "\\Warnings\\1\\General";
  SetString(HKEY_LOCAL_MACHINE, warning, "Plugin", "TRUE");
  SetString(HKEY_LOCAL_MACHINE, warning, "Number", "1");
  SetString(HKEY_LOCAL_MACHINE, warning, "WarnVal", "0");
  SetSetting("Warnings", "NoOfWarnings", "1");

  MessageBoxWatcher boxes;
  ChildProcess bar;
  ASSERT_TRUE(bar.Start(BinDir() + "Main.exe", "SplashLaunch"));
  HWND window = WaitForTopWindow("TBarForm", "Corvella", bar.Pid(), 20000);
  ASSERT_NE(window, nullptr);
  std::string text;
  EXPECT_TRUE(WaitUntil([&] {
    text = WindowText(GetDlgItem(window, 1001));
    return text.rfind("Memory load ", 0) == 0 && text.back() == '%';  // never empty here
  }, 10000)) << text;
  ASSERT_TRUE(boxes.WaitForCount(1, 10000)) << boxes.Summary();
  EXPECT_EQ(boxes.Boxes()[0].text, "Warning: Memory load has risen above 0 %.");
  EXPECT_EQ(boxes.Boxes()[0].title, "Corvella");

  PostMessageA(window, WM_COMMAND, ExitMenu, 0);
  EXPECT_TRUE(bar.WaitExit(15000));
  EXPECT_EQ(boxes.Count(), 1u) << "no other box: the plug-in loaded. " << boxes.Summary();
  ResetVeltropKeys();
}
