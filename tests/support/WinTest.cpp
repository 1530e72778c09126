#include "tests/support/WinTest.h"

#include <algorithm>
#include <cstdio>

namespace wintest {

namespace {

std::string Env(const char* name) {
  char buf[1024];
  DWORD n = GetEnvironmentVariableA(name, buf, sizeof buf);
  if (n == 0 || n >= sizeof buf) return std::string();
  return std::string(buf, n);
}

std::string WithSlash(std::string dir) {
  if (!dir.empty() && dir.back() != '\\') dir += '\\';
  return dir;
}

}  // namespace

std::string BinDir() { return WithSlash(Env("CVL_BIN")); }
std::string TestBinDir() { return WithSlash(Env("CVL_TESTBIN")); }
bool InWin98Mode() { return Env("CVL_WINE_MODE") == "win98"; }

MemoryFigures MemoryStatusEx() {
  struct {
    DWORD Length, Load;
    DWORDLONG TotalPhys, AvailPhys, Rest[5];
  } status = {};
  status.Length = sizeof status;
  typedef BOOL(WINAPI * StatusProc)(void*);
  auto query = reinterpret_cast<StatusProc>(reinterpret_cast<void (*)()>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "GlobalMemoryStatusEx")));
  MemoryFigures m;
  if (query && query(&status)) {
    m.Load = status.Load;
    m.TotalPhys = status.TotalPhys;
    m.AvailPhys = status.AvailPhys;
  }
  return m;
}

std::string MakeTempDir(const std::string& tag) {
  char tmp[MAX_PATH];
  GetTempPathA(MAX_PATH, tmp);
  static int counter = 0;
  // Process ids come round again between runs: only a folder this call
  // created itself is fresh and empty.
  for (;;) {
    char name[MAX_PATH + 64];
    std::snprintf(name, sizeof name, "%scvl-%s-%lu-%lu-%d", tmp, tag.c_str(),
                  static_cast<unsigned long>(GetCurrentProcessId()),
                  static_cast<unsigned long>(GetTickCount()), ++counter);
    if (CreateDirectoryA(name, nullptr)) return WithSlash(name);
    if (GetLastError() != ERROR_ALREADY_EXISTS) return WithSlash(name);
  }
}

bool CopyInto(const std::string& file, const std::string& dir) {
  std::string base = file.substr(file.find_last_of("\\/") + 1);
  return CopyFileA(file.c_str(), (WithSlash(dir) + base).c_str(), FALSE) != FALSE;
}

// ---- Registry -------------------------------------------------------------

bool DeleteTree(HKEY root, const std::string& path) {
  HKEY key;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
    std::vector<std::string> subkeys;
    char name[512];
    for (DWORD i = 0;; ++i) {
      DWORD len = sizeof name;
      if (RegEnumKeyExA(key, i, name, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        break;
      subkeys.emplace_back(name, len);
    }
    RegCloseKey(key);
    for (const auto& sub : subkeys) DeleteTree(root, path + "\\" + sub);
    RegDeleteKeyA(root, path.c_str());
  }
  return !KeyExists(root, path);
}

void ResetVeltropKeys() { DeleteTree(HKEY_LOCAL_MACHINE, "Software\\Veltrop"); }

bool KeyExists(HKEY root, const std::string& path) {
  HKEY key;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

void SetString(HKEY root, const std::string& path, const std::string& name,
               const std::string& value, DWORD type) {
  HKEY key;
  if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
      ERROR_SUCCESS)
    return;
  RegSetValueExA(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>(value.size() + 1));
  RegCloseKey(key);
}

void SetDword(HKEY root, const std::string& path, const std::string& name, DWORD value) {
  HKEY key;
  if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
      ERROR_SUCCESS)
    return;
  RegSetValueExA(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                 sizeof value);
  RegCloseKey(key);
}

void DeleteValue(HKEY root, const std::string& path, const std::string& name) {
  HKEY key;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
  RegDeleteValueA(key, name.c_str());
  RegCloseKey(key);
}

