#include "tests/distribution/DistributionSupport.h"

#include <shlobj.h>

#include <cstdlib>
#include <fstream>

#include "tests/support/WinTest.h"

namespace dist {

using namespace wintest;

void ClearLaunchRecord() { DeleteTree(HKEY_CURRENT_USER, kRecordKey); }

std::string Recorded(const std::string& name) {
  return GetString(HKEY_CURRENT_USER, kRecordKey, name);
}

bool WaitForLaunch(DWORD ms) {
  return WaitUntil([] { return Recorded("Started") == "yes"; }, ms);
}

std::string SetupProgram() { return BinDir() + "..\\setup\\CorvellaSetup.exe"; }

int RunSetup(const std::string& args) {
  ChildProcess setup;
  if (!setup.Start(SetupProgram(), "/S " + args)) return -1;
  if (!setup.WaitExit(60000)) return -1;
  return static_cast<int>(setup.ExitCode());
}

bool RunUninstaller(const std::string& folder, const std::string& args) {
  ChildProcess uninstaller;
  if (!uninstaller.Start(folder + "\\Uninstall.exe", "/S " + args)) return false;
  if (!uninstaller.WaitExit(60000)) return false;
  // The copy that does the work removes the uninstall entry last.
  return WaitUntil([] { return !KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey); }, 60000, 100);
}

void ForgetInstallation() {
  ResetVeltropKeys();
  DeleteTree(HKEY_LOCAL_MACHINE, kUninstallKey);
  DeleteValue(HKEY_LOCAL_MACHINE, kRunKey, "Corvella");
  const std::string menu = MenuFolder();
  for (const char* name : {"Corvella.lnk", "Corvella Help.lnk", "Uninstall Corvella.lnk"})
    DeleteFileA((menu + "\\" + name).c_str());
  RemoveDirectoryA(menu.c_str());
  ClearLaunchRecord();
}

std::string NewInstallFolder(const std::string& tag) {
  // Short enough for the bar's 80-character paths, whatever the temporary folder.
  static int counter = 0;
  const std::string root = "C:\\cvl setup tests";
  CreateDirectoryA(root.c_str(), nullptr);
  for (;;) {
    std::string folder = root + "\\" + tag + " " + std::to_string(GetTickCount() % 100000) + "-" +
                         std::to_string(++counter);
    if (!FolderExists(folder)) return folder + "\\Corvella Bar";
  }
}

std::vector<std::string> ShippedFiles() {
  std::vector<std::string> present;
  for (const char* name : {"Main.exe", "cvl.dll", "Chipwatch.dll", "Coreprobe.dll", "Screenspan.dll",
                           "Launcher.exe", "Dialtally.cvl", "Resource.cvl"})
    if (FileExists(BinDir() + name)) present.push_back(name);
  return present;
}

std::string ProgramFilesFolder() {
  return GetString(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion",
                   "ProgramFilesDir");
}

std::string MenuFolder() {
  char path[MAX_PATH] = "";
  if (!SHGetSpecialFolderPathA(nullptr, path, CSIDL_COMMON_PROGRAMS, FALSE))
    SHGetSpecialFolderPathA(nullptr, path, CSIDL_PROGRAMS, FALSE);
  return std::string(path) + "\\Corvella";
}

std::string ShortcutTarget(const std::string& lnk) {
  std::string target;
  CoInitialize(nullptr);
  IShellLinkA* link = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                 reinterpret_cast<void**>(&link)))) {
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
      WCHAR wide[MAX_PATH];
      MultiByteToWideChar(CP_ACP, 0, lnk.c_str(), -1, wide, MAX_PATH);
      char path[MAX_PATH] = "";
      if (SUCCEEDED(file->Load(wide, STGM_READ)) &&
          SUCCEEDED(link->GetPath(path, MAX_PATH, nullptr, 0)))
        target = path;
      file->Release();
    }
    link->Release();
  }
  CoUninitialize();
  return target;
}

bool FileExists(const std::string& path) {
  DWORD a = GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::string& path) {
  DWORD a = GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

long FileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return -1;
  return static_cast<long>(data.nFileSizeLow);
}

void WriteTextFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

bool SamePath(const std::string& a, const std::string& b) {
  return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

namespace {

std::vector<Entry> StoredList(const std::string& list, const std::string& countName,
                              const std::string& valueName) {
  std::vector<Entry> entries;
  const int count = std::atoi(Setting(list, countName).c_str());
  for (int i = 1; i <= count; ++i) {
    const std::string key = std::string(kAppKey) + "\\" + list + "\\" + std::to_string(i) +
                            "\\General";
    entries.push_back({GetString(HKEY_LOCAL_MACHINE, key, "Plugin"),
                       GetString(HKEY_LOCAL_MACHINE, key, "Number"),
                       GetString(HKEY_LOCAL_MACHINE, key, valueName)});
  }
  return entries;
}

}  // namespace

std::vector<Entry> StoredPanels() { return StoredList("Panels", "NoOfPanels", "Width"); }
std::vector<Entry> StoredWarnings() { return StoredList("Warnings", "NoOfWarnings", "WarnVal"); }

std::vector<std::string> StoredPlugins() {
  std::vector<std::string> names;
  const int count = std::atoi(Setting("Plugins", "NoOfPlugins").c_str());
  for (int i = 1; i <= count; ++i) names.push_back(Setting("Plugins", std::to_string(i)));
  return names;
}

std::string Describe(const std::vector<Entry>& entries) {
  std::string s;
  for (const Entry& e : entries) s += "(" + e.plugin + "," + e.number + "," + e.value + ")";
  return s.empty() ? "<none>" : s;
}

std::string Describe(const std::vector<std::string>& names) {
  std::string s;
  for (const std::string& n : names) s += (s.empty() ? "" : ",") + n;
  return s.empty() ? "<none>" : s;
}

ResourceMeterInstalled::ResourceMeterInstalled() {
  char system[MAX_PATH] = "";
  GetSystemDirectoryA(system, MAX_PATH);
  path_ = std::string(system) + "\\rsrc32.dll";
  ok_ = CopyFileA((TestBinDir() + "rsrc32.dll").c_str(), path_.c_str(), FALSE) != FALSE;
}

ResourceMeterInstalled::~ResourceMeterInstalled() { DeleteFileA(path_.c_str()); }

}  // namespace dist
