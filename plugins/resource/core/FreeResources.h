#pragma once
// The free-resources sensor text and warning rule, over a function that
// answers the free percentage of one kind of resource.
#include <cstdint>
#include <functional>
#include <string>

#include "shared/core/SettingsSource.h"

// Kinds as the resource meter library numbers them.
enum ResourceKind : int32_t { kSystemResources = 0, kGdiResources = 1, kUserResources = 2 };
using FreeResourceQuery = std::function<int32_t(ResourceKind)>;

// "<system>% <sep> <user>% <sep> <gdi>%" with the "MultiInfoSep" setting of
// the bar (default "/"), e.g. "85% / 80% / 90%". The separator is read before
// each of the second and third items, so a change between them shows at once.
std::string FreeResourcesText(SettingsSource& store, const FreeResourceQuery& freeOf);

// True while any of system, GDI and user resources (asked in that order,
// stopping at the first) is strictly below threshold.
bool FreeResourcesBelow(int32_t threshold, const FreeResourceQuery& freeOf);
