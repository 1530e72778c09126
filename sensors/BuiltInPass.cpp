#include "sensors/BuiltInPass.h"

#include "shared/Globals.h"
#include "sensors/BuiltInReadings.h"
#include "sensors/BuiltInState.h"

BuiltInPass::BuiltInPass() {
  BuiltInState& state = BuiltIns();
  Lock hold(state.PassLock);
  state.Pass = BuiltInState::PassShares{};
  state.Pass.Thread = GetCurrentThreadId();
}

BuiltInPass::~BuiltInPass() {
  BuiltInState& state = BuiltIns();
  Lock hold(state.PassLock);
  // A pass opened since (on another thread, or nested) is that one's.
  if (state.Pass.Thread == GetCurrentThreadId()) state.Pass = BuiltInState::PassShares{};
}

namespace {

// The pass's copy of a reading: taken by read() on its first use in the
// pass, by the thread that opened the pass; everyone else reads for itself.
template <typename T, typename Read>
T Shared(bool BuiltInState::PassShares::*taken, T BuiltInState::PassShares::*kept, Read read) {
  BuiltInState& state = BuiltIns();
  const DWORD thread = GetCurrentThreadId();
  {
    Lock hold(state.PassLock);
    if (state.Pass.Thread == thread && state.Pass.*taken) return state.Pass.*kept;
  }
  const T value = read();
  Lock hold(state.PassLock);
  if (state.Pass.Thread == thread) {
    state.Pass.*kept = value;
    state.Pass.*taken = true;
  }
  return value;
}

}  // namespace

void PassWindowCounts(WindowCounts& counts) {
  counts = Shared(&BuiltInState::PassShares::WindowsTaken, &BuiltInState::PassShares::Windows, [] {
    WindowCounts walked;
    CountWindows(walked);
    return walked;
  });
}

MonitorRect PassPrimaryScreen() {
  return Shared(&BuiltInState::PassShares::ScreenTaken, &BuiltInState::PassShares::Screen, [] {
    MonitorRect screen;
    screen.Width = GetSystemMetrics(SM_CXSCREEN);
    screen.Height = GetSystemMetrics(SM_CYSCREEN);
    return screen;
  });
}

MonitorRect PassVirtualDesktop() {
  return DesktopIsPrimaryScreen() ? PassPrimaryScreen() : VirtualDesktopRect();
}

uint64_t PassFreeBytesOn(const char* root) {
  const char letter = root[0] >= 'a' && root[0] <= 'z' ? root[0] - 'a' + 'A' : root[0];
  const bool driveRoot =
      letter >= 'A' && letter <= 'Z' && root[1] == ':' && root[2] == '\\' && root[3] == '\0';
  if (!driveRoot) return FreeBytesOn(root);
  const int drive = letter - 'A';
  BuiltInState& state = BuiltIns();
  const DWORD thread = GetCurrentThreadId();
  {
    Lock hold(state.PassLock);
    if (state.Pass.Thread == thread && (state.Pass.FreeTaken >> drive & 1u) != 0)
      return state.Pass.Free[drive];
  }
  const uint64_t free = FreeBytesOn(root);
  Lock hold(state.PassLock);
  if (state.Pass.Thread == thread) {
    state.Pass.Free[drive] = free;
    state.Pass.FreeTaken |= 1u << drive;
  }
  return free;
}

bool PassTryReadPerfStat(const char* name, uint32_t& value) {
  BuiltInState& state = BuiltIns();
  const DWORD thread = GetCurrentThreadId();
  {
    Lock hold(state.PassLock);
    if (state.Pass.Thread == thread && !state.Pass.CountersLooked) {
      // The pass's first counter: one question whether there are any.
      state.Pass.CountersLooked = true;
      state.Pass.CountersEmpty = PerfStatsEmpty();
    }
    if (state.Pass.Thread == thread && state.Pass.CountersEmpty) return false;
  }
  return TryReadPerfStat(name, value);
}

uint32_t PassReadPerfStat(const char* name) {
  uint32_t value = 0;
  return PassTryReadPerfStat(name, value) ? value : 0;
}

void WantGraphValues(bool wanted) { BuiltIns().GraphValues = wanted; }

void HandOutGraphValue(std::optional<int32_t> value) {
  BuiltInState& state = BuiltIns();
  if (!state.GraphValues) return;
  Lock hold(state.PassLock);
  if (state.Pass.Thread != GetCurrentThreadId()) return;
  state.Pass.ValueHanded = true;
  state.Pass.HasValue = value.has_value();
  state.Pass.Value = value.value_or(0);
}

std::optional<int32_t> TakeGraphValue() {
  BuiltInState& state = BuiltIns();
  Lock hold(state.PassLock);
  if (state.Pass.Thread != GetCurrentThreadId() || !state.Pass.ValueHanded) return std::nullopt;
  state.Pass.ValueHanded = false;
  if (!state.Pass.HasValue) return std::nullopt;
  return state.Pass.Value;
}
