#include "ProgramRun.h"

#include "coach/CoachFacts.h"
#include "coach/CoachHistory.h"
#include "model/ConfigStore.h"
#include "model/Graphemes.h"
#include "model/JsonFields.h"
#include "model/WordStore.h"
#include "support/DataFolder.h"
#include "support/FakeChatServer.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <gtest/gtest.h>

using namespace glossivo;
using glossivo::testing::DataFolder;
using glossivo::testing::FakeChatServer;
using glossivo::testing::FakeReply;
using glossivo::testing::ProgramOutcome;
using glossivo::testing::runIn;

namespace {

// Made-up secrets. Assertions test them with contains() inside EXPECT_FALSE so that a failure
// does not print them.
const QString kKey = QStringLiteral("sk-coach-mode-51e0b8d2");
const QString kToken = QStringLiteral("sync-token-c4a19e");
const QString kPin =
    QStringLiteral("9f86d081884c7d659a2feaa0c55ad015a3bf4f1b2b0b822cd15d6c15b0f00a08");

const QString kWeekdays = QStringLiteral("一二三四五六日");

// The first line of a record made at that moment.
QString nowLine(const QDateTime& time)
{
    const QDateTime local = time.toLocalTime();
    const int hour = local.time().hour();
    const QString part = hour >= 5 && hour <= 11    ? "上午"
                         : hour >= 12 && hour <= 17 ? "下午"
                         : hour >= 18 && hour <= 22 ? "晚上"
                                                    : "深夜";
    return "现在：" + local.date().toString("yyyy-MM-dd") + " 星期" +
           kWeekdays.at(local.date().dayOfWeek() - 1) + " " + part + " " + QString::number(hour) +
           " 点";
}

// The whole report for a record: it prints the record, today's list and the verdict.
QString coachReport(const QString& record, const QString& today)
{
    return record + "\n\n--- 今天的复习 ---\n" + today + "\nOK " +
           QString::number(Graphemes::split(record).size()) + " 字，没有密钥\n";
}

// The report the program gives at a moment within the run (which may cross an hour).
template <class Expected>
void expectAtOneOf(const ProgramOutcome& outcome, const QDateTime& before, const QDateTime& after,
                   Expected expected)
{
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.err, "");
    const QString early = expected(before);
    const QString late = expected(after);
    if (outcome.out != late) {
        EXPECT_EQ(outcome.out, early);
    }
}

void writeConfig(const DataFolder& folder, const QJsonObject& config)
{
    folder.write("config.json", QJsonDocument(config).toJson());
}

} // namespace

TEST(CoachModes, theRecordOfAnEmptyBookIsThreeLinesAndAnOK)
{
    const DataFolder folder;
    const QDateTime before = QDateTime::currentDateTime();
    const ProgramOutcome outcome = runIn(folder, {"--selftest-coach"});
    expectAtOneOf(outcome, before, QDateTime::currentDateTime(), [](const QDateTime& time) {
        return coachReport(
            nowLine(time) +
                "\n\n单词本一共 0 个词：在学 0、见过 0、休息 0、掌握 0、沉睡 0。「在学」"
                "名额 30 个（只有在学和掌握的词会复习）\n\n今天已经复习了 0 "
                "题。现在打开复习，这一轮有 8 题，每题大约 15～20 秒",
            "");
    });
    EXPECT_TRUE(folder.files().isEmpty());
}

