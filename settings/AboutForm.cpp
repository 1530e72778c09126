#include "settings/AboutForm.h"

#include <shellapi.h>

#include "settings/ControlIds.h"
#include "shared/VBFunctions.h"
#include "shared/win32/RegKey.h"

namespace {
// The texts every About box carries besides the caller's.
const char* const kMakerNotice = "Copyright (C) 1999-2001 Veltrop";
const char* const kLegalNotice =
    "This program is protected by copyright law. Copying, modifying or distributing it, or any "
    "part of it, without the written permission of Veltrop is not allowed.";
const char* const kSysInfoKey = "Software\\Microsoft\\Shared Tools\\MSInfo";
}  // namespace

TAboutForm::~TAboutForm() {
  if (font_) DeleteObject(font_);
  if (logo_) DeleteObject(logo_);
}

void TAboutForm::OnInit() {
  using namespace about_ids;
  SetText("About Corvella");
  SetClientSize(369, 258);
  CenterOnScreen();
  font_ = MakeFont("Arial", -11);
  const DWORD label = WS_VISIBLE | SS_LEFT;
  const DWORD text = label | SS_NOPREFIX;  // texts from the caller are shown as they are

  // The two panels are frames: they never paint over the controls they hold.
  HWND panel1 = AddControl("Static", "", WS_VISIBLE | WS_CLIPSIBLINGS, 6, 6, 70, 160, Panel1,
                           font_, WS_EX_STATICEDGE);
  HWND image = AddControl("Static", "", WS_VISIBLE | SS_BITMAP, 7, 7, 67, 157, Image1, font_);
  logo_ = static_cast<HBITMAP>(LoadImageA(ThisModule(), "LOGO", IMAGE_BITMAP, 0, 0, 0));
  SendMessageA(image, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(logo_));
  AddControl("Static", "Corvella", label, 87, 9, 103, 13, Label1, font_);
  std::string version = GetSetting(kAppName, "Settings", "Version", "1.0");
  AddControl("Static", "Version " + version, text, 219, 9, 139, 13, CVLVersion, font_);
  AddControl("Static", "Complete System Monitoring for Windows 95 && 98", label, 87, 27, 280, 13,
             Label8, font_);
  AddControl("Static", kMakerNotice, text, 87, 51, 232, 13, NoticeLabel, font_);
  AddControl("Static", texts_.head, text, 87, 87, 271, 13, HeadLabel, font_);
  // Panel2 is a single-border frame; its labels sit inside the one-pixel border.
  HWND panel2 = AddControl("Static", "", WS_VISIBLE | WS_BORDER | WS_CLIPSIBLINGS, 84, 105, 277,
                           64, Panel2, font_);
  const int px = 84 + 1, py = 105 + 1;
  AddControl("Static", texts_.name, text, px + 3, py + 3, 169, 13, NameLabel, font_);
  AddControl("Static", texts_.version, text | SS_RIGHT, px + 173, py + 3, 98, 15, VersionLabel,
             font_);
  AddControl("Static", texts_.notice, text, px + 3, py + 21, 265, 13, CopyLabel, font_);
  AddControl("Static", texts_.about, text, px + 3, py + 42, 268, 16, AboutLabel, font_);
  AddControl("Button", "", WS_VISIBLE | BS_GROUPBOX, 6, 171, 355, 7, GroupBox1, font_);
  AddControl("Static", kLegalNotice, text, 6, 183, 247, 70, Label9, font_);
  HWND ok = AddControl("Button", "OK", WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 264, 186, 97,
                       25, OKButton, font_);
  AddControl("Button", "&System Info ...", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 264, 219, 97,
             25, SysButton, font_);
  for (HWND panel : {panel1, panel2})
    SetWindowPos(panel, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SetFocus(ok);
}

bool TAboutForm::OnCommand(int id, int code, HWND) {
  if (code != BN_CLICKED || id != about_ids::SysButton) return false;
  SysButtonClick();
  return true;
}

bool TAboutForm::OnMessage(UINT msg, WPARAM wp, LPARAM, INT_PTR& answer) {
  if (msg != WM_CTLCOLORSTATIC) return false;
  HDC dc = reinterpret_cast<HDC>(wp);
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  answer = reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
  return true;
}

void TAboutForm::SysButtonClick() {
  std::string path;
  RegKey key;
  bool started = false;
  if (key.Open(HKEY_LOCAL_MACHINE, kSysInfoKey, KEY_READ) && key.QueryString("Path", path) &&
      !path.empty()) {
    HINSTANCE r = ShellExecuteA(Handle(), nullptr, path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    started = reinterpret_cast<INT_PTR>(r) > 32;
  }
  if (!started)
    MessageBoxA(nullptr, "System Information Is Unavailable At This Time", "Corvella",
                MB_ICONWARNING | MB_OK);
}
