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

void ToRect(const EdgeRect& r, RECT& rc) {
  rc.left = r.Left;
  rc.top = r.Top;
  rc.right = r.Right;
  rc.bottom = r.Bottom;
}

void FromRect(const RECT& rc, EdgeRect& r) {
  r.Left = rc.left;
  r.Top = rc.top;
  r.Right = rc.right;
  r.Bottom = rc.bottom;
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

void ShellAppBar::QueryPos(int edge, EdgeRect& r) {
  APPBARDATA d = Record(bar_);
  d.uEdge = static_cast<UINT>(edge);
  ToRect(r, d.rc);
  SHAppBarMessage(ABM_QUERYPOS, &d);
  FromRect(d.rc, r);
}

void ShellAppBar::SetPos(int edge, EdgeRect& r) {
  APPBARDATA d = Record(bar_);
  d.uEdge = static_cast<UINT>(edge);
  ToRect(r, d.rc);
  SHAppBarMessage(ABM_SETPOS, &d);
  FromRect(d.rc, r);
}

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
