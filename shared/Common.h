#pragma once
// The plug-in contract of the process (Main and cvl): its operations
// (PluginContract) over the system's loader and the registry, with the one
// table of kept libraries that the panel and warning lists share. No
// operation raises except the Call* functions, whose errors the refresh
// pass handles.
#include "shared/core/PluginOperations.h"
#include "shared/win32/Win32LibraryLoader.h"

// The process's one loader: it also knows the functions that stopped
// responding (TakeOutOfService, StoppedResponding).
Win32LibraryLoader& PluginLoader();
PluginContract& Contract();
