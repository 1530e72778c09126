#include "settings/UrlLabel.h"

#include <cstring>

#include "settings/ControlIds.h"
#include "settings/core/UrlTarget.h"
#include "shared/win32/Window.h"
#include "shared/win32/OpenAddress.h"

namespace {
const char* const kClassName = "TUrlLabel";
}  // namespace

TUrlLabel* TUrlLabel::Create(HWND parent, int id, const std::string& caption, int x, int y, int w,
                             int h, HFONT font) {
  WNDCLASSA wc{};
  if (!GetClassInfoA(ThisModule(), kClassName, &wc)) {
    wc = WNDCLASSA{};  // no cursor or background: the label sets its own cursor and paints all
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = &TUrlLabel::Proc;  // the default procedure until the object is attached
    wc.hInstance = ThisModule();
    wc.lpszClassName = kClassName;
    if (!RegisterClassA(&wc)) return nullptr;
  }
  HWND hwnd = CreateWindowExA(0, kClassName, caption.c_str(), WS_CHILD | WS_VISIBLE, x, y, w, h,
                              parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                              ThisModule(), nullptr);
  if (!hwnd) return nullptr;
  auto* label = new TUrlLabel();
  label->hwnd_ = hwnd;
  LOGFONTA lf{};
  if (!font || !GetObjectA(font, sizeof lf, &lf)) {
    lf.lfHeight = -11;
    std::strcpy(lf.lfFaceName, "MS Sans Serif");
  }
  lf.lfUnderline = TRUE;
  label->font_ = CreateFontIndirectA(&lf);
  label->cursor_ = LoadCursorA(ThisModule(), "HAND");
  label->menu_ = CreatePopupMenu();
  AppendMenuA(label->menu_, MF_STRING, kUrlLabelCopyCommand, "Copy");
  SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(label));
  InvalidateRect(hwnd, nullptr, TRUE);
  return label;
}

TUrlLabel::~TUrlLabel() {
  if (font_) DeleteObject(font_);
  if (menu_) DestroyMenu(menu_);
}

void TUrlLabel::CopyUrl() {
  if (!OpenClipboard(hwnd_)) return;
  EmptyClipboard();
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, URL.size() + 1);
  if (mem) {
    if (void* p = GlobalLock(mem)) {
      std::memcpy(p, URL.c_str(), URL.size() + 1);
      GlobalUnlock(mem);
      if (!SetClipboardData(CF_TEXT, mem)) GlobalFree(mem);
    } else {
      GlobalFree(mem);
    }
  }
  CloseClipboard();
}

void TUrlLabel::Click() {
  std::string target = UrlLabelTarget(URL, Text());
  if (target.empty()) return;
  // The answer is of no interest: a link that opens nothing says so itself.
  OpenAddress(GetDesktopWindow(), target);
}

void TUrlLabel::Paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd_, &ps);
  RECT r;
  GetClientRect(hwnd_, &r);
  FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
  const std::string caption = Text();
  HGDIOBJ old = SelectObject(dc, font_);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, color_);
  DrawTextA(dc, caption.c_str(), -1, &r, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, old);
  EndPaint(hwnd_, &ps);
}

LRESULT CALLBACK TUrlLabel::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* self = reinterpret_cast<TUrlLabel*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcA(hwnd, msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    delete self;
    return DefWindowProcA(hwnd, msg, wp, lp);
  }
  try {
    return self->OnMessage(msg, wp, lp);
  } catch (...) {
    return 0;
  }
}

LRESULT TUrlLabel::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_SETTEXT: {
      LRESULT r = DefWindowProcA(hwnd_, msg, wp, lp);
      InvalidateRect(hwnd_, nullptr, TRUE);
      return r;
    }
    case WM_SETCURSOR:
      if (cursor_) {
        SetCursor(cursor_);
        return TRUE;
      }
      break;
    case WM_LBUTTONDOWN:
      saved_ = color_;
      color_ = ActiveColor;
      pressed_ = true;
      SetCapture(hwnd_);
      InvalidateRect(hwnd_, nullptr, TRUE);
      return 0;
    case WM_LBUTTONUP: {
      color_ = saved_;
      InvalidateRect(hwnd_, nullptr, TRUE);
      if (!pressed_) return 0;
      pressed_ = false;
      if (GetCapture() == hwnd_) ReleaseCapture();
      POINT pt = {static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
      RECT r;
      GetClientRect(hwnd_, &r);
      if (PtInRect(&r, pt)) Click();
      return 0;
    }
    case WM_CAPTURECHANGED:
      if (pressed_ && reinterpret_cast<HWND>(lp) != hwnd_) {
        pressed_ = false;
        color_ = saved_;
        InvalidateRect(hwnd_, nullptr, TRUE);
      }
      return 0;
    case WM_RBUTTONUP: {
      POINT pt = {static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
      ClientToScreen(hwnd_, &pt);
      int cmd = TrackPopupMenu(menu_, TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, pt.x, pt.y,
                               0, hwnd_, nullptr);
      if (cmd == kUrlLabelCopyCommand) CopyUrl();
      return 0;
    }
    case WM_COMMAND:
      if (LOWORD(wp) == kUrlLabelCopyCommand) CopyUrl();
      return 0;
    default:
      break;
  }
  return DefWindowProcA(hwnd_, msg, wp, lp);
}
