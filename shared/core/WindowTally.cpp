#include "shared/core/WindowTally.h"

WindowCounts TallyWindows(const std::vector<WindowFacts>& walk) {
  WindowCounts counts;
  uint32_t previous = 0;
  for (const WindowFacts& w : walk) TallyWindow(counts, previous, w);
  return counts;
}

void TallyWindow(WindowCounts& counts, uint32_t& previous, const WindowFacts& w) {
  ++counts.Total;
  if (w.Minimised)
    ++counts.Minimised;
  else if (w.Visible)
    ++counts.Visible;
  if (w.ProcessId != previous) ++counts.Processes;
  previous = w.ProcessId;
}
