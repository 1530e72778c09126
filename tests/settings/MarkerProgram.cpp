// Started by tests through the shell: leaves its own file name (without
// folder) under HKLM\Software\CvlTest "Marker", so a test can see which
// program a click started, and its command line under "CommandLine".
#include <windows.h>

#include <cstring>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, sizeof path);
  const char* name = std::strrchr(path, '\\');
  name = name ? name + 1 : path;
  HKEY key;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\CvlTest", 0, nullptr, 0, KEY_ALL_ACCESS,
                      nullptr, &key, nullptr) == ERROR_SUCCESS) {
    RegSetValueExA(key, "Marker", 0, REG_SZ, reinterpret_cast<const BYTE*>(name),
                   static_cast<DWORD>(std::strlen(name) + 1));
    const char* line = GetCommandLineA();
    RegSetValueExA(key, "CommandLine", 0, REG_SZ, reinterpret_cast<const BYTE*>(line),
                   static_cast<DWORD>(std::strlen(line) + 1));
    RegCloseKey(key);
  }
  return 0;
}
