#pragma once
// The module state of the built-ins, shared by their functions as plain
// memory: a settings reload may change the separator between two sensors of
// one refresh, which only changes texts, so fixed arrays rather than strings
// that could be reallocated under a reader.
#include <windows.h>

#include <atomic>
#include <cstring>
#include <optional>

#include "shared/core/GlobalTypes.h"
#include "sensors/core/DialUpTimer.h"
#include "sensors/core/SystemSamples.h"
#include "shared/win32/Handle.h"

struct BuiltInState {
  char MultiInfoSeparator[4] = " / ";
  char WindowsDriveRoot[4] = "";
  HWND BarWindow = nullptr;  // whose device context BarDC is
  HDC BarDC = nullptr;
  DialUpTimer DialUp;  // DialUpTiming and DialUpStart
  // The samples that shares and rates of NT-family systems are measured
  // from; the lock keeps a sample whole when two threads read at once.
  CriticalSection SamplesLock;
  BusyShare Processors;
  RateMeter DiskReads, DiskWrites;
  // What the sensors of the pass under way share (BuiltInPass).
  struct PassShares {
    DWORD Thread = 0;  // the thread running the pass; 0: none
    std::optional<WindowCounts> Windows;
    std::optional<MonitorRect> Screen;
    std::optional<uint64_t> Free[26];  // drive A + n
    bool CountersLooked = false;  // whether the counter key holds any was asked
    bool CountersEmpty = false;
    bool ValueHanded = false;  // the last sensor function's value for its graph
    std::optional<int32_t> Value;
  };
  // Whether the panels graph: the sensors hand out their values only then.
  std::atomic<bool> GraphValues{false};
  CriticalSection PassLock;
  PassShares Pass;
};

BuiltInState& BuiltIns();

// One text's own copy of the separator, so that a reload during the
// composition cannot give one text two different separators.
struct SeparatorCopy {
  SeparatorCopy() {
    std::memcpy(Text, BuiltIns().MultiInfoSeparator, sizeof Text);
    Text[sizeof Text - 1] = '\0';
  }
  char Text[4];
};
