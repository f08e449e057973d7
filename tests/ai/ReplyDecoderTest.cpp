#include "ai/ReplyDecoder.h"
#include "ai/AIError.h"
#include "model/JsonFields.h"

#include <QJsonDocument>

#include <gtest/gtest.h>

#include <functional>

using namespace glossivo;

namespace {

QJsonObject parsed(const char* json)
{
    return QJsonDocument::fromJson(QByteArray(json)).object();
}

} // namespace

TEST(ReplyDecoderTest, explanationTakesSnakeCaseKeysToFieldsAndKeepsTextsAsSent)
{
    const Explanation explanation = decodeReply<Explanation>(parsed(R"({
        "headword": " run ", "phonetic": null, "meaning_zh": "跑\n", "register_note_zh": "",
        "sentence_is_example": false, "form_kind": "past", "grammar_note_zh": "ran：过去时",
        "inflections": {"past_participle": "run"}, "affixes": ["re-"], "unknown": [1]})"));

    Explanation expected;
    expected.headword = " run ";
    expected.meaningZh = "跑\n";
    expected.registerNoteZh = "";
    expected.sentenceIsExample = false;
    expected.formKind = "past";
    expected.grammarNoteZh = "ran：过去时";
    expected.inflections = QMap<QString, QString>{{"past_participle", "run"}}; // keys unconverted
    expected.affixes = QStringList{"re-"};
    EXPECT_EQ(explanation, expected);
}

TEST(ReplyDecoderTest, aRecordFailsWholeOnAMissingRequiredFieldOrAnyWrongType)
{
    using Decode = std::function<void(const QJsonObject&)>;
    const Decode explanation = [](const QJsonObject& o) { decodeReply<Explanation>(o); };
    const Decode lookup = [](const QJsonObject& o) { decodeReply<LookupResult>(o); };
    const Decode translation = [](const QJsonObject& o) { decodeReply<Translation>(o); };
    const std::pair<Decode, const char*> broken[] = {
        {explanation, R"({"headword": "run", "meaning_zh": null})"},
        {explanation, R"({"headword": 7, "meaning_zh": "跑"})"},
        {explanation, R"({"headword": "a", "meaning_zh": "b", "sentence_is_example": "true"})"},
        {explanation, R"({"headword": "a", "meaning_zh": "b", "inflections": ["runs"]})"},
        {explanation, R"({"headword": "a", "meaning_zh": "b", "inflections": {"past": null}})"},
        {explanation, R"({"headword": "a", "meaning_zh": "b", "affixes": ["un-", 2]})"},
        {lookup, R"({"meaning_zh": "放弃", "about_zh": "x"})"},
        {lookup, R"({"headword": "a", "meaning_zh": "b", "alternatives": [{"text": "quit"}]})"},
        {translation, R"({"translation_zh": "你好", "key_terms": [{"meaning_zh": "世界"}]})"},
    };
    for (const auto& [decode, reply] : broken)
        EXPECT_THROW(decode(parsed(reply)), JsonError) << reply;
}

TEST(ReplyDecoderTest, lookupTranslationAndTipReadTheirOwnFields)
{
    const LookupResult lookup = decodeReply<LookupResult>(parsed(R"({"headword": "give up",
        "meaning_zh": "放弃", "about_zh": "短语", "alternatives": [{"text": "quit", "meaning_zh": "口语"}]})"));
    EXPECT_EQ(lookup.explanation.headword, "give up");
    EXPECT_EQ(lookup.aboutZh, "短语");
    EXPECT_EQ(lookup.corrected, std::nullopt);
    EXPECT_EQ(lookup.alternatives, (QList<LookupResult::Alternative>{{"quit", "口语"}}));

    const Translation translation = decodeReply<Translation>(parsed(
        R"({"translation_zh": "世界", "key_terms": [{"text": "world", "meaning_zh": "世界"}]})"));
    EXPECT_EQ(translation, (Translation{"世界", QList<Translation::KeyTerm>{{"world", "世界"}}}));

    EXPECT_EQ(decodeReply<DeepSeekClient::Result>(parsed(R"({"tip_zh": " 联想 \n"})")).tipZh,
              " 联想 \n");
}

TEST(AIErrorTest, everyCaseHasItsSentenceAndLongBodiesAreCutByCharacters)
{
    EXPECT_EQ(AIError::forStatus(500, "busy").errorDescription(), "DeepSeek 返回错误 500：busy");
    EXPECT_EQ(AIError::http(0, "").errorDescription(), "DeepSeek 返回错误 0：");
    EXPECT_EQ(AIError::noKey().errorDescription(), "还没有填 DeepSeek API key，请在设置里填写。");
    EXPECT_EQ(AIError::forStatus(401, "x").errorDescription(),
              "API key 不正确，请在设置里检查一下。");
    EXPECT_EQ(AIError::forStatus(402, "x").errorDescription(), "DeepSeek 账户余额不足，请先充值。");
    EXPECT_STREQ(AIError::badResponse().what(), "AI 返回的内容看不懂，再试一次吧。");
    // A flag is one character of four UTF-16 units.
    const QString flag = QStringLiteral("🇨🇳");
    EXPECT_EQ(AIError::forStatus(500, flag.repeated(250)).body(), flag.repeated(200));
}
