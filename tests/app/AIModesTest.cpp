#include "ProgramRun.h"

#include "model/ConfigStore.h"
#include "model/AtomicFile.h"
#include "model/WordStore.h"
#include "selftest/SelfTest.h"
#include "support/AwaitTask.h"
#include "support/DataFolder.h"
#include "support/FakeChatServer.h"
#include "support/FakeClock.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QScopeGuard>
#include <QTextStream>

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

using namespace glossivo;
using glossivo::testing::DataFolder;
using glossivo::testing::FakeChatServer;
using glossivo::testing::FakeClock;
using glossivo::testing::FakeReply;
using glossivo::testing::ProgramOutcome;
using glossivo::testing::ProgramRun;
using glossivo::testing::RefusingDisk;

namespace {

// A made-up key. Assertions test it with contains() inside EXPECT_FALSE so a failure does not
// print it.
const QString kKey = QStringLiteral("sk-mode-test-7d41c0a9e2");

FakeReply reply(const QJsonObject& record)
{
    return FakeReply::chatContent(QJsonDocument(record).toJson(QJsonDocument::Compact));
}

// The program with a configuration that sends every request to the fake service.
class AIModes : public ::testing::Test {
protected:
    AIModes()
    {
        const QJsonObject config{{"apiKey", kKey}, {"baseURL", server.baseURL()}};
        folder.write("config.json", QJsonDocument(config).toJson());
    }

    ProgramOutcome run(const QStringList& arguments)
    {
        ProgramRun program;
        program.setDataDir(folder.paths().supportDir());
        return program.run(arguments);
    }

    // The user message of each request, in order.
    QStringList userMessages() const
    {
        QStringList messages;
        for (const auto& request : server.requests())
            messages.append(
                request.json().value("messages").toArray().last()["content"].toString());
        return messages;
    }

    QList<WordEntry> storedWords() const
    {
        const FakeClock clock;
        return WordStore(folder.paths(), clock).entries();
    }

    // Adds the words in this process, to a word book of the test's own, so that the test can
    // make flushes fail without touching the process-wide objects.
    bool addInProcess(const QString& words, QString& printed)
    {
        const FakeClock clock;
        WordStore store(folder.paths(), clock);
        QTextStream out(&printed);
        const AppConfig config = ConfigStore(folder.paths().config(), clock).config();
        return glossivo::testing::awaitTask(SelfTest::addSpelling(store, config, words, out));
    }

    DataFolder folder;
    FakeChatServer server;
};

// Puts no sync call back on the store's writes when it goes: each test that makes flushes fail
// holds one.
auto syncCallReset()
{
    return qScopeGuard([] { AtomicFile::setSyncCall(nullptr); });
}

} // namespace

TEST_F(AIModes, LookupPrintsEachQueryWithDefaultsForWhatTheReplyLeftOut)
{
    server.enqueue(reply({{"headword", "Silver Lanterns"},
                          {"phonetic", "/ˈsɪlvə ˈlæntənz/"},
                          {"pos", "n."},
                          {"meaning_zh", "《银灯笼》（歌名）"},
                          {"corrected", true},
                          {"about_zh", "一首歌的名字"},
                          {"sentence", "I love Silver Lanterns."},
                          {"sentence_zh", "我爱这首歌。"},
                          {"alternatives", QJsonArray{}}}));
    server.enqueue(
        reply({{"headword", "give up"},
               {"meaning_zh", "放弃"},
               {"alternatives",
                QJsonArray{QJsonObject{{"text", "quit"}, {"meaning_zh", "更口语"}},
                           QJsonObject{{"text", "abandon"}, {"meaning_zh", "更彻底"}}}}}));
    // A service that echoes the request into its error body must not make the key visible.
    server.enqueue(FakeReply::text(500, "bad request from Bearer " + kKey.toUtf8()));

    const ProgramOutcome outcome = run({"--selftest-lookup"});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.err, "");
    const QStringList lines = outcome.out.split('\n');
    ASSERT_EQ(lines.size(), 9) << outcome.out.toStdString();
    EXPECT_EQ(
        lines.mid(0, 7),
        (QStringList{"「Silver Lantermz」→ Silver Lanterns /ˈsɪlvə ˈlæntənz/ n. "
                     "《银灯笼》（歌名） | 纠正=true",
                     "   这是什么：一首歌的名字", "   例句：I love Silver Lanterns. / 我爱这首歌。",
                     "「放弃」→ give up   放弃 | 纠正=false", "   这是什么：-", "   例句：- / ",
                     "   其他说法：quit（更口语）；abandon（更彻底）"}));
    EXPECT_TRUE(
        lines[7].startsWith("「vexly」出错：DeepSeek 返回错误 500：bad request from Bearer"));
    EXPECT_FALSE(outcome.out.contains(kKey));
    EXPECT_EQ(lines[8], "");
    EXPECT_EQ(userMessages(),
              (QStringList{"Query: Silver Lantermz", "Query: 放弃", "Query: vexly"}));
    EXPECT_EQ(folder.files(), QStringList{"config.json"}); // a lookup saves nothing
}

