#include "bar/BarFormCode.h"

#include <exception>

#include "bar/Globals.h"
#include "bar/core/Priorities.h"
#include "shared/VBFunctions.h"
#include "shared/core/CvlError.h"

// The settings name the Win32 values by text; the table keeps its own copy.
static_assert(kIdlePriorityClass == IDLE_PRIORITY_CLASS, "priority class");
static_assert(kNormalPriorityClass == NORMAL_PRIORITY_CLASS, "priority class");
static_assert(kHighPriorityClass == HIGH_PRIORITY_CLASS, "priority class");
static_assert(kRealtimePriorityClass == REALTIME_PRIORITY_CLASS, "priority class");
static_assert(kThreadPriorityLowest == THREAD_PRIORITY_LOWEST, "thread priority");
static_assert(kThreadPriorityBelowNormal == THREAD_PRIORITY_BELOW_NORMAL, "thread priority");
static_assert(kThreadPriorityNormal == THREAD_PRIORITY_NORMAL, "thread priority");
static_assert(kThreadPriorityAboveNormal == THREAD_PRIORITY_ABOVE_NORMAL, "thread priority");
static_assert(kThreadPriorityHighest == THREAD_PRIORITY_HIGHEST, "thread priority");
static_assert(kModAlt == MOD_ALT && kModControl == MOD_CONTROL && kModShift == MOD_SHIFT,
              "hot-key modifiers");

TBarForm* BarForm = nullptr;

namespace {

constexpr int kHotKeyIds[] = {1, 2, 3, 4};

// The window as designed: at 688, 77 with a 228 x 34 client area, a dialog
// border and no border icons.
constexpr DWORD kBarStyle = WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN;
constexpr DWORD kBarExStyle = WS_EX_DLGMODALFRAME;

bool RegisterBarClass(WNDPROC WindowProc) {
  WNDCLASSA wc{};
  HINSTANCE instance = GetModuleHandleA(nullptr);
  if (GetClassInfoA(instance, kBarClassName, &wc)) return true;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1));
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kBarClassName;
  return RegisterClassA(&wc) != 0;
}

// A command's error reaches the user as a plain box; the bar keeps running.
void ReportCommandError(HWND owner, const char* text) {
  MessageBoxA(owner, text, kBarCaption, MB_OK | MB_ICONSTOP);
}

}  // namespace

TBarForm::TBarForm(BarParts& parts) : parts_(parts) { BarForm = this; }

TBarForm::~TBarForm() {
  if (hwnd_) DestroyWindow(hwnd_);  // without the exit sequence: Close() runs that
  if (menu_) DestroyMenu(menu_);
  if (BarForm == this) BarForm = nullptr;
}

bool TBarForm::Create(HWND applicationWindow) {
  if (!RegisterBarClass(&TBarForm::WindowProc)) return false;
  RECT r = {688, 77, 688 + 228, 77 + 34};
  AdjustWindowRectEx(&r, kBarStyle, FALSE, kBarExStyle);
  hwnd_ = CreateWindowExA(kBarExStyle, kBarClassName, kBarCaption, kBarStyle, r.left, r.top,
                          r.right - r.left, r.bottom - r.top, applicationWindow, nullptr,
                          GetModuleHandleA(nullptr), this);
  if (!hwnd_) return false;
  SetBarWindowHandle(hwnd_);
  menu_ = CreateBarPopupMenu();
  FormCreate();
  return true;
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
  panels_ = parts_.CreatePanels(*this);
  warnings_ = parts_.CreateWarnings(*this);
  placement_ = parts_.CreatePlacement(*this);
  displayThread_ = parts_.CreateDisplayThread(*panels_, *warnings_);
  displayThread_->Pause();  // before any setting is read
  ApplySettings(true);
  if (closed_) return;  // a fatal error while positioning closed the bar
  displayThread_->Resume();
  parts_.ForgetLoadedPlugins();
}

void TBarForm::ApplySettings(bool atStartUp) {
  if (closed_) return;
  RegistrySettings settings;
  ApplySettingsWith(atStartUp, settings, *this);
}

bool TBarForm::Checked(UINT item) const { return MenuChecked(menu_, item); }
void TBarForm::SetChecked(UINT item, bool checked) { SetMenuChecked(menu_, item, checked); }

