#include "ai/AIMnemonicSource.h"

#include "ai/DeepSeekClient.h"
#include "model/ConfigStore.h"

namespace glossivo {

QCoro::Task<QString> AIMnemonicSource::mnemonic(const WordEntry& entry,
                                                const QStringList& knownWords,
                                                const QStringList& interests)
{
    return DeepSeekClient(m_configs.config()).mnemonic(entry, knownWords, interests);
}

} // namespace glossivo