std::string GetString(HKEY root, const std::string& path, const std::string& name) {
  HKEY key;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return "<missing>";
  DWORD type = 0, size = 0;
  std::string result = "<missing>";
  if (RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
      (type == REG_SZ || type == REG_EXPAND_SZ)) {
    std::vector<char> data(size + 1, '\0');
    if (RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                         &size) == ERROR_SUCCESS)
      result = data.data();
  }
  RegCloseKey(key);
  return result;
}

void SetSetting(const std::string& section, const std::string& name, const std::string& value) {
  SetString(HKEY_LOCAL_MACHINE, std::string(kCorvellaKey) + "\\" + section, name, value);
}

std::string Setting(const std::string& section, const std::string& name) {
  return GetString(HKEY_LOCAL_MACHINE, std::string(kCorvellaKey) + "\\" + section, name);
}

void SetPerfStat(const std::string& name, DWORD value) {
  SetDword(HKEY_DYN_DATA, "PerfStats\\StatData", name, value);
}

void DeletePerfStat(const std::string& name) {
  DeleteValue(HKEY_DYN_DATA, "PerfStats\\StatData", name);
}

// ---- Processes ------------------------------------------------------------

ChildProcess::~ChildProcess() {
  if (Running()) Kill();
  if (process_) CloseHandle(process_);
}

bool ChildProcess::Start(const std::string& program, const std::string& args,
                         const std::string& dir) {
  std::string cmd = "\"" + program + "\"";
  if (!args.empty()) cmd += " " + args;
  std::string cwd = dir;
  if (cwd.empty()) cwd = program.substr(0, program.find_last_of("\\/") + 1);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::vector<char> line(cmd.begin(), cmd.end());
  line.push_back('\0');
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      cwd.empty() ? nullptr : cwd.c_str(), &si, &pi))
    return false;
  CloseHandle(pi.hThread);
  process_ = pi.hProcess;
  pid_ = pi.dwProcessId;
  return true;
}

bool ChildProcess::WaitExit(DWORD ms) {
  return process_ && WaitForSingleObject(process_, ms) == WAIT_OBJECT_0;
}

bool ChildProcess::Running() const {
  return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

DWORD ChildProcess::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  if (process_) GetExitCodeProcess(process_, &code);
  return code;
}

void ChildProcess::Kill() {
  if (!process_) return;
  TerminateProcess(process_, 99);
  WaitForSingleObject(process_, 5000);
}

bool ChildProcess::Close(DWORD ms) {
  if (!Running()) return true;
  for (HWND w : TopWindows(pid_)) PostMessageA(w, WM_CLOSE, 0, 0);
  if (WaitExit(ms)) return true;
  Kill();
  return false;
}

// ---- Windows --------------------------------------------------------------

bool WaitUntil(const std::function<bool()>& pred, DWORD ms, DWORD step) {
  DWORD start = GetTickCount();
  for (;;) {
    if (pred()) return true;
    if (GetTickCount() - start >= ms) return false;
    Sleep(step);
  }
}

namespace {

struct TopSearch {
  std::string cls, title;
  DWORD pid;
  bool visibleOnly;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectTop(HWND hwnd, LPARAM param) {
  auto* s = reinterpret_cast<TopSearch*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (s->pid && pid != s->pid) return TRUE;
  if (s->visibleOnly && !IsWindowVisible(hwnd)) return TRUE;
  if (!s->cls.empty() && ClassOf(hwnd) != s->cls) return TRUE;
  if (!s->title.empty() && WindowText(hwnd) != s->title) return TRUE;
  s->found.push_back(hwnd);
  return TRUE;
}

BOOL CALLBACK CollectChild(HWND hwnd, LPARAM param) {
  reinterpret_cast<std::vector<HWND>*>(param)->push_back(hwnd);
  return TRUE;
}

}  // namespace

HWND FindTopWindow(const std::string& cls, const std::string& title, DWORD pid, bool visibleOnly) {
  TopSearch s{cls, title, pid, visibleOnly, {}};
  EnumWindows(CollectTop, reinterpret_cast<LPARAM>(&s));
  return s.found.empty() ? nullptr : s.found.front();
}

HWND WaitForTopWindow(const std::string& cls, const std::string& title, DWORD pid, DWORD ms,
                      bool visibleOnly) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindTopWindow(cls, title, pid, visibleOnly)) != nullptr; }, ms);
  return found;
}

