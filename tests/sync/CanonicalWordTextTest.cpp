#include "SyncSamples.h"

#include "model/JsonDocumentReader.h"
#include "support/WordBookGenerator.h"
#include "sync/CanonicalJson.h"
#include "sync/CanonicalWordText.h"

#include <QFile>
#include <QTimeZone>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace glossivo;
using namespace glossivo::testing;

namespace {

void expectTheWholeObjectsText(const WordEntry& word, const char* what)
{
    EXPECT_EQ(CanonicalWordText::of(word), CanonicalJson::write(word.toJson()).value()) << what;
}

QList<WordEntry> goldenWords()
{
    QFile file(QStringLiteral(QT_TESTCASE_SOURCEDIR "/model/fixtures/words.json"));
    if (!file.open(QIODevice::ReadOnly)) throw std::runtime_error("missing fixture");
    return JsonDocumentReader(file.readAll()).objectList<WordEntry>("words");
}

} // namespace

// Written straight from the fields, a word's text is the canonical text of its JSON object: every
// device compares documents by the hash of these bytes.
TEST(CanonicalWordText, IsTheCanonicalTextOfTheWordsObject)
{
    for (const quint32 seed : {1u, 2u, 3u})
        for (const WordEntry& word : bench::generateWords(200, seed))
            expectTheWholeObjectsText(word, "generated");
    for (const WordEntry& word : goldenWords())
        expectTheWholeObjectsText(word, "golden, every field");
    for (const SyncBundle& device : {readFixture("computer.json"), readFixture("phone.json")})
        for (const WordEntry& word : device.words)
            expectTheWholeObjectsText(word, "sync fixture");

    WordEntry odd = goldenWords().first();
    odd.headword = QStringLiteral("a/b \"c\" \\ \t\n\u0001\u007f é 词 😀 ") + QChar(0xD800) + u'x';
    odd.meaningZh = QString(QChar(0xDC00));
    odd.createdAt = QDateTime(QDate(2026, 10, 7), QTime(16, 0, 0, 750), QTimeZone(8 * 3600));
    odd.lastLookupAt = QDateTime(QDate(1, 1, 1), QTime(0, 0), QTimeZone::utc()).addSecs(-5);
    // Keys beyond the Basic Multilingual Plane sort after U+FFFD by code point, before it by
    // UTF-16 unit; empty and lone-surrogate keys too.
    odd.inflections = QMap<QString, QString>{{QStringLiteral("😀"), QStringLiteral("a")},
                                             {QStringLiteral("\uFFFD"), QStringLiteral("b")},
                                             {QString(), QStringLiteral("c")},
                                             {QStringLiteral("past"), QString()}};
    if (!odd.review) odd.review = ReviewState{};
    odd.review->stability = std::numeric_limits<double>::quiet_NaN();
    odd.review->difficulty = -0.0;
    expectTheWholeObjectsText(odd, "odd text and numbers");
    for (const double number : {std::numeric_limits<double>::infinity(), 1e20, 0.1, 1.0 / 3,
                                -2.5, 9007199254740993.0, 5e-324}) {
        odd.review->stability = number;
        odd.review->difficulty = -number;
        expectTheWholeObjectsText(odd, "a review's numbers");
    }

    WordEntry bare = sampleWord("01", QString(), 1);
    bare.createdAt = QDateTime();
    expectTheWholeObjectsText(bare, "bare, with an invalid date");
    bare.notes = QList<AINote>{};
    bare.forms = QList<FormRecord>{};
    bare.affixes = QList<Affix>{};
    bare.encounterDays = QStringList{};
    bare.inflections = QMap<QString, QString>{};
    expectTheWholeObjectsText(bare, "empty lists that are there");
}
