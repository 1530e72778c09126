#include "cvlcheck/core/PluginCheck.h"

#include <algorithm>
#include <cctype>
#include <exception>
#include <map>
#include <set>
#include <stdexcept>
#include <type_traits>
#include <vector>

#include "sdk/CvlPlugin.h"
#include "shared/core/PluginOperations.h"
#include "shared/core/VBText.h"

// The kit's header and the contract the bar and the settings library use
// describe the same numbers and function types; they must never drift apart.
static_assert(CVL_TEXT_BUFFER_SIZE == kTextBufferSize, "the text buffer sizes differ");
static_assert(CVL_MAX_TEXT == kTextBufferSize - 1, "the longest texts differ");
static_assert(CVL_HAS_SENSOR == PluginHasSensor, "the sensor facility bits differ");
static_assert(CVL_HAS_WARNING == PluginHasWarning, "the warning facility bits differ");
static_assert(std::is_same<CVL_SENSOR_FUNCTION, TSensorFunction>::value,
              "the sensor function types differ");
static_assert(std::is_same<CVL_SENSOR_VALUE, TSensorValue>::value,
              "the sensor value types differ");
static_assert(std::is_same<CVL_WARNING_FUNCTION, TWarningFunction>::value,
              "the warning function types differ");

namespace {

// Every export of the plug-in contract as the checker sees it: how it is
// called, which role it serves, whether that role needs it, and what the bar
// does without it. A new export is one more row of the table.
enum class ExportShape {
  Number,     // int32 ()
  Text,       // void (TextBuffer)
  Icon,       // HBITMAP ()
  Procedure,  // void (): shows a window, never called by the checker
  Check,      // int32 (int32 threshold): the warning's 32-bit boolean
};

enum class ExportRole { Plugin, Sensor, Warning };

struct ExportEntry {
  const char* name;
  ExportShape shape;
  ExportRole role;
  bool required;  // for its role: the role cannot work without it
  // Its place in the bar's reading of the information record (0: not part of
  // it). The bar reads the exports of a role in rising order and stops at the
  // first that is missing or fails; exports of one place are stored together,
  // so a later one missing costs the earlier ones of its place too.
  int infoStep;
  const char* without;  // what the bar does when the export is missing
};

using S = ExportShape;
using R = ExportRole;

// In the order the checker reports and calls them.
const ExportEntry kExports[] = {
  {"PluginFacilities", S::Number, R::Plugin, true, 0, "the bar never uses the plug-in"},
  {"PluginName", S::Text, R::Plugin, false, 0, "the Plugins tab lists it without a name"},
  {"PluginDisplaySettings", S::Procedure, R::Plugin, false, 0,
   "the Settings button of the Plugins tab does nothing"},
  {"SensorFunction", S::Text, R::Sensor, true, 0, "its panels show \"Error\""},
  {"SensorValue", S::Number, R::Sensor, false, 0, "its panels have no history graph"},
  {"SensorDescription", S::Text, R::Sensor, false, 1,
   "the Add Sensor list shows \"No Description\""},
  {"SensorToolTip", S::Text, R::Sensor, false, 1, "the panel's tool tip is \"No Tool Tip\""},
  {"SensorWidth", S::Number, R::Sensor, false, 2, "a new panel is 0 pixels wide"},
  {"SensorIcon", S::Icon, R::Sensor, false, 3, "the panel has no picture"},
  {"WarningFunction", S::Check, R::Warning, true, 0, "its warnings never fire"},
  {"WarningMessage", S::Text, R::Warning, false, 1,
   "the warning's message reads \"No Message\""},
  {"WarningDescription", S::Text, R::Warning, false, 1,
   "the Add Warning list shows \"No Description\""},
  {"WarningVal", S::Text, R::Warning, false, 1, "the unit reads \"No Val\""},
  {"WarningMax", S::Number, R::Warning, false, 2, "the highest threshold is 0"},
  {"WarningMin", S::Number, R::Warning, false, 3, "the lowest threshold is 0"},
  {"WarningIncrement", S::Number, R::Warning, false, 4,
   "the threshold's - and + buttons do nothing"},
};

// "sensor", "warning" or "every plug-in".
const char* RoleName(ExportRole role) {
  switch (role) {
    case ExportRole::Sensor: return "sensor";
    case ExportRole::Warning: return "warning";
    default: return "every plug-in";
  }
}

// Room around the 80-byte buffer that a text export must not touch.
constexpr size_t kGuardBefore = PluginCall::kTextLead;
constexpr size_t kGuardAfter = PluginCall::kTextArea - PluginCall::kTextLead - kTextBufferSize;
constexpr unsigned char kGuardByte = 0x5A;
// The buffer is not cleared before a call: an export must write its own NUL.
constexpr unsigned char kFillByte = 0xA5;

// Ends the check after a call that did not return.
struct CheckStopped {};

// A name as a compiler may have decorated it: "_Name@4", "Name@4" or "_Name".
std::string Undecorated(const std::string& name) {
  std::string plain = name;
  const size_t at = plain.rfind('@');
  if (at != std::string::npos && at + 1 < plain.size() &&
      plain.find_first_not_of("0123456789", at + 1) == std::string::npos)
    plain.erase(at);
  if (!plain.empty() && plain[0] == '_') plain.erase(0, 1);
  return plain;
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::string Plural(int n, const char* one, const char* many) {
  return IntToText(n) + " " + (n == 1 ? one : many);
}

class PluginChecker {
 public:
  PluginChecker(LibraryLoader& loader, CheckHost& host, CheckReport& report)
      : loader_(loader), host_(host), report_(report) {}

  int Run(const std::string& path) {
    report_.Line("Plug-in " + path);
    module_ = loader_.Load(path);
    if (!IsLoadedHandle(module_)) {
      report_.Line("Result: not a plug-in, the library does not load (" + host_.LoadFailure() + ")");
      return kCheckNotAPlugin;
    }
    if (host_.HasTlsDirectory(module_))
      report_.Problem("Library: it has a thread-local storage directory; Windows 95 refuses to "
                      "load such a library with LoadLibrary (error 1114), Windows 98 sets up no "
                      "storage for it");
    for (const ExportEntry& entry : kExports)
      if (void* fn = loader_.Find(module_, entry.name)) found_[entry.name] = fn;
    if (!found_.count("PluginFacilities")) {
      ReportNames();
      report_.Line("Result: not a plug-in, it does not export PluginFacilities");
      loader_.Release(module_);
      return kCheckNotAPlugin;
    }
    bool stopped = false;
    try {
      CheckFacilities();
      ReportExports();
      ReportNames();
      CheckGeneral();
      if (mask_ & PluginHasSensor) CheckSensor();
      if (mask_ & PluginHasWarning) CheckWarning();
    } catch (const CheckStopped&) {
      stopped = true;
    }
    if (!stopped) loader_.Release(module_);
    const int problems = report_.Problems();
    report_.Line("Result: " + (problems ? Plural(problems, "problem", "problems") : "no problems") +
                 (stopped ? ", checking stopped at a call that did not return" : ""));
    return problems ? kCheckProblems : kCheckClean;
  }

 private:
  bool Found(const ExportEntry& entry) const { return found_.count(entry.name) != 0; }
  bool RoleActive(ExportRole role) const {
    return role == ExportRole::Plugin || (role == ExportRole::Sensor && (mask_ & PluginHasSensor)) ||
           (role == ExportRole::Warning && (mask_ & PluginHasWarning));
  }

  // Runs one guarded call. A fault is reported with its export's name and
  // answers false; a call that does not return ends the whole check.
  template <typename Call>
  bool Guarded(const std::string& subject, const ExportEntry& entry, Call call) {
    const double start = host_.Milliseconds();
    try {
      call();
      took_ = host_.Milliseconds() - start;
      return true;
    } catch (const PluginHang&) {
      report_.Problem(subject + ": did not return within " + IntToText(kCallHangLimitMs / 1000) +
                      " s, the bar's limit: " + Consequence(entry) +
                      "; the library stays loaded until the bar ends");
      throw CheckStopped();
    } catch (const PluginFault& fault) {
      report_.Problem(subject + ": processor fault, " + fault.what() + ": " + Consequence(entry));
    } catch (const std::exception& error) {
      report_.Problem(subject + ": failed, " + error.what());
    }
    failed_.insert(entry.name);
    return false;
  }

  // What the bar does after a fault in the export. The functions it calls in
  // every pass are taken out of service; the others give their default.
  static std::string Consequence(const ExportEntry& entry) {
    if (entry.role != ExportRole::Plugin && entry.infoStep == 0)
      return std::string("the bar takes it out of service, ") + entry.without;
    return entry.without;
  }

  void CheckFacilities() {
    const ExportEntry& entry = Entry("PluginFacilities");
    int32_t mask = 0;
    if (!Guarded(entry.name, entry, [&] { mask = GuardedNumberCall(loader_, found_[entry.name]); })) {
      mask_ = 0;
      return;
    }
    mask_ = mask;
    const char* roles[] = {"neither a sensor nor a warning", "a sensor", "a warning",
                           "a sensor and a warning"};
    std::string line = std::string(entry.name) + ": " + IntToText(mask) + ", " + roles[mask & 3];
    if (mask & ~3) line += " (the other bits are ignored)";
    report_.Line(line + " " + CallTime(took_));
    if (!(mask & 3))
      report_.Problem(std::string(entry.name) + ": " + IntToText(mask) +
                      " has neither the sensor bit (1) nor the warning bit (2): the bar never "
                      "uses the plug-in");
  }

  void ReportExports() {
    for (const ExportEntry& entry : kExports) {
      const std::string subject = std::string("Export ") + entry.name + ": ";
      const bool active = RoleActive(entry.role);
      const std::string role = RoleName(entry.role);
      if (Found(entry)) {
        if (!active)
          report_.Line(subject + "found, not used (PluginFacilities has no " + role + " bit)");
        else
          report_.Line(subject + "found (" + (entry.required ? "required" : "optional") + ")");
      } else if (!active) {
        report_.Line(subject + "missing (not needed without a " + role + ")");
      } else if (entry.required) {
        report_.Problem(subject + "missing, required for " +
                        (entry.role == ExportRole::Plugin ? role : "a " + role) + ": " +
                        entry.without);
      } else {
        report_.Line(subject + "missing (optional): " + entry.without);
      }
    }
  }

  // Names the bar cannot find because a compiler decorated them or their
  // letter case differs: the bar asks for each name exactly.
  void ReportNames() {
    bool clean = true;
    const std::vector<std::string> names = host_.ExportNames(module_);
    for (const ExportEntry& entry : kExports) {
      if (Found(entry)) continue;
      for (const std::string& name : names) {
        const std::string plain = Undecorated(name);
        if (Lower(plain) != Lower(entry.name)) continue;
        clean = false;
        report_.Problem(std::string("Export ") + entry.name + ": exported only as " +
                        QuotedText(name) +
                        (plain == entry.name ? ", a decorated name" : ", in other letter case") +
                        "; the bar asks for " + entry.name + " exactly");
      }
    }
    if (clean) report_.Line("Export names: undecorated");
  }

  void CheckGeneral() {
    CallText(Entry("PluginName"), "PluginName");
    if (found_.count("PluginDisplaySettings"))
      report_.Line("PluginDisplaySettings: not called, it shows a window and waits for the user");
  }

  void CheckSensor() {
    CheckInformation(ExportRole::Sensor);
    const ExportEntry& entry = Entry("SensorFunction");
    if (!Found(entry)) return;
    // The bar asks for the value right after the text, in the same pass.
    const ExportEntry& valueEntry = Entry("SensorValue");
    bool valueInService = Found(valueEntry);
    std::string values;
    double slowest = 0;
    std::set<std::string> texts;
    bool textInService = true;
    for (int call = 1; call <= kSensorCalls && textInService; ++call) {
      texts.insert(CallText(entry, "SensorFunction call " + IntToText(call), &textInService));
      // A fault ends the pass before the value, and the bar takes the
      // faulting function out of service.
      if (!textInService || !valueInService) continue;
      int32_t value = 0;
      valueInService = Guarded("SensorValue call " + IntToText(call), valueEntry, [&] {
        value = GuardedNumberCall(loader_, found_[valueEntry.name]);
      });
      if (!valueInService) continue;
      values += (values.empty() ? "" : ", ") + IntToText(value);
      slowest = std::max(slowest, took_);
    }
    // The values on one line, with the time of the slowest call.
    if (!values.empty()) report_.Line("SensorValue: " + values + " " + CallTime(slowest));
    if (!textInService) return;
    report_.Line(texts.size() == 1
                     ? "SensorFunction: the same text in all " + IntToText(kSensorCalls) +
                           " calls (not a problem: a reading may stay the same)"
                     : std::string("SensorFunction: the text changed between calls"));
  }

  void CheckWarning() {
    CheckInformation(ExportRole::Warning);
    const int32_t max = Used("WarningMax"), min = Used("WarningMin");
    const int32_t increment = Used("WarningIncrement");
    if (min > max)
      report_.Problem("WarningMin " + IntToText(min) + " is above WarningMax " + IntToText(max) +
                      ": the lowest threshold the Warnings tab offers must not exceed the highest");
    if (increment <= 0)
      report_.Problem("WarningIncrement: the bar reads " + IntToText(increment) +
                      (Found(Entry("WarningIncrement")) ? "" : " (the export is missing)") +
                      ": the - and + buttons of the Warnings tab need a step above 0");

    const ExportEntry& entry = Entry("WarningFunction");
    if (!Found(entry)) return;
    std::vector<int32_t> thresholds = {min};
    const int32_t middle = static_cast<int32_t>((static_cast<int64_t>(min) + max) / 2);
    for (int32_t t : {middle, max})
      if (t != thresholds.back()) thresholds.push_back(t);
    for (int32_t threshold : thresholds) {
      const std::string subject = "WarningFunction(" + IntToText(threshold) + ")";
      int32_t result = 0;
      if (!Guarded(subject, entry, [&] {
            result = GuardedCheckCall(loader_, found_[entry.name], threshold);
          }))
        return;
      const char* meaning = result == 0 ? ", false " : result == -1 ? ", true " : " ";
      report_.Line(subject + ": " + IntToText(result) + meaning + CallTime(took_));
      if (result != 0 && result != -1)
        report_.Problem(subject + ": returned " + IntToText(result) +
                        ", not 0 (false) or -1 (true, all bits set); the bar reads only the "
                        "lowest byte, so it counts as " + ((result & 0xFF) ? "true" : "false"));
    }
  }

  // The information exports of a role, in the bar's order; then what the bar
  // misses because it stops reading at the first missing export.
  void CheckInformation(ExportRole role) {
    int stopStep = 0;
    std::string stopName;
    for (const ExportEntry& entry : kExports) {
      if (entry.role != role || entry.infoStep == 0) continue;
      if (Found(entry)) {
        if (entry.shape == ExportShape::Text)
          CallText(entry, entry.name);
        else if (entry.shape == ExportShape::Icon)
          CallIcon(entry);
        else
          CallNumber(entry);
      }
      const bool unusable = !Found(entry) || failed_.count(entry.name);
      if (unusable && stopStep == 0) {
        stopStep = entry.infoStep;
        if (!Found(entry)) stopName = entry.name;
      }
    }
    if (stopStep == 0) return;
    std::vector<std::string> ignored;
    for (const ExportEntry& entry : kExports) {
      if (entry.role != role || entry.infoStep < stopStep) continue;
      if (Found(entry) && !failed_.count(entry.name)) ignored.push_back(entry.name);
      ignored_.insert(entry.name);
    }
    // A fault is reported already; a gap in the exports is a problem of its own.
    if (ignored.empty() || stopName.empty()) return;
    std::string names;
    for (size_t i = 0; i < ignored.size(); ++i)
      names += (i == 0 ? "" : i + 1 == ignored.size() ? " and " : ", ") + ignored[i];
    report_.Problem("Export " + stopName + " is missing, so the bar also ignores " + names +
                    ": it reads the " + RoleName(role) + "'s information in order and stops at "
                    "the first export that is missing");
  }

  // A number the bar uses: the export's answer, or 0 when it is missing,
  // failed or comes after a missing export.
  int32_t Used(const char* name) const {
    if (ignored_.count(name)) return 0;
    auto it = numbers_.find(name);
    return it == numbers_.end() ? 0 : it->second;
  }

  std::string CallText(const ExportEntry& entry, const std::string& subject, bool* ok = nullptr) {
    if (ok) *ok = false;
    if (!Found(entry)) return std::string();
    std::vector<char> block(PluginCall::kTextArea, static_cast<char>(kGuardByte));
    char* buffer = block.data() + kGuardBefore;
    std::fill(buffer, buffer + kTextBufferSize, static_cast<char>(kFillByte));
    if (!Guarded(subject, entry, [&] { GuardedTextAreaCall(loader_, found_[entry.name], block.data()); }))
      return std::string();
    if (ok) *ok = true;
    const std::string text = TextFromBuffer(buffer);
    report_.Line(subject + ": " + QuotedText(text) + " " + CallTime(took_));
    size_t past = 0;
    for (size_t i = 0; i < kGuardAfter; ++i)
      if (static_cast<unsigned char>(buffer[kTextBufferSize + i]) != kGuardByte) past = i + 1;
    bool before = false;
    for (size_t i = 0; i < kGuardBefore; ++i)
      if (static_cast<unsigned char>(block[i]) != kGuardByte) before = true;
    if (past > 0)
      report_.Problem(subject + ": wrote " + IntToText(static_cast<int32_t>(past)) +
                      " bytes past the end of the 80-byte buffer");
    if (before) report_.Problem(subject + ": wrote before the start of the 80-byte buffer");
    if (past == 0 && text.size() == static_cast<size_t>(kTextBufferSize))
      report_.Problem(subject + ": 80 bytes without a NUL; write at most 79 characters and a NUL");
    return text;
  }

  void CallNumber(const ExportEntry& entry) {
    int32_t n = 0;
    if (!Guarded(entry.name, entry, [&] { n = GuardedNumberCall(loader_, found_[entry.name]); }))
      return;
    numbers_[entry.name] = n;
    report_.Line(std::string(entry.name) + ": " + IntToText(n) + " " + CallTime(took_));
  }

  void CallIcon(const ExportEntry& entry) {
    BitmapHandle icon = nullptr;
    if (!Guarded(entry.name, entry, [&] { icon = GuardedHandleCall(loader_, found_[entry.name]); }))
      return;
    const std::string subject = entry.name;
    if (!icon) {
      report_.Line(subject + ": 0 " + CallTime(took_));
      report_.Problem(subject + ": returned no bitmap (0): " + entry.without);
      return;
    }
    const BitmapFacts facts = host_.InspectBitmap(icon);
    if (!facts.isBitmap) {
      report_.Line(subject + ": a handle " + CallTime(took_));
      report_.Problem(subject + ": returned a handle that is not a bitmap: " + entry.without);
      return;
    }
    const std::string size = IntToText(facts.width) + " x " + IntToText(facts.height);
    report_.Line(subject + ": a " + size + " bitmap " + CallTime(took_));
    if (facts.width != 16 || facts.height != 16)
      report_.Problem(subject + ": a " + size + " bitmap; the panel's picture is 16 x 16");
    // The caller owns the bitmap once it is returned.
    host_.DeleteBitmap(icon);
  }

  static const ExportEntry& Entry(const char* name) {
    for (const ExportEntry& entry : kExports)
      if (std::string(entry.name) == name) return entry;
    throw std::logic_error(std::string("no export ") + name);
  }

  LibraryLoader& loader_;
  CheckHost& host_;
  CheckReport& report_;
  uintptr_t module_ = 0;
  int32_t mask_ = 0;
  double took_ = 0;
  std::map<std::string, void*> found_;
  std::set<std::string> failed_;   // faulted or failed once
  std::set<std::string> ignored_;  // at or after the bar's stop in its information
  std::map<std::string, int32_t> numbers_;
};

}  // namespace

void CheckReport::Line(const std::string& text) {
  lines_.push_back(text);
  if (echo_) echo_(text);
}

void CheckReport::Problem(const std::string& text) {
  ++problems_;
  Line("PROBLEM " + text);
}

std::string QuotedText(const std::string& text) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string quoted = "\"";
  for (unsigned char c : text) {
    if (c >= 0x20 && c < 0x7F && c != '\\') {
      quoted += static_cast<char>(c);
    } else {
      quoted += "\\x";
      quoted += kHex[c >> 4];
      quoted += kHex[c & 0xF];
    }
  }
  return quoted + "\"";
}

std::string CallTime(double milliseconds) {
  const int32_t whole = milliseconds < 0 ? 0 : static_cast<int32_t>(milliseconds + 0.5);
  return "[" + IntToText(whole) + " ms]";
}

int CheckPlugin(const std::string& path, LibraryLoader& loader, CheckHost& host,
                CheckReport& report) {
  return PluginChecker(loader, host, report).Run(path);
}
