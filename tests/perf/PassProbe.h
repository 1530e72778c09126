#pragma once
// The pass probe: a sensor plug-in (passprobe.cvl, never shipped) that the
// benchmark and the soak test put last in the bar's warning list. The bar
// calls its warning function once at the end of every complete pass, so the
// count of those calls is the count of passes, and whatever the probe does
// there happens inside the bar's own process.
//
// It meets the measuring program in a block of named shared memory. Besides
// counting, it answers requests for a sample of the process's own accounting
// (Wine answers GetProcessTimes only for the calling process, and has no
// GetGuiResources):
//   - CPU time from GetProcessTimes(GetCurrentProcess());
//   - GDI objects from GetGuiResources, or where the system does not
//     implement it (Wine), the slots of the process's GDI handle table that
//     hold an object (Wine's GetObjectType answers for a bare slot number);
//   - USER objects from GetGuiResources, or the process's windows, top-level
//     and child (the USER objects a program makes most of).
// The probe adds an interlocked increment to a pass; a sample costs one walk
// of the handle table (a few milliseconds) on the pass that answers it.
#include <windows.h>

#include <cstdint>

namespace passprobe {

constexpr const char* kBlockName = "CorvellaPassProbe";
constexpr const char* kFileName = "passprobe.cvl";

// Where the GDI and USER counts of a sample come from.
enum GuiSource : LONG { kNoSample = 0, kGuiResources = 1, kHandleWalk = 2 };

struct Sample {
  LONG Passes;        // passes counted when the sample was taken
  LONG GuiSource;     // GuiSource
  int64_t Kernel;     // CPU time of the process, 100 ns units
  int64_t User;
  int64_t Counter;    // QueryPerformanceCounter when taken
  DWORD GdiObjects;
  DWORD UserObjects;
};

struct Block {
  volatile LONG Passes;       // warning function calls
  volatile LONG SensorCalls;  // sensor function calls (when a panel shows the probe)
  volatile LONG Requested;    // raised by the measurer to ask for a sample
  volatile LONG Answered;     // set to Requested once Last holds the sample
  Sample Last;
};

}  // namespace passprobe
