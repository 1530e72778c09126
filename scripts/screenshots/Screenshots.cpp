// Opens every tab of the shipped settings dialog, both add dialogs, the
// About box and the hardware monitoring dialog, and saves each window as a
// 24-bit BMP file into the folder given as the first argument. Run under Wine
// with a display (see take-screenshots.sh); cvl.dll is loaded from the folder
// in CVL_BIN.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "settings/ControlIds.h"

namespace {

std::string g_out;
HMODULE g_cvl = nullptr;

void SetValue(const std::string& section, const char* name, const std::string& value) {
  HKEY key;
  std::string path = "Software\\Veltrop\\Corvella\\" + section;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                      &key, nullptr) != ERROR_SUCCESS)
    return;
  RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>(value.size() + 1));
  RegCloseKey(key);
}

void SampleSettings() {
  SetValue("Settings", "BarPosition", "BOTTOM");
  SetValue("Settings", "ShadeBar", "TRUE");
  SetValue("Panels", "NoOfPanels", "4");
  const char* panels[][2] = {{"1", "40"}, {"2", "73"}, {"10", "73"}, {"22", "64"}};
  for (int i = 0; i < 4; ++i) {
    std::string sec = "Panels\\" + std::to_string(i + 1) + "\\General";
    SetValue(sec, "Plugin", "FALSE");
    SetValue(sec, "Number", panels[i][0]);
    SetValue(sec, "Width", panels[i][1]);
  }
  SetValue("Warnings", "NoOfWarnings", "2");
  const char* warnings[][2] = {{"1", "100"}, {"4", "60"}};
  for (int i = 0; i < 2; ++i) {
    std::string sec = "Warnings\\" + std::to_string(i + 1) + "\\General";
    SetValue(sec, "Plugin", "FALSE");
    SetValue(sec, "Number", warnings[i][0]);
    SetValue(sec, "WarnVal", warnings[i][1]);
  }
  const char* hardware[][2] = {{"LM78Enable", "TRUE"},   {"LM75Enable", "FALSE"},
                               {"CPUType", "8"},        {"CoreVolt", "280"},
                               {"CorePort1", "TRUE"},   {"Fan1Type", "1"},
                               {"Fan2Type", "2"},       {"Temp3Enable", "FALSE"},
                               {"Temp4Enable", "FALSE"}, {"TempComp1", "-2"}};
  for (const auto& value : hardware) SetValue("LM78", value[0], value[1]);
}

struct Call {
  int kind;  // 1 Hardware monitoring, 3 About, 4 Settings
};

DWORD WINAPI RunEntry(LPVOID param) {
  int kind = static_cast<Call*>(param)->kind;
  if (kind == 3) {
    auto about = reinterpret_cast<void(__stdcall*)(const char*, const char*, const char*,
                                                   const char*, const char*)>(
        reinterpret_cast<void*>(GetProcAddress(g_cvl, "ShowAbout")));
    about("About Corvella:", "Corvella", "Version 1.6", "Desktop information bar",
          "Shows your computer at work.");
  } else {
    auto show = reinterpret_cast<void(__stdcall*)()>(
        reinterpret_cast<void*>(GetProcAddress(g_cvl, MAKEINTRESOURCEA(kind))));
    show();
  }
  return 0;
}

struct Search {
  const char* caption;
  HWND found;
};

BOOL CALLBACK MatchCaption(HWND h, LPARAM p) {
  auto* s = reinterpret_cast<Search*>(p);
  char text[128] = "";
  GetWindowTextA(h, text, sizeof text);
  if (IsWindowVisible(h) && std::string(text) == s->caption) {
    s->found = h;
    return FALSE;
  }
  return TRUE;
}

HWND WaitWindow(DWORD thread, const char* caption) {
  for (int i = 0; i < 200; ++i) {
    Search s{caption, nullptr};
    EnumThreadWindows(thread, MatchCaption, reinterpret_cast<LPARAM>(&s));
    if (s.found) return s.found;
    Sleep(50);
  }
  return nullptr;
}

