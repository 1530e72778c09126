// Stand-in multiple-monitor helper: answers a rectangle no real screen has, so
// a test can tell that its export was called, and with which window.
#include <windows.h>

extern "C" void WINAPI MonitorRectByWindow(LONG* rect, HWND window) {
  rect[0] = -1280;
  rect[1] = 16;
  rect[2] = 1280;
  // The height carries the window handle's low bits back to the test.
  rect[3] = static_cast<LONG>(reinterpret_cast<UINT_PTR>(window) & 0xFFFF);
}
