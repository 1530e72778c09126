#include "shared/core/PluginOperations.h"

#include <cstring>
#include <exception>

#include "shared/core/VBText.h"

size_t TextBufferLength(const char* buffer) {
  // A plug-in may fill all 80 bytes without a terminating NUL.
  const void* nul = std::memchr(buffer, '\0', kTextBufferSize);
  return nul ? static_cast<size_t>(static_cast<const char*>(nul) - buffer)
             : static_cast<size_t>(kTextBufferSize);
}

std::string TextFromBuffer(const char* buffer) {
  return std::string(buffer, TextBufferLength(buffer));
}

void TextToBuffer(const std::string& text, char* buffer) {
  const size_t n = text.size() < kTextBufferSize - 1 ? text.size() : kTextBufferSize - 1;
  std::memcpy(buffer, text.data(), n);
  buffer[n] = '\0';
}

std::string FaultText(unsigned long code) {
  const char* name = "processor exception";
  switch (code) {
    case 0xC0000005UL: name = "access violation"; break;
    case 0xC0000094UL: name = "integer divide by zero"; break;
    case 0xC0000095UL: name = "integer overflow"; break;
    case 0xC000001DUL: name = "illegal instruction"; break;
    case 0xC0000096UL: name = "privileged instruction"; break;
    case 0xC00000FDUL: name = "stack overflow"; break;
    case 0x80000003UL: name = "breakpoint"; break;
    case 0xC000008EUL: name = "floating point divide by zero"; break;
    case 0xC0000090UL: name = "invalid floating point operation"; break;
  }
  std::string text = "Exception ";
  for (int shift = 28; shift >= 0; shift -= 4)
    text += "0123456789ABCDEF"[(code >> shift) & 0xF];
  return text + " (" + name + ")";
}

namespace {

typedef int32_t(CVL_STDCALL* NumberFn)();
typedef BitmapHandle(CVL_STDCALL* HandleFn)();
typedef void(CVL_STDCALL* ProcedureFn)();

void KeepError(PluginCall& c, const char* text) noexcept {
  c.failed = true;
  std::strncpy(c.error, text ? text : "", PluginCall::kErrorChars - 1);
  c.error[PluginCall::kErrorChars - 1] = '\0';
}

// No C++ exception may leave the guarded frame (it would unwind past the
// structured handler and leave it registered), so each body catches here.
template <typename Call>
void RunCaught(PluginCall& c, Call call) noexcept {
  try {
    call();
  } catch (const PluginFault& f) {
    c.fault = true;
    c.faultCode = f.Code();
    KeepError(c, f.what());
  } catch (const std::exception& e) {
    KeepError(c, e.what());
  } catch (...) {
    KeepError(c, "");
  }
}

void TextBody(PluginCall& c) {
  RunCaught(c, [&] { reinterpret_cast<TSensorFunction>(c.fn)(c.Buffer()); });
}
void NumberBody(PluginCall& c) {
  RunCaught(c, [&] { c.number = reinterpret_cast<NumberFn>(c.fn)(); });
}
void HandleBody(PluginCall& c) {
  RunCaught(c, [&] { c.handle = reinterpret_cast<HandleFn>(c.fn)(); });
}
void ProcedureBody(PluginCall& c) {
  RunCaught(c, [&] { reinterpret_cast<ProcedureFn>(c.fn)(); });
}
void CheckBody(PluginCall& c) {
  RunCaught(c, [&] { c.number = reinterpret_cast<TWarningFunction>(c.fn)(c.argument); });
}

// A call of one shape, made through the loader; what went wrong inside it
// is raised here, once the guard is gone.
struct GuardedCall : PluginCall {
  GuardedCall(void (*shape)(PluginCall&), void* function) {
    body = shape;
    fn = function;
  }
  GuardedCall& Make(LibraryLoader& loader) {
    loader.Invoke(*this);
    if (!failed) return *this;
    if (fault) throw PluginFault(faultCode, error);
    throw CvlError(error[0] ? error : "Unknown error");
  }
};

}  // namespace

void GuardedTextCall(LibraryLoader& loader, void* fn, char* buffer) {
  GuardedCall c(TextBody, fn);
  // The callee sees the caller's bytes, and the caller gets back all 80.
  std::memcpy(c.Buffer(), buffer, kTextBufferSize);
  std::memcpy(buffer, c.Make(loader).Buffer(), kTextBufferSize);
}

void GuardedTextAreaCall(LibraryLoader& loader, void* fn, char* area) {
  GuardedCall c(TextBody, fn);
  std::memcpy(c.text, area, PluginCall::kTextArea);
  std::memcpy(area, c.Make(loader).text, PluginCall::kTextArea);
}

