// Launcher.exe: what the Start-menu shortcut and the Windows start-up entry
// run. Shows the logo screen unless the user switched it off, then starts the
// bar program and ends.
#include <windows.h>

#include <string>

#include "launcher/BarStarter.h"
#include "launcher/SplashScreen.h"
#include "shared/VBFunctions.h"

constexpr UINT kSplashMs = 2000;

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
