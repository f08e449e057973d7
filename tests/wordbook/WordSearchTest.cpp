#include "wordbook/WordSearch.h"

#include <QTimeZone>

#include <gtest/gtest.h>

namespace glossivo {
namespace {

const QDateTime kNow(QDate(2026, 10, 7), QTime(8, 0), QTimeZone::utc());

WordEntry word(const QString& headword, const QString& meaning,
               std::optional<Stage> stage = std::nullopt, int idleDays = 0)
{
    WordEntry entry;
    entry.id = QUuid::createUuid();
    entry.headword = headword;
    entry.meaningZh = meaning;
    entry.stage = stage;
    entry.createdAt = kNow.addDays(-idleDays);
    return entry;
}

QStringList shown(const QList<WordEntry>& entries, const QString& search,
                  std::optional<DisplayStage> stage = std::nullopt)
{
    QStringList headwords;
    for (qsizetype i : WordSearch::words(entries, search, stage, AppConfig{}, kNow))
        headwords.append(entries.at(i).headword);
    return headwords;
}

TEST(WordSearch, MatchesTheTrimmedLowercasedQueryInStoredOrder)
{
    const QList<WordEntry> book{
        word("Run", "跑"),
        word("ferry", "渡船"),
        word("rerun", "重播"),
        word("ABC", "含 DNA 的词"),
        word("dormant", "休眠的", std::nullopt, 40),
        word("grunt", "咕哝", Stage::learning),
    };
    struct Case {
        QString search;
        std::optional<DisplayStage> stage;
        QStringList expected;
    } cases[] = {
        {"  RUN\t", {}, {"Run", "rerun", "grunt"}},
        // The ideographic space is a blank too; a line break is not.
        {"\u3000run\u3000", {}, {"Run", "rerun", "grunt"}},
        {"run\n", {}, {}},
        {"渡", {}, {"ferry"}},
        // The meaning is compared as stored: a lowercased query misses its capitals.
        {"DNA", {}, {}},
        {"abc", {}, {"ABC"}},
        {" \t ", {}, {"Run", "ferry", "rerun", "ABC", "dormant", "grunt"}},
        {"", DisplayStage::dormant, {"dormant"}},
        {"run", DisplayStage::learning, {"grunt"}},
        {"zzz", {}, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(shown(book, c.search, c.stage), c.expected) << c.search.toStdString();
}

} // namespace
} // namespace glossivo