std::vector<HWND> TopWindows(DWORD pid) {
  TopSearch s{"", "", pid, false, {}};
  EnumWindows(CollectTop, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

std::vector<HWND> ChildWindows(HWND parent, const std::string& cls) {
  std::vector<HWND> result;
  for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
    if (cls.empty() || ClassOf(c) == cls) result.push_back(c);
  return result;
}

std::string WindowText(HWND hwnd) {
  DWORD_PTR len = 0;
  if (!SendMessageTimeoutA(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &len))
    return std::string();
  std::vector<char> buf(len + 2, '\0');
  DWORD_PTR got = 0;
  if (!SendMessageTimeoutA(hwnd, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(buf.data()),
                           SMTO_ABORTIFHUNG, 2000, &got))
    return std::string();
  return std::string(buf.data());
}

std::string ClassOf(HWND hwnd) {
  char cls[256] = "";
  GetClassNameA(hwnd, cls, sizeof cls);
  return cls;
}

HWND FindChildByText(HWND parent, const std::string& text, const std::string& cls) {
  std::vector<HWND> all;
  EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&all));
  for (HWND h : all)
    if ((cls.empty() || ClassOf(h) == cls) && WindowText(h) == text) return h;
  return nullptr;
}

void ClickButton(HWND button) {
  HWND parent = GetParent(button);
  PostMessageA(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
               reinterpret_cast<LPARAM>(button));
}

RECT WindowRectOf(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  return r;
}

// ---- Message boxes --------------------------------------------------------

bool IsMessageBox(HWND hwnd) {
  if (ClassOf(hwnd) != "#32770") return false;
  std::vector<HWND> children = ChildWindows(hwnd);
  if (children.empty() || children.size() > 8) return false;
  bool hasText = false;
  for (HWND c : children) {
    std::string cls = ClassOf(c);
    if (cls != "Static" && cls != "Button") return false;
    if (cls == "Static" && GetDlgCtrlID(c) == 0xFFFF) hasText = true;
  }
  return hasText;
}

namespace {

// The system's message-box icons by the style bit that asks for them.
struct SystemIcon {
  LPCSTR id;
  int style;
};
const SystemIcon kSystemIcons[] = {{IDI_HAND, MB_ICONHAND},
                                   {IDI_QUESTION, MB_ICONQUESTION},
                                   {IDI_EXCLAMATION, MB_ICONEXCLAMATION},
                                   {IDI_ASTERISK, MB_ICONASTERISK}};

// The pixels of a w x h area of dc, as 32-bit colours.
std::vector<DWORD> Pixels(HDC source, int x, int y, int w, int h) {
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
  HGDIOBJ old = SelectObject(mem, bmp);
  BitBlt(mem, 0, 0, w, h, source, x, y, SRCCOPY);
  SelectObject(mem, old);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  std::vector<DWORD> bits(static_cast<size_t>(w) * h);
  GetDIBits(mem, bmp, 0, h, bits.data(), &bi, DIB_RGB_COLORS);
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  return bits;
}

}  // namespace

std::vector<COLORREF> ScreenPixels(HWND hwnd) {
  const RECT r = WindowRectOf(hwnd);
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (w <= 0 || h <= 0) return {};
  HDC screen = GetDC(nullptr);
  const std::vector<DWORD> bits = Pixels(screen, r.left, r.top, w, h);
  ReleaseDC(nullptr, screen);
  std::vector<COLORREF> out;
  out.reserve(bits.size());
  for (int y = h - 1; y >= 0; --y)  // the bitmap's rows run from the bottom
    for (int x = 0; x < w; ++x) {
      const DWORD bgr = bits[static_cast<size_t>(y) * w + x];
      out.push_back(RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF));
    }
  return out;
}

