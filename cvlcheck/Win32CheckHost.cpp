#include "cvlcheck/Win32CheckHost.h"

#include <windows.h>

#include "shared/core/VBText.h"

Win32CheckHost::Win32CheckHost() {
  LARGE_INTEGER frequency;
  if (QueryPerformanceFrequency(&frequency) && frequency.QuadPart > 0)
    ticksPerMs_ = static_cast<double>(frequency.QuadPart) / 1000.0;
}

std::string Win32CheckHost::LoadFailure() {
  const DWORD code = GetLastError();
  char text[256] = "";
  FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                 sizeof text, nullptr);
  std::string message = text;
  while (!message.empty() && (message.back() == '\r' || message.back() == '\n' ||
                              message.back() == ' ' || message.back() == '.'))
    message.pop_back();
  return "system error " + IntToText(static_cast<int32_t>(code)) +
         (message.empty() ? "" : ", " + message);
}

namespace {

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

}  // namespace

bool Win32CheckHost::HasTlsDirectory(uintptr_t module) {
  return ImageDirectory(module, IMAGE_DIRECTORY_ENTRY_TLS).VirtualAddress != 0;
}

std::vector<std::string> Win32CheckHost::ExportNames(uintptr_t module) {
  std::vector<std::string> names;
  const auto* base = reinterpret_cast<const unsigned char*>(module);
  const IMAGE_DATA_DIRECTORY table = ImageDirectory(module, IMAGE_DIRECTORY_ENTRY_EXPORT);
  if (table.VirtualAddress == 0 || table.Size == 0) return names;
  const auto* exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + table.VirtualAddress);
  const auto* nameRvas = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
  for (DWORD i = 0; i < exports->NumberOfNames; ++i)
    names.push_back(reinterpret_cast<const char*>(base + nameRvas[i]));
  return names;
}

BitmapFacts Win32CheckHost::InspectBitmap(BitmapHandle handle) {
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

void Win32CheckHost::DeleteBitmap(BitmapHandle handle) { DeleteObject(static_cast<HGDIOBJ>(handle)); }

double Win32CheckHost::Milliseconds() {
  LARGE_INTEGER now;
  if (ticksPerMs_ > 0 && QueryPerformanceCounter(&now))
    return static_cast<double>(now.QuadPart) / ticksPerMs_;
  return static_cast<double>(GetTickCount());
}
