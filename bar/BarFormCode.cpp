#include "bar/BarFormCode.h"

#include <shellapi.h>

#include <exception>

#include "bar/DisplayThreadCode.h"
#include "shared/Globals.h"
#include "bar/PanelWindows.h"
#include "bar/ShellAppBar.h"
#include "bar/core/BarColours.h"
#include "shared/core/CvlError.h"
#include "shared/win32/Handle.h"
#include "shared/win32/Window.h"
#include "shared/win32/OpenAddress.h"
#include "shared/win32/StoredColour.h"

TBarForm* BarForm = nullptr;

namespace {

constexpr int kHotKeyIds[] = {1, 2, 3, 4};

// Presses on the settings button, sent by the button to the bar.
constexpr UINT WM_SETTINGSPRESS = WM_USER + 161;

// The window as designed: at 688, 77 with a 228 x 34 client area, a dialog
// border and no border icons.
constexpr DWORD kBarStyle = WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN;
constexpr DWORD kBarExStyle = WS_EX_DLGMODALFRAME;

// The first layout of the notification-icon record (88 bytes), the one
// every shell of Windows 95 and 98 takes.
constexpr DWORD kNotifyIconRecordSize = NOTIFYICONDATAA_V1_SIZE;
static_assert(NOTIFYICONDATAA_V1_SIZE == 88, "notification-icon record of Windows 95");

bool RegisterBarClass(WNDPROC WindowProc) {
  WNDCLASSA wc{};
  HINSTANCE instance = ThisModule();
  if (GetClassInfoA(instance, kBarClassName, &wc)) return true;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1));
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.lpszClassName = kBarClassName;
  return RegisterClassA(&wc) != 0;
}

void Add(HMENU menu, UINT id, const char* caption) {
  if (!AppendMenuA(menu, MF_STRING, id, caption)) throw CvlError("Cannot build the bar menu");
}

void Separator(HMENU menu) { AppendMenuA(menu, MF_SEPARATOR, 0, nullptr); }

// The pop-up menu as designed, with its sub-menus; the caller destroys it.
HMENU CreateBarPopupMenu() {
  HMENU popup = CreatePopupMenu();
  HMENU position = CreatePopupMenu();
  HMENU help = CreatePopupMenu();
  Add(position, BarFloatMenu, "&Floating");
  Add(position, BarTopMenu, "Docked at &Top       Alt+T");
  Add(position, BarBottomMenu, "Docked at &Bottom  Alt+B");
  Add(position, MinimiseMenu, "&Minimized             Alt+M");
  Separator(position);
  Add(position, OnTopMenu, "&Always on Top");
  Add(position, AutoHideMenu, "Auto &Hide (when docked)");
  Add(help, HelpMenu, "&Corvella Help...");
  Separator(help);
  Add(help, WebMenu, "Veltrop Web Site...");
  Add(help, UpdatesMenu, "Check for Updates...");
  Separator(help);
  Add(help, AboutMenu, "&About Corvella...");

  Add(popup, SettingsMenu, "&Settings...");
  AppendMenuA(popup, MF_POPUP, reinterpret_cast<UINT_PTR>(position), "&Bar Positioning");
  Add(popup, PauseMenu, "&Pause               Alt+P");
  Add(popup, RefreshMenu, "&Refresh");
  Separator(popup);
  AppendMenuA(popup, MF_POPUP, reinterpret_cast<UINT_PTR>(help), "&Help");
  Separator(popup);
  Add(popup, ExitMenu, "&Exit");
  SetMenuDefaultItem(popup, SettingsMenu, FALSE);
  return popup;
}

// Replaces the caption and keeps the check.
void SetMenuCaption(HMENU menu, UINT item, const std::string& caption) {
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_TYPE;
  info.fType = MFT_STRING;
  info.dwTypeData = const_cast<char*>(caption.c_str());
  SetMenuItemInfoA(menu, item, FALSE, &info);
}

// A command's error reaches the user as a plain box; the bar keeps running.
void ReportCommandError(HWND owner, const char* text) {
  MessageBoxA(owner, text, kBarCaption, MB_OK | MB_ICONSTOP);
}

