#pragma once
// Proves the calling convention of an export from the outside.
#include <cstdint>

// Calls fn with the given stack words (first argument first) and answers how
// many argument bytes the function left on the stack: 0 for a function that
// removes its own arguments. A double result is popped from the FPU stack.
extern "C" uint32_t StackBytesLeft(void* fn, const uint32_t* args, uint32_t count,
                                   uint32_t returnsDouble);
