#pragma once

#include "model/MnemonicSource.h"

namespace glossivo {

class ConfigStore;

// Memory tips from the AI service, asked with the configuration current at each request, so
// a key entered after start-up is used.
class AIMnemonicSource final : public MnemonicSource {
public:
    explicit AIMnemonicSource(const ConfigStore& configs) : m_configs(configs) {}

    QCoro::Task<QString> mnemonic(const WordEntry& entry, const QStringList& knownWords,
                                  const QStringList& interests) override;

private:
    const ConfigStore& m_configs;
};

} // namespace glossivo
