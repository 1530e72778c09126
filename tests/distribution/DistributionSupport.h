#pragma once
// What the launcher, setup and bar tests share: the record the Main.exe
// stand-in leaves, running the setup program and its uninstaller, and where
// Windows keeps what setup creates.
#include <windows.h>

#include <string>
#include <vector>

namespace dist {

// ---- The Main.exe stand-in (RecordLaunch.exe) -----------------------------
constexpr const char* kRecordKey = "Software\\CorvellaTests\\Launch";
void ClearLaunchRecord();
// A value the stand-in recorded, or "<missing>".
std::string Recorded(const std::string& name);
bool WaitForLaunch(DWORD ms);

// ---- Setup ----------------------------------------------------------------
constexpr const char* kAppKey = "Software\\Veltrop\\Corvella";
constexpr const char* kRunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kUninstallKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Corvella";

std::string SetupProgram();
// Runs the setup silently with extra arguments ("/D=..." last); its exit code,
// or -1 when it did not end within a minute.
int RunSetup(const std::string& args);
// Runs the uninstaller of folder silently and waits until it has finished
// (it runs on as a copy of itself after the program started has ended).
bool RunUninstaller(const std::string& folder, const std::string& args = "");
// Settings, start-up entry, uninstall entry and shortcuts of any earlier run.
void ForgetInstallation();
// A fresh folder (not yet created) whose path holds blanks, without a
// trailing backslash.
std::string NewInstallFolder(const std::string& tag);
// The deliverables the shipped folder holds, as the setup packs them.
std::vector<std::string> ShippedFiles();

std::string ProgramFilesFolder();
// The Start-menu folder setup creates its shortcuts in.
std::string MenuFolder();
// The file a shortcut points at ("" when it cannot be read).
std::string ShortcutTarget(const std::string& lnk);

bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);
long FileSize(const std::string& path);
void WriteTextFile(const std::string& path, const std::string& text);
// Case-insensitive comparison of two Windows paths.
bool SamePath(const std::string& a, const std::string& b);

// One panel or warning entry as stored: Plugin, Number and Width or WarnVal.
struct Entry {
  std::string plugin, number, value;
  bool operator==(const Entry& o) const {
    return plugin == o.plugin && number == o.number && value == o.value;
  }
};
std::vector<Entry> StoredPanels();
std::vector<Entry> StoredWarnings();
std::vector<std::string> StoredPlugins();
std::string Describe(const std::vector<Entry>& entries);
std::string Describe(const std::vector<std::string>& names);

// Puts the tests' stand-in of the resource meter's rsrc32.dll in the system
// folder for the lifetime of the object.
class ResourceMeterInstalled {
 public:
  ResourceMeterInstalled();
  ~ResourceMeterInstalled();
  bool Ok() const { return ok_; }

 private:
  std::string path_;
  bool ok_ = false;
};

}  // namespace dist
