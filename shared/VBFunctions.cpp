#include "shared/VBFunctions.h"

#include <windows.h>

#include "shared/core/CvlError.h"
#include "shared/win32/RegKey.h"

namespace {

std::string KeyPath(const std::string& app, const std::string& section) {
  return "Software\\Veltrop\\" + app + "\\" + section;
}

}  // namespace

std::string GetSetting(const std::string& app, const std::string& section, const std::string& key,
                       const std::string& def) {
  RegKey k;
  if (!k.Open(HKEY_LOCAL_MACHINE, KeyPath(app, section), KEY_QUERY_VALUE)) return def;
  std::string text;
  if (!k.QueryString(key.c_str(), text) || text.empty()) return def;
  return text;
}

void SaveSetting(const std::string& app, const std::string& section, const std::string& key,
                 const std::string& value) {
  RegKey k;
  if (!k.Create(HKEY_LOCAL_MACHINE, KeyPath(app, section), KEY_SET_VALUE)) return;
  if (k.SetString(key.c_str(), value) != ERROR_SUCCESS)
    throw CvlError("Failed to set data for '" + key + "'");
}
