#include "launcher/SplashScreen.h"

#include "shared/win32/Handle.h"

namespace {

// The logo is pixel art: each of its pixels becomes a square of this size.
constexpr int kScale = 3;
constexpr UINT_PTR kTimerId = 1;

LRESULT CALLBACK SplashProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
  try {
    switch (msg) {
      case WM_CREATE: {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(l);
        SetWindowLongA(hwnd, GWL_USERDATA, reinterpret_cast<LONG>(create->lpCreateParams));
        return 0;
      }
      case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        auto logo = reinterpret_cast<HBITMAP>(GetWindowLongA(hwnd, GWL_USERDATA));
        BITMAP info{};
        if (logo && GetObjectA(logo, sizeof info, &info)) {
          HDC source = CreateCompatibleDC(dc);
          if (source) {
            {
              SelectedObject selected(source, logo);
              SetStretchBltMode(dc, COLORONCOLOR);
              StretchBlt(dc, 0, 0, info.bmWidth * kScale, info.bmHeight * kScale, source, 0, 0,
                         info.bmWidth, info.bmHeight, SRCCOPY);
            }
            DeleteDC(source);
          }
        }
        EndPaint(hwnd, &ps);
        return 0;
      }
      case WM_ERASEBKGND:
        return 1;  // the logo covers the whole window
      case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
      case WM_TIMER:
      case WM_LBUTTONDOWN:
      case WM_RBUTTONDOWN:
      case WM_MBUTTONDOWN:
        DestroyWindow(hwnd);
        return 0;
      case WM_DESTROY:
        KillTimer(hwnd, kTimerId);
        PostQuitMessage(0);
        return 0;
    }
  } catch (...) {
  }
  return DefWindowProcA(hwnd, msg, w, l);
}

}  // namespace

void ShowSplash(HINSTANCE instance, UINT ms) {
  GdiObject<HBITMAP> logo(LoadBitmapA(instance, "LOGO"));
  BITMAP info{};
  if (!logo.Get() || !GetObjectA(logo.Get(), sizeof info, &info)) return;

  WNDCLASSA wc{};
  wc.lpfnWndProc = SplashProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = kSplashClass;
  if (!RegisterClassA(&wc)) return;

  const int width = info.bmWidth * kScale;
  const int height = info.bmHeight * kScale;
  const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  // A tool window has no taskbar button; topmost keeps the logo in view.
  HWND hwnd = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kSplashClass, kSplashCaption,
                              WS_POPUP, left, top, width, height, nullptr, nullptr, instance,
                              logo.Get());
  if (!hwnd) return;
  // Never activated: whatever the user is typing into keeps the keyboard
  // (the bar also starts with Windows).
  ShowWindow(hwnd, SW_SHOWNOACTIVATE);
  UpdateWindow(hwnd);
  if (!SetTimer(hwnd, kTimerId, ms, nullptr)) {
    DestroyWindow(hwnd);
  }
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}
