#pragma once
// A library loader for native tests: libraries are tables of host functions
// by path, handles are counted so that a test sees every load matched by a
// release, and chosen functions "fault" as a processor exception would.
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "shared/core/PluginOperations.h"

class FakeLoader : public LibraryLoader {
 public:
  using Exports = std::map<std::string, void*>;

  // Adds a library at path; its handle is fixed for the loader's life.
  void Add(const std::string& path, const Exports& exports) {
    const uintptr_t handle = 0x1000 + 0x10 * libraries_.size();
    libraries_[path] = Library{handle, exports};
    byHandle_[handle] = path;
  }
  // The raw answer of the load call for path (0, 32 ...), as a failing system would give.
  void AnswerLoad(const std::string& path, uintptr_t raw) { rawAnswers_[path] = raw; }
  void Fault(void* fn, unsigned long code = 0xC0000005UL) { faults_[fn] = code; }

  uintptr_t Load(const std::string& path) override {
    loadCalls.push_back(path);
    auto raw = rawAnswers_.find(path);
    if (raw != rawAnswers_.end()) return raw->second;
    auto it = libraries_.find(path);
    if (it == libraries_.end()) return 0;
    ++references[it->second.handle];
    return it->second.handle;
  }
  void* Find(uintptr_t module, const char* name) override {
    auto path = byHandle_.find(module);
    if (path == byHandle_.end()) return nullptr;
    const Exports& exports = libraries_[path->second].exports;
    auto it = exports.find(name);
    return it == exports.end() ? nullptr : it->second;
  }
  void Release(uintptr_t module) override {
    released.push_back(module);
    --references[module];
  }
  void Invoke(PluginCall& call) override {
    ++invocations;
    auto fault = faults_.find(call.fn);
    if (fault != faults_.end()) throw PluginFault(fault->second, FaultText(fault->second));
    call.body(call);
  }

  uintptr_t HandleOf(const std::string& path) { return libraries_[path].handle; }
  // True when every load of every library has been released.
  bool AllReleased() const {
    for (const auto& r : references)
      if (r.second != 0) return false;
    return true;
  }

  std::map<uintptr_t, int> references;
  std::vector<uintptr_t> released;
  std::vector<std::string> loadCalls;
  int invocations = 0;

 private:
  struct Library {
    uintptr_t handle = 0;
    Exports exports;
  };
  std::map<std::string, Library> libraries_;
  std::map<uintptr_t, std::string> byHandle_;
  std::map<std::string, uintptr_t> rawAnswers_;
  std::map<void*, unsigned long> faults_;
};

template <typename F>
void* Export(F fn) {
  return reinterpret_cast<void*>(fn);
}
