#include "sync/SyncConfig.h"

#include "model/ConfigStore.h"

namespace glossivo::SyncConfig {

namespace {

void setEach(ConfigStore& config, const QString& server, const QString& token, const QString& pin)
{
    AppConfig changed = config.config();
    changed.syncServer = server;
    config.setConfig(changed);
    changed.syncToken = token;
    config.setConfig(changed);
    changed.syncPin = pin;
    config.setConfig(changed);
}

} // namespace

void store(ConfigStore& config, const SyncLink& link)
{
    setEach(config, link.server, link.token, link.pin);
}

void clear(ConfigStore& config)
{
    setEach(config, {}, {}, {});
}

} // namespace glossivo::SyncConfig
