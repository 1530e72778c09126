#include "plugins/resource/core/FreeResources.h"

#include "shared/core/VBText.h"

namespace {

std::string Separator(SettingsSource& store) {
  return store.GetSetting(kAppName, "Settings", "MultiInfoSep", "/");
}

}  // namespace

std::string FreeResourcesText(SettingsSource& store, const FreeResourceQuery& freeOf) {
  const std::string system = IntToText(freeOf(kSystemResources));
  const std::string sep1 = Separator(store);
  const std::string user = IntToText(freeOf(kUserResources));
  const std::string sep2 = Separator(store);
  const std::string gdi = IntToText(freeOf(kGdiResources));
  return system + "% " + sep1 + " " + user + "% " + sep2 + " " + gdi + "%";
}

bool FreeResourcesBelow(int32_t threshold, const FreeResourceQuery& freeOf) {
  return threshold > freeOf(kSystemResources) || threshold > freeOf(kGdiResources) ||
         threshold > freeOf(kUserResources);
}
