#pragma once
// Plain records the global services answer with (portable).
#include <cstdint>

// Left, top, width, height (not right and bottom).
struct MonitorRect {
  int32_t Left = 0, Top = 0, Width = 0, Height = 0;
};

struct WindowCounts {
  int32_t Processes = 0, Total = 0, Visible = 0, Minimised = 0;
};

// What the window walk learns about one top-level window.
struct WindowFacts {
  uint32_t ProcessId = 0;
  bool Minimised = false;
  bool Visible = false;
};
