// The global services against the real system under Wine, in Windows 98 mode
// and in NT mode.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "shared/Globals.h"
#include "shared/core/CvlError.h"
#include "tests/support/WinTest.h"

using namespace wintest;

namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

bool FileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string DateText(const SYSTEMTIME& t) {
  char buf[128] = "";
  GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &t, nullptr, buf, sizeof buf);
  return buf;
}

std::string TimeText(const SYSTEMTIME& t) {
  char buf[128] = "";
  GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &t, nullptr, buf, sizeof buf);
  return buf;
}

// Every "date time" stamp the clock showed from one moment to another.
std::vector<std::string> StampsBetween(const SYSTEMTIME& from, const SYSTEMTIME& to) {
  FILETIME f, t;
  SystemTimeToFileTime(&from, &f);
  SystemTimeToFileTime(&to, &t);
  ULARGE_INTEGER a{}, b{};
  a.LowPart = f.dwLowDateTime;
  a.HighPart = f.dwHighDateTime;
  b.LowPart = t.dwLowDateTime;
  b.HighPart = t.dwHighDateTime;
  std::vector<std::string> stamps;
  for (ULONGLONG x = a.QuadPart - a.QuadPart % 10000000ull; x <= b.QuadPart; x += 10000000ull) {
    FILETIME ft;
    ft.dwLowDateTime = static_cast<DWORD>(x);
    ft.dwHighDateTime = static_cast<DWORD>(x >> 32);
    SYSTEMTIME st;
    FileTimeToSystemTime(&ft, &st);
    stamps.push_back(DateText(st) + " " + TimeText(st));
  }
  return stamps;
}

class CurrentDirectory {
 public:
  explicit CurrentDirectory(const std::string& dir) {
    GetCurrentDirectoryA(MAX_PATH, old_);
    SetCurrentDirectoryA(dir.c_str());
  }
  ~CurrentDirectory() { SetCurrentDirectoryA(old_); }

 private:
  char old_[MAX_PATH] = "";
};

LRESULT CALLBACK RecordingProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
  if (msg == WM_CLOSE) {
    SetPropA(hwnd, "closed", reinterpret_cast<HANDLE>(1));
    DestroyWindow(hwnd);
    return 0;
  }
  return DefWindowProcA(hwnd, msg, w, l);
}

HWND MakeWindow(DWORD style = WS_POPUP) {
  static bool registered = false;
  if (!registered) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = RecordingProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "CvlGlobalsTestWindow";
    RegisterClassA(&wc);
    registered = true;
  }
  // Pop-ups: Wine waits two seconds for the display when it destroys a
  // visible framed window.
  return CreateWindowA("CvlGlobalsTestWindow", "test", style, 10, 10, 200, 100, nullptr, nullptr,
                       GetModuleHandleA(nullptr), nullptr);
}

struct WarningCall {
  bool result = false;
};

DWORD WINAPI RaiseWarningThread(LPVOID p) {
  static_cast<WarningCall*>(p)->result = RaiseWarning("CPU Usage above 90%");
  return 0;
}

class Globals : public ::testing::Test {
 protected:
  void SetUp() override { ResetVeltropKeys(); }
  void TearDown() override {
    SetBarWindowHandle(nullptr);
    ResetVeltropKeys();
  }
};

}  // namespace

TEST_F(Globals, ReadPerfStatAnswersTheStoredCounterThroughTheKeptKey) {
  SetPerfStat("VFAT\\BReadsSec", 1234);
  DeletePerfStat("Cvl\\Absent");
  StartPerfStats();
  EXPECT_EQ(ReadPerfStat("VFAT\\BReadsSec"), 1234u);
  EXPECT_EQ(ReadPerfStat("Cvl\\Absent"), 0u);
  // A counter changed later is read through the same kept handle.
  SetPerfStat("VFAT\\BReadsSec", 0xFFFFFFF0u);
  EXPECT_EQ(ReadPerfStat("VFAT\\BReadsSec"), 0xFFFFFFF0u);
  // Starting again replaces the handle; the counters stay readable.
  StartPerfStats();
  EXPECT_EQ(ReadPerfStat("VFAT\\BReadsSec"), 0xFFFFFFF0u);
  // A value wider than the 4-byte buffer is a failed read: 0.
  SetString(HKEY_DYN_DATA, "PerfStats\\StatData", "Cvl\\Wide", "a long text value");
  EXPECT_EQ(ReadPerfStat("Cvl\\Wide"), 0u);
}