namespace {

// Which system icon the icon control shows on the screen: each is drawn
// here on the dialog colour and compared pixel for pixel. 0 when none
// matches (not painted yet, or covered).
int IconOnScreen(HWND control) {
  RECT r;
  if (!GetWindowRect(control, &r)) return 0;
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (w <= 0 || h <= 0 || w > 256 || h > 256) return 0;
  HDC screen = GetDC(nullptr);
  const std::vector<DWORD> shown = Pixels(screen, r.left, r.top, w, h);
  int found = 0;
  for (const SystemIcon& k : kSystemIcons) {
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = SelectObject(mem, bmp);
    RECT all = {0, 0, w, h};
    FillRect(mem, &all, GetSysColorBrush(COLOR_BTNFACE));
    DrawIconEx(mem, 0, 0, LoadIconA(nullptr, k.id), 0, 0, 0, nullptr, DI_NORMAL);
    const std::vector<DWORD> drawn = Pixels(mem, 0, 0, w, h);
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    if (drawn == shown) {
      found = k.style;
      break;
    }
  }
  ReleaseDC(nullptr, screen);
  return found;
}

// The icon of a message box. The system's icons are shared within a
// process, so a box of this process shows the very handle LoadIcon gives
// here. A box of another process holds a handle of its own that this
// process can neither compare nor read (so it is seen on the screen).
int IconOfBox(HWND box) {
  HWND control = GetDlgItem(box, 0x440);  // the message box's icon static
  if (!control || !IsWindowVisible(control)) return 0;
  DWORD_PTR handle = 0;
  if (!SendMessageTimeoutA(control, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, 2000, &handle) ||
      !handle)
    return 0;
  for (const SystemIcon& k : kSystemIcons)
    if (reinterpret_cast<DWORD_PTR>(LoadIconA(nullptr, k.id)) == handle) return k.style;
  for (int attempt = 0; attempt < 20; ++attempt) {
    if (int style = IconOnScreen(control)) return style;
    Sleep(25);
  }
  return kIconUnknown;
}

// The button Enter presses: the default push button. (The dialog's own
// default id, DM_GETDEFID, is asked when no button carries that style; Wine
// leaves it at IDOK even where a box has no OK button.)
int DefaultButtonOfBox(HWND box) {
  std::vector<int> ids;
  for (HWND c : ChildWindows(box, "Button")) {
    ids.push_back(GetDlgCtrlID(c));
    if ((GetWindowLongA(c, GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON) return GetDlgCtrlID(c);
  }
  DWORD_PTR def = 0;
  if (SendMessageTimeoutA(box, DM_GETDEFID, 0, 0, SMTO_ABORTIFHUNG, 2000, &def) &&
      HIWORD(def) == DC_HASDEFID &&
      std::find(ids.begin(), ids.end(), LOWORD(def)) != ids.end())
    return LOWORD(def);
  return 0;
}

}  // namespace

MessageBoxWatcher::MessageBoxWatcher() {
  InitializeCriticalSection(&lock_);
  stop_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  thread_ = CreateThread(nullptr, 0, ThreadMain, this, 0, nullptr);
}

MessageBoxWatcher::~MessageBoxWatcher() {
  SetEvent(stop_);
  WaitForSingleObject(thread_, 10000);
  CloseHandle(thread_);
  CloseHandle(stop_);
  DeleteCriticalSection(&lock_);
}

DWORD WINAPI MessageBoxWatcher::ThreadMain(LPVOID self) {
  auto* w = static_cast<MessageBoxWatcher*>(self);
  while (WaitForSingleObject(w->stop_, 40) == WAIT_TIMEOUT) w->Poll();
  return 0;
}

namespace {
BOOL CALLBACK CollectAllTop(HWND hwnd, LPARAM param) {
  reinterpret_cast<std::vector<HWND>*>(param)->push_back(hwnd);
  return TRUE;
}
}  // namespace

void MessageBoxWatcher::Poll() {
  std::vector<HWND> tops;
  EnumWindows(CollectAllTop, reinterpret_cast<LPARAM>(&tops));
  for (HWND h : tops) {
    if (!IsWindowVisible(h) || !IsMessageBox(h)) continue;
    EnterCriticalSection(&lock_);
    auto seen = std::find_if(seen_.begin(), seen_.end(), [h](const Seen& e) { return e.hwnd == h; });
    const bool known = seen != seen_.end();
    const bool hold = hold_;
    if (known && seen->answer != 0) {
      // Answered already. A press can be lost when the box's thread is busy
      // under load: press again with the same answer while it is still here.
      if (!hold && GetTickCount() - seen->pressedAt >= 1500) {
        seen->pressedAt = GetTickCount();
        PostMessageA(h, WM_COMMAND, MAKEWPARAM(seen->answer, BN_CLICKED), 0);
      }
      LeaveCriticalSection(&lock_);
      continue;
    }
    LeaveCriticalSection(&lock_);
    if (!known) {
      BoxRecord rec;
      rec.title = WindowText(h);
      for (HWND c : ChildWindows(h, "Static"))
        if (GetDlgCtrlID(c) == 0xFFFF) rec.text = WindowText(c);
      GetWindowThreadProcessId(h, &rec.pid);
      rec.owner = GetWindow(h, GW_OWNER);
      rec.topmost = (GetWindowLongA(h, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
      rec.icon = IconOfBox(h);
      rec.defaultButton = DefaultButtonOfBox(h);
      EnterCriticalSection(&lock_);
      seen_.push_back(Seen{h, boxes_.size(), 0, 0});
      boxes_.push_back(rec);
      LeaveCriticalSection(&lock_);
    }
    if (hold) continue;
    std::vector<int> ids;
    for (HWND c : ChildWindows(h, "Button")) ids.push_back(GetDlgCtrlID(c));
    auto has = [&](int id) { return std::find(ids.begin(), ids.end(), id) != ids.end(); };
    EnterCriticalSection(&lock_);
    int answer = 0;
    if (!answers_.empty()) {
      answer = answers_.front();
      answers_.erase(answers_.begin());
    }
    LeaveCriticalSection(&lock_);
    if (!answer || !has(answer)) {
      if (has(IDOK)) answer = IDOK;
      else if (has(IDCANCEL)) answer = IDCANCEL;
      else if (!ids.empty()) answer = ids.front();
      else answer = IDOK;
    }
    EnterCriticalSection(&lock_);
    for (Seen& e : seen_) {
      if (e.hwnd != h) continue;
      e.answer = answer;
      e.pressedAt = GetTickCount();
      if (e.record < boxes_.size()) boxes_[e.record].answer = answer;
    }
    LeaveCriticalSection(&lock_);
    PostMessageA(h, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
  }
  // Forget boxes that are gone, so a new box that reuses a handle is seen.
  EnterCriticalSection(&lock_);
  seen_.erase(std::remove_if(seen_.begin(), seen_.end(),
                             [](const Seen& e) { return !IsWindow(e.hwnd); }),
              seen_.end());
  LeaveCriticalSection(&lock_);
}

void MessageBoxWatcher::Answer(int id) {
  EnterCriticalSection(&lock_);
  answers_.push_back(id);
  LeaveCriticalSection(&lock_);
}

void MessageBoxWatcher::Hold(bool hold) {
  EnterCriticalSection(&lock_);
  hold_ = hold;
  LeaveCriticalSection(&lock_);
}

std::vector<BoxRecord> MessageBoxWatcher::Boxes() {
  EnterCriticalSection(&lock_);
  std::vector<BoxRecord> copy = boxes_;
  LeaveCriticalSection(&lock_);
  return copy;
}

size_t MessageBoxWatcher::Count() { return Boxes().size(); }

bool MessageBoxWatcher::WaitForCount(size_t n, DWORD ms) {
  return WaitUntil([&] { return Count() >= n; }, ms);
}

void MessageBoxWatcher::Clear() {
  EnterCriticalSection(&lock_);
  boxes_.clear();
  for (Seen& e : seen_) e.record = static_cast<size_t>(-1);  // boxes still closing stay known
  answers_.clear();
  LeaveCriticalSection(&lock_);
}

std::string MessageBoxWatcher::Summary() {
  std::string s;
  for (const auto& b : Boxes()) {
    if (!s.empty()) s += " | ";
    s += b.title + ": " + b.text;
  }
  return s.empty() ? "<no boxes>" : s;
}

}  // namespace wintest
