#pragma once
// The addresses the bar's Help menu and the settings' Plugins tab open, and
// how a section of the installed help page is opened at that section. Each
// address is a build option (cmake/Addresses.cmake): a web address, or
// "#name", a section of the help page in the installation folder.
#include <string>

#include "CvlAddresses.h"

constexpr const char* kWebSiteAddress = CVL_WEB_SITE_ADDRESS;
constexpr const char* kUpdatesAddress = CVL_UPDATES_ADDRESS;
constexpr const char* kPluginsAddress = CVL_PLUGINS_ADDRESS;
// The help file, relative to the installation folder.
constexpr const char* kHelpFile = "Help\\Help.htm";

// What an address opens: "#name" is the help page in the installation
// folder at that section; anything else is taken as it is.
std::string ResolveAddress(const std::string& address, const std::string& installedDir);

// A local file with a section after "#" ("C:\dir\page.htm#name"). A web
// address, or a path without "#", has no section: file is the whole target.
struct PageSection {
  std::string file;
  std::string section;  // without the "#"
};
PageSection SplitSection(const std::string& target);

// "file:///C:/dir/page.htm": the address of a local file, with the
// characters an address cannot hold (blanks, "#", "%" ...) escaped.
std::string FileUrl(const std::string& path);

// A file type's open command with its argument: in place of "%1" or "%L",
// or appended when the command names no place for it.
std::string CommandWith(const std::string& command, const std::string& argument);
