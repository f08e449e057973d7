#include "SyncSamples.h"

#include "model/JsonFields.h"

#include <QJsonArray>
#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace glossivo;
using namespace glossivo::testing;

namespace {

SyncBundle smallBundle()
{
    WordEntry run = sampleWord("0A", "run", 1);
    run.examples = {{.id = sampleId("E1"),
                     .sentence = QStringLiteral("I run."),
                     .sourceURL = QStringLiteral("https://a.example/x"),
                     .addedAt = oct(1).addMSecs(900)}};
    run.review = ReviewState{3.25, 5, oct(4), oct(1), 2, 0, 1};
    SyncBundle bundle = bundleOf({run}, {{QStringLiteral("C1"), oct(6)}});
    bundle.log = {
        QStringLiteral(R"({"kind":"save","time":"2026-10-01T12:00:00Z","word":"run/ran"})")};
    bundle.stats = ReviewStats{QStringLiteral("2026-10-07"), 5, 2};
    return bundle;
}

QJsonObject withWord(const char* key, const QJsonValue& value)
{
    QJsonObject word = sampleWord("0A", "run", 1).toJson();
    word.insert(QLatin1String(key), value);
    return {{"words", QJsonArray{word}}};
}

} // namespace

TEST(SyncBundle, WritesTheCanonicalTextAndHashesIt)
{
    const SyncBundle bundle = smallBundle();
    EXPECT_EQ(
        bundle.json(),
        R"json({"affixes":[],"deleted":[{"at":"2026-10-06T12:00:00Z","id":"C1"}],"format":1,)json"
        R"json("grammar":[],"log":["{\"kind\":\"save\",\"time\":\"2026-10-01T12:00:00Z\",)json"
        R"json(\"word\":\"run\/ran\"}"],"notes":[],"stats":{"day":"2026-10-07","newLearned":2,)json"
        R"json("reviewed":5},"words":[{"createdAt":"2026-10-01T12:00:00Z","definitionEn":"",)json"
        R"json("examples":[{"addedAt":"2026-10-01T12:00:00Z","id":"00000000-0000-0000-0000-)json"
        R"json(0000000000E1","isGenerated":false,"meaningZh":"","sentence":"I run.","sentenceZh":"",)json"
        R"json("sourceURL":"https:\/\/a.example\/x"}],"headword":"run","id":"00000000-0000-0000-)json"
        R"json(0000-00000000000A","lastLookupAt":"2026-10-01T12:00:00Z","lookupCount":1,)json"
        R"json("meaningZh":"run的意思","phonetic":"","pos":"","register":"neutral",)json"
        R"json("registerNoteZh":"","review":{"difficulty":5,"due":"2026-10-04T12:00:00Z",)json"
        R"json("lapses":0,"lastReview":"2026-10-01T12:00:00Z","level":1,"reps":2,)json"
        R"json("stability":3.25}}]})json");
    EXPECT_EQ(
        SyncBundle().json(),
        R"({"affixes":[],"deleted":[],"format":1,"grammar":[],"log":[],"notes":[],"words":[]})");

    const SyncBundle normalized = bundle.normalized();
    EXPECT_EQ(normalized.words[0].examples[0].addedAt, oct(1));
    EXPECT_EQ(normalized.hash(), bundle.hash());
    EXPECT_TRUE(
        QRegularExpression(QStringLiteral("^[0-9a-f]{64}$")).match(bundle.hash()).hasMatch());

    SyncBundle reordered = bundle;
    reordered.deleted.prepend({QStringLiteral("C2"), oct(7)});
    SyncBundle appended = bundle;
    appended.deleted.append({QStringLiteral("C2"), oct(7)});
    EXPECT_NE(reordered.hash(), appended.hash());
    EXPECT_EQ(appended.hash(), SyncBundle(appended).hash());
}

TEST(SyncBundle, ReadsMissingAndNullKeysAsEmpty)
{
    EXPECT_EQ(SyncBundle::parse("{}"), SyncBundle());
    EXPECT_EQ(SyncBundle::parse(R"({"format":null,"words":null,"notes":null,"grammar":null,)"
                                R"("affixes":null,"deleted":null,"log":null,"stats":null,)"
                                R"("settings":null,"unknown":[1]})"),
              SyncBundle());
    EXPECT_EQ(SyncBundle::parse(R"({"format":7})").format, 7);
}

TEST(SyncBundle, ForgivesOnlyABrokenSettingsObject)
{
    for (const QJsonValue& settings :
         {QJsonValue(QJsonObject{{"learningSlots", 40}}), QJsonValue(QStringLiteral("fast"))}) {
        QJsonObject document = withWord("stage", QStringLiteral("learning"));
        document.insert(QStringLiteral("settings"), settings);
        const SyncBundle bundle = SyncBundle::fromJson(document);
        EXPECT_FALSE(bundle.settings);
        EXPECT_EQ(bundle.words.size(), 1);
    }

    EXPECT_THROW(SyncBundle::parse(R"({"stats":{"day":"2026-10-07","reviewed":1}})"), JsonError);
    EXPECT_THROW(
        SyncBundle::fromJson(withWord("createdAt", QStringLiteral("2026-10-01T12:00:00.500Z"))),
        JsonError);
    EXPECT_THROW(SyncBundle::fromJson(withWord("lookupCount", QStringLiteral("4"))), JsonError);
    for (const char* broken : {"[]", "not json", R"({"log":[1]})", R"({"format":"1"})",
                               R"({"words":{}})", R"({"deleted":[{"id":"C1"}]})"})
        EXPECT_THROW(SyncBundle::parse(broken), JsonError) << broken;
}

TEST(SyncBundle, DropsPeerLogLinesThatWouldSplitTheLogFile)
{
    const SyncBundle bundle = SyncBundle::parse(
        R"({"log":["{\"time\":\"a\"}","one\ntwo","one\r","one\u2028two","not json","{\"b\":1}"]})");
    EXPECT_EQ(bundle.log, QStringList({R"({"time":"a"})", "not json", R"({"b":1})"}));
}