// ---- Settings steps -------------------------------------------------------

void TBarForm::InitBuiltIns(bool atStartUp) { parts_.InitBuiltIns(atStartUp); }

void TBarForm::SetAutoHide(bool on) {
  if (closed_) return;
  if (on)
    SetTimer(hwnd_, AutoHideTimer, 1000, nullptr);
  else
    KillTimer(hwnd_, AutoHideTimer);
  autoHideTimer_ = on;
  SetChecked(AutoHideMenu, on);
}

void TBarForm::ApplyHotKeys(const HotKeyPlan& plan) {
  if (closed_) return;  // without a window the keys would go to the thread
  for (const HotKeyItem& item : plan.Items) {
    // Registering an id that is still registered fails, so a changed modifier
    // set would never take effect: the old key goes first.
    UnregisterHotKey(hwnd_, item.Id);
    if (plan.Register) RegisterHotKey(hwnd_, item.Id, plan.Modifiers, item.Key);
  }
  static const UINT kItems[] = {PauseMenu, BarTopMenu, BarBottomMenu, MinimiseMenu};
  for (const HotKeyItem& item : plan.Items) SetMenuCaption(menu_, kItems[item.Id - 1], item.Caption);
}

void TBarForm::SetProcessPriority(uint32_t priorityClass) {
  SetPriorityClass(GetCurrentProcess(), priorityClass);
}

void TBarForm::SetMainThreadPriority(int priority) {
  SetThreadPriority(GetCurrentThread(), priority);
}

// After a fatal error has closed the bar in the middle of ApplySettings, the
// remaining steps find their parts gone and do nothing.
void TBarForm::SetDisplayThreadPriority(int priority) {
  if (displayThread_) displayThread_->SetPriority(priority);
}
void TBarForm::LoadPanels() {
  if (panels_) panels_->LoadPanels();
}
void TBarForm::LoadWarnings() {
  if (warnings_) warnings_->LoadWarnings();
}
void TBarForm::SetDisplayInterval(int32_t ms) {
  if (displayThread_) displayThread_->SetInterval(ms);
}

void TBarForm::RunPositionCommand(TBarPosition position) {
  switch (position) {
    case bpTop:
      BarTopMenuClick();
      break;
    case bpFloating:
      BarFloatMenuClick();
      break;
    case bpMinimised:
      MinimiseMenuClick();
      break;
    default:
      BarBottomMenuClick();
      break;
  }
}

void TBarForm::HideAndShow() {
  if (closed_) return;
  ShowWindow(hwnd_, SW_HIDE);
  ShowWindow(hwnd_, SW_SHOW);
}

void TBarForm::ShowError(const std::string& message, const std::string& code,
                         const std::string& description) {
  ::ShowError(message, code, description);
}

// ---- Commands -------------------------------------------------------------

void TBarForm::PositionCommand(UINT item, TBarPosition position) {
  if (closed_) return;
  if (Checked(item)) {
    placement_->SetBarPosition(bpNone);
    return;
  }
  ShowWindow(hwnd_, SW_HIDE);
  if (Checked(BarFloatMenu)) {
    // Leaving the floating state: remember where it was.
    RECT r;
    GetWindowRect(hwnd_, &r);
    SaveSetting(kAppName, "Position", "LEFT", IntToText(r.left));
    SaveSetting(kAppName, "Position", "TOP", IntToText(r.top));
    SaveSetting(kAppName, "Position", "WIDTH", IntToText(r.right - r.left));
  }
  placement_->SetBarPosition(position);
}

void TBarForm::BarTopMenuClick() { PositionCommand(BarTopMenu, bpTop); }
void TBarForm::BarBottomMenuClick() { PositionCommand(BarBottomMenu, bpBottom); }
void TBarForm::MinimiseMenuClick() { PositionCommand(MinimiseMenu, bpMinimised); }

void TBarForm::BarFloatMenuClick() {
  if (closed_ || Checked(BarFloatMenu)) return;
  ShowWindow(hwnd_, SW_HIDE);
  const int left = TextToInt(GetSetting(kAppName, "Position", "LEFT", "0"));
  const int top = TextToInt(GetSetting(kAppName, "Position", "TOP", "0"));
  const int width = TextToInt(GetSetting(kAppName, "Position", "WIDTH", "600"));
  RECT r;
  GetWindowRect(hwnd_, &r);
  MoveWindow(hwnd_, left, top, width, r.bottom - r.top, TRUE);
  placement_->SetBarPosition(bpFloating);
  ShowWindow(hwnd_, SW_SHOW);
}

