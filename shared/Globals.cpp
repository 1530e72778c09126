// Error boxes, the warning alert and the log file.
#include "shared/Globals.h"

#include "shared/core/WarningAlert.h"
#include "shared/VBFunctions.h"
#include "shared/core/CvlError.h"

namespace {

HWND g_barWindow = nullptr;

constexpr const char* kTitle = "Corvella";

std::string ErrorBoxText(const std::string& message, const std::string& code,
                         const std::string& description) {
  return message + " Error Code: " + code + " Description: " + description;
}

// The user's short date and long time, both of one moment, as the log shows them.
std::string LogStamp() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  char date[128] = "", time[128] = "";
  GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &now, nullptr, date, sizeof date);
  GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &now, nullptr, time, sizeof time);
  return std::string(date) + " " + time;
}

// One line per event; the file is opened and closed for every line so that a
// line survives whatever happens to the program afterwards.
void AppendLogEntry(const std::string& entry) {
  RegistrySettings settings;
  const std::string path = InstalledPath(settings, "cvllog.txt");
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw CvlError("Cannot open the log file " + path);
  const std::string line = LogStamp() + " : " + entry + "\r\n";
  DWORD written = 0;
  const bool ok = SetFilePointer(file, 0, nullptr, FILE_END) != INVALID_SET_FILE_POINTER &&
                  WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written,
                            nullptr) &&
                  written == line.size();
  CloseHandle(file);
  if (!ok) throw CvlError("Cannot write to the log file " + path);
}

class SystemAlert : public AlertOutput {
 public:
  void Beep() override { MessageBeep(MB_OK); }
  void Pause(unsigned ms) override { Sleep(ms); }
  void ShowBox(const std::string& text) override {
    // No owner and system-modal: it must come up above everything even
    // though it is raised from the display thread.
    MessageBoxA(nullptr, text.c_str(), kTitle, MB_OK | MB_ICONEXCLAMATION | MB_SYSTEMMODAL);
  }
  void AppendLog(const std::string& entry) override { AppendLogEntry(entry); }
};

}  // namespace

HWND BarWindowHandle() { return g_barWindow; }
void SetBarWindowHandle(HWND hwnd) { g_barWindow = hwnd; }

void ShowError(const std::string& message, const std::string& code,
               const std::string& description) {
  MessageBoxA(g_barWindow, ErrorBoxText(message, code, description).c_str(), kTitle,
              MB_OK | MB_ICONEXCLAMATION);
}

void ShowFatalError(const std::string& message, const std::string& code,
                    const std::string& description) {
  ShowError(message, code, description);
  if (g_barWindow && IsWindow(g_barWindow)) SendMessageA(g_barWindow, WM_CLOSE, 0, 0);
  PostQuitMessage(0);
}

bool RaiseWarning(const std::string& message) {
  RegistrySettings settings;
  SystemAlert out;
  return RunWarningAlert(message, settings, out);
}

void LogLine(const std::string& text) { AppendLogEntry("Logged: " + text); }