int32_t GuardedNumberCall(LibraryLoader& loader, void* fn) {
  return GuardedCall(NumberBody, fn).Make(loader).number;
}

BitmapHandle GuardedHandleCall(LibraryLoader& loader, void* fn) {
  return GuardedCall(HandleBody, fn).Make(loader).handle;
}

void GuardedProcedureCall(LibraryLoader& loader, void* fn) {
  GuardedCall c(ProcedureBody, fn);
  c.unbounded = true;
  c.Make(loader);
}

int32_t GuardedCheckCall(LibraryLoader& loader, void* fn, int32_t threshold) {
  GuardedCall c(CheckBody, fn);
  c.argument = threshold;
  return c.Make(loader).number;
}

namespace {

// A library loaded for one question and released on every way out.
class BorrowedLibrary {
 public:
  BorrowedLibrary(LibraryLoader& loader, const std::string& path)
      : loader_(loader), handle_(loader.Load(path)) {}
  ~BorrowedLibrary() {
    if (Loaded()) loader_.Release(handle_);
  }
  BorrowedLibrary(const BorrowedLibrary&) = delete;
  BorrowedLibrary& operator=(const BorrowedLibrary&) = delete;
  bool Loaded() const { return IsLoadedHandle(handle_); }
  void* Find(const char* name) const { return loader_.Find(handle_, name); }

 private:
  LibraryLoader& loader_;
  uintptr_t handle_;
};

// Loads the library for one question and asks it; a library that does not
// load is not asked, and no error of the question leaves here.
template <typename Ask>
void AskLibrary(LibraryLoader& loader, const std::string& path, Ask ask) {
  try {
    BorrowedLibrary lib(loader, path);
    if (lib.Loaded()) ask(lib);
  } catch (const std::exception&) {
  }
}

// A text export called into a fresh buffer; cleared first so that an export
// that writes nothing gives an empty text rather than stack leftovers.
std::string TextOf(LibraryLoader& loader, void* fn) {
  TextBuffer buffer = {};
  GuardedTextCall(loader, fn, buffer);
  return TextFromBuffer(buffer);
}

// Calls the text exports named, in their order, into texts; false at the
// first one missing (the texts before it have been called).
template <int N>
bool TextsOf(LibraryLoader& loader, const BorrowedLibrary& lib, const char* const (&names)[N],
             std::string (&texts)[N]) {
  for (int i = 0; i < N; ++i) {
    void* fn = lib.Find(names[i]);
    if (!fn) return false;
    texts[i] = TextOf(loader, fn);
  }
  return true;
}

// Calls the number exports named, in their order, storing each answer as it
// comes; stops at the first one missing.
template <int N>
void NumbersOf(LibraryLoader& loader, const BorrowedLibrary& lib, const char* const (&names)[N],
               int32_t* const (&numbers)[N]) {
  for (int i = 0; i < N; ++i) {
    void* fn = lib.Find(names[i]);
    if (!fn) return;
    *numbers[i] = GuardedNumberCall(loader, fn);
  }
}

std::string ListKey(const char* list, int index, const std::string& section) {
  return std::string(list) + "\\" + IntToText(index) + "\\" + section;
}

}  // namespace

std::string PluginContract::GetPanelSetting(int index, const std::string& section,
                                            const std::string& name, const std::string& def) {
  return settings_.GetSetting(kAppName, ListKey("Panels", index, section), name, def);
}

std::string PluginContract::GetWarningSetting(int index, const std::string& section,
                                              const std::string& name, const std::string& def) {
  return settings_.GetSetting(kAppName, ListKey("Warnings", index, section), name, def);
}

int32_t InstalledPluginCount(SettingsSource& settings) {
  const int32_t stored = TextToInt(settings.GetSetting(kAppName, "Plugins", "NoOfPlugins", "0"));
  if (stored <= 0) return 0;
  if (stored <= kMaxInstalledPlugins) return stored;
  int32_t named = 0;
  while (named < kMaxInstalledPlugins &&
         !settings.GetSetting(kAppName, "Plugins", IntToText(named + 1), "").empty())
    ++named;
  return named;
}

bool PluginContract::IsPluginInstalled(const std::string& fileName) {
  // No installed plug-in has an empty name; a missing list value reads empty.
  if (fileName.empty()) return false;
  const int32_t n = InstalledPluginCount(settings_);
  for (int32_t i = 1; i <= n; ++i) {
    if (settings_.GetSetting(kAppName, "Plugins", IntToText(i), "") == fileName) return true;
  }
  return false;
}

std::string PluginContract::PluginPath(int32_t number) {
  return InstalledPath(settings_, settings_.GetSetting(kAppName, "Plugins", IntToText(number), ""));
}

