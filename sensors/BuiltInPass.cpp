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

// The pass's copy of a reading, in the pass's slot (an optional): taken by
// read() on its first use in the pass, by the thread that opened the pass;
// everyone else reads for itself.
template <typename Slot, typename Read>
auto Shared(Slot slot, Read read) -> decltype(read()) {
  BuiltInState& state = BuiltIns();
  const DWORD thread = GetCurrentThreadId();
  {
    Lock hold(state.PassLock);
    if (state.Pass.Thread == thread && slot(state.Pass)) return *slot(state.Pass);
  }
  const auto value = read();
  Lock hold(state.PassLock);
  if (state.Pass.Thread == thread) slot(state.Pass) = value;
  return value;
}

using Pass = BuiltInState::PassShares;

}  // namespace

void PassWindowCounts(WindowCounts& counts) {
  counts = Shared([](Pass& p) -> auto& { return p.Windows; }, [] {
    WindowCounts walked;
    CountWindows(walked);
    return walked;
  });
}

MonitorRect PassPrimaryScreen() {
  return Shared([](Pass& p) -> auto& { return p.Screen; }, [] {
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
  return Shared([letter](Pass& p) -> auto& { return p.Free[letter - 'A']; },
                [root] { return FreeBytesOn(root); });
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
  state.Pass.Value = value;
}

std::optional<int32_t> TakeGraphValue() {
  BuiltInState& state = BuiltIns();
  Lock hold(state.PassLock);
  if (state.Pass.Thread != GetCurrentThreadId() || !state.Pass.ValueHanded) return std::nullopt;
  state.Pass.ValueHanded = false;
  return state.Pass.Value;
}
