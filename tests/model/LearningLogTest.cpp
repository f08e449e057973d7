#include "model/LearningLog.h"
#include "model/AtomicFile.h"
#include "support/DataFolder.h"
#include "support/FakeClock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace glossivo;

namespace {

// Holds one event and writes it at once, as the word book does inside its turn.
bool appendNow(LearningLog& log, const QString& kind, const QString& word,
               const std::optional<QString>& detail = std::nullopt)
{
    log.hold(kind, word, detail);
    return log.flush();
}

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
    appendNow(log, QStringLiteral("save"), QStringLiteral("run"), QStringLiteral("example.com"));
    EXPECT_EQ(content(), "{\"time\":\"2026-10-07T08:00:00Z\",\"kind\":\"save\",\"word\":\"run\","
                         "\"detail\":\"example.com\"}\n");
    clock.advance(1500);
    appendNow(log, QStringLiteral("leave"), QStringLiteral("run"));
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
    appendNow(log, QStringLiteral("rest"), QStringLiteral("ferry"));
    EXPECT_TRUE(content().startsWith(history));
    EXPECT_EQ(log.readLines().size(), 2001);
}

TEST_F(LearningLogTest, anEventThatCannotBeWrittenWaitsForTheNextAppend)
{
    ASSERT_TRUE(QDir(folder.path(QString())).mkdir(QStringLiteral("learning-log.jsonl")));
    EXPECT_FALSE(appendNow(log, QStringLiteral("save"), QStringLiteral("run")));
    EXPECT_FALSE(log.lastError().isEmpty());
    EXPECT_TRUE(QFileInfo(path()).isDir());
    EXPECT_TRUE(log.readLines().isEmpty());
    EXPECT_TRUE(log.hasWaiting());

    ASSERT_TRUE(QDir(folder.path(QString())).rmdir(QStringLiteral("learning-log.jsonl")));
    clock.advance(1000);
    EXPECT_TRUE(appendNow(log, QStringLiteral("rest"), QStringLiteral("run")));
    EXPECT_EQ(content(),
              "{\"time\":\"2026-10-07T08:00:00Z\",\"kind\":\"save\",\"word\":\"run\"}\n"
              "{\"time\":\"2026-10-07T08:00:01Z\",\"kind\":\"rest\",\"word\":\"run\"}\n");
    EXPECT_FALSE(log.hasWaiting());
}

// A kill or a full disk can cut the last line short; the next event must not be glued to it.
TEST_F(LearningLogTest, anAppendAfterATornLastLineStartsOnANewLine)
{
    const QByteArray torn =
        "{\"time\":\"2026-10-07T07:00:00Z\",\"kind\":\"save\",\"word\":\"ok\"}\n"
        "{\"time\":\"2026-10-07T07:30:00Z\",\"ki";
    folder.write(QStringLiteral("learning-log.jsonl"), torn);
    appendNow(log, QStringLiteral("rest"), QStringLiteral("ferry"));
    appendNow(log, QStringLiteral("leave"), QStringLiteral("ferry"));
    EXPECT_TRUE(content().startsWith(torn + '\n')); // the broken line stays as it was
    const QStringList lines = log.readLines();
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(LearningLog::Event::fromLine(lines[1]), std::nullopt);
    EXPECT_EQ(LearningLog::Event::fromLine(lines[2])->kind, QStringLiteral("rest"));
    EXPECT_EQ(LearningLog::Event::fromLine(lines[3])->kind, QStringLiteral("leave"));
}

TEST_F(LearningLogTest, awkwardWordsStayOnOneLineAndReadBack)
{
    const QString word = QStringLiteral("say \"hi\"\nthen/leave 再见");
    appendNow(log, QStringLiteral("spell"), word, QStringLiteral("抄写 good"));
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
    appendNow(log, QStringLiteral("save"), QStringLiteral("run"));
    log.replaceAll({QStringLiteral("{\"a\":1}"), QStringLiteral("{\"b\":2}")});
    EXPECT_EQ(content(), "{\"a\":1}\n{\"b\":2}\n");

    log.replaceAll({});
    EXPECT_TRUE(folder.exists(QStringLiteral("learning-log.jsonl")));
    EXPECT_EQ(content(), QByteArray());
    EXPECT_TRUE(log.readLines().isEmpty());
}

// A replacement is made from the lines read, and takes in only what was appended after them: a
// line read half-written comes whole, and a line the replacement left out of a log that did not
// grow stays out.
TEST_F(LearningLogTest, aReplacementTakesInWholeWhatWasAppendedAfterTheRead)
{
    const QByteArray first = "{\"a\":1}\n";
    folder.write(QStringLiteral("learning-log.jsonl"), first + "{\"b\"");
    const QStringList read = log.readLines();
    EXPECT_EQ(read, QStringList{QStringLiteral("{\"a\":1}")});
    QFile file(path());
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write(":2}\n");
    file.close();
    log.replaceAll(read);
    EXPECT_EQ(content(), first + "{\"b\":2}\n");

    log.readLines();
    log.replaceAll({QStringLiteral("{\"b\":2}")});
    EXPECT_EQ(content(), "{\"b\":2}\n");
}

