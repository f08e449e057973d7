#pragma once

#include "model/WordEntry.h"

#include <QByteArrayList>
#include <QHash>
#include <QList>
#include <QMutex>
#include <QUuid>

#include <optional>
#include <vector>

namespace glossivo {

// The canonical text of each word and what the word reads back as from it, kept while the word
// is unchanged. A sync pass encodes a word book of tens of thousands of words several times over
// (to normalize it, to upload the merge, to hash both sides), and between two passes only a few
// words change. A word is known by its id and its whole content, so a changed word is never
// given an old text. Shared by every bundle of the process, since bundles are plain values.
class CanonicalWordTexts {
public:
    static CanonicalWordTexts& shared();

    // Each word's canonical text, in order.
    QByteArrayList texts(const QList<WordEntry>& words);
    // Each word as it reads back from its canonical text; none when a word's text does not read
    // back. With `texts`, also the canonical text of each word returned.
    std::optional<QList<WordEntry>> normalized(const QList<WordEntry>& words,
                                               QByteArrayList* texts = nullptr);
    // Lets go of every kept text: between bursts of passes they would be most of the memory
    // the program holds at rest. The next pass encodes the words again.
    void release();
    // How many versions of words are kept.
    qsizetype size();

private:
    struct Variant {
        WordEntry word;
        QByteArray text;
        bool read = false; // whether its text was read back
        // What it read back as, when that is not the word itself.
        std::optional<WordEntry> readBack;
        // The last normalization that met it: bookkeeping, marked through what a search found.
        mutable quint64 used = 0;
    };

    static QByteArrayList encodeAll(const QList<WordEntry>& words,
                                    const QList<qsizetype>& positions);
    Variant* find(const WordEntry& word);
    const Variant* lookup(const WordEntry& word) const;
    // What each word is known as, searched on several threads; marks them as met.
    std::vector<const Variant*> findAll(const QList<WordEntry>& words);
    Variant& add(const WordEntry& word, QByteArray text);
    void forgetUnused();

    QMutex m_mutex;
    // A word's versions: the store's, the merged one, the read-back one.
    QHash<QUuid, QList<Variant>> m_variants;
    quint64 m_generation = 0;
};

} // namespace glossivo