LRESULT PressSettings(HWND button, MouseButton which) {
  SendMessageA(GetParent(button), WM_SETTINGSPRESS, static_cast<WPARAM>(which), 0);
  return 0;
}

// The settings button: presses of any button go to the bar.
LRESULT CALLBACK SettingsPanelProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      return PressSettings(hwnd, MouseButton::Left);
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      return PressSettings(hwnd, MouseButton::Right);
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
      return PressSettings(hwnd, MouseButton::Middle);
    case WM_CONTEXTMENU:
      return 0;  // the press has opened the menu already
    default:
      return CallWindowProcA(reinterpret_cast<WNDPROC>(GetClassLongPtrA(hwnd, GCLP_WNDPROC)),
                             hwnd, msg, w, l);
  }
}

// The rules' bar window is this one.
TBarForm& Form(BarWindow& bar) { return static_cast<TBarForm&>(bar); }

}  // namespace

TBarForm::TBarForm(AppBarShell* shell) : shell_(shell) { BarForm = this; }

TBarForm::~TBarForm() {
  // Without the exit sequence (Close() runs that): the thread goes first,
  // then the lists it walks; a thread that will not end keeps them.
  parts_.StopThread();
  parts_.FreeLists(false);
  tips_.reset();
  if (hwnd_) DestroyWindow(hwnd_);
  if (menu_) DestroyMenu(menu_);
  if (settingsImage_) DeleteObject(settingsImage_);
  if (BarForm == this) BarForm = nullptr;
}

bool TBarForm::Create(HWND applicationWindow) {
  if (!RegisterBarClass(&TBarForm::WindowProc)) return false;
  RECT r = {688, 77, 688 + 228, 77 + 34};
  AdjustWindowRectEx(&r, kBarStyle, FALSE, kBarExStyle);
  hwnd_ = CreateWindowExA(kBarExStyle, kBarClassName, kBarCaption, kBarStyle, r.left, r.top,
                          r.right - r.left, r.bottom - r.top, applicationWindow, nullptr,
                          ThisModule(), this);
  if (!hwnd_) return false;
  SetBarWindowHandle(hwnd_);
  menu_ = CreateBarPopupMenu();
  taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");
  CreateSettingsPanel();
  if (!shell_) {
    systemShell_.reset(new ShellAppBar(hwnd_));
    shell_ = systemShell_.get();
  }
  positioner_.reset(new BarPositioner(*this, *shell_));
  commands_.reset(new BarCommands(*this, *positioner_));
  FormCreate();
  return true;
}

void TBarForm::CreateSettingsPanel() {
  settingsImage_ = LoadBitmapA(ThisModule(), "SETTINGSIMAGE");
  CellLook look;
  look.Raised = true;
  look.SystemFace = false;
  look.Colour = RGB(0xC0, 0xC0, 0xC0);
  look.Picture = settingsImage_;
  settingsPanel_ = CreateCell(hwnd_, look, 3, 3, 22, 22);
  if (!settingsPanel_) return;
  SetWindowLongPtrA(settingsPanel_, GWLP_ID, kSettingsPanelId);
  tips_.reset(new PanelToolTips(hwnd_));
  tips_->Add(settingsPanel_, "Click for Settings");
  SetWindowLongPtrA(settingsPanel_, GWLP_WNDPROC,
                    reinterpret_cast<LONG_PTR>(&SettingsPanelProc));
}

void TBarForm::FormCreate() {
  try {
    SaveSetting(kAppName, "Settings", "Version", kVersionText);
  } catch (const std::exception&) {
    // Only the About box shows the version: a failed write must not stop the bar.
  }
  StartPerfStats();
  Hiding = false;
  // Outside Windows 98 the dial-up query finds the library only when it is loaded.
  if (!IsWindows98()) rasLibrary_.Load("rasapi32.dll");
  // The thread is created paused: no pass runs before the settings are read.
  parts_.Create(hwnd_, LogAll);
  SetTimerOn(WatchTimer, kWatchMs, true);
  ApplySettings(true);
  if (closed_) return;  // a fatal error while positioning closed the bar
  parts_.Resume();
  parts_.ForgetLoadedPlugins();
}