// A disk that fills up in the middle of an append: the lines that got through are not written
// twice, the one cut short stays broken, and the rest follow on a line of their own.
TEST_F(LearningLogTest, anAppendCutShortWritesOnlyWhatDidNotGetThrough)
{
    const QByteArray first =
        "{\"time\":\"2026-10-07T08:00:00Z\",\"kind\":\"rest\",\"word\":\"a\"}\n";
    folder.write(QStringLiteral("learning-log.jsonl"), first);
    log.hold(QStringLiteral("rest"), QStringLiteral("b"));
    log.hold(QStringLiteral("rest"), QStringLiteral("c"));
    log.hold(QStringLiteral("rest"), QStringLiteral("d"));

    // The file may grow by one line and a half.
    const rlim_t limit = static_cast<rlim_t>(first.size() * 2 + first.size() / 2);
    struct rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = limit;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = log.flush();
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_FALSE(written);
    EXPECT_TRUE(log.hasWaiting());

    EXPECT_TRUE(log.flush());
    QStringList words;
    for (const QString& line : log.readLines())
        if (const auto event = LearningLog::Event::fromLine(line)) words.append(event->word);
    EXPECT_EQ(words, (QStringList{"a", "b", "c", "d"}));
    EXPECT_EQ(log.readLines().size(), 5); // the broken line among them
}

TEST_F(LearningLogTest, aFailedReplacementIsWrittenBeforeLaterEvents)
{
    appendNow(log, QStringLiteral("save"), QStringLiteral("old"));
    ASSERT_TRUE(QFile::remove(path()));
    ASSERT_TRUE(QDir(folder.path(QString())).mkdir(QStringLiteral("learning-log.jsonl")));
    EXPECT_FALSE(log.replaceAll({QStringLiteral("{\"merged\":1}")}));
    EXPECT_FALSE(appendNow(log, QStringLiteral("rest"), QStringLiteral("run")));

    ASSERT_TRUE(QDir(folder.path(QString())).rmdir(QStringLiteral("learning-log.jsonl")));
    EXPECT_TRUE(log.flush());
    EXPECT_EQ(content(), "{\"merged\":1}\n{\"time\":\"2026-10-07T08:00:00Z\",\"kind\":\"rest\","
                         "\"word\":\"run\"}\n");
}

TEST_F(LearningLogTest, replaceAllLeavesOutLinesThatWouldBreakTheLineForm)
{
    log.replaceAll({QStringLiteral("{\"a\":1}"), QStringLiteral("{\"b\":\n2}"), QString(),
                    QStringLiteral("{\"c\":3}")});
    EXPECT_EQ(content(), "{\"a\":1}\n{\"c\":3}\n");
}

// A log this append made is named on disk only once its folder is flushed too. Lines whose flush
// failed wait: the next write flushes that file and its folder again, and never appends them
// twice.
TEST_F(LearningLogTest, linesWhoseFlushFailedAreFlushedAgainNotAppendedTwice)
{
    static QStringList synced;
    static bool folderFails;
    static int failures;
    AtomicFile::setSyncCall([](int fd) {
        struct stat info {};
        const bool folder = ::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode);
        synced.append(folder ? "folder" : "log");
        return folder == folderFails && failures-- > 0 ? (errno = EIO, -1) : ::fsync(fd);
    });
    for (const bool folder : {false, true}) {
        QFile::remove(path());
        LearningLog fresh(path(), clock);
        folderFails = folder;
        failures = 1;
        EXPECT_FALSE(appendNow(fresh, QStringLiteral("save"), QStringLiteral("run"))) << folder;
        EXPECT_EQ(fresh.lastError(), QStringLiteral("磁盘读写出错"));
        EXPECT_TRUE(fresh.hasWaiting());
        synced.clear();
        EXPECT_TRUE(appendNow(fresh, QStringLiteral("rest"), QStringLiteral("run"))) << folder;
        EXPECT_FALSE(fresh.hasWaiting());
        EXPECT_EQ(synced, (QStringList{"log", "folder", "log"})) << folder;
        EXPECT_EQ(content(),
                  "{\"time\":\"2026-10-07T08:00:00Z\",\"kind\":\"save\",\"word\":\"run\"}\n"
                  "{\"time\":\"2026-10-07T08:00:00Z\",\"kind\":\"rest\",\"word\":\"run\"}\n");
    }
    AtomicFile::setSyncCall(nullptr);
}