TEST_F(AIModes, AskPrintsThePiecesJoinedOrTheFailure)
{
    server.enqueue(FakeReply::events(
        {FakeReply::deltaEvent("ngl 是"), FakeReply::deltaEvent("“说实话”"), "data: [DONE]\n\n"}));
    server.enqueue(FakeReply::events({"data: [DONE]\n\n"}));
    server.enqueue(FakeReply::text(401, "{}"));

    EXPECT_EQ(run({"--selftest-ask"}).out, "OK 收到 2 段：ngl 是“说实话”\n");
    EXPECT_EQ(run({"--selftest-ask"}).out, "OK 收到 0 段：\n");
    const ProgramOutcome failed = run({"--selftest-ask"});
    EXPECT_EQ(failed.status, 0);
    EXPECT_EQ(failed.err, "");
    EXPECT_EQ(failed.out, "FAIL API key 不正确，请在设置里检查一下。\n");

    const QJsonObject sent = server.requests().first().json();
    EXPECT_EQ(sent.value("temperature").toDouble(), 0.5);
    EXPECT_EQ(sent.value("stream").toBool(), true);
    EXPECT_EQ(
        sent.value("messages").toArray(),
        (QJsonArray{QJsonObject{{"role", "user"},
                                {"content", "用一句中文解释 ngl 是什么意思，不超过 20 字。"}}}));
}

TEST_F(AIModes, ExplainPrintsFormsGrammarExampleAndAffixesPerSample)
{
    server.enqueue(reply({{"headword", "run"},
                          {"meaning_zh", "跑"},
                          {"form_kind", "past"},
                          {"grammar", "past_simple"},
                          {"grammar_note_zh", "昨天发生的事"},
                          {"sentence", "He ran to the store yesterday before it closed."},
                          {"sentence_is_example", false},
                          {"inflections", QJsonObject{{"base", "run"},
                                                      {"third_person", "runs"},
                                                      {"ing", "running"},
                                                      {"past", "ran"},
                                                      {"past_participle", "run"}}}}));
    server.enqueue(reply({{"headword", "run"},
                          {"meaning_zh", "运行"},
                          {"form_kind", "gerundive"},
                          {"grammar", "made_up"},
                          {"sentence_is_example", true},
                          {"family_root", "run"},
                          {"affixes", QJsonArray{"un-", "-able", "-xyz"}}}));
    server.enqueue(FakeReply::chatContent("not json"));
    // The last four samples meet a service with no reply scripted: a 500 each.

    const ProgramOutcome outcome = run({"--selftest-explain"});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.err, "");
    const QStringList lines = outcome.out.split('\n');
    ASSERT_EQ(lines.size(), 14) << outcome.out.toStdString();
    EXPECT_EQ(
        lines.mid(0, 9),
        (QStringList{"OK ran → run | 形式：过去式 | 语法：一般过去时 | 昨天发生的事",
                     "   例句：He ran to the store yesterday before it closed. | AI 写的：false",
                     "   全部形式：原形=run, 第三人称单数=runs, -ing 形式=running, 过去式=ran, "
                     "过去分词=run",
                     "   词根：nil | 词缀：[] 原始：[]",
                     "OK running → run | 形式：nil(gerundive) | 语法：无(made_up) | ",
                     "   例句： | AI 写的：true", "   全部形式：",
                     R"(   词根：run | 词缀：["un-", "-able"] 原始：["un-", "-able", "-xyz"])",
                     "FAIL faster：AI 返回的内容看不懂，再试一次吧。"}));
    EXPECT_EQ(lines[12], "FAIL karma：DeepSeek 返回错误 500：no reply scripted");
    ASSERT_EQ(server.requests().size(), 7);
    EXPECT_TRUE(userMessages().last().contains("703K karma"));
}

