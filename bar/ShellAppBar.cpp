#include "bar/ShellAppBar.h"

#include <shellapi.h>

static_assert(sizeof(APPBARDATA) == 36, "the application-bar record of Windows 95");

namespace {

APPBARDATA Record(HWND bar) {
  APPBARDATA d{};
  d.cbSize = sizeof d;
  d.hWnd = bar;
  return d;
}

// Proposes r for the edge (ABM_QUERYPOS) or takes it (ABM_SETPOS); r becomes
// what the shell grants.
void SendRect(HWND bar, DWORD message, int edge, EdgeRect& r) {
  APPBARDATA d = Record(bar);
  d.uEdge = static_cast<UINT>(edge);
  d.rc = {r.Left, r.Top, r.Right, r.Bottom};
  SHAppBarMessage(message, &d);
  r.Left = d.rc.left;
  r.Top = d.rc.top;
  r.Right = d.rc.right;
  r.Bottom = d.rc.bottom;
}

}  // namespace

void ShellAppBar::Register() {
  APPBARDATA d = Record(bar_);
  d.uCallbackMessage = WM_BARCALLBACK;
  SHAppBarMessage(ABM_NEW, &d);
  d = Record(bar_);
  SHAppBarMessage(ABM_ACTIVATE, &d);
}

void ShellAppBar::Remove() {
  APPBARDATA d = Record(bar_);
  SHAppBarMessage(ABM_REMOVE, &d);
}

void ShellAppBar::QueryPos(int edge, EdgeRect& r) { SendRect(bar_, ABM_QUERYPOS, edge, r); }
void ShellAppBar::SetPos(int edge, EdgeRect& r) { SendRect(bar_, ABM_SETPOS, edge, r); }

void ShellAppBar::SetAutoHideBar(int edge, bool on) {
  APPBARDATA d = Record(bar_);
  d.uEdge = static_cast<UINT>(edge);
  d.lParam = on ? TRUE : FALSE;
  SHAppBarMessage(ABM_SETAUTOHIDEBAR, &d);
}

bool ShellAppBar::OtherAutoHideBar(int edge) {
  APPBARDATA d = Record(bar_);
  d.uEdge = static_cast<UINT>(edge);
  HWND holder = reinterpret_cast<HWND>(SHAppBarMessage(ABM_GETAUTOHIDEBAR, &d));
  return holder != nullptr && holder != bar_;
}
