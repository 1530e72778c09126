// Launcher.exe: what the Start-menu shortcut and the Windows start-up entry
// run. Shows the logo screen unless the user switched it off, then starts the
// bar program and ends.
#include <windows.h>

#include <string>
#include <vector>

#include "launcher/SplashScreen.h"
#include "shared/VBFunctions.h"
#include "shared/core/VBText.h"

namespace {

constexpr UINT kSplashMs = 2000;

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