TEST_F(AIModes, AddSpellingPutsEachWordOnTheSpellingListAndGoesOnAfterAFailure)
{
    server.enqueue(reply({{"headword", "glimpse"}, {"meaning_zh", "一瞥"}}));
    server.enqueue(FakeReply::text(402, "{}"));
    server.enqueue(reply({{"headword", "reluctant"}, {"meaning_zh", "不情愿的"}}));

    const ProgramOutcome outcome = run({"--add-spelling", " glimpse\t|| bogus |reluctnt"});
    EXPECT_EQ(outcome.status, 1); // one word was not added
    EXPECT_EQ(outcome.out, "已加入常拼：glimpse → glimpse（一瞥）\n"
                           "「bogus」出错：DeepSeek 账户余额不足，请先充值。\n"
                           "已加入常拼：reluctnt → reluctant（不情愿的）\n");
    EXPECT_EQ(userMessages(), (QStringList{"Query: glimpse", "Query: bogus", "Query: reluctnt"}));

    const QList<WordEntry> words = storedWords();
    ASSERT_EQ(words.size(), 2);
    EXPECT_EQ(words[0].headword, "reluctant");
    EXPECT_EQ(words[1].headword, "glimpse");
    for (const WordEntry& word : words)
        EXPECT_EQ(word.spellPractice, true) << word.headword.toStdString();

    // A word already saved is found again, not saved twice.
    server.enqueue(reply({{"headword", "Glimpse"}, {"meaning_zh", "瞥见"}}));
    EXPECT_EQ(run({"--add-spelling", "glimpse"}).out, "已加入常拼：glimpse → glimpse（一瞥）\n");
    EXPECT_EQ(storedWords().size(), 2);
}

// A change that does not reach the disk is never reported as done.
TEST_F(AIModes, AddSpellingFailsWhenTheWordBookCannotBeWritten)
{
    const auto failedLine = [](const ProgramOutcome& outcome, const QString& error) {
        EXPECT_EQ(outcome.status, 1);
        EXPECT_EQ(outcome.err, "");
        EXPECT_EQ(outcome.out, "「glimpse」保存失败：words.json：" + error + "\n");
    };
    ASSERT_TRUE(QDir().mkpath(folder.path("words.json")));
    server.enqueue(reply({{"headword", "glimpse"}, {"meaning_zh", "一瞥"}}));
    failedLine(run({"--add-spelling", "glimpse"}), "读不了的原文件没能先另存一份，不覆盖它");
    ASSERT_TRUE(QDir().rmdir(folder.path("words.json")));

    if (!glossivo::testing::canMountRefusingDisks()) GTEST_SKIP() << "no mount namespace";
    const std::pair<RefusingDisk, QString> disks[] = {
        {RefusingDisk::full, QStringLiteral("磁盘满了")},
        // A read-only disk refuses the data folder's lock first.
        {RefusingDisk::readOnly, QStringLiteral("文件系统是只读的")}};
    for (const auto& [disk, error] : disks) {
        server.enqueue(reply({{"headword", "glimpse"}, {"meaning_zh", "一瞥"}}));
        ProgramRun program;
        program.setDataDir(folder.paths().supportDir());
        glossivo::testing::launchOnRefusingDisk(program, disk);
        failedLine(program.run({"--add-spelling", "glimpse"}), error);
    }
    EXPECT_EQ(folder.files(), QStringList{"config.json"});

    // The disk fills between the word's two writes: the line cannot tell whether the word's own
    // write was flushed, so it says only what failed.
    server.enqueue(reply({{"headword", "glimpse"}, {"meaning_zh", "一瞥"}}));
    ProgramRun program;
    program.setDataDir(folder.paths().supportDir());
    glossivo::testing::launchOnRefusingDisk(program, RefusingDisk::onePage);
    const ProgramOutcome outcome = program.run({"--add-spelling", "glimpse"});
    EXPECT_EQ(outcome.out, "「glimpse」保存失败：learning-log.jsonl：磁盘满了；"
                           "保存失败：words.json：磁盘满了\n")
        << outcome.out.toStdString();
    EXPECT_EQ(outcome.status, 1);
}

// The word book's file is renamed into place but its folder is not flushed: the disk shows the
// word on the list, yet a power cut may take it, so the line says only that it was not saved.
TEST_F(AIModes, AddSpellingClaimsNothingOfAWordBookWhoseFolderWasNotFlushed)
{
    server.enqueue(reply({{"headword", "sa"}, {"meaning_zh", "萨"}}));
    const auto reset = syncCallReset();
    AtomicFile::setSyncCall([](int fd) {
        struct stat info {};
        if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) return errno = EIO, -1;
        return ::fsync(fd);
    });
    QString printed;
    EXPECT_FALSE(addInProcess("sa", printed));
    EXPECT_EQ(printed, "「sa」保存失败：words.json：磁盘读写出错\n") << printed.toStdString();
    EXPECT_EQ(storedWords().value(0).spellPractice, true); // as the disk shows it
}

