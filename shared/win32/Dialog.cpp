#include "shared/win32/Dialog.h"

#include <commctrl.h>

#include <exception>
#include <vector>

INT_PTR Dialog::RunModal(HWND owner) {
  // DLGTEMPLATE, then empty menu, class and title arrays; no controls: they
  // are created in pixels once the window exists.
  std::vector<WORD> tmpl(sizeof(DLGTEMPLATE) / sizeof(WORD) + 4, 0);
  auto* t = reinterpret_cast<DLGTEMPLATE*>(tmpl.data());
  t->style = FrameStyle();
  t->dwExtendedStyle = 0;
  t->cdit = 0;
  return DialogBoxIndirectParamA(ThisModule(), t, owner, Proc, reinterpret_cast<LPARAM>(this));
}

void Dialog::End(INT_PTR result) {
  if (hwnd_) EndDialog(hwnd_, result);
}

HWND Dialog::AddControl(const char* cls, const std::string& text, DWORD style, int x, int y,
                        int w, int h, int id, HFONT font, DWORD exStyle, HWND parent) {
  HWND c = CreateWindowExA(exStyle, cls, text.c_str(), WS_CHILD | style, x, y, w, h,
                           parent ? parent : hwnd_,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ThisModule(), nullptr);
  if (c && font) SendMessageA(c, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return c;
}

HWND Dialog::AddCombo(int id, int x, int y, int w, int h, const char* const* items, int count,
                      HFONT font, DWORD style) {
  HWND c = AddControl("ComboBox", "", style | CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, x, y, w,
                      h, id, font);
  for (int i = 0; i < count; ++i) SendMessageA(c, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(items[i]));
  return c;
}

ListView Dialog::AddListView(int id, int x, int y, int w, int h, DWORD style, HFONT font,
                             const std::vector<ListView::Column>& columns) {
  ListView list(AddControl(WC_LISTVIEWA, "", style | LVS_REPORT | LVS_SHOWSELALWAYS | WS_TABSTOP,
                           x, y, w, h, id, font, WS_EX_CLIENTEDGE));
  list.Send(LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  list.AddColumns(columns);
  return list;
}

void Dialog::SetClientSize(int width, int height) {
  RECT r = {0, 0, width, height};
  AdjustWindowRectEx(&r, GetWindowLongA(hwnd_, GWL_STYLE), FALSE,
                     GetWindowLongA(hwnd_, GWL_EXSTYLE));
  SetWindowPos(hwnd_, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Dialog::CenterOnScreen() {
  RECT r;
  GetWindowRect(hwnd_, &r);
  int w = r.right - r.left, h = r.bottom - r.top;
  int x = (GetSystemMetrics(SM_CXSCREEN) - w) / 2;
  int y = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
  SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK Dialog::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  Dialog* self;
  if (msg == WM_INITDIALOG) {
    self = reinterpret_cast<Dialog*>(lp);
    self->hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, DWLP_USER, lp);
  } else {
    self = reinterpret_cast<Dialog*>(GetWindowLongPtrA(hwnd, DWLP_USER));
  }
  if (!self) return FALSE;
  try {
    INT_PTR answer = self->Dispatch(msg, wp, lp);
    if (msg == WM_NCDESTROY) {
      SetWindowLongPtrA(hwnd, DWLP_USER, 0);
      self->hwnd_ = nullptr;
    }
    return answer;
  } catch (const std::exception& e) {
    self->OnError(e.what());
  } catch (...) {
    self->OnError("Unknown error");
  }
  return FALSE;
}

INT_PTR Dialog::Dispatch(UINT msg, WPARAM wp, LPARAM lp) {
  INT_PTR answer = 0;
  switch (msg) {
    case WM_INITDIALOG:
      OnInit();
      return TRUE;
    case WM_COMMAND:
      if (HIWORD(wp) == BN_CLICKED && LOWORD(wp) == okButton_) {
        OnOK();
        return TRUE;
      }
      if (HIWORD(wp) == BN_CLICKED && LOWORD(wp) == cancelButton_) {
        OnCancel();
        return TRUE;
      }
      return OnCommand(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp)) ? TRUE : FALSE;
    case WM_NOTIFY:
      SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, OnNotify(reinterpret_cast<NMHDR*>(lp)));
      return TRUE;
    default:
      if (OnMessage(msg, wp, lp, answer)) return answer;
      return FALSE;
  }
}

HFONT MakeFont(const char* face, int height, bool bold, bool italic, bool underline) {
  return CreateFontA(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, italic, underline, FALSE,
                     DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, face);
}