TEST(CoachModes, theRecordOfTheDataFolderKeepsTheSecretsOut)
{
    const DataFolder folder;
    writeConfig(folder, {{"apiKey", kKey},
                         {"syncServer", "https://sync.example.org"},
                         {"syncToken", kToken},
                         {"syncPin", kPin},
                         {"learningSlots", 12}});
    const QDateTime start = QDateTime::currentDateTimeUtc();
    WordEntry apple;
    apple.id = QUuid::createUuid();
    apple.headword = "apple";
    apple.pos = "n.";
    apple.meaningZh = "苹果";
    apple.createdAt = start.addSecs(-60);
    apple.stage = Stage::learning;
    Example pasted;
    pasted.id = QUuid::createUuid();
    pasted.sentence = "the key " + kKey + " and the token " + kToken;
    pasted.sourceTitle = kPin;
    pasted.addedAt = apple.createdAt;
    apple.examples = {pasted};
    folder.write("words.json", QJsonDocument(Json::toArray(QList<WordEntry>{apple})).toJson());
    folder.write("learning-log.jsonl",
                 (LearningLog::Event{start.addSecs(-30), "review", "apple", "good"}.toLine() + "\n")
                     .toUtf8());
    const QStringList files = folder.files();

    const QDateTime before = QDateTime::currentDateTime();
    const ProgramOutcome outcome = runIn(folder, {"--selftest-coach"});
    const QString out = outcome.out;
    for (const QString& secret : {kKey, kToken, kPin.left(20)})
        EXPECT_FALSE(out.contains(secret));

    // The same record, built here over the same folder at the same moment.
    expectAtOneOf(outcome, before, QDateTime::currentDateTime(), [&folder](const QDateTime& time) {
        struct At : Clock {
            QDateTime time;
            QDateTime now() const override { return time; }
        } clock;
        clock.time = time;
        const ConfigStore config(folder.paths().config(), clock);
        const WordStore store(folder.paths(), clock, [&config] { return config.config(); });
        LearningLog log(folder.paths().log(), clock);
        const CoachFacts facts(
            store, log, [&config] { return config.config(); }, clock);
        return coachReport(facts.build(time), facts.todayReview(time));
    });
    EXPECT_TRUE(out.contains("「在学」名额 12 个"));
    EXPECT_TRUE(out.contains("\n--- 今天的复习 ---\n- apple：想起来了\nOK "));
    EXPECT_TRUE(out.contains("来自 「***」：the key *** and the token ***"));
    EXPECT_EQ(folder.files(), files);
}

namespace {

class CoachAIMode : public ::testing::Test {
protected:
    CoachAIMode() { writeConfig(folder, {{"apiKey", kKey}, {"baseURL", server.baseURL()}}); }

    ProgramOutcome run() const { return runIn(folder, {"--selftest-coach-ai"}); }

    DataFolder folder;
    FakeChatServer server;
};

} // namespace

TEST_F(CoachAIMode, printsTheStreamedBriefAndItsLength)
{
    // A brief of an earlier day is not followed up here.
    CoachHistory(folder.path("coach.json"))
        .record("2026-10-06", {CoachMessage::make(true, "旧简报")});
    const QStringList files = folder.files();
    server.enqueue(FakeReply::events({FakeReply::deltaEvent("今天👍🏽"),
                                      FakeReply::deltaEvent("见。"), "data: [DONE]\n\n"}));
    server.enqueue(FakeReply::events({"data: [DONE]\n\n"}));
    server.enqueue(FakeReply::text(401, "{}"));

    const QDateTime before = QDateTime::currentDateTime();
    const ProgramOutcome first = run();
    EXPECT_EQ(first.status, 0);
    EXPECT_EQ(first.err, "");
    EXPECT_EQ(first.out, "今天👍🏽见。\n\nOK 5 字\n");
    EXPECT_EQ(run().out, "\n\nOK 0 字\n");
    const ProgramOutcome failed = run();
    EXPECT_EQ(failed.status, 0);
    EXPECT_EQ(failed.out, "FAIL API key 不正确，请在设置里检查一下。\n");
    EXPECT_EQ(folder.files(), files);

    const QJsonObject request = server.requests().first().json();
    EXPECT_EQ(request["temperature"].toDouble(), 0.7);
    EXPECT_TRUE(request["stream"].toBool());
    const QJsonArray messages = request["messages"].toArray();
    ASSERT_EQ(messages.size(), 2);
    EXPECT_EQ(messages[0].toObject()["role"], "system");
    EXPECT_TRUE(
        messages[0].toObject()["content"].toString().startsWith("你是 Glossivo 里的英语教练"));
    const QString user = messages[1].toObject()["content"].toString();
    EXPECT_EQ(messages[1].toObject()["role"], "user");
    const QString after = nowLine(QDateTime::currentDateTime());
    EXPECT_TRUE(user.startsWith("这是学习记录：\n" + nowLine(before) + "\n") ||
                user.startsWith("这是学习记录：\n" + after + "\n"));
    EXPECT_TRUE(user.contains("这一轮有 8 题，每题大约 15～20 秒\n\n请写今天的教练简报。"));
    EXPECT_FALSE(user.contains("你上次（"));
}

TEST(CoachAIModeWithoutKey, printsOneFailLine)
{
    const DataFolder folder;
    const ProgramOutcome outcome = runIn(folder, {"--selftest-coach-ai"});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, "FAIL 还没有填 DeepSeek API key，请在设置里填写。\n");
    EXPECT_TRUE(folder.files().isEmpty());
}
