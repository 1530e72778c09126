#pragma once
// The shell's application bar for the bar window (SHAppBarMessage with the
// 36-byte record) and the window's messages from the shell.
#include <windows.h>

#include "bar/core/BarPositioning.h"

// The application-bar callback and the notification-icon callback.
constexpr UINT WM_BARCALLBACK = WM_USER + 153;  // 0x499
constexpr UINT WM_TRAYICON = WM_USER + 154;     // 0x49A

class ShellAppBar : public AppBarShell {
 public:
  explicit ShellAppBar(HWND bar) : bar_(bar) {}
  void Register() override;
  void Remove() override;
  void QueryPos(int edge, EdgeRect& r) override;
  void SetPos(int edge, EdgeRect& r) override;
  void SetAutoHideBar(int edge, bool on) override;
  bool OtherAutoHideBar(int edge) override;

 private:
  HWND bar_;
};
