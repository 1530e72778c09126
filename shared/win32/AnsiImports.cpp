// Linked into every shipped binary. The C++ runtime creates its locks with
// CreateSemaphoreW, and the C runtime's helpers find libraries with
// GetModuleHandleW and LoadLibraryW. Windows 95/98 export these but fail
// every call ("not implemented"): a contended lock would then fail. The
// runtime calls them through their import slots, so defining the slots here
// sends each call to the ANSI function instead, which every Windows has.
#include <windows.h>

namespace {

// The ANSI form of a name the runtime passes (library and object names are
// plain ASCII); false when it does not fit.
bool Narrow(LPCWSTR wide, char (&narrow)[MAX_PATH]) {
  return WideCharToMultiByte(CP_ACP, 0, wide, -1, narrow, MAX_PATH, nullptr, nullptr) != 0;
}

HANDLE WINAPI AnsiCreateSemaphore(LPSECURITY_ATTRIBUTES security, LONG initial, LONG maximum,
                                  LPCWSTR name) {
  char narrow[MAX_PATH];
  if (name && !Narrow(name, narrow)) return nullptr;
  return CreateSemaphoreA(security, initial, maximum, name ? narrow : nullptr);
}

HMODULE WINAPI AnsiGetModuleHandle(LPCWSTR name) {
  char narrow[MAX_PATH];
  if (name && !Narrow(name, narrow)) return nullptr;
  return GetModuleHandleA(name ? narrow : nullptr);
}

HMODULE WINAPI AnsiLoadLibrary(LPCWSTR name) {
  char narrow[MAX_PATH];
  if (!name || !Narrow(name, narrow)) return nullptr;
  return LoadLibraryA(narrow);
}

}  // namespace

// The import slots by their linker names (stdcall: the argument bytes).
extern "C" {
void* CreateSemaphoreSlot __asm__("__imp__CreateSemaphoreW@16") =
    reinterpret_cast<void*>(&AnsiCreateSemaphore);
void* GetModuleHandleSlot __asm__("__imp__GetModuleHandleW@4") =
    reinterpret_cast<void*>(&AnsiGetModuleHandle);
void* LoadLibrarySlot __asm__("__imp__LoadLibraryW@4") = reinterpret_cast<void*>(&AnsiLoadLibrary);
}
