#pragma once
// The "Priorities" texts and the Win32 values they stand for (portable; the
// bar window's Wine test checks the values against windows.h).
#include <cstdint>
#include <string>

constexpr uint32_t kIdlePriorityClass = 0x40, kNormalPriorityClass = 0x20,
                   kHighPriorityClass = 0x80, kRealtimePriorityClass = 0x100;
constexpr int kThreadPriorityLowest = -2, kThreadPriorityBelowNormal = -1,
              kThreadPriorityNormal = 0, kThreadPriorityAboveNormal = 1,
              kThreadPriorityHighest = 2;

// Texts are compared exactly; false (and the output untouched) for any text
// that is not a process class name, so that priority stays as it is.
bool ProcessClassFromText(const std::string& text, uint32_t& priorityClass);
// The same for the thread priority names of "MainThread" and "TimerThread".
bool ThreadPriorityFromText(const std::string& text, int& priority);
