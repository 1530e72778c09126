#include "sensors/BuiltInPass.h"

#include "bar/Globals.h"
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

void PassWindowCounts(WindowCounts& counts) {
  BuiltInState& state = BuiltIns();
  const DWORD thread = GetCurrentThreadId();
  {
    Lock hold(state.PassLock);
    if (state.Pass.Thread == thread && state.Pass.WindowsTaken) {
      counts = state.Pass.Windows;
      return;
    }
  }
  CountWindows(counts);
  Lock hold(state.PassLock);
  if (state.Pass.Thread != thread) return;
  state.Pass.Windows = counts;
  state.Pass.WindowsTaken = true;
}
