#include "tests/badinput/HostileValues.h"

#include "sensors/core/BuiltInCatalogue.h"

using namespace wintest;

namespace hostile {

namespace {

std::string LongText() {
  // Format directives, path separators and menu ampersands: a text that is
  // ever used as a format, a path or a caption shows it.
  const std::string piece = "%s%n%x\\..\\&";
  std::string text;
  while (text.size() < 10000) text += piece;
  text.resize(10000);
  return text;
}

void PutRaw(const Place& p, DWORD type, const void* data, DWORD size) {
  HKEY key;
  const std::string path = "Software\\Veltrop\\" + p.app + "\\" + p.section;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                      &key, nullptr) != ERROR_SUCCESS)
    return;
  RegSetValueExA(key, p.name.c_str(), 0, type, static_cast<const BYTE*>(data), size);
  RegCloseKey(key);
}

void PutText(const Place& p, const std::string& text) {
  PutRaw(p, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

}  // namespace

const char* NameOf(Kind k) {
  switch (k) {
    case Kind::Empty: return "Empty";
    case Kind::Long: return "Long";
    case Kind::Letters: return "Letters";
    case Kind::Huge: return "Huge";
    case Kind::Negative: return "Negative";
    case Kind::Hex: return "Hex";
    case Kind::WrongType: return "WrongType";
    case Kind::Unterminated: return "Unterminated";
    case Kind::Missing: return "Missing";
  }
  return "?";
}

std::vector<Kind> AllKinds() {
  return {Kind::Empty,     Kind::Long,         Kind::Letters, Kind::Huge, Kind::Negative,
          Kind::Hex,       Kind::WrongType,    Kind::Unterminated, Kind::Missing};
}

std::vector<Place> EveryValue() {
  std::vector<Place> all;
  auto add = [&](const std::string& section, std::initializer_list<const char*> names) {
    for (const char* n : names) all.push_back(Place{"Corvella", section, n});
  };
  add("Settings", {"BarPosition", "AutoHide", "OnTop", "TitleBar", "AutoResize", "ShadeBar",
                   "ShadeColour", "ShadeAmount", "Update", "PauseOnMinimise", "HotKeyModifiers",
                   "LogAll", "AudioWarnings", "LogWarnings", "InstalledDir", "SettingsStatus",
                   "Version", "FontName", "FontSize", "FontColor", "FontStyle", "MultiInfoSep",
                   "ShowSplash", "PanelGraphs"});
  add("Position", {"LEFT", "TOP", "WIDTH", "DOCKEDLEFT", "DOCKEDTOP"});
  add("Priorities", {"Process", "MainThread", "TimerThread"});
  add("LM78", {"LM78Enable", "LM75Enable", "WinbondEnable", "CorePort1", "CoreVolt", "CPUType",
               "Temp1Enable", "Temp2Enable", "Temp3Enable", "Temp4Enable", "TempComp1",
               "TempComp2", "TempComp3", "TempComp4", "Fan1Type", "Fan2Type", "Fan3Type"});
  add("Plugins", {"NoOfPlugins", "1", "2"});
  add("Panels", {"NoOfPanels"});
  add("Panels\\1\\General", {"Plugin", "Number", "Width"});
  add("Panels\\2\\General", {"Plugin", "Number", "Width"});
  add("Warnings", {"NoOfWarnings"});
  add("Warnings\\1\\General", {"Plugin", "Number", "WarnVal"});
  add("Warnings\\2\\General", {"Plugin", "Number", "WarnVal"});
  for (const char* n : {"NetActive", "TimeConnected", "TotalTime", "LastDate", "NoConnections"})
    all.push_back(Place{"DialtallyPlugin", "Settings", n});
  return all;
}

void Put(const Place& p, Kind k, size_t turn) {
  switch (k) {
    case Kind::Empty: PutText(p, ""); return;
    case Kind::Long: PutText(p, LongText()); return;
    case Kind::Letters: PutText(p, "junk!"); return;
    case Kind::Huge: PutText(p, "99999999999"); return;
    case Kind::Negative: PutText(p, "-2147483648"); return;
    case Kind::Hex: PutText(p, "$FFFFFFFF"); return;
    case Kind::WrongType: {
      static const DWORD number = 0xFFFFFFFF;
      static const char multi[] = "TRUE\0TOP\0";  // two strings and the list's end
      switch (turn % 3) {
        case 0: PutRaw(p, REG_DWORD, &number, sizeof number); return;
        case 1: PutRaw(p, REG_BINARY, "TRUE", 4); return;
        default: PutRaw(p, REG_MULTI_SZ, multi, sizeof multi); return;
      }
    }
    case Kind::Unterminated: PutRaw(p, REG_SZ, "TRUE", 4); return;
    case Kind::Missing: return;
  }
}

void FillEverything(Kind k) {
  ResetVeltropKeys();
  const std::vector<Place> all = EveryValue();
  for (size_t i = 0; i < all.size(); ++i) Put(all[i], k, i);
}

std::string StoredText(Kind k) {
  switch (k) {
    case Kind::Long: return LongText();
    case Kind::Letters: return "junk!";
    case Kind::Huge: return "99999999999";
    case Kind::Negative: return "-2147483648";
    case Kind::Hex: return "$FFFFFFFF";
    default: return "";
  }
}

std::string Undocumented(const BoxRecord& box) {
  if (box.title != "Corvella") return "title \"" + box.title + "\"";
  const std::string& t = box.text;
  auto report = [&](const std::string& message, const char* code) {
    const std::string head = message + " Error Code: " + code + " Description: ";
    return t.size() > head.size() && t.compare(0, head.size(), head) == 0;
  };
  // The list reports: the error's own text follows the description label.
  if (report("An Error has Occured Trying to Load Sensors. Please Remove all Sensors and Restart.",
             "06.") ||
      report("An Error has Occured Trying to Load Warnings. Please Remove all Warnings and "
             "Restart.",
             "02.") ||
      report("An Error has Occured Trying to Display Corvella", "05."))
    return "";
  for (const char* code : {"07.", "03."})
    if (t == std::string("One or More Plugins could not be Loaded. Error Code: ") + code +
                 " Description: Error Loading Plugin")
      return "";
  for (int32_t kind = 1; kind <= kBuiltInWarningCount; ++kind) {
    const std::string head = std::string("Warning: ") + BuiltInWarningMessage(kind) + " ";
    if (t.compare(0, head.size(), head) == 0) return "";
  }
  return "text \"" + t.substr(0, 300) + "\"";
}

std::string UndocumentedAmong(const std::vector<BoxRecord>& boxes) {
  std::string found;
  for (const BoxRecord& b : boxes) {
    const std::string why = Undocumented(b);
    if (!why.empty()) found += (found.empty() ? "" : " | ") + why;
  }
  return found;
}

bool IsDecimal(const std::string& text) {
  if (text.empty() || text.size() > 11) return false;
  size_t i = text[0] == '-' ? 1 : 0;
  if (i == text.size()) return false;
  for (; i < text.size(); ++i)
    if (text[i] < '0' || text[i] > '9') return false;
  const long long v = std::stoll(text);
  return v >= -2147483648LL && v <= 2147483647LL && std::to_string(v) == text;
}

}  // namespace hostile
