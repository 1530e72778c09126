#pragma once
// What the Windows test suites share: where the binaries are, registry
// set-up and clean-up, child processes with time limits, finding windows and
// reading their texts, and a watcher that answers message boxes.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace wintest {

// Folders of the shipped binaries and of the test stand-ins, as Windows paths
// with a trailing backslash (from CVL_BIN and CVL_TESTBIN).
std::string BinDir();
std::string TestBinDir();
// A fresh empty folder under the temporary folder, with a trailing backslash.
std::string MakeTempDir(const std::string& tag);
bool CopyInto(const std::string& file, const std::string& dir);
// True in the Windows 98 mode of the harness (CVL_WINE_MODE=win98).
bool InWin98Mode();

// ---- Registry -------------------------------------------------------------
constexpr const char* kCorvellaKey = "Software\\Veltrop\\Corvella";
// Deletes a key and everything under it; true when it is gone afterwards.
bool DeleteTree(HKEY root, const std::string& path);
// Deletes HKLM\Software\Veltrop (every setting of the product).
void ResetVeltropKeys();
bool KeyExists(HKEY root, const std::string& path);
void SetString(HKEY root, const std::string& path, const std::string& name,
               const std::string& value, DWORD type = REG_SZ);
void SetDword(HKEY root, const std::string& path, const std::string& name, DWORD value);
void DeleteValue(HKEY root, const std::string& path, const std::string& name);
// The string value, or "<missing>" when absent or not a string.
std::string GetString(HKEY root, const std::string& path, const std::string& name);
// Shortcuts for HKLM\Software\Veltrop\Corvella\<section>.
void SetSetting(const std::string& section, const std::string& name, const std::string& value);
std::string Setting(const std::string& section, const std::string& name);
// A Windows 9x performance counter under HKEY_DYN_DATA\PerfStats\StatData.
void SetPerfStat(const std::string& name, DWORD value);
void DeletePerfStat(const std::string& name);

// ---- The system -----------------------------------------------------------
// GlobalMemoryStatusEx as this process sees it (the headers of the Windows
// 98 era do not declare it); all zeros where the system lacks it.
struct MemoryFigures {
  uint32_t Load = 0;
  uint64_t TotalPhys = 0, AvailPhys = 0;
};
MemoryFigures MemoryStatusEx();

// ---- Processes ------------------------------------------------------------
class ChildProcess {
 public:
  ChildProcess() = default;
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;
  // Starts "program" args in dir (empty: the program's own folder).
  bool Start(const std::string& program, const std::string& args = "",
             const std::string& dir = "");
  // Waits for the end; false when still running after ms.
  bool WaitExit(DWORD ms);
  bool Running() const;
  DWORD ExitCode() const;
  DWORD Pid() const { return pid_; }
  HANDLE Process() const { return process_; }
  void Kill();
  // Closes the process's top-level windows politely, then kills it after ms.
  bool Close(DWORD ms = 10000);

 private:
  HANDLE process_ = nullptr;
  DWORD pid_ = 0;
};

// ---- Windows --------------------------------------------------------------
// Polls until pred() holds; false after ms.
bool WaitUntil(const std::function<bool()>& pred, DWORD ms, DWORD step = 20);
// A top-level window of that class and title (either may be empty to match
// any) owned by process pid (0: any), or nullptr.
HWND FindTopWindow(const std::string& cls, const std::string& title, DWORD pid = 0,
                   bool visibleOnly = false);
HWND WaitForTopWindow(const std::string& cls, const std::string& title, DWORD pid, DWORD ms,
                      bool visibleOnly = false);
std::vector<HWND> TopWindows(DWORD pid);
// Direct children of parent, optionally of one class, in Z order.
std::vector<HWND> ChildWindows(HWND parent, const std::string& cls = "");
// The window text through WM_GETTEXT, also across processes.
std::string WindowText(HWND hwnd);
std::string ClassOf(HWND hwnd);
// A child (at any depth) whose text is exactly text, optionally of a class.
HWND FindChildByText(HWND parent, const std::string& text, const std::string& cls = "");
// Sends a click to a button (BM_CLICK, across processes).
void ClickButton(HWND button);
RECT WindowRectOf(HWND hwnd);
// The pixels of a window as the screen shows them (also another process's),
// row by row from the top, as COLORREF values.
std::vector<COLORREF> ScreenPixels(HWND hwnd);

// ---- Message boxes --------------------------------------------------------
struct BoxRecord {
  std::string title;
  std::string text;
  DWORD pid = 0;
  HWND owner = nullptr;  // the owner window (nullptr: a box without owner)
  bool topmost = false;  // system-modal boxes stay above every other window
  int answer = 0;        // the button id pressed
  // The icon: MB_ICONHAND (stop, error), MB_ICONQUESTION, MB_ICONEXCLAMATION
  // (warning) or MB_ICONASTERISK (information); 0 when the box has none,
  // kIconUnknown when it could not be told.
  int icon = 0;
  // The id of the default button (the one Enter presses), 0 when none.
  int defaultButton = 0;
};
constexpr int kIconUnknown = -1;

// Watches for message boxes of every process (a #32770 window with a static
// text control of id 0xFFFF and only statics and buttons as children),
// records title, text, icon and default button, and presses a button: the
// next queued answer, or else OK, else Cancel, else the first button. Runs
// until destroyed.
class MessageBoxWatcher {
 public:
  MessageBoxWatcher();
  ~MessageBoxWatcher();
  MessageBoxWatcher(const MessageBoxWatcher&) = delete;
  MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

  // Queue the button id (IDYES, IDNO, IDOK ...) for the next box.
  void Answer(int id);
  // Leave boxes open until Release() (for tests that check what happens while one shows).
  void Hold(bool hold);
  std::vector<BoxRecord> Boxes();
  size_t Count();
  // Waits until at least n boxes were seen.
  bool WaitForCount(size_t n, DWORD ms);
  void Clear();
  // Texts joined by " | " for assertion messages.
  std::string Summary();

 private:
  static DWORD WINAPI ThreadMain(LPVOID self);
  void Poll();
  CRITICAL_SECTION lock_;
  HANDLE stop_ = nullptr;
  HANDLE thread_ = nullptr;
  std::vector<BoxRecord> boxes_;
  std::vector<int> answers_;
  struct Seen {
    HWND hwnd;
    size_t record;  // index in boxes_, or -1 after Clear()
    int answer;     // 0 until pressed
    DWORD pressedAt;
  };
  std::vector<Seen> seen_;  // boxes on screen that were recorded
  bool hold_ = false;
};

// True when the window looks like a message box (see MessageBoxWatcher).
bool IsMessageBox(HWND hwnd);

}  // namespace wintest
