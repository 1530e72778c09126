// CvlCheck PLUGIN.cvl: checks a sensor plug-in against the contract the bar
// holds it to and prints the report (one finding a line). Exit code 0 when
// no problem was found, 1 when there were problems, 2 when the file cannot
// be loaded as a plug-in.
#include <windows.h>

#include <cstdio>
#include <exception>
#include <string>

#include "cvlcheck/Win32CheckHost.h"
#include "cvlcheck/core/PluginCheck.h"
#include "shared/win32/Win32LibraryLoader.h"

namespace {

const char kUsage[] =
    "Usage: CvlCheck PLUGIN.cvl\n"
    "Loads the plug-in as Corvella does, calls each of its functions and reports\n"
    "what they answer and every problem found. Exit code: 0 no problem, 1 problems,\n"
    "2 the file cannot be loaded as a plug-in.\n";

void Print(const std::string& line) {
  std::fputs((line + "\n").c_str(), stdout);
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs(kUsage, stderr);
    return kCheckNotAPlugin;
  }
  try {
    char full[MAX_PATH] = "";
    char* name = nullptr;
    if (!GetFullPathNameA(argv[1], sizeof full, full, &name) || !name) {
      Print("Plug-in " + std::string(argv[1]));
      Print("Result: not a plug-in, no such file name");
      return kCheckNotAPlugin;
    }
    // The bar runs in its installation folder, where the plug-ins are: a
    // library a plug-in binds at load time is found beside it. So here.
    const std::string folder(full, name);
    SetCurrentDirectoryA(folder.c_str());

    Win32LibraryLoader loader;
    Win32CheckHost host;
    CheckReport report(Print);
    return CheckPlugin(full, loader, host, report);
  } catch (const std::exception& e) {
    Print(std::string("CvlCheck failed: ") + e.what());
    return kCheckNotAPlugin;
  }
}