void BarWindow::ApplySettings(bool atStartUp) {
  TBarForm& f = Form(*this);
  // A box the load shows ("06.", "07.", "02.", "03.", "05.") runs a message
  // loop; nothing arriving there starts another load of the lists being
  // built, nor does anything while a reload waits.
  if (f.closed_ || f.applying_ || f.reloadWaiting_) return;
  // The lists are rebuilt only while no pass walks them. Held from now on,
  // the thread starts none; one under way ends when it can.
  f.parts_.Hold();
  if (f.parts_.NoticeWhenIdle()) {
    f.reloadWaiting_ = true;
    return;
  }
  f.Reload(atStartUp);
}

void TBarForm::ThreadIdle() {
  if (!reloadWaiting_) return;
  reloadWaiting_ = false;
  if (!closed_) Reload(false);
}

void TBarForm::Reload(bool atStartUp) {
  {
    struct Applying {
      TBarForm& form;
      explicit Applying(TBarForm& f) : form(f) { form.applying_ = true; }
      ~Applying() {
        form.applying_ = false;
        // Read again: a fatal error may have closed the bar and ended the thread.
        form.parts_.Unhold();
      }
    } applying(*this);
    ApplySettingsWith(atStartUp, settings_, *this);
    // The new panels' first readings are the thread's; a bar the user has
    // paused shows dashes instead.
    if (!closed_ && !Checked(PauseMenu)) parts_.RequestPass(PassKind::FirstReadings);
  }
  if (freeListsAfterLoad_) {
    freeListsAfterLoad_ = false;
    FreePanels();
  }
}

