// CvlCheck PLUGIN.cvl: checks a sensor plug-in against the contract the bar
// holds it to and prints the report (one finding a line). Exit code 0 when
// no problem was found, 1 when there were problems, 2 when the file cannot
// be loaded as a plug-in.
#include <windows.h>

#include <cstdio>
#include <exception>
#include <string>

#include "cvlcheck/core/PluginCheck.h"
#include "shared/core/VBText.h"
#include "shared/win32/Win32LibraryLoader.h"

namespace {

const char kUsage[] =
    "Usage: CvlCheck PLUGIN.cvl\n"
    "Loads the plug-in as Corvella does, calls each of its functions and reports\n"
    "what they answer and every problem found. Exit code: 0 no problem, 1 problems,\n"
    "2 the file cannot be loaded as a plug-in.\n";

void Print(const std::string& line) {
  std::fputs((line + "\n").c_str(), stdout);
  std::fflush(stdout);
}

// One entry of the loaded image's directory (a module handle is the address
// the image is mapped at, headers first); empty when the headers are not
// those of a Win32 image.
IMAGE_DATA_DIRECTORY ImageDirectory(uintptr_t module, int entry) {
  const auto* base = reinterpret_cast<const unsigned char*>(module);
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  if (dos->e_magic != IMAGE_DOS_SIGNATURE) return IMAGE_DATA_DIRECTORY{};
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  if (nt->Signature != IMAGE_NT_SIGNATURE) return IMAGE_DATA_DIRECTORY{};
  return nt->OptionalHeader.DataDirectory[entry];
}

// The checker's view of the system: the loaded image's export table, GDI's
// answer about a bitmap handle, and the performance counter.
class Win32CheckHost : public CheckHost {
 public:
  Win32CheckHost() {
    LARGE_INTEGER frequency;
    if (QueryPerformanceFrequency(&frequency) && frequency.QuadPart > 0)
      ticksPerMs_ = static_cast<double>(frequency.QuadPart) / 1000.0;
  }

  std::string LoadFailure() override {
    const DWORD code = GetLastError();
    char text[256] = "";
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                   text, sizeof text, nullptr);
    std::string message = text;
    while (!message.empty() && (message.back() == '\r' || message.back() == '\n' ||
                                message.back() == ' ' || message.back() == '.'))
      message.pop_back();
    return "system error " + IntToText(static_cast<int32_t>(code)) +
           (message.empty() ? "" : ", " + message);
  }

  std::vector<std::string> ExportNames(uintptr_t module) override {
    std::vector<std::string> names;
    const auto* base = reinterpret_cast<const unsigned char*>(module);
    const IMAGE_DATA_DIRECTORY table = ImageDirectory(module, IMAGE_DIRECTORY_ENTRY_EXPORT);
    if (table.VirtualAddress == 0 || table.Size == 0) return names;
    const auto* exports =
        reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + table.VirtualAddress);
    const auto* nameRvas = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
    for (DWORD i = 0; i < exports->NumberOfNames; ++i)
      names.push_back(reinterpret_cast<const char*>(base + nameRvas[i]));
    return names;
  }

  bool HasTlsDirectory(uintptr_t module) override {
    return ImageDirectory(module, IMAGE_DIRECTORY_ENTRY_TLS).VirtualAddress != 0;
  }

  BitmapFacts InspectBitmap(BitmapHandle handle) override {
    BitmapFacts facts;
    HGDIOBJ object = static_cast<HGDIOBJ>(handle);
    BITMAP bitmap;
    if (GetObjectType(object) == OBJ_BITMAP && GetObjectA(object, sizeof bitmap, &bitmap) != 0) {
      facts.isBitmap = true;
      facts.width = bitmap.bmWidth;
      facts.height = bitmap.bmHeight;
    }
    return facts;
  }

  void DeleteBitmap(BitmapHandle handle) override { DeleteObject(static_cast<HGDIOBJ>(handle)); }

  double Milliseconds() override {
    LARGE_INTEGER now;
    if (ticksPerMs_ > 0 && QueryPerformanceCounter(&now))
      return static_cast<double>(now.QuadPart) / ticksPerMs_;
    return static_cast<double>(GetTickCount());
  }

 private:
  double ticksPerMs_ = 0;  // 0: no performance counter, GetTickCount instead
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs(kUsage, stderr);
    return kCheckNotAPlugin;
  }
  try {
    char full[MAX_PATH] = "";
    char* name = nullptr;
    if (!GetFullPathNameA(argv[1], sizeof full, full, &name) || !name) {
      Print("Plug-in " + std::string(argv[1]));
      Print("Result: not a plug-in, no such file name");
      return kCheckNotAPlugin;
    }
    // The bar runs in its installation folder, where the plug-ins are: a
    // library a plug-in binds at load time is found beside it. So here.
    const std::string folder(full, name);
    SetCurrentDirectoryA(folder.c_str());

    Win32LibraryLoader loader;
    Win32CheckHost host;
    CheckReport report(Print);
    return CheckPlugin(full, loader, host, report);
  } catch (const std::exception& e) {
    Print(std::string("CvlCheck failed: ") + e.what());
    return kCheckNotAPlugin;
  }
}
