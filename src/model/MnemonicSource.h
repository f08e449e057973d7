#pragma once

#include "model/WordEntry.h"

#include <QCoro/QCoroTask>
#include <QStringList>

namespace glossivo {

// Where the word book gets a memory tip for a word that became a leech. The AI client serves
// it; tests use a fake.
class MnemonicSource {
public:
    virtual ~MnemonicSource() = default;

    // The tip in Chinese, as the service wrote it. Throws on any failure.
    virtual QCoro::Task<QString> mnemonic(const WordEntry& entry, const QStringList& knownWords,
                                          const QStringList& interests) = 0;
};

} // namespace glossivo
