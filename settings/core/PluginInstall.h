#pragma once
// The installed plug-in list ("Plugins": "NoOfPlugins" and the file names
// under "1", "2", ...), installing a file and removing a plug-in. Both write
// the "Plugins" section at once, whatever the dialog does afterwards.
//
// Numbers after a removal: panels and warnings refer to a plug-in by its
// position in the list, and removing plug-in k moves the later entries down
// one place. So that every reference keeps naming the same plug-in, removal
// also (1) renumbers the dialog's panel, warning and plug-in rows that refer
// to a plug-in after k, and (2) rewrites the stored "Panels" and "Warnings"
// lists at once: entries of plug-in k are dropped, later plug-ins renumbered.
// Cancel after a removal therefore leaves the lists as they were when the
// dialog opened, less the removed plug-in's entries and with the numbers
// moved down; Apply writes the dialog's (equally renumbered) lists.
#include <cstdint>
#include <string>
#include <vector>

#include "settings/core/GeneralSettings.h"
#include "settings/core/PluginQueries.h"
#include "shared/core/SettingsSource.h"

extern const char* const kInvalidPluginName;       // "<Invalid Plugin>"
extern const char* const kNotAPluginMessage;       // "File is not a Valid Corvella Plugin"
extern const char* const kAlreadyInstalledMessage;

struct PluginRow {
  std::string name;
  std::string fileName;
  int32_t position = 0;
};

// One row per entry 1..NoOfPlugins; a file that is no plug-in shows as
// "<Invalid Plugin>".
std::vector<PluginRow> LoadPluginRows(SettingsSource& settings, PluginQueries& plugins);

struct InstallDecision {
  enum Kind { Nothing, Refuse, Install } kind = Nothing;
  std::string message;   // Refuse: what to tell the user
  std::string fileName;  // Install: the name without folder
  std::string copyTo;    // Install: target of the copy; empty when the file is already there
  int32_t count = 0;     // NoOfPlugins before the installation
};

// What installing the chosen file means: nothing (no file chosen), a refusal
// with its message, or an installation (with or without a copy).
InstallDecision DecideInstall(SettingsSource& settings, PluginQueries& plugins,
                              const std::string& chosenPath);
// Writes NoOfPlugins = count + 1 and the file name under count + 1; answers
// the new row, named from the chosen file.
PluginRow RecordInstall(SettingsSource& settings, PluginQueries& plugins,
                        const InstallDecision& decision, const std::string& chosenPath);

// Removes plug-in number k (see the note above on the numbers).
void RemovePlugin(SettingsSource& settings, int32_t k, std::vector<PluginRow>& pluginRows,
                  PanelList& panels, WarningList& warnings);