TEST_F(Globals, IsWindows98FollowsTheReportedVersion) {
  EXPECT_EQ(IsWindows98(), InWin98Mode());
}

TEST_F(Globals, MonitorRectOfUsesTheHelperOnlyOnWindows98) {
  const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
  {
    // No helper library anywhere on the search path: the primary screen.
    CurrentDirectory cwd(MakeTempDir("nohelper"));
    MonitorRect r = MonitorRectOf(nullptr);
    EXPECT_EQ(r.Left, 0);
    EXPECT_EQ(r.Top, 0);
    EXPECT_EQ(r.Width, cx);
    EXPECT_EQ(r.Height, cy);
  }
  {
    // The stand-in helper is found in the current folder.
    CurrentDirectory cwd(TestBinDir());
    HWND probe = reinterpret_cast<HWND>(static_cast<UINT_PTR>(0x1234));
    MonitorRect r = MonitorRectOf(probe);
    if (InWin98Mode()) {
      EXPECT_EQ(r.Left, -1280);
      EXPECT_EQ(r.Top, 16);
      EXPECT_EQ(r.Width, 1280);
      EXPECT_EQ(r.Height, 0x1234);
    } else {
      EXPECT_EQ(r.Left, 0);
      EXPECT_EQ(r.Width, cx);
      EXPECT_EQ(r.Height, cy);
    }
    // Loaded and released on every call.
    EXPECT_EQ(GetModuleHandleA("Screenspan.dll"), nullptr);
  }
}

TEST_F(Globals, RaiseWarningLogsOnlyAfterTheBoxIsClosed) {
  const std::string dir = MakeTempDir("warn");
  SetSetting("Settings", "InstalledDir", dir);
  SetSetting("Settings", "AudioWarnings", "TRUE");
  SetSetting("Settings", "LogWarnings", "TRUE");
  const std::string log = dir + "cvllog.txt";

  MessageBoxWatcher boxes;
  boxes.Hold(true);
  WarningCall call;
  HANDLE thread = CreateThread(nullptr, 0, RaiseWarningThread, &call, 0, nullptr);
  ASSERT_TRUE(boxes.WaitForCount(1, 15000)) << "no warning box";
  Sleep(2100);  // the box stays open: the line must carry the closing time
  EXPECT_EQ(WaitForSingleObject(thread, 0), static_cast<DWORD>(WAIT_TIMEOUT));
  EXPECT_FALSE(FileExists(log) && !ReadFile(log).empty()) << "logged before the box closed";

  SYSTEMTIME released;
  GetLocalTime(&released);
  boxes.Hold(false);
  ASSERT_EQ(WaitForSingleObject(thread, 10000), static_cast<DWORD>(WAIT_OBJECT_0));
  CloseHandle(thread);
  SYSTEMTIME finished;
  GetLocalTime(&finished);
  EXPECT_TRUE(call.result);

  std::vector<BoxRecord> seen = boxes.Boxes();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].title, "Corvella");
  EXPECT_EQ(seen[0].text, "Warning: CPU Usage above 90%");
  EXPECT_EQ(seen[0].owner, nullptr);
  EXPECT_TRUE(seen[0].topmost) << "not system-modal";

  const std::string text = ReadFile(log);
  bool matched = false;
  for (const std::string& stamp : StampsBetween(released, finished))
    matched = matched || text == stamp + " : Warning: CPU Usage above 90%\r\n";
  EXPECT_TRUE(matched) << "log holds: " << text;
}

