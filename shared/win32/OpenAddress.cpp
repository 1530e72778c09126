#include "shared/win32/OpenAddress.h"

#include <shellapi.h>

#include <vector>

#include "shared/core/Addresses.h"
#include "shared/win32/Handle.h"
#include "shared/win32/RegKey.h"

namespace {

bool ShellOpen(HWND owner, const std::string& target) {
  const HINSTANCE r = ShellExecuteA(owner, nullptr, target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  return reinterpret_cast<UINT_PTR>(r) > 32;
}

// The command that opens files of this one's type (HKEY_CLASSES_ROOT: the
// extension names the type, the type its "open" command), environment
// strings expanded; empty when the type has none.
std::string OpenCommandOf(const std::string& file) {
  const size_t dot = file.rfind('.');
  if (dot == std::string::npos || file.find('\\', dot) != std::string::npos) return std::string();
  RegKey extension, command;
  std::string type, text;
  if (!extension.Open(HKEY_CLASSES_ROOT, file.substr(dot)) || !extension.QueryString("", type) ||
      type.empty() || !command.Open(HKEY_CLASSES_ROOT, type + "\\shell\\open\\command") ||
      !command.QueryString("", text))
    return std::string();
  std::vector<char> expanded(1024);
  const DWORD n = ExpandEnvironmentStringsA(text.c_str(), expanded.data(),
                                            static_cast<DWORD>(expanded.size()));
  return n > 0 && n <= expanded.size() ? std::string(expanded.data()) : text;
}

bool Start(const std::string& commandLine) {
  std::vector<char> line(commandLine.begin(), commandLine.end());
  line.push_back('\0');
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    return false;
  Handle thread(pi.hThread), process(pi.hProcess);
  return true;
}

}  // namespace

bool OpenAddress(HWND owner, const std::string& target) {
  const PageSection page = SplitSection(target);
  if (page.section.empty() || GetFileAttributesA(page.file.c_str()) == INVALID_FILE_ATTRIBUTES)
    return ShellOpen(owner, target);
  const std::string command = OpenCommandOf(page.file);
  if (!command.empty() && Start(CommandWith(command, FileUrl(page.file) + "#" + page.section)))
    return true;
  // No program to hand the section to: the page at its top is still the page.
  return ShellOpen(owner, page.file);
}
