#include "shared/Common.h"

#include "shared/VBFunctions.h"

Win32LibraryLoader& PluginLoader() {
  static Win32LibraryLoader loader;
  return loader;
}

PluginContract& Contract() {
  static RegistrySettings settings;
  static PluginContract contract(PluginLoader(), settings);
  return contract;
}
