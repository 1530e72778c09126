// Stands in for Main.exe: records how it was started under
// HKCU\Software\CorvellaTests\Launch ("Started" last), and when "Hold" is "1"
// there keeps the hidden window that marks a running bar (class "TApplication",
// title "CVL") until that window is asked to close.
#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

constexpr const char* kRecordKey = "Software\\CorvellaTests\\Launch";

void Record(const char* name, const std::string& value) {
  HKEY key;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, kRecordKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                      nullptr) != ERROR_SUCCESS)
    return;
  RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>(value.size() + 1));
  RegCloseKey(key);
}

std::string Recorded(const char* name) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kRecordKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return "";
  char buf[512] = "";
  DWORD size = sizeof buf - 1, type = 0;
  RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buf), &size);
  RegCloseKey(key);
  return buf;
}

LRESULT CALLBACK MarkerProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
  if (msg == WM_CLOSE) {
    Record("Closed", "yes");
    DestroyWindow(hwnd);
    return 0;
  }
  if (msg == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(hwnd, msg, w, l);
}

void HoldLikeARunningBar(HINSTANCE instance) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = MarkerProc;
  wc.hInstance = instance;
  wc.lpszClassName = "TApplication";
  RegisterClassA(&wc);
  if (!CreateWindowExA(0, "TApplication", "CVL", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance,
                       nullptr))
    return;
  Record("Holding", "yes");
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  char buf[MAX_PATH] = "";
  Record("CommandLine", GetCommandLineA());
  Record("ArgCount", std::to_string(__argc));
  Record("Arg1", __argc > 1 ? __argv[1] : "");
  GetModuleFileNameA(nullptr, buf, MAX_PATH);
  Record("Module", buf);
  GetCurrentDirectoryA(MAX_PATH, buf);
  Record("Directory", buf);
  Record("SplashOpen", FindWindowA("CorvellaSplash", nullptr) ? "yes" : "no");
  Record("Started", "yes");
  if (Recorded("Hold") == "1") HoldLikeARunningBar(instance);
  return 0;
}
