#include "sync/CanonicalWordTexts.h"

#include "model/JsonDocumentReader.h"
#include "sync/CanonicalJson.h"

#include <algorithm>
#include <utility>

namespace glossivo {

namespace {

// Enough for a word as the store holds it, as a merge made it and as it reads back.
constexpr qsizetype keptVariants = 3;

} // namespace

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

CanonicalWordTexts::Variant& CanonicalWordTexts::add(const WordEntry& word, QByteArray text)
{
    QList<Variant>& variants = m_variants[word.id];
    if (variants.size() == keptVariants)
        variants.erase(std::min_element(
            variants.begin(), variants.end(),
            [](const Variant& left, const Variant& right) { return left.used < right.used; }));
    variants.prepend({word, std::move(text), std::nullopt, m_generation});
    return variants.first();
}

std::optional<QByteArrayList> CanonicalWordTexts::texts(const QList<WordEntry>& words)
{
    const QMutexLocker lock(&m_mutex);
    QByteArrayList texts;
    texts.reserve(words.size());
    for (const WordEntry& word : words) {
        if (const Variant* known = find(word)) {
            texts.append(known->text);
            continue;
        }
        std::optional<QByteArray> text = CanonicalJson::write(word.toJson());
        if (!text) return std::nullopt;
        texts.append(add(word, std::move(*text)).text);
    }
    return texts;
}

std::optional<QList<WordEntry>> CanonicalWordTexts::normalized(const QList<WordEntry>& words)
{
    const QMutexLocker lock(&m_mutex);
    ++m_generation;
    // Shares the words' list until a word reads back otherwise, which in a pass after a few
    // edits none does.
    QList<WordEntry> result = words;
    QList<qsizetype> unread; // positions of the words not read back before
    QByteArrayList unreadTexts;
    for (qsizetype i = 0; i < words.size(); ++i) {
        const Variant* known = find(words[i]);
        if (known && known->readBack) {
            if (!(*known->readBack == words[i])) result[i] = *known->readBack;
            continue;
        }
        std::optional<QByteArray> text =
            known ? known->text : CanonicalJson::write(words[i].toJson());
        if (!text) return std::nullopt;
        unread.append(i);
        unreadTexts.append(std::move(*text));
    }
    if (!unread.isEmpty()) {
        // One document for all of them: a parser per word would cost more than the reading.
        QList<WordEntry> readBack;
        try {
            const JsonDocumentReader document('[' + unreadTexts.join(',') + ']');
            readBack = document.objectList<WordEntry>("words");
        } catch (const JsonError&) {
            return std::nullopt;
        }
        for (qsizetype k = 0; k < unread.size(); ++k) {
            const WordEntry& word = words[unread[k]];
            Variant* variant = find(word);
            if (!variant) variant = &add(word, unreadTexts[k]);
            if (readBack[k] == word) {
                // The word itself rather than its equal copy: the bundles made from it then
                // share its data, and the merge and the upload find it again by that alone.
                variant->readBack = word;
                continue;
            }
            variant->readBack = readBack[k];
            // The read-back word is what the merge and the upload will meet next.
            if (!find(readBack[k])) add(readBack[k], unreadTexts[k]).readBack = readBack[k];
            result[unread[k]] = std::move(readBack[k]);
        }
    }
    forgetUnused();
    return result;
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
