// The shipped multiple-monitor helper, loaded and called as the bar does.
#include <gtest/gtest.h>

#include "tests/support/WinTest.h"

using namespace wintest;

namespace {

struct Rect4 {
  LONG Left, Top, Width, Height;
};
typedef void(WINAPI* MonitorRectByWindowProc)(Rect4* rect, HWND window);

}  // namespace

TEST(Screenspan, AnswersTheMonitorOfAWindow) {
  HMODULE lib = LoadLibraryA((BinDir() + "Screenspan.dll").c_str());
  ASSERT_NE(lib, nullptr);
  auto proc = reinterpret_cast<MonitorRectByWindowProc>(
      reinterpret_cast<void (*)()>(GetProcAddress(lib, "MonitorRectByWindow")));
  ASSERT_NE(proc, nullptr);
  const LONG cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);

  HWND shown = CreateWindowA("STATIC", "x", WS_POPUP | WS_VISIBLE, 100, 100, 50, 50, nullptr,
                             nullptr, nullptr, nullptr);
  HWND away = CreateWindowA("STATIC", "y", WS_POPUP | WS_VISIBLE, 5000, 5000, 50, 50, nullptr,
                            nullptr, nullptr, nullptr);
  for (HWND w : {shown, away, static_cast<HWND>(nullptr)}) {
    Rect4 r = {-1, -1, -1, -1};
    proc(&r, w);
    // One screen under the harness: every window maps to it.
    EXPECT_EQ(r.Left, 0);
    EXPECT_EQ(r.Top, 0);
    EXPECT_EQ(r.Width, cx);
    EXPECT_EQ(r.Height, cy);
  }
  proc(nullptr, shown);  // no record: nothing written, no crash
  DestroyWindow(shown);
  DestroyWindow(away);
  FreeLibrary(lib);
}