void TBarForm::SetOnTop(bool on) {
  SetWindowPos(hwnd_, on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TBarForm::OnTopMenuClick() {
  if (closed_) return;
  const bool on = !Checked(OnTopMenu);
  SetOnTop(on);
  SetChecked(OnTopMenu, on);
  SaveSetting(kAppName, "Settings", "OnTop", on ? "TRUE" : "FALSE");
}

void TBarForm::PauseMenuClick() {
  if (closed_) return;
  if (Checked(PauseMenu)) {
    displayThread_->Resume();
    SetChecked(PauseMenu, false);
  } else {
    displayThread_->Pause();
    panels_->ShowPaused();
    SetChecked(PauseMenu, true);
  }
}

void TBarForm::Close() {
  if (closed_) return;
  closed_ = true;
  FormCloseQuery();
  DestroyWindow(hwnd_);
}

void TBarForm::FormCloseQuery() {
  try {
    ShowWindow(hwnd_, SW_HIDE);
    RECT r;
    GetWindowRect(hwnd_, &r);
    if (Checked(BarFloatMenu)) {
      SaveSetting(kAppName, "Position", "LEFT", IntToText(r.left));
      SaveSetting(kAppName, "Position", "TOP", IntToText(r.top));
      SaveSetting(kAppName, "Position", "WIDTH", IntToText(r.right - r.left));
    } else {
      SaveSetting(kAppName, "Position", "DOCKEDLEFT", IntToText(r.left));
      SaveSetting(kAppName, "Position", "DOCKEDTOP", IntToText(r.top));
    }
    if (displayThread_) {
      if (displayThread_->Paused()) displayThread_->Resume();
      displayThread_->Stop();
      displayThread_.reset();
    }
    if (panels_) panels_->ClearPanels();
    warnings_.reset();
    panels_.reset();
    if (placement_) placement_->Leave();
    rasLibrary_.Release();
    for (int id : kHotKeyIds) UnregisterHotKey(hwnd_, id);
  } catch (...) {
    // The close goes ahead whatever failed.
    MessageBeep(MB_OK);
    PostQuitMessage(0);
  }
}

// ---- Messages -------------------------------------------------------------

void TBarForm::OnCommand(UINT id) {
  switch (id) {
    case BarTopMenu:
      BarTopMenuClick();
      break;
    case BarBottomMenu:
      BarBottomMenuClick();
      break;
    case BarFloatMenu:
      BarFloatMenuClick();
      break;
    case MinimiseMenu:
      MinimiseMenuClick();
      break;
    case OnTopMenu:
      OnTopMenuClick();
      break;
    case PauseMenu:
      PauseMenuClick();
      break;
    case ExitMenu:
      Close();
      break;
    default:
      break;
  }
}

void TBarForm::OnHotKey(int id) {
  switch (id) {
    case 1:
      PauseMenuClick();
      break;
    case 2:
      BarTopMenuClick();
      break;
    case 3:
      BarBottomMenuClick();
      break;
    case 4:
      MinimiseMenuClick();
      break;
    default:
      break;
  }
}

LRESULT TBarForm::Dispatch(UINT msg, WPARAM w, LPARAM l) {
  switch (msg) {
    case WM_COMMAND:
      if (HIWORD(w) == 0) OnCommand(LOWORD(w));
      return 0;
    case WM_HOTKEY:
      OnHotKey(static_cast<int>(w));
      return 0;
    case WM_RBUTTONUP: {
      POINT p;
      GetCursorPos(&p);
      SetForegroundWindow(hwnd_);
      TrackPopupMenu(menu_, TPM_RIGHTBUTTON, p.x, p.y, 0, hwnd_, nullptr);
      PostMessageA(hwnd_, WM_NULL, 0, 0);
      return 0;
    }
    case WM_TIMER:
      if (w == AutoHideTimer && placement_) placement_->AutoHideTick();
      return 0;
    case WM_CLOSE:
      Close();
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
