// The program entry: one instance only, started by the launcher with
// "SplashLaunch"; the hidden application window titled "CVL" marks the
// running instance.
#include <windows.h>

#include "bar/BarFormCode.h"
#include "settings/CvlExports.h"
#include "bar/core/CommandLine.h"

// The settings library's dialogs (cvl.dll, bound by ordinal) are the
// program's: tests run the real bar without the library.
void BarWindow::ShowSettingsDialog() { ::ShowSettings(); }
void BarWindow::ShowAboutBox(const AboutTexts& t) {
  ::ShowAbout(t.Head, t.Name, t.Version, t.Notice, t.About);
}

namespace {

constexpr const char* kApplicationClass = "TApplication";
constexpr const char* kApplicationTitle = "CVL";

LRESULT CALLBACK ApplicationProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
  if (msg == WM_CLOSE) {
    // Closing the application closes the bar, which runs the exit sequence.
    if (BarForm && BarForm->Handle()) PostMessageA(BarForm->Handle(), WM_CLOSE, 0, 0);
    return 0;
  }
  return DefWindowProcA(hwnd, msg, w, l);
}

// Never shown: the bar has no taskbar button.
HWND CreateApplicationWindow(HINSTANCE instance) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = ApplicationProc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1));
  wc.lpszClassName = kApplicationClass;
  if (!RegisterClassA(&wc)) return nullptr;
  return CreateWindowExA(0, kApplicationClass, kApplicationTitle,
                         WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0, 0, nullptr,
                         nullptr, instance, nullptr);
}

int Run(HINSTANCE instance) {
  if (FindWindowA(kApplicationClass, kApplicationTitle)) return 0;  // already running
  if (CommandLineItem(GetCommandLineA(), 1) != kLaunchArgument) return 0;
  // Two launches in the same instant both find no window: the first to own
  // the name goes on.
  HANDLE instanceLock = CreateMutexA(nullptr, FALSE, "Veltrop.Corvella.Main");
  if (instanceLock && GetLastError() == ERROR_ALREADY_EXISTS) {
    CloseHandle(instanceLock);
    return 0;
  }
  HWND application = CreateApplicationWindow(instance);
  if (!application) return 1;
  int code = 1;
  {
    TBarForm bar;
    if (bar.Create(application)) {
      MSG msg;
      while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
      }
      code = 0;
    }
  }
  DestroyWindow(application);
  if (instanceLock) CloseHandle(instanceLock);
  return code;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  try {
    return Run(instance);
  } catch (...) {
    return 1;
  }
}
