#include "shared/core/Addresses.h"

#include <cctype>

std::string ResolveAddress(const std::string& address, const std::string& installedDir) {
  if (!address.empty() && address[0] == '#') return installedDir + kHelpFile + address;
  return address;
}

PageSection SplitSection(const std::string& target) {
  const bool local = (target.size() > 2 && target[1] == ':') || target.rfind("\\\\", 0) == 0;
  const size_t hash = target.rfind('#');
  // A "#" inside a folder name is part of the path, not a section.
  if (!local || hash == std::string::npos || target.find('\\', hash) != std::string::npos)
    return {target, ""};
  return {target.substr(0, hash), target.substr(hash + 1)};
}

std::string FileUrl(const std::string& path) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string url = "file:";
  // A drive path gets the empty host ("file:///C:/..."); a network path
  // keeps its server as the host ("file://server/share/...").
  url += path.rfind("\\\\", 0) == 0 ? "" : "///";
  for (unsigned char c : path) {
    if (c == '\\') {
      url += '/';
    } else if (std::isalnum(c) || c == '-' || c == '.' || c == '_' || c == '~' || c == ':' ||
               c == '/') {
      url += static_cast<char>(c);
    } else {
      url += '%';
      url += kHex[c >> 4];
      url += kHex[c & 0xF];
    }
  }
  return url;
}

std::string CommandWith(const std::string& command, const std::string& argument) {
  for (size_t i = 0; i + 1 < command.size(); ++i) {
    const char next = static_cast<char>(std::toupper(static_cast<unsigned char>(command[i + 1])));
    if (command[i] == '%' && (next == '1' || next == 'L'))
      return command.substr(0, i) + argument + command.substr(i + 2);
  }
  return command + " " + argument;
}