TEST_F(Globals, LogLineAppendsToTheInstalledFolderOrTheCurrentOne) {
  const std::string here = MakeTempDir("cwdlog");
  CurrentDirectory cwd(here);
  SYSTEMTIME from;
  GetLocalTime(&from);
  LogLine("12:30:01");
  LogLine("Cpu 5%");
  SYSTEMTIME to;
  GetLocalTime(&to);
  const std::string text = ReadFile(here + "cvllog.txt");
  const size_t split = text.find("\r\n") + 2;
  ASSERT_NE(split, std::string::npos + 2) << text;
  bool first = false, second = false;
  for (const std::string& stamp : StampsBetween(from, to)) {
    first = first || text.substr(0, split) == stamp + " : Logged: 12:30:01\r\n";
    second = second || text.substr(split) == stamp + " : Logged: Cpu 5%\r\n";
  }
  EXPECT_TRUE(first && second) << text;

  const std::string installed = MakeTempDir("installed");
  SetSetting("Settings", "InstalledDir", installed);
  LogLine("there");
  EXPECT_NE(ReadFile(installed + "cvllog.txt").find(" : Logged: there\r\n"), std::string::npos);
  EXPECT_EQ(ReadFile(here + "cvllog.txt"), text);

  SetSetting("Settings", "InstalledDir", installed + "no such folder\\");
  EXPECT_THROW(LogLine("lost"), CvlError);
}

TEST_F(Globals, ShowErrorBoxIsOwnedByTheBarAndReadsCodeAndDescription) {
  HWND bar = MakeWindow();
  SetBarWindowHandle(bar);
  MessageBoxWatcher boxes;
  ShowError("An Error has Occured Trying to Display Corvella", "05.",
            "Failed to set data for 'OnTop'");
  ASSERT_EQ(boxes.Count(), 1u);
  const BoxRecord box = boxes.Boxes()[0];
  EXPECT_EQ(box.title, "Corvella");
  EXPECT_EQ(box.text,
            "An Error has Occured Trying to Display Corvella Error Code: 05. Description: "
            "Failed to set data for 'OnTop'");
  EXPECT_EQ(box.owner, bar);
  EXPECT_TRUE(IsWindow(bar));
  DestroyWindow(bar);
}

TEST_F(Globals, ShowFatalErrorClosesTheBarAndEndsTheMessageLoop) {
  HWND bar = MakeWindow();
  SetBarWindowHandle(bar);
  MessageBoxWatcher boxes;
  ShowFatalError("An Error has Occured Trying to Display Corvella.", "01.", "Range check error");
  EXPECT_EQ(boxes.Summary(),
            "Corvella: An Error has Occured Trying to Display Corvella. Error Code: 01. "
            "Description: Range check error");
  EXPECT_FALSE(IsWindow(bar)) << "the bar was not closed";
  MSG msg;
  bool quit = false;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) quit = quit || msg.message == WM_QUIT;
  EXPECT_TRUE(quit) << "no WM_QUIT posted";
}

TEST_F(Globals, DialUpAsksOnlyALoadedLibraryForItsConnections) {
  ASSERT_EQ(GetModuleHandleA("rasapi32.dll"), nullptr) << "loaded before the test";
  EXPECT_FALSE(IsDialUpConnected());
  EXPECT_EQ(GetModuleHandleA("rasapi32.dll"), nullptr) << "the query loaded the library";

  // Wine prefers its own system libraries even when loading by path. Its
  // loader reads this key (which the harness creates with the prefix) at
  // every load, so the stand-in may come in instead for a moment.
  const std::string overrides = "Software\\Wine\\DllOverrides";
  SetString(HKEY_CURRENT_USER, overrides, "rasapi32", "native");
  HMODULE ras = LoadLibraryA((TestBinDir() + "rasapi32.dll").c_str());
  DeleteValue(HKEY_CURRENT_USER, overrides, "rasapi32");
  ASSERT_NE(ras, nullptr);
  typedef void(WINAPI * SetConnections)(DWORD);
  auto set = reinterpret_cast<SetConnections>(
      reinterpret_cast<void (*)()>(GetProcAddress(ras, "SetFakeConnections")));
  ASSERT_NE(set, nullptr) << "the system library was loaded instead of the stand-in";
  set(0);
  EXPECT_FALSE(IsDialUpConnected());
  set(1);
  EXPECT_TRUE(IsDialUpConnected());  // also proves the 412-byte record and 41200-byte buffer
  set(3);
  EXPECT_TRUE(IsDialUpConnected());
  FreeLibrary(ras);
}

