#include "bar/core/Priorities.h"

namespace {

struct Named {
  const char* text;
  int64_t value;
};
const Named kClasses[] = {
    {"IDLE_PRIORITY_CLASS", kIdlePriorityClass},
    {"NORMAL_PRIORITY_CLASS", kNormalPriorityClass},
    {"HIGH_PRIORITY_CLASS", kHighPriorityClass},
    {"REALTIME_PRIORITY_CLASS", kRealtimePriorityClass},
};
const Named kThreads[] = {
    {"THREAD_PRIORITY_LOWEST", kThreadPriorityLowest},
    {"THREAD_PRIORITY_BELOW_NORMAL", kThreadPriorityBelowNormal},
    {"THREAD_PRIORITY_NORMAL", kThreadPriorityNormal},
    {"THREAD_PRIORITY_ABOVE_NORMAL", kThreadPriorityAboveNormal},
    {"THREAD_PRIORITY_HIGHEST", kThreadPriorityHighest},
};

template <typename Value, size_t N>
bool Lookup(const Named (&table)[N], const std::string& text, Value& value) {
  for (const Named& n : table)
    if (text == n.text) {
      value = static_cast<Value>(n.value);
      return true;
    }
  return false;
}

}  // namespace

bool ProcessClassFromText(const std::string& text, uint32_t& priorityClass) {
  return Lookup(kClasses, text, priorityClass);
}

bool ThreadPriorityFromText(const std::string& text, int& priority) {
  return Lookup(kThreads, text, priority);
}
