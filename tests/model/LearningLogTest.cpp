#include "model/LearningLog.h"
#include "support/DataFolder.h"
#include "support/FakeClock.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace glossivo;

namespace {

class LearningLogTest : public ::testing::Test {
protected:
    QString path() const { return folder.path(QStringLiteral("learning-log.jsonl")); }
    QByteArray content() const { return folder.read(QStringLiteral("learning-log.jsonl")); }

    glossivo::testing::DataFolder folder;
    glossivo::testing::FakeClock clock;
    LearningLog log{path(), clock};
};

} // namespace

TEST_F(LearningLogTest, theFirstEventCreatesTheLogAndLaterOnesAreAppended)
{
    EXPECT_TRUE(log.readLines().isEmpty());
    log.add(QStringLiteral("save"), QStringLiteral("run"), QStringLiteral("example.com"));
    EXPECT_EQ(content(), "{\"time\":\"2026-10-07T08:00:00Z\",\"kind\":\"save\",\"word\":\"run\","
                         "\"detail\":\"example.com\"}\n");
    clock.advance(1500);
    log.add(QStringLiteral("leave"), QStringLiteral("run"));
    EXPECT_EQ(log.readLines(),
              (QStringList{QStringLiteral("{\"time\":\"2026-10-07T08:00:00Z\",\"kind\":\"save\","
                                          "\"word\":\"run\",\"detail\":\"example.com\"}"),
                           QStringLiteral("{\"time\":\"2026-10-07T08:00:01Z\",\"kind\":\"leave\","
                                          "\"word\":\"run\"}")}));
}

TEST_F(LearningLogTest, anAppendKeepsEverythingAlreadyThere)
{
    QByteArray history;
    for (int i = 0; i < 2000; ++i)
        history += "{\"time\":\"2026-01-01T00:00:00Z\",\"kind\":\"lookup\",\"word\":\"w" +
                   QByteArray::number(i) + "\"}\n";
    folder.write(QStringLiteral("learning-log.jsonl"), history);
    log.add(QStringLiteral("rest"), QStringLiteral("ferry"));
    EXPECT_TRUE(content().startsWith(history));
    EXPECT_EQ(log.readLines().size(), 2001);
}

TEST_F(LearningLogTest, anEventThatCannotBeWrittenIsDroppedQuietly)
{
    ASSERT_TRUE(QDir(folder.path(QString())).mkdir(QStringLiteral("learning-log.jsonl")));
    log.add(QStringLiteral("save"), QStringLiteral("run"));
    EXPECT_TRUE(QFileInfo(path()).isDir());
    EXPECT_TRUE(log.readLines().isEmpty());
}

TEST_F(LearningLogTest, awkwardWordsStayOnOneLineAndReadBack)
{
    const QString word = QStringLiteral("say \"hi\"\nthen/leave 再见");
    log.add(QStringLiteral("spell"), word, QStringLiteral("抄写 good"));
    const QStringList lines = log.readLines();
    ASSERT_EQ(lines.size(), 1);
    const auto event = LearningLog::Event::fromLine(lines.first());
    ASSERT_TRUE(event);
    EXPECT_EQ(*event, (LearningLog::Event{clock.now(), QStringLiteral("spell"), word,
                                          QStringLiteral("抄写 good")}));
}

TEST_F(LearningLogTest, readLinesSkipsEmptyLinesAndKeepsUndecodableOnes)
{
    folder.write(QStringLiteral("learning-log.jsonl"),
                 "\n{\"time\":\"2026-10-07T08:00:00Z\",\"kind\":\"save\"}\n\nnot json\n");
    const QStringList lines = log.readLines();
    EXPECT_EQ(lines,
              (QStringList{QStringLiteral("{\"time\":\"2026-10-07T08:00:00Z\",\"kind\":\"save\"}"),
                           QStringLiteral("not json")}));
    EXPECT_EQ(LearningLog::Event::fromLine(lines[0]), std::nullopt); // no "word"
    EXPECT_EQ(LearningLog::Event::fromLine(lines[1]), std::nullopt);
}

TEST_F(LearningLogTest, replaceAllRewritesTheWholeLog)
{
    log.add(QStringLiteral("save"), QStringLiteral("run"));
    log.replaceAll({QStringLiteral("{\"a\":1}"), QStringLiteral("{\"b\":2}")});
    EXPECT_EQ(content(), "{\"a\":1}\n{\"b\":2}\n");

    log.replaceAll({});
    EXPECT_TRUE(folder.exists(QStringLiteral("learning-log.jsonl")));
    EXPECT_EQ(content(), QByteArray());
    EXPECT_TRUE(log.readLines().isEmpty());
}

TEST_F(LearningLogTest, replaceAllLeavesOutLinesThatWouldBreakTheLineForm)
{
    log.replaceAll({QStringLiteral("{\"a\":1}"), QStringLiteral("{\"b\":\n2}"), QString(),
                    QStringLiteral("{\"c\":3}")});
    EXPECT_EQ(content(), "{\"a\":1}\n{\"c\":3}\n");
}
