#pragma once
// One refresh pass as the built-in sensors see it: what its sensors share
// within it, and only on the thread that opened it: sensors/README.md.
#include <cstdint>
#include <optional>

#include "shared/core/GlobalTypes.h"

class BuiltInPass {
 public:
  BuiltInPass();   // opens a pass on the calling thread
  ~BuiltInPass();  // closes it: nothing is kept for the next one
  BuiltInPass(const BuiltInPass&) = delete;
  BuiltInPass& operator=(const BuiltInPass&) = delete;
};

// CountWindows, walked once per pass.
void PassWindowCounts(WindowCounts& counts);
// The primary screen's width and height (SM_CXSCREEN, SM_CYSCREEN).
MonitorRect PassPrimaryScreen();
// VirtualDesktopRect, the primary screen taken from the pass.
MonitorRect PassVirtualDesktop();
// FreeBytesOn for a drive root such as C:\ (any other text is asked each
// time).
uint64_t PassFreeBytesOn(const char* root);
// TryReadPerfStat and ReadPerfStat (0 when missing) within the pass.
bool PassTryReadPerfStat(const char* name, uint32_t& value);
uint32_t PassReadPerfStat(const char* name);

// The value a built-in sensor function hands out with its text, for its
// panel's graph: kept only while the panels graph (WantGraphValues), and
// only for the thread that opened the pass, which takes it right after the
// call (TakeGraphValue answers it once). Nothing is read a second time.
void WantGraphValues(bool wanted);
void HandOutGraphValue(std::optional<int32_t> value);
std::optional<int32_t> TakeGraphValue();
