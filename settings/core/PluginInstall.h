#pragma once
// The installed plug-in list ("Plugins": "NoOfPlugins" and the file names
// under "1", "2", ...), installing a file and removing a plug-in. Both write
// the "Plugins" section at once, whatever the dialog does afterwards; how a
// removal renumbers the panels and warnings is in settings/README.md.
#include <cstdint>
#include <string>
#include <vector>

#include "settings/core/GeneralSettings.h"
#include "shared/core/SettingsSource.h"

struct PluginRow {
  std::string name;
  std::string fileName;
  int32_t position = 0;
};

// One row per entry 1..NoOfPlugins; a file that is no plug-in shows as
// "<Invalid Plugin>".
std::vector<PluginRow> LoadPluginRows(PluginContract& plugins);

struct InstallDecision {
  enum Kind { Nothing, Refuse, Install } kind = Nothing;
  std::string message;   // Refuse: what to tell the user
  std::string fileName;  // Install: the name without folder
  std::string copyTo;    // Install: target of the copy; empty when the file is already there
  int32_t count = 0;     // NoOfPlugins before the installation
};

// What installing the chosen file means: nothing (no file chosen), a refusal
// with its message, or an installation (with or without a copy).
InstallDecision DecideInstall(PluginContract& plugins, const std::string& chosenPath);
// Writes NoOfPlugins = count + 1 and the file name under count + 1; answers
// the new row, named from the chosen file.
PluginRow RecordInstall(PluginContract& plugins, const InstallDecision& decision,
                        const std::string& chosenPath);

// Removes plug-in number k (see the note above on the numbers).
void RemovePlugin(SettingsSource& settings, int32_t k, std::vector<PluginRow>& pluginRows,
                  PanelList& panels, WarningList& warnings);