bool BarWindow::Checked(BarMenuItem item) {
  return (GetMenuState(Form(*this).menu_, item, MF_BYCOMMAND) & MF_CHECKED) != 0;
}
void BarWindow::SetChecked(BarMenuItem item, bool checked) {
  CheckMenuItem(Form(*this).menu_, item, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

// ---- Settings steps -------------------------------------------------------

bool BarWindow::ApplyingSettings() { return Form(*this).applying_; }
bool BarWindow::ReloadWaiting() { return Form(*this).reloadWaiting_; }
bool BarWindow::AutoHideTimerEnabled() { return Form(*this).timerOn_[AutoHideTimer]; }
bool BarWindow::SettingsTimerEnabled() { return Form(*this).timerOn_[SettingsTimer]; }
bool BarWindow::Closed() { return Form(*this).closed_; }
SettingsSource& BarWindow::Settings() { return Form(*this).settings_; }
BorderKind BarWindow::Border() { return BorderKind::Dialog; }
bool BarWindow::IsMinimised() { return Checked(MinimiseMenu); }
void BarWindow::SetLogAll(bool on) { LogAll = on; }
void BarWindow::SetOnTopChecked(bool checked) { SetChecked(OnTopMenu, checked); }
void BarWindow::RunOnTopCommand() { Form(*this).Command(OnTopMenu); }
void BarWindow::RunPauseCommand() { Form(*this).Command(PauseMenu); }
void BarWindow::ShowSettingsDialog() { Form(*this).parts_.ShowSettings(); }
void BarWindow::ShowAboutBox(const AboutTexts& texts) { Form(*this).parts_.ShowAbout(texts); }
// A display thread left running may be inside the dial-up sensor.
void BarWindow::ReleaseDialUpLibrary() {
  TBarForm& f = Form(*this);
  if (!f.threadLeftRunning_) f.rasLibrary_.Release();
}

void BarWindow::InitBuiltIns(bool atStartUp) { Form(*this).parts_.InitBuiltIns(atStartUp); }

void BarWindow::SetAutoHide(bool on) {
  TBarForm& f = Form(*this);
  if (f.closed_) return;
  SetAutoHideTimer(on);
  SetChecked(AutoHideMenu, on);
}

void BarWindow::ApplyHotKeys(const HotKeyPlan& plan) {
  TBarForm& f = Form(*this);
  if (f.closed_) return;  // without a window the keys would go to the thread
  for (const HotKeyItem& item : plan.Items) {
    // Registering an id that is still registered fails, so a changed modifier
    // set would never take effect: the old key goes first.
    UnregisterHotKey(f.hwnd_, item.Id);
    if (plan.Register) RegisterHotKey(f.hwnd_, item.Id, plan.Modifiers, item.Key);
  }
  static const UINT kItems[] = {PauseMenu, BarTopMenu, BarBottomMenu, MinimiseMenu};
  for (const HotKeyItem& item : plan.Items) SetMenuCaption(f.menu_, kItems[item.Id - 1], item.Caption);
}

void BarWindow::SetProcessPriority(uint32_t priorityClass) {
  SetPriorityClass(GetCurrentProcess(), priorityClass);
}

void BarWindow::SetMainThreadPriority(int priority) {
  SetThreadPriority(GetCurrentThread(), priority);
}

// After a fatal error has closed the bar in the middle of ApplySettings, the
// remaining steps find their parts gone and do nothing.
void BarWindow::SetDisplayThreadPriority(int priority) { Form(*this).parts_.SetPriority(priority); }
void BarWindow::LoadPanels() {
  TBarForm& f = Form(*this);
  if (f.closed_) return;
  f.parts_.LoadPanels();
  // New panels of a paused bar show that it is paused, not one stale reading.
  if (Checked(PauseMenu)) f.parts_.ShowPaused();
}
void BarWindow::LoadWarnings() {
  TBarForm& f = Form(*this);
  if (!f.closed_) f.parts_.LoadWarnings();
}
void BarWindow::SetDisplayInterval(int32_t ms) { Form(*this).parts_.SetInterval(ms); }

void BarWindow::RunPositionCommand(TBarPosition position) {
  TBarForm& f = Form(*this);
  f.Command(position == bpTop        ? BarTopMenu
          : position == bpFloating ? BarFloatMenu
          : position == bpMinimised ? MinimiseMenu
                                    : BarBottomMenu);
}

void BarWindow::HideAndShow() {
  TBarForm& f = Form(*this);
  if (f.closed_) return;
  ShowWindow(f.hwnd_, SW_HIDE);
  ShowBar();
}

void BarWindow::ShowError(const std::string& message, const std::string& code,
                         const std::string& description) {
  ::ShowError(message, code, description);
}

// ---- Commands -------------------------------------------------------------
// After the exit sequence a command finds nothing left to act on.

void TBarForm::Command(BarMenuItem item) {
  if (!closed_) commands_->MenuCommand(item);
}
void TBarForm::SetBarPosition(TBarPosition p) {
  if (!closed_) positioner_->SetBarPosition(p);
}

void TBarForm::Close() {
  if (closed_) return;
  closed_ = true;
  if (commands_) commands_->FormCloseQuery();
  if (hwnd_) DestroyWindow(hwnd_);
  // A display thread that would not end still runs: the process ends here,
  // its exit steps done, before anything the thread may touch is freed.
  if (threadLeftRunning_) ExitProcess(0);
}

// ---- The window as the positioning sees it ---------------------------------

MonitorRect BarWindow::Monitor() { return MonitorRectOf(Form(*this).hwnd_); }

BarBounds BarWindow::Bounds() {
  TBarForm& f = Form(*this);
  RECT r{};
  GetWindowRect(f.hwnd_, &r);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

bool BarWindow::Visible() { return IsWindowVisible(Form(*this).hwnd_) != FALSE; }

int32_t BarWindow::ClientWidth() {
  TBarForm& f = Form(*this);
  RECT r{};
  GetClientRect(f.hwnd_, &r);
  return r.right - r.left;
}

void BarWindow::SetBounds(const BarBounds& b) {
  TBarForm& f = Form(*this);
  if (f.closed_) return;
  MoveWindow(f.hwnd_, b.Left, b.Top, b.Width, b.Height, TRUE);
}

// Shown without taking the focus from the user's window.
void BarWindow::ShowBar() {
  TBarForm& f = Form(*this);
  if (!f.closed_) ShowWindow(f.hwnd_, SW_SHOWNA);
}
void BarWindow::HideBar() {
  TBarForm& f = Form(*this);
  if (f.hwnd_) ShowWindow(f.hwnd_, SW_HIDE);
}

void BarWindow::SetCaption(const std::string& caption) {
  TBarForm& f = Form(*this);
  char current[64] = "";
  GetWindowTextA(f.hwnd_, current, sizeof current);
  if (caption != current) SetWindowTextA(f.hwnd_, caption.c_str());
}

uint32_t BarWindow::Style() {
  return static_cast<uint32_t>(GetWindowLongA(Form(*this).hwnd_, GWL_STYLE));
}

void BarWindow::SetStyle(uint32_t style) {
  TBarForm& f = Form(*this);
  if (f.closed_) return;
  SetWindowLongA(f.hwnd_, GWL_STYLE, static_cast<LONG>(style));
  SetWindowPos(f.hwnd_, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

int32_t BarWindow::CaptionHeight() { return GetSystemMetrics(SM_CYCAPTION); }

int32_t BarWindow::Arrange(int32_t width) { return Form(*this).parts_.Arrange(width); }

void BarWindow::SetTrayIcon(bool show) {
  TBarForm& f = Form(*this);
  if (!f.hwnd_ || show == f.trayShown_) return;
  NOTIFYICONDATAA data{};
  data.cbSize = kNotifyIconRecordSize;
  data.hWnd = f.hwnd_;
  data.uID = 1;
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = WM_TRAYICON;
  data.hIcon = reinterpret_cast<HICON>(GetClassLongPtrA(f.hwnd_, GCLP_HICON));
  lstrcpynA(data.szTip, "Corvella", 64);
  Shell_NotifyIconA(show ? NIM_ADD : NIM_DELETE, &data);
  f.trayShown_ = show;
}

void TBarForm::SetTimerOn(BarTimer id, UINT ms, bool on) {
  if (on && hwnd_ && !closed_)
    SetTimer(hwnd_, id, ms, nullptr);
  else if (hwnd_)
    KillTimer(hwnd_, id);
  timerOn_[id] = on && hwnd_ && !closed_;
}

void BarWindow::SetDisplayTimer(bool on) { Form(*this).SetTimerOn(DisplayTimer, 10, on); }
void BarWindow::SetAutoHideTimer(bool on) { Form(*this).SetTimerOn(AutoHideTimer, 1000, on); }
void BarWindow::SetSettingsTimer(bool on) { Form(*this).SetTimerOn(SettingsTimer, 100, on); }
void BarWindow::SetResizeTimer(bool on) { Form(*this).SetTimerOn(ResizeTimer, 100, on); }

void BarWindow::ShowAutoHideRefusal(const std::string& text) {
  MessageBoxA(nullptr, text.c_str(), kBarCaption, MB_OK | MB_ICONINFORMATION | MB_SYSTEMMODAL);
}

void BarWindow::ShowFatalError(const std::string& message, const std::string& code,
                              const std::string& description) {
  ::ShowFatalError(message, code, description);
}

// ---- What the commands ask of the bar ------------------------------------

void BarWindow::PauseThread() { Form(*this).parts_.Pause(); }
void BarWindow::PauseThreadMuted() { Form(*this).parts_.PauseMuted(); }
void BarWindow::ResumeThread() { Form(*this).parts_.Resume(); }
bool BarWindow::ThreadPaused() { return Form(*this).parts_.Paused(); }
void BarWindow::RefreshNow() { Form(*this).parts_.RequestPass(PassKind::Full); }
void BarWindow::StopThread() {
  // A thread still inside a pass (an alert box, a call that hangs) keeps the
  // lists and the libraries, and Close ends the process.
  TBarForm& f = Form(*this);
  if (!f.parts_.StopThread()) f.threadLeftRunning_ = true;
}

void TBarForm::WatchDisplayThread() {
  if (!applying_) parts_.GiveUpHungThread();
  const bool close = parts_.CallUnderWayFor(kWatchCloseMs);
  if (close == watchClose_ || !timerOn_[WatchTimer]) return;
  watchClose_ = close;
  SetTimer(hwnd_, WatchTimer, close ? kWatchCloseMs : kWatchMs, nullptr);
}
void BarWindow::ShowPanelsPaused() { Form(*this).parts_.ShowPaused(); }
void BarWindow::FreePanels() {
  TBarForm& f = Form(*this);
  // The bar closed inside a box of a settings load (the end of the session
  // arrives there too): the lists being loaded go once the load is over.
  if (f.applying_) {
    f.freeListsAfterLoad_ = true;
    return;
  }
  f.parts_.FreeLists(true);
}

bool BarWindow::ShellOpen(const std::string& target) {
  return OpenAddress(Form(*this).hwnd_, target);
}

void BarWindow::ShowFailure(const std::string& text) {
  TBarForm& f = Form(*this);
  MessageBoxA(f.hwnd_, text.c_str(), kBarCaption, MB_OK | MB_ICONEXCLAMATION);
}

void BarWindow::OpenPopupMenu() {
  TBarForm& f = Form(*this);
  if (f.closed_) return;
  POINT p;
  GetCursorPos(&p);
  SetForegroundWindow(f.hwnd_);
  TrackPopupMenu(f.menu_, TPM_RIGHTBUTTON, p.x, p.y, 0, f.hwnd_, nullptr);
  PostMessageA(f.hwnd_, WM_NULL, 0, 0);
}

void BarWindow::SetOnTop(bool on) {
  TBarForm& f = Form(*this);
  SetWindowPos(f.hwnd_, on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void BarWindow::SetSizingCursor(bool sizing) {
  TBarForm& f = Form(*this);
  f.sizing_ = sizing;
  SetCursor(LoadCursorA(nullptr, sizing ? IDC_SIZEWE : IDC_ARROW));
}

int32_t BarWindow::CursorScreenX() {
  POINT p{};
  GetCursorPos(&p);
  return p.x;
}

void BarWindow::UnregisterHotKeys() {
  TBarForm& f = Form(*this);
  for (int id : kHotKeyIds) UnregisterHotKey(f.hwnd_, id);
}

void BarWindow::BeepAndTerminate() {
  MessageBeep(MB_OK);
  PostQuitMessage(0);
}

// ---- Painting ---------------------------------------------------------------

void TBarForm::PaintBackground(HDC dc) {
  RECT client;
  GetClientRect(hwnd_, &client);
  const std::string shade = settings_.GetSetting(kAppName, "Settings", "ShadeBar", "False");
  const int32_t shadeColour =
      TextToInt(settings_.GetSetting(kAppName, "Settings", "ShadeColour", "16744576"));
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  GdiObject<HBRUSH> fill(CreateSolidBrush(shade == "Solid" ? ColourRefOf(shadeColour) : face));
  FillRect(dc, &client, fill.Get());
  if (shade != "TRUE") return;
  const int32_t amount =
      TextToInt(settings_.GetSetting(kAppName, "Settings", "ShadeAmount", "100"));
  const std::vector<uint32_t> columns =
      ShadeColumns(face, ColourRefOf(shadeColour), amount, client.right);
  for (size_t x = 0; x < columns.size(); ++x) {
    GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, columns[x]));
    SelectedObject selected(dc, pen.Get());
    MoveToEx(dc, static_cast<int>(x), -1, nullptr);
    LineTo(dc, static_cast<int>(x), client.bottom);
  }
}

void TBarForm::FormPaint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd_, &ps);
  try {
    // The application window must never show as a taskbar button.
    HWND application = FindWindowA("TApplication", "CVL");
    if (application && IsWindowVisible(application)) ShowWindow(application, SW_HIDE);
    if (dc) PaintBackground(dc);
    EndPaint(hwnd_, &ps);
    dc = nullptr;
    if (ReadPerfStat("VFAT\\BReadsSec") == 0 && ReadPerfStat("VFAT\\BWritesSec") == 0)
      StartPerfStats();
    if (settings_.GetSetting(kAppName, "Settings", "AutoResize", "TRUE") == "TRUE" && !Hiding)
      SetBarPosition(bpNone);
  } catch (const std::exception& e) {
    if (dc) EndPaint(hwnd_, &ps);
    ::ShowFatalError("An Error has Occured Trying to Display Corvella.", "01.", e.what());
  } catch (...) {
    if (dc) EndPaint(hwnd_, &ps);
    ::ShowFatalError("An Error has Occured Trying to Display Corvella.", "01.", "Unknown error");
  }
}

// ---- Messages -------------------------------------------------------------

void TBarForm::OnTimer(UINT_PTR id) {
  if (closed_) return;
  switch (id) {
    case DisplayTimer:
      positioner_->DisplayTimerTick();
      break;
    case ResizeTimer:
      commands_->ResizeTimerTimer();
      break;
    case SettingsTimer:
      SettingsTimerTimer(*this);
      break;
    case WatchTimer:
      WatchDisplayThread();
      break;
    case AutoHideTimer: {
      POINT p{};
      GetCursorPos(&p);
      positioner_->AutoHideTick(p.x, p.y);
      break;
    }
    default:
      break;
  }
}

LRESULT TBarForm::Dispatch(UINT msg, WPARAM w, LPARAM l) {
  if (msg == taskbarCreated_ && taskbarCreated_ != 0) {
    // The shell has restarted and forgotten the icon.
    if (trayShown_) {
      trayShown_ = false;
      SetTrayIcon(true);
    }
    return 0;
  }
  switch (msg) {
    case WM_COMMAND:
      if (HIWORD(w) == 0 && l == 0) {
        if (LOWORD(w) == ExitMenu)
          Close();
        else if (!closed_)
          commands_->MenuCommand(LOWORD(w));
      }
      return 0;
    case WM_HOTKEY:
      if (!closed_) commands_->HotKey(static_cast<int>(w));
      return 0;
    case WM_TRAYICON:
      if (!closed_) commands_->TrayIcon(static_cast<unsigned>(l));
      return 0;
    case WM_BARCALLBACK:
      if (w == ABN_STATECHANGE || w == ABN_POSCHANGED) SetBarPosition(bpNone);
      return 0;
    case WM_SETTINGSPRESS:
      if (!closed_) commands_->SettingsImageMouseDown(static_cast<MouseButton>(w));
      return 0;
    case WM_CONTEXTMENU:
      if (!closed_ && !timerOn_[SettingsTimer] && !applying_) OpenPopupMenu();
      return 0;
    case WM_PANELTEXTS:
      if (BarPanels* panels = parts_.Panels()) panels->ShowTexts();
      return 0;
    case WM_THREADIDLE:
      ThreadIdle();
      return 0;
    case WM_LBUTTONDBLCLK:
      if (!closed_) commands_->FormDblClick();
      return 0;
    case WM_LBUTTONDOWN:
      if (!closed_) {
        SetCapture(hwnd_);
        commands_->FormMouseDown(static_cast<short>(LOWORD(l)));
      }
      return 0;
    case WM_MOUSEMOVE:
      if (!closed_) commands_->FormMouseMove(static_cast<short>(LOWORD(l)));
      return 0;
    case WM_LBUTTONUP:
      if (!closed_) commands_->FormMouseUp(static_cast<short>(LOWORD(l)));
      ReleaseCapture();
      return 0;
    case WM_SETCURSOR:
      if (sizing_ && reinterpret_cast<HWND>(w) == hwnd_ && LOWORD(l) == HTCLIENT) {
        SetCursor(LoadCursorA(nullptr, IDC_SIZEWE));
        return TRUE;
      }
      return DefWindowProcA(hwnd_, msg, w, l);
    case WM_TIMER:
      OnTimer(w);
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the paint fills the client area
    case WM_PAINT:
      if (closed_) return DefWindowProcA(hwnd_, msg, w, l);
      FormPaint();
      return 0;
    case WM_CLOSE:
      Close();
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      // Logging off or shutting down ends the program without closing its
      // window: the exit sequence runs here, as the Exit command runs it
      // (the place is saved, the application bar and the icon removed).
      if (w) Close();
      return 0;
    case WM_DESTROY:
      if (closed_) PostQuitMessage(0);  // the exit sequence ends the program
      return 0;
    default:
      return DefWindowProcA(hwnd_, msg, w, l);
  }
}

LRESULT CALLBACK TBarForm::WindowProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
  if (msg == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(l);
    auto* form = static_cast<TBarForm*>(create->lpCreateParams);
    form->hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  }
  auto* self = reinterpret_cast<TBarForm*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcA(hwnd, msg, w, l);
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    if (BarWindowHandle() == hwnd) SetBarWindowHandle(nullptr);
    self->hwnd_ = nullptr;
    return DefWindowProcA(hwnd, msg, w, l);
  }
  try {
    return self->Dispatch(msg, w, l);
  } catch (const std::exception& e) {
    ReportCommandError(hwnd, e.what());
  } catch (...) {
    ReportCommandError(hwnd, "Unknown error");
  }
  return 0;
}
