#include "sync/CanonicalWordTexts.h"

#include "model/ElementDecoder.h"
#include "model/InParts.h"
#include "sync/CanonicalWordText.h"

#include <malloc.h>

#include <algorithm>
#include <utility>

namespace glossivo {

namespace {

// Enough for a word as the store holds it, as a merge made it and as it reads back.
constexpr qsizetype keptVariants = 3;

} // namespace

// The texts of the words at these positions, encoded on several threads: the first pass after
// start meets every word of the book.
QByteArrayList CanonicalWordTexts::encodeAll(const QList<WordEntry>& words,
                                             const QList<qsizetype>& positions)
{
    QByteArrayList texts(positions.size());
    inParts(positions.size(), [&](qsizetype begin, qsizetype end) {
        for (qsizetype k = begin; k < end; ++k)
            texts[k] = CanonicalWordText::of(words[positions[k]]);
    });
    return texts;
}

CanonicalWordTexts& CanonicalWordTexts::shared()
{
    static CanonicalWordTexts texts;
    return texts;
}

CanonicalWordTexts::Variant* CanonicalWordTexts::find(const WordEntry& word)
{
    const auto variants = m_variants.find(word.id);
    if (variants == m_variants.end()) return nullptr;
    for (Variant& variant : *variants)
        if (variant.word == word) {
            variant.used = m_generation;
            return &variant;
        }
    return nullptr;
}

const CanonicalWordTexts::Variant* CanonicalWordTexts::lookup(const WordEntry& word) const
{
    const auto variants = m_variants.constFind(word.id);
    if (variants == m_variants.cend()) return nullptr;
    for (const Variant& variant : *variants)
        if (variant.word == word) return &variant;
    return nullptr;
}

std::vector<const CanonicalWordTexts::Variant*>
CanonicalWordTexts::findAll(const QList<WordEntry>& words)
{
    // The comparisons, whole words each, are most of a pass's time here: they run on several
    // threads, which only read the cache. Marking what was met writes it, after them.
    std::vector<const Variant*> found(size_t(words.size()));
    inParts(words.size(), [&](qsizetype begin, qsizetype end) {
        for (qsizetype i = begin; i < end; ++i)
            found[size_t(i)] = lookup(words[i]);
    });
    for (const Variant* variant : found)
        if (variant) variant->used = m_generation;
    return found;
}

CanonicalWordTexts::Variant& CanonicalWordTexts::add(const WordEntry& word, QByteArray text)
{
    QList<Variant>& variants = m_variants[word.id];
    if (variants.size() == keptVariants)
        variants.erase(std::min_element(
            variants.begin(), variants.end(),
            [](const Variant& left, const Variant& right) { return left.used < right.used; }));
    variants.prepend({word, std::move(text), false, std::nullopt, m_generation});
    return variants.first();
}

QByteArrayList CanonicalWordTexts::texts(const QList<WordEntry>& words)
{
    const QMutexLocker lock(&m_mutex);
    QByteArrayList texts(words.size());
    QList<qsizetype> unknown;
    const std::vector<const Variant*> known = findAll(words);
    for (qsizetype i = 0; i < words.size(); ++i) {
        if (known[size_t(i)])
            texts[i] = known[size_t(i)]->text;
        else
            unknown.append(i);
    }
    const QByteArrayList encoded = encodeAll(words, unknown);
    for (qsizetype k = 0; k < unknown.size(); ++k)
        texts[unknown[k]] = add(words[unknown[k]], encoded[k]).text;
    return texts;
}

std::optional<QList<WordEntry>> CanonicalWordTexts::normalized(const QList<WordEntry>& words,
                                                               QByteArrayList* texts)
{
    const QMutexLocker lock(&m_mutex);
    ++m_generation;
    // Shares the words' list until a word reads back otherwise, which in a pass after a few
    // edits none does.
    QList<WordEntry> result = words;
    QList<qsizetype> unread; // positions of the words not read back before
    QByteArrayList unreadTexts;
    QList<qsizetype> unknown; // positions of the words without a text
    const std::vector<const Variant*> found = findAll(words);
    // A word reads back as a word of the same text, so the text stands for both.
    QByteArrayList wordTexts(texts ? words.size() : 0);
    for (qsizetype i = 0; i < words.size(); ++i) {
        const Variant* known = found[size_t(i)];
        if (texts && known) wordTexts[i] = known->text;
        if (known && known->read) {
            if (known->readBack) result[i] = *known->readBack;
            continue;
        }
        if (!known) unknown.append(i);
        unread.append(i);
        unreadTexts.append(known ? known->text : QByteArray());
    }
    const QByteArrayList encoded = encodeAll(words, unknown);
    for (qsizetype k = 0, u = 0; k < unknown.size(); ++k) {
        while (unread[u] != unknown[k])
            ++u;
        unreadTexts[u] = encoded[k];
        if (texts) wordTexts[unknown[k]] = encoded[k];
    }
    if (!unread.isEmpty()) {
        std::optional<QList<WordEntry>> decoded = decodeElements<WordEntry>(unreadTexts);
        if (!decoded) return std::nullopt;
        QList<WordEntry>& readBack = *decoded;
        std::vector<char> readsBackAsItself(size_t(unread.size()));
        inParts(unread.size(), [&](qsizetype begin, qsizetype end) {
            for (qsizetype k = begin; k < end; ++k)
                readsBackAsItself[size_t(k)] = readBack[k] == words[unread[k]];
        });
        for (qsizetype k = 0; k < unread.size(); ++k) {
            const WordEntry& word = words[unread[k]];
            Variant* variant = find(word);
            if (!variant) variant = &add(word, unreadTexts[k]);
            variant->read = true;
            // A word that reads back unchanged stays itself rather than its equal copy: the
            // bundles made from it then share its data, and the merge and the upload find it
            // again by that alone.
            if (readsBackAsItself[size_t(k)]) continue;
            variant->readBack = readBack[k];
            // The read-back word is what the merge and the upload will meet next.
            if (!find(readBack[k])) add(readBack[k], unreadTexts[k]).read = true;
            result[unread[k]] = std::move(readBack[k]);
        }
    }
    forgetUnused();
    if (texts) *texts = std::move(wordTexts);
    return result;
}

void CanonicalWordTexts::release()
{
    const QMutexLocker lock(&m_mutex);
    m_variants = {};
    // Freed texts would stay resident in the heap's free chunks until they are handed back.
    ::malloc_trim(0);
}

qsizetype CanonicalWordTexts::size()
{
    const QMutexLocker lock(&m_mutex);
    qsizetype count = 0;
    for (const QList<Variant>& variants : std::as_const(m_variants))
        count += variants.size();
    return count;
}

// Words that neither this normalization nor the one before met: deleted words, and versions
// that later edits replaced.
void CanonicalWordTexts::forgetUnused()
{
    for (auto it = m_variants.begin(); it != m_variants.end();) {
        it->removeIf([this](const Variant& variant) { return variant.used + 1 < m_generation; });
        it = it->isEmpty() ? m_variants.erase(it) : std::next(it);
    }
}

} // namespace glossivo