TEST_F(Globals, DiskFreeSpaceLeavesOutputsAloneOnFailure) {
  uint64_t avail = 11, total = 22, totalFree = 33;
  DiskFreeSpace("C:\\", avail, total, totalFree);
  EXPECT_GT(total, 0u);
  EXPECT_LE(totalFree, total);
  EXPECT_LE(avail, totalFree);

  avail = 11, total = 22, totalFree = 33;
  DiskFreeSpace("C:\\no such folder\\at all\\", avail, total, totalFree);
  EXPECT_EQ(avail, 11u);
  EXPECT_EQ(total, 22u);
  EXPECT_EQ(totalFree, 33u);

  // The old path leaves the output alone when the drive cannot be asked.
  uint64_t byGeometry = 77;
  DiskFreeSpaceByGeometry("C:\\no such folder\\at all\\", byGeometry);
  EXPECT_EQ(byGeometry, 77u);
}

TEST_F(Globals, CountWindowsSeesNewWindowsByState) {
  HWND bar = MakeWindow(WS_POPUP | WS_VISIBLE);
  SetBarWindowHandle(bar);
  WindowCounts before;
  before.Total = -1;
  CountWindows(before);
  HWND shown = MakeWindow(WS_POPUP | WS_VISIBLE);
  HWND hidden = MakeWindow(WS_POPUP);
  // Minimised counts before visibility.
  HWND iconic = MakeWindow(WS_POPUP | WS_MINIMIZE);
  WindowCounts after;
  CountWindows(after);
  EXPECT_EQ(after.Total - before.Total, 3);
  EXPECT_EQ(after.Visible - before.Visible, 1);
  EXPECT_EQ(after.Minimised - before.Minimised, 1);
  EXPECT_GE(after.Processes, 1);
  for (HWND w : {bar, shown, hidden, iconic}) DestroyWindow(w);
}

namespace {

// The counts are those of the walk from the first top-level window with
// GW_HWNDNEXT, the windows of other processes (Wine's desktop) included.
WindowCounts ZOrderWalk(HWND from) {
  WindowCounts c;
  uint32_t previous = 0;
  for (HWND w = GetWindow(from, GW_HWNDFIRST); w; w = GetWindow(w, GW_HWNDNEXT)) {
    WindowFacts facts;
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    facts.ProcessId = pid;
    facts.Minimised = IsIconic(w) != FALSE;
    facts.Visible = IsWindowVisible(w) != FALSE;
    TallyWindow(c, previous, facts);
  }
  return c;
}

bool Same(const WindowCounts& a, const WindowCounts& b) {
  return a.Total == b.Total && a.Visible == b.Visible && a.Minimised == b.Minimised &&
         a.Processes == b.Processes;
}

}  // namespace

TEST_F(Globals, CountWindowsMatchesTheZOrderWalk) {
  HWND bar = MakeWindow(WS_POPUP | WS_VISIBLE);
  HWND iconic = MakeWindow(WS_POPUP | WS_MINIMIZE);
  SetBarWindowHandle(bar);
  // Another process may open or close a window meanwhile: compared only
  // when the reference walk is the same before and after.
  bool compared = false;
  for (int attempt = 0; attempt < 5 && !compared; ++attempt) {
    const WindowCounts before = ZOrderWalk(bar);
    WindowCounts counted;
    CountWindows(counted);
    if (!Same(before, ZOrderWalk(bar))) continue;
    compared = true;
    EXPECT_EQ(counted.Total, before.Total);
    EXPECT_EQ(counted.Visible, before.Visible);
    EXPECT_EQ(counted.Minimised, before.Minimised);
    EXPECT_EQ(counted.Processes, before.Processes);
    EXPECT_GE(counted.Processes, 2) << "no window of another process to walk over";
  }
  EXPECT_TRUE(compared);
  for (HWND w : {bar, iconic}) DestroyWindow(w);
}
