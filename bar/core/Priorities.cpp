#include "bar/core/Priorities.h"

namespace {

struct ClassName {
  const char* text;
  uint32_t value;
};
const ClassName kClasses[] = {
    {"IDLE_PRIORITY_CLASS", kIdlePriorityClass},
    {"NORMAL_PRIORITY_CLASS", kNormalPriorityClass},
    {"HIGH_PRIORITY_CLASS", kHighPriorityClass},
    {"REALTIME_PRIORITY_CLASS", kRealtimePriorityClass},
};

struct ThreadName {
  const char* text;
  int value;
};
const ThreadName kThreads[] = {
    {"THREAD_PRIORITY_LOWEST", kThreadPriorityLowest},
    {"THREAD_PRIORITY_BELOW_NORMAL", kThreadPriorityBelowNormal},
    {"THREAD_PRIORITY_NORMAL", kThreadPriorityNormal},
    {"THREAD_PRIORITY_ABOVE_NORMAL", kThreadPriorityAboveNormal},
    {"THREAD_PRIORITY_HIGHEST", kThreadPriorityHighest},
};

}  // namespace

bool ProcessClassFromText(const std::string& text, uint32_t& priorityClass) {
  for (const ClassName& c : kClasses)
    if (text == c.text) {
      priorityClass = c.value;
      return true;
    }
  return false;
}

bool ThreadPriorityFromText(const std::string& text, int& priority) {
  for (const ThreadName& t : kThreads)
    if (text == t.text) {
      priority = t.value;
      return true;
    }
  return false;
}
