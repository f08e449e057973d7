#pragma once

#include "sync/SyncLink.h"

namespace glossivo {

class ConfigStore;

// The sync code as the configuration keeps it: "syncServer", "syncToken", "syncPin".
namespace SyncConfig {

// Three separate changes in this order, each one saved; a reader sees a complete link only
// after the third.
void store(ConfigStore& config, const SyncLink& link);
// Empties the three values, again one change each.
void clear(ConfigStore& config);

} // namespace SyncConfig
} // namespace glossivo
