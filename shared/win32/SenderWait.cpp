#include "shared/win32/SenderWait.h"

bool WaitAnsweringSenders(HANDLE handle, DWORD ms) {
  const DWORD start = GetTickCount();
  for (;;) {
    DWORD left = INFINITE;
    if (ms != INFINITE) {
      const DWORD spent = GetTickCount() - start;
      left = spent >= ms ? 0 : ms - spent;
    }
    const DWORD r = MsgWaitForMultipleObjects(1, &handle, FALSE, left, QS_SENDMESSAGE);
    if (r == WAIT_OBJECT_0) return true;
    if (r == WAIT_TIMEOUT) return false;
    if (r == WAIT_OBJECT_0 + 1) {
      // Peeking delivers the sent messages; posted ones stay queued.
      MSG msg;
      PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
      continue;
    }
    return WaitForSingleObject(handle, left) == WAIT_OBJECT_0;
  }
}
