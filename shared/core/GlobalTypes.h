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

// One step of counting over the top-level windows in Z order: every window
// counts once in Total; a minimised one in Minimised, else a visible one in
// Visible. Processes counts the changes of owning process along the walk,
// starting from process 0, so one process owning windows that are not
// adjacent in the Z order counts more than once. previous is the owning
// process of the window before (0 at the start).
inline void TallyWindow(WindowCounts& counts, uint32_t& previous, const WindowFacts& w) {
  ++counts.Total;
  if (w.Minimised)
    ++counts.Minimised;
  else if (w.Visible)
    ++counts.Visible;
  if (w.ProcessId != previous) ++counts.Processes;
  previous = w.ProcessId;
}