int32_t PluginContract::GetPluginFacilities(const std::string& path) {
  int32_t facilities = 0;
  AskLibrary(loader_, path, [&](const BorrowedLibrary& lib) {
    if (void* fn = lib.Find("PluginFacilities")) facilities = GuardedNumberCall(loader_, fn);
  });
  return facilities;
}

// The first missing or failing export ends the filling; the texts are all
// fetched before any is stored.
void PluginContract::GetSensorInfo(const std::string& path, TSENSORINFO& info) {
  info = TSENSORINFO();
  AskLibrary(loader_, path, [&](const BorrowedLibrary& lib) {
    std::string texts[2];
    if (!TextsOf(loader_, lib, {"SensorDescription", "SensorToolTip"}, texts)) return;
    info.Description = texts[0];
    info.ToolTip = texts[1];
    void* width = lib.Find("SensorWidth");
    if (!width) return;
    info.Width = GuardedNumberCall(loader_, width);
    if (void* icon = lib.Find("SensorIcon")) info.Icon = GuardedHandleCall(loader_, icon);
  });
}

void PluginContract::GetWarningInfo(const std::string& path, TWARNINGINFO& info) {
  info = TWARNINGINFO();
  AskLibrary(loader_, path, [&](const BorrowedLibrary& lib) {
    std::string texts[3];
    if (!TextsOf(loader_, lib, {"WarningMessage", "WarningDescription", "WarningVal"}, texts))
      return;
    info.Message = texts[0];
    info.Description = texts[1];
    info.Val = texts[2];
    NumbersOf(loader_, lib, {"WarningMax", "WarningMin", "WarningIncrement"},
              {&info.Max, &info.Min, &info.Increment});
  });
}

std::string PluginContract::GetPluginName(const std::string& path) {
  std::string name;
  AskLibrary(loader_, path, [&](const BorrowedLibrary& lib) {
    if (void* fn = lib.Find("PluginName")) name = TextOf(loader_, fn);
  });
  return name;
}

void PluginContract::ShowPluginSettings(const std::string& path) {
  AskLibrary(loader_, path, [&](const BorrowedLibrary& lib) {
    if (void* fn = lib.Find("PluginDisplaySettings")) GuardedProcedureCall(loader_, fn);
  });
}

void* PluginContract::LoadKeptFunction(const std::string& path, const char* exportName,
                                       const char* otherName, void** other) {
  if (other) *other = nullptr;
  const uintptr_t handle = loader_.Load(path);
  if (!IsLoadedHandle(handle)) return nullptr;
  void* fn = loader_.Find(handle, exportName);
  void* found = otherName ? loader_.Find(handle, otherName) : nullptr;
  // A load that finds the table full gets no function and is not kept either:
  // nothing would ever release it.
  if (libraryCount_ >= kLibrarySlots) {
    loader_.Release(handle);
    return nullptr;
  }
  libraries_[libraryCount_++] = handle;
  if (other) *other = found;
  return fn;
}

void PluginContract::ReleasePluginLibraries() {
  const int n = libraryCount_;
  libraryCount_ = 0;
  for (int i = 0; i < n; ++i) loader_.Release(libraries_[i]);
}

TSensorFunction PluginContract::LoadSensorFunction(const std::string& path, TSensorValue* value) {
  void* valueFn = nullptr;
  void* fn = LoadKeptFunction(path, "SensorFunction", value ? "SensorValue" : nullptr, &valueFn);
  if (value) *value = reinterpret_cast<TSensorValue>(valueFn);
  return reinterpret_cast<TSensorFunction>(fn);
}

TWarningFunction PluginContract::LoadWarningFunction(const std::string& path) {
  return reinterpret_cast<TWarningFunction>(LoadKeptFunction(path, "WarningFunction"));
}

void PluginContract::CallSensorFunction(TSensorFunction fn, char* buffer80) {
  if (!fn) throw CvlError("No sensor function");
  // Cleared, so that a function that writes nothing leaves an empty text
  // rather than the previous pass's.
  std::memset(buffer80, 0, kTextBufferSize);
  GuardedTextCall(loader_, reinterpret_cast<void*>(fn), buffer80);
}

int32_t PluginContract::CallSensorValue(TSensorValue fn) {
  if (!fn) throw CvlError("No sensor value");
  return GuardedNumberCall(loader_, reinterpret_cast<void*>(fn));
}

bool PluginContract::CallWarningFunction(TWarningFunction fn, int32_t threshold) {
  if (!fn) return false;
  // Only the lowest byte counts: 256 is false, -1 and 1 are true.
  const int32_t result = GuardedCheckCall(loader_, reinterpret_cast<void*>(fn), threshold);
  return (result & 0xFF) != 0;
}
