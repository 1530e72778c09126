#pragma once
// Counting over the top-level windows in Z order (portable).
#include <vector>

#include "shared/core/GlobalTypes.h"

// Every window counts once in Total; a minimised one in Minimised, else a
// visible one in Visible. Processes counts the changes of owning process along
// the walk, starting from process 0, so one process owning windows that are
// not adjacent in the Z order counts more than once.
WindowCounts TallyWindows(const std::vector<WindowFacts>& walk);
// One step of that count, for a walk that keeps no list: previous is the
// owning process of the window before (0 at the start).
void TallyWindow(WindowCounts& counts, uint32_t& previous, const WindowFacts& w);
