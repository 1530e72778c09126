// Launcher.exe: what the Start-menu shortcut and the Windows start-up entry
// run. Shows the logo screen unless the user switched it off, then starts the
// bar program and ends.
#include <windows.h>

#include <string>
#include <vector>

#include "shared/VBFunctions.h"
#include "shared/core/VBText.h"
#include "shared/win32/Handle.h"

namespace {

constexpr UINT kSplashMs = 2000;

// Class and caption of the logo screen (other programs may look for it).
constexpr const char* kSplashClass = "CorvellaSplash";
constexpr const char* kSplashCaption = "Corvella";

// The logo is pixel art: each of its pixels becomes a square of this size.
constexpr int kScale = 3;
constexpr UINT_PTR kTimerId = 1;

LRESULT CALLBACK SplashProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
  try {
    switch (msg) {
      case WM_CREATE: {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(l);
        SetWindowLongA(hwnd, GWL_USERDATA, reinterpret_cast<LONG>(create->lpCreateParams));
        return 0;
      }
      case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        auto logo = reinterpret_cast<HBITMAP>(GetWindowLongA(hwnd, GWL_USERDATA));
        BITMAP info{};
        if (logo && GetObjectA(logo, sizeof info, &info)) {
          HDC source = CreateCompatibleDC(dc);
          if (source) {
            {
              SelectedObject selected(source, logo);
              SetStretchBltMode(dc, COLORONCOLOR);
              StretchBlt(dc, 0, 0, info.bmWidth * kScale, info.bmHeight * kScale, source, 0, 0,
                         info.bmWidth, info.bmHeight, SRCCOPY);
            }
            DeleteDC(source);
          }
        }
        EndPaint(hwnd, &ps);
        return 0;
      }
      case WM_ERASEBKGND:
        return 1;  // the logo covers the whole window
      case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
      case WM_TIMER:
      case WM_LBUTTONDOWN:
      case WM_RBUTTONDOWN:
      case WM_MBUTTONDOWN:
        DestroyWindow(hwnd);
        return 0;
      case WM_DESTROY:
        KillTimer(hwnd, kTimerId);
        PostQuitMessage(0);
        return 0;
    }
  } catch (...) {
  }
  return DefWindowProcA(hwnd, msg, w, l);
}

// Shows the logo centred on the screen, without a frame, above other windows
// and without taking the keyboard, until ms milliseconds have passed or the
// user clicks it. Returns at once when the window cannot be made.
void ShowSplash(HINSTANCE instance, UINT ms) {
  GdiObject<HBITMAP> logo(LoadBitmapA(instance, "LOGO"));
  BITMAP info{};
  if (!logo.Get() || !GetObjectA(logo.Get(), sizeof info, &info)) return;

  WNDCLASSA wc{};
  wc.lpfnWndProc = SplashProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = kSplashClass;
  if (!RegisterClassA(&wc)) return;

  const int width = info.bmWidth * kScale;
  const int height = info.bmHeight * kScale;
  const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  // A tool window has no taskbar button; topmost keeps the logo in view.
  HWND hwnd = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kSplashClass, kSplashCaption,
                              WS_POPUP, left, top, width, height, nullptr, nullptr, instance,
                              logo.Get());
  if (!hwnd) return;
  // Never activated: whatever the user is typing into keeps the keyboard
  // (the bar also starts with Windows).
  ShowWindow(hwnd, SW_SHOWNOACTIVATE);
  UpdateWindow(hwnd);
  if (!SetTimer(hwnd, kTimerId, ms, nullptr)) {
    DestroyWindow(hwnd);
  }
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

// The launch argument the bar program insists on.
constexpr const char* kLaunchArgument = "SplashLaunch";

// The folder this program was started from, with its trailing backslash.
std::string OwnFolder() {
  char path[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return std::string();
  std::string folder(path, n);
  return folder.substr(0, folder.find_last_of('\\') + 1);
}

// The folder as a current folder: without the backslash unless it is a root.
std::string AsCurrentFolder(std::string folder) {
  if (folder.size() > 3 && folder.back() == '\\') folder.pop_back();
  return folder;
}

// Starts Main.exe from the launcher's own folder, with that folder as its
// current folder and kLaunchArgument as its only argument, and does not wait
// for it. Returns the text to show the user when it cannot be started, else
// the empty text.
std::string StartBar() {
  const std::string folder = OwnFolder();
  const std::string program = folder + "Main.exe";
  // The quotes keep a folder with blanks (Program Files) in one argument.
  const std::string line = "\"" + program + "\" " + kLaunchArgument;
  std::vector<char> buffer(line.begin(), line.end());
  buffer.push_back('\0');
  const std::string current = AsCurrentFolder(folder);

  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(program.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      current.empty() ? nullptr : current.c_str(), &startup, &process)) {
    const int error = static_cast<int>(GetLastError());
    return "Unable to start Corvella.\r\n\r\n" + program + " could not be run (error " +
           IntToText(error) + "). Please install Corvella again.";
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return std::string();
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  try {
    // Booleans are on only when stored exactly as "TRUE".
    if (GetSetting("Corvella", "Settings", "ShowSplash", "TRUE") == "TRUE")
      ShowSplash(instance, kSplashMs);
    const std::string failure = StartBar();
    if (failure.empty()) return 0;
    MessageBoxA(nullptr, failure.c_str(), "Corvella",
                MB_OK | MB_ICONEXCLAMATION | MB_SETFOREGROUND);
  } catch (...) {
  }
  return 1;
}
