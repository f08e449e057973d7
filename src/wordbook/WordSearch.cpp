#include "wordbook/WordSearch.h"

#include "model/Blanks.h"
#include "model/Learning.h"

namespace glossivo::WordSearch {

QString query(const QString& search)
{
    return Blanks::trimmed(search).toLower();
}

QList<qsizetype> words(const QList<WordEntry>& entries, const QString& search,
                       std::optional<DisplayStage> stage, const AppConfig& config,
                       const QDateTime& now)
{
    const QString text = query(search);
    QList<qsizetype> shown;
    shown.reserve(entries.size());
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const WordEntry& entry = entries.at(i);
        // The meaning first: it needs no lowercased copy.
        if (!text.isEmpty() && !entry.meaningZh.contains(text) &&
            !entry.headword.toLower().contains(text))
            continue;
        if (stage && Learning::displayStage(entry, config, now) != *stage) continue;
        shown.append(i);
    }
    return shown;
}

QList<qsizetype> grammarRecords(const QList<GrammarEncounter>& records, GrammarPoint point,
                                const QString& query)
{
    QList<qsizetype> shown;
    for (qsizetype i = 0; i < records.size(); ++i) {
        const GrammarEncounter& record = records.at(i);
        if (record.point != point) continue;
        if (!query.isEmpty() && !record.headword.toLower().contains(query) &&
            !record.sentence.toLower().contains(query))
            continue;
        shown.append(i);
    }
    return shown;
}

QList<qsizetype> affixRecords(const QList<AffixEncounter>& records, Affix affix)
{
    QList<qsizetype> shown;
    for (qsizetype i = 0; i < records.size(); ++i)
        if (records.at(i).affix == affix) shown.append(i);
    return shown;
}

QList<int> countsByPoint(const QList<GrammarEncounter>& records)
{
    QList<int> counts(qsizetype(enumCount<GrammarPoint>()), 0);
    for (const GrammarEncounter& record : records)
        ++counts[int(record.point)];
    return counts;
}

QList<int> countsByAffix(const QList<AffixEncounter>& records)
{
    QList<int> counts(qsizetype(enumCount<Affix>()), 0);
    for (const AffixEncounter& record : records)
        ++counts[int(record.affix)];
    return counts;
}

} // namespace glossivo::WordSearch
