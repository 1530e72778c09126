#pragma once
// A wait of a thread that owns windows: while it waits it still answers the
// messages that other threads and processes send to its windows, so that a
// sender (a thread of this program, the shell, another program) is never left
// waiting for it. Posted messages stay queued.
#include <windows.h>

// True once the handle is signalled; false after ms milliseconds (INFINITE:
// no limit).
bool WaitAnsweringSenders(HANDLE handle, DWORD ms);