// Every write also writes what failed before: the second word's write saves the first, whose
// own failed, while nothing saves the last one.
TEST_F(AIModes, AddSpellingSaysAddedOfAWordThatALaterWordsWriteSaved)
{
    for (const char* word : {"sa", "sb", "sc"})
        server.enqueue(reply({{"headword", word}, {"meaning_zh", "词"}}));
    static const FakeChatServer* asked = nullptr; // the sync call is a plain function
    asked = &server;
    const auto reset = syncCallReset();
    AtomicFile::setSyncCall(
        [](int fd) { return asked->requests().size() == 2 ? ::fsync(fd) : (errno = EIO, -1); });
    QString printed;
    EXPECT_FALSE(addInProcess("sa|sb|sc", printed));
    EXPECT_EQ(printed, "已加入常拼：sa → sa（词）\n已加入常拼：sb → sb（词）\n"
                       "「sc」保存失败：words.json：磁盘读写出错\n")
        << printed.toStdString();
    EXPECT_EQ(storedWords().size(), 2);
}

// The word is saved and listed, but the log of it is not on disk: the mode fails.
TEST_F(AIModes, AddSpellingFailsWhenOnlyTheLearningLogCannotBeWritten)
{
    ASSERT_TRUE(QDir().mkpath(folder.path("learning-log.jsonl")));
    server.enqueue(reply({{"headword", "glimpse"}, {"meaning_zh", "一瞥"}}));
    const ProgramOutcome outcome = run({"--add-spelling", "glimpse"});
    EXPECT_TRUE(outcome.out.startsWith("已加入常拼：glimpse → glimpse（一瞥）；"
                                       "保存失败：learning-log.jsonl："))
        << outcome.out.toStdString();
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(storedWords().value(0).spellPractice, true);
}

// The tray program keeps the word book open while a command-line mode adds a word to it: its
// next save keeps that word, and it knows the word without being started again.
TEST_F(AIModes, AWordAddedBesideTheRunningProgramIsKeptByItsNextSave)
{
    const FakeClock clock;
    WordStore tray(folder.paths(), clock);
    server.enqueue(reply({{"headword", "harbor"}, {"meaning_zh", "港口"}}));
    ASSERT_EQ(run({"--add-spelling", "harbor"}).status, 0);
    Explanation patch;
    patch.headword = QStringLiteral("patch");
    tray.save(patch, {});
    QStringList headwords;
    for (const WordEntry& word : storedWords())
        headwords.append(word.headword);
    EXPECT_EQ(headwords, (QStringList{"patch", "harbor"}));
    EXPECT_EQ(tray.entries().size(), 2);
}

TEST_F(AIModes, AddSpellingWithOnlySeparatorsAndBlanksDoesNothing)
{
    const ProgramOutcome outcome = run({"--add-spelling", " | \t ||"});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out + outcome.err, "");
    EXPECT_TRUE(server.requests().isEmpty());
    EXPECT_EQ(folder.files(), QStringList{"config.json"});
}

// Saving it would leave a word without a name in the word book.
TEST_F(AIModes, AddSpellingRefusesAReplyWithoutAHeadword)
{
    server.enqueue(reply({{"headword", " \t"}, {"meaning_zh", "？"}}));
    const ProgramOutcome outcome = run({"--add-spelling", "blank"});
    EXPECT_EQ(outcome.out, "「blank」出错：AI 返回的内容看不懂，再试一次吧。\n");
    EXPECT_TRUE(storedWords().isEmpty());
}

TEST(AIModesWithoutKey, EveryRequestFailsOnItsOwnLine)
{
    const DataFolder folder;
    ProgramRun program;
    program.setDataDir(folder.paths().supportDir());
    const QString noKey = QStringLiteral("还没有填 DeepSeek API key，请在设置里填写。");

    EXPECT_EQ(program.run({"--selftest-ask"}).out, "FAIL " + noKey + "\n");
    const ProgramOutcome explained = program.run({"--selftest-explain"});
    EXPECT_EQ(explained.status, 0);
    EXPECT_EQ(explained.out.count(noKey), 7);
    EXPECT_TRUE(explained.out.startsWith("FAIL ran：" + noKey + "\n"));
    EXPECT_EQ(program.run({"--selftest-lookup"}).out.count("」出错：" + noKey + "\n"), 3);
    EXPECT_TRUE(folder.files().isEmpty());
}
