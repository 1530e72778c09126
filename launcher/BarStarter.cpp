#include "launcher/BarStarter.h"

#include <windows.h>

#include <vector>

#include "shared/core/VBText.h"

namespace {

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

}  // namespace

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
