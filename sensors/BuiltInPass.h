#pragma once
// One refresh pass as the built-in sensors see it. Sensors 9 and 15 both
// show figures of the walk along the top-level windows: within one pass the
// first of them walks and the other reuses that walk; the next pass walks
// again. Only the thread that opened the pass shares; any other call (a
// panel's first reading, another thread) walks for itself.
#include "bar/core/GlobalTypes.h"

class BuiltInPass {
 public:
  BuiltInPass();   // opens a pass on the calling thread
  ~BuiltInPass();  // closes it: nothing is kept for the next one
  BuiltInPass(const BuiltInPass&) = delete;
  BuiltInPass& operator=(const BuiltInPass&) = delete;
};

// CountWindows, walked once per pass.
void PassWindowCounts(WindowCounts& counts);
