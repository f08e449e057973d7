#include "model/GrammarEncounter.h"
#include "model/IsoDate.h"
#include "model/JsonFields.h"
#include "model/WordEntry.h"

#include <QJsonDocument>
#include <QTimeZone>

#include <gtest/gtest.h>

using namespace glossivo;

namespace {

QDateTime at(int hour, int minute = 0, int second = 0)
{
    return QDateTime(QDate(2026, 10, 7), QTime(hour, minute, second), QTimeZone::utc());
}

QJsonObject parse(const char* json)
{
    return QJsonDocument::fromJson(QByteArray(json)).object();
}

// A word with every optional field filled.
WordEntry fullEntry()
{
    WordEntry e;
    e.id = QUuid::fromString(QStringLiteral("6f9619ff-8b86-d011-b42d-00c04fc964ff"));
    e.headword = QStringLiteral("reluctant");
    e.phonetic = QStringLiteral("/rɪˈlʌktənt/");
    e.pos = QStringLiteral("adj.");
    e.meaningZh = QStringLiteral("不情愿的");
    e.definitionEn = QStringLiteral("unwilling and hesitant");
    e.register_ = Register::formal;
    e.registerNoteZh = QStringLiteral("书面语");
    Example example{QUuid::createUuid(),
                    QStringLiteral("She was reluctant to go."),
                    QStringLiteral("她不情愿去。"),
                    QStringLiteral("不情愿的"),
                    false,
                    QStringLiteral("Firefox"),
                    QStringLiteral("https://example.com/a/b"),
                    QStringLiteral("A page"),
                    at(8)};
    e.examples = {example};
    e.createdAt = at(8);
    e.lookupCount = 3;
    e.lastLookupAt = at(9, 30, 15);
    e.notes =
        QList<AINote>{AINote{QUuid::createUuid(), QStringLiteral("为什么？"),
                             QStringLiteral("因为。"), QStringLiteral("She was reluctant to go."),
                             std::nullopt, std::nullopt, std::nullopt, std::nullopt, at(10)}};
    e.inflections =
        QMap<QString, QString>{{QStringLiteral("comparative"), QStringLiteral("more reluctant")}};
    e.forms = QList<FormRecord>{
        FormRecord{FormKind::base, QStringLiteral("reluctant"), at(8), 2, std::nullopt}};
    e.familyRoot = QStringLiteral("reluct");
    e.affixes = QList<Affix>{Affix::re, Affix::ly};
    e.review = ReviewState{3.5, 5.25, at(12), at(8), 2, 1, 3};
    e.stage = Stage::learning;
    e.encounterDays = QStringList{QStringLiteral("2026-10-07")};
    e.sourceKeys = QStringList{QStringLiteral("example.com")};
    e.wantToLearn = true;
    e.restUntil = at(20);
    e.mnemonic = QStringLiteral("联想：……");
    e.spellLevel = 2;
    e.spellPractice = false;
    e.lastSpelledAt = at(11);
    e.stateAt = at(8, 1);
    return e;
}

} // namespace

TEST(WordEntryTest, everyFieldSurvivesARoundTripInAnyLayout)
{
    const WordEntry entry = fullEntry();
    const QJsonObject json = entry.toJson();
    EXPECT_EQ(json.keys().size(), 28);
    EXPECT_EQ(WordEntry::fromJson(json), entry);

    // Another tool's layout: two-space indentation and " : " separators.
    QByteArray other = QJsonDocument(json).toJson(QJsonDocument::Indented);
    other.replace("    ", "  ").replace("\": ", "\" : ");
    EXPECT_EQ(WordEntry::fromJson(QJsonDocument::fromJson(other).object()), entry);
}

TEST(WordEntryTest, writesUpperCaseIdsAndWholeSecondUtcDates)
{
    WordEntry entry = fullEntry();
    entry.createdAt = QDateTime(QDate(2026, 10, 7), QTime(16, 0, 0, 750), QTimeZone(8 * 3600));
    const QJsonObject json = entry.toJson();
    EXPECT_EQ(json.value(QStringLiteral("id")).toString(),
              QStringLiteral("6F9619FF-8B86-D011-B42D-00C04FC964FF"));
    EXPECT_EQ(json.value(QStringLiteral("createdAt")).toString(),
              QStringLiteral("2026-10-07T08:00:00Z"));
    EXPECT_EQ(WordEntry::fromJson(json).createdAt, at(8)); // the fraction is gone
}

TEST(WordEntryTest, idsAreWrittenAsQUuidSpellsThemInUpperCase)
{
    for (int i = 0; i < 200; ++i) {
        const QUuid id = QUuid::createUuid();
        ASSERT_EQ(Json::uuidText(id), id.toString(QUuid::WithoutBraces).toUpper());
    }
    EXPECT_EQ(Json::uuidText(QUuid()), QStringLiteral("00000000-0000-0000-0000-000000000000"));
}