bool SaveWindow(HWND hwnd, const std::string& name) {
  SetForegroundWindow(hwnd);
  RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Sleep(400);
  RECT r;
  GetWindowRect(hwnd, &r);
  int w = r.right - r.left, h = r.bottom - r.top;
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(mem, bmp);
  BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
  SelectObject(mem, old);
  DWORD stride = ((w * 3 + 3) / 4) * 4;
  DWORD size = stride * h;
  BITMAPFILEHEADER fh{};
  fh.bfType = 0x4D42;
  fh.bfOffBits = sizeof fh + sizeof bi.bmiHeader;
  fh.bfSize = fh.bfOffBits + size;
  std::string path = g_out + name + ".bmp";
  FILE* f = std::fopen(path.c_str(), "wb");
  bool ok = f != nullptr;
  if (f) {
    std::fwrite(&fh, sizeof fh, 1, f);
    std::fwrite(&bi.bmiHeader, sizeof bi.bmiHeader, 1, f);
    std::fwrite(bits, size, 1, f);
    std::fclose(f);
  }
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  std::printf("%s %s\n", ok ? "saved" : "FAILED", path.c_str());
  return ok;
}

void ShowTab(HWND dlg, int page) {
  HWND tabs = GetDlgItem(dlg, settings_ids::Tabs);
  SendMessageA(tabs, TCM_SETCURSEL, page, 0);
  NMHDR n{tabs, static_cast<UINT_PTR>(settings_ids::Tabs), static_cast<UINT>(TCN_SELCHANGE)};
  SendMessageA(dlg, WM_NOTIFY, settings_ids::Tabs, reinterpret_cast<LPARAM>(&n));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::printf("usage: settings_screenshots OUTPUT-FOLDER\\\n");
    return 2;
  }
  g_out = argv[1];
  char bin[MAX_PATH] = "";
  GetEnvironmentVariableA("CVL_BIN", bin, sizeof bin);
  // With the libraries cvl.dll links beside it.
  g_cvl = LoadLibraryExA((std::string(bin) + "cvl.dll").c_str(), nullptr,
                         LOAD_WITH_ALTERED_SEARCH_PATH);
  if (!g_cvl) {
    std::printf("cannot load cvl.dll from %s\n", bin);
    return 1;
  }
  SampleSettings();
  int failures = 0;

  Call settings{4};
  DWORD id = 0;
  HANDLE t = CreateThread(nullptr, 0, RunEntry, &settings, 0, &id);
  HWND dlg = WaitWindow(id, "Corvella Settings");
  const char* names[] = {"settings-1-general",  "settings-2-position", "settings-3-appearance",
                         "settings-4-sensors",  "settings-5-warnings", "settings-6-plugins",
                         "settings-7-advanced"};
  if (!dlg) return 1;
  for (int page = 0; page < 7; ++page) {
    ShowTab(dlg, page);
    failures += !SaveWindow(dlg, names[page]);
  }
  ShowTab(dlg, 3);
  PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(settings_ids::SensorAddBtn, BN_CLICKED), 0);
  if (HWND add = WaitWindow(id, "Add Sensor")) {
    failures += !SaveWindow(add, "add-sensor");
    SendMessageA(add, WM_COMMAND, MAKEWPARAM(add_ids::CancelBtn, BN_CLICKED), 0);
  }
  ShowTab(dlg, 4);
  PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(settings_ids::WarningAddBtn, BN_CLICKED), 0);
  if (HWND add = WaitWindow(id, "Add Warning")) {
    failures += !SaveWindow(add, "add-warning");
    SendMessageA(add, WM_COMMAND, MAKEWPARAM(add_ids::CancelBtn, BN_CLICKED), 0);
  }
  Sleep(200);
  PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  WaitForSingleObject(t, 10000);

  Call about{3};
  t = CreateThread(nullptr, 0, RunEntry, &about, 0, &id);
  if (HWND box = WaitWindow(id, "About Corvella")) {
    failures += !SaveWindow(box, "about");
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  }
  WaitForSingleObject(t, 10000);

  Call hardware{1};
  t = CreateThread(nullptr, 0, RunEntry, &hardware, 0, &id);
  if (HWND box = WaitWindow(id, "Hardware Monitoring Settings")) {
    failures += !SaveWindow(box, "hardware-monitoring");
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  } else {
    ++failures;
  }
  WaitForSingleObject(t, 10000);
  return failures;
}