TEST(WordEntryTest, absentOptionalsStayOutOfTheDocument)
{
    const QJsonObject minimal = parse(R"({
        "id": "6f9619ff-8b86-d011-b42d-00c04fc964ff", "headword": "Run", "phonetic": "",
        "pos": "v.", "meaningZh": "跑", "definitionEn": "", "register": "neutral",
        "registerNoteZh": "", "examples": [], "createdAt": "2026-10-07T08:00:00Z",
        "lookupCount": 1, "stage": null, "mnemonic": null})");
    const WordEntry entry = WordEntry::fromJson(minimal);
    EXPECT_EQ(entry.stage, std::nullopt);
    EXPECT_EQ(entry.mnemonic, std::nullopt);
    EXPECT_EQ(entry.toJson().keys(),
              (QStringList{"createdAt", "definitionEn", "examples", "headword", "id", "lookupCount",
                           "meaningZh", "phonetic", "pos", "register", "registerNoteZh"}));
}

TEST(WordEntryTest, oneBadFieldFailsTheRecord)
{
    const QJsonObject good = fullEntry().toJson();
    const std::vector<std::pair<const char*, QJsonValue>> bad = {
        {"lookupCount", QJsonValue()},                           // required key missing
        {"lookupCount", QStringLiteral("3")},                    // text for a number
        {"register", QStringLiteral("Formal")},                  // enumeration in another case
        {"stage", QStringLiteral("dormant")},                    // not a stored stage
        {"createdAt", QStringLiteral("2026-10-07T08:00:00.5Z")}, // fraction of a second
        {"createdAt", QStringLiteral("2026-10-07T08:00:00")},    // no zone
        {"id", QStringLiteral("not-a-uuid")},
        {"id", QStringLiteral("{6f9619ff-8b86-d011-b42d-00c04fc964ff}")},
        {"wantToLearn", QStringLiteral("yes")}, // optional, but of the wrong type
        {"affixes", QJsonArray{QStringLiteral("un-")}},
        {"encounterDays", QJsonArray{7}},
    };
    for (const auto& [key, value] : bad) {
        QJsonObject broken = good;
        if (value.isUndefined() || value.isNull())
            broken.remove(QLatin1String(key));
        else
            broken.insert(QLatin1String(key), value);
        EXPECT_THROW(WordEntry::fromJson(broken), JsonError) << key;
    }
}

TEST(WordEntryTest, offsetsAreReadAndWrittenInUtc)
{
    QJsonObject json = fullEntry().toJson();
    json.insert(QStringLiteral("createdAt"), QStringLiteral("2026-10-07T16:00:00+08:00"));
    const WordEntry entry = WordEntry::fromJson(json);
    EXPECT_EQ(entry.createdAt, at(8));
    EXPECT_EQ(entry.toJson().value(QStringLiteral("createdAt")).toString(),
              QStringLiteral("2026-10-07T08:00:00Z"));
}

TEST(RecordsTest, nonFiniteNumbersAreNeverWritten)
{
    ReviewState state{std::numeric_limits<double>::quiet_NaN(),
                      std::numeric_limits<double>::infinity(),
                      at(8),
                      at(8),
                      0,
                      0,
                      0};
    const QByteArray text = QJsonDocument(state.toJson()).toJson(QJsonDocument::Compact);
    EXPECT_FALSE(text.contains("nan"));
    EXPECT_FALSE(text.contains("inf"));
    EXPECT_NO_THROW(ReviewState::fromJson(QJsonDocument::fromJson(text).object()));
}

TEST(RecordsTest, grammarEncounterRequiresItsSurface)
{
    QJsonObject json = parse(R"({"id": "6F9619FF-8B86-D011-B42D-00C04FC964FF", "point": "passive",
        "headword": "delete", "surface": "was deleted", "sentence": "This post was deleted.",
        "addedAt": "2026-10-07T08:00:00Z"})");
    const GrammarEncounter encounter = GrammarEncounter::fromJson(json);
    EXPECT_EQ(encounter.point, GrammarPoint::passive);
    EXPECT_EQ(GrammarEncounter::fromJson(encounter.toJson()), encounter);
    json.remove(QStringLiteral("surface"));
    EXPECT_THROW(GrammarEncounter::fromJson(json), JsonError);
}

TEST(IsoDateTest, dropsTheFractionTowardsThePast)
{
    const QDateTime before1970 =
        QDateTime(QDate(1969, 12, 31), QTime(23, 59, 59, 500), QTimeZone::utc());
    EXPECT_EQ(IsoDate::format(before1970), QStringLiteral("1969-12-31T23:59:59Z"));
    EXPECT_EQ(IsoDate::format(at(8, 0, 0).addMSecs(999)), QStringLiteral("2026-10-07T08:00:00Z"));
}
