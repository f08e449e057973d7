#include "ProgramRun.h"
#include "app/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTest>

#include <gtest/gtest.h>

using glossivo::testing::ProgramOutcome;
using glossivo::testing::ProgramRun;

namespace {

// The program run from an empty working folder with an empty data folder.
class Program : public ::testing::Test {
protected:
    Program()
    {
        program.setDataDir(data.path());
        program.setWorkingDir(work.path());
    }
    ProgramOutcome run(const QStringList& arguments) { return program.run(arguments); }
    QString inWork(const QString& name) const { return work.filePath(name); }
    // The first line of the configuration self-test: it ran.
    static bool ranConfig(const ProgramOutcome& outcome)
    {
        return outcome.out.startsWith(QStringLiteral("旧版设置文件：")) && outcome.status == 0;
    }

    QTemporaryDir data;
    QTemporaryDir work;
    ProgramRun program;
};

} // namespace

TEST_F(Program, RenderIconWritesRelativeToTheWorkingFolderAndPrintsNothing)
{
    const ProgramOutcome outcome = run({"--selftest-merge", "--render-icon", "out/icons"});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out + outcome.err, "");
    EXPECT_EQ(QImage(inWork("out/icons/icon_512x512@2x.png")).size(), QSize(1024, 1024));
    EXPECT_EQ(QImage(inWork("out/menubar-preview.png")).size(), QSize(152, 152));
}

TEST_F(Program, RenderIconReportsAFolderItCannotWrite)
{
    QFile(inWork("taken")).open(QIODevice::WriteOnly);
    const ProgramOutcome outcome = run({"--render-icon", "taken/icons"});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_TRUE(outcome.out.startsWith(QStringLiteral("生成图标失败：")))
        << outcome.out.toStdString();
    EXPECT_EQ(outcome.out.count('\n'), 1);
    EXPECT_TRUE(outcome.out.endsWith('\n'));
    EXPECT_EQ(outcome.err, "");
}

TEST_F(Program, ValueOptionsTakeTheNextArgumentOrFallThroughWhenLast)
{
    EXPECT_EQ(run({"--render-icon", "--selftest-config"}).out, "");
    EXPECT_TRUE(QFile::exists(inWork("--selftest-config/icon_16x16.png")));
    for (const char* last : {"--render-icon", "--add-spelling", "--sync-connect"})
        EXPECT_TRUE(ranConfig(run({"--selftest-config", last}))) << last;
    // Order, not position: the configuration test comes before the stamp test.
    EXPECT_TRUE(ranConfig(run({"--selftest-studystamp", "--selftest-config"})));
    EXPECT_FALSE(QFile::exists(data.filePath("config.json")));
}

TEST_F(Program, WithoutAModeTheApplicationStartsAndLaterStartsStepAside)
{
    QTemporaryDir home;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("HOME", home.path());
    environment.insert("XDG_CONFIG_HOME", home.filePath("config"));
    environment.insert("GLOSSIVO_DATA_DIR", data.path());
    QProcess first;
    first.setProcessEnvironment(environment);
    first.setWorkingDirectory(work.path());
    first.start(QStringLiteral(GLOSSIVO_EXECUTABLE), {});
    ASSERT_TRUE(first.waitForStarted());
    // The application is up once it listens for later starts.
    const QString channel =
        QDir::temp().filePath(glossivo::SingleInstance::channelName(data.path()));
    for (int i = 0; i < 300 && !QFile::exists(channel); ++i)
        QTest::qWait(50);
    ASSERT_TRUE(QFile::exists(channel));
    EXPECT_EQ(first.state(), QProcess::Running);

    // Each of these reaches the application path, finds it running and ends at once.
    for (const QStringList& arguments :
         {QStringList{}, QStringList{"--render-icon"}, QStringList{"--selftest-config=1"},
          QStringList{"--unknown", "words"}}) {
        const ProgramOutcome outcome = run(arguments);
        EXPECT_EQ(outcome.status, 0) << arguments.join(' ').toStdString();
        EXPECT_EQ(outcome.out, "") << arguments.join(' ').toStdString();
    }
    EXPECT_EQ(first.state(), QProcess::Running);
    first.kill();
    first.waitForFinished();
    EXPECT_TRUE(QDir(work.path()).isEmpty());
}

// Options whose modes are still being built: each either runs its mode or says on one line of
// stderr that this version cannot, with status 2; none ends silently as if it had run.
TEST_F(Program, AnOptionWithoutAModeIsNeverSilentlyPassedOver)
{
    for (const QStringList& arguments :
         {QStringList{"--sync-connect", "x"}, QStringList{"--sync-now"},
          QStringList{"--selftest-ocr", "--selftest-config"}, QStringList{"--selftest-review"},
          QStringList{"--selftest-spellpractice"}, QStringList{"--selftest-coach"},
          QStringList{"--selftest-coach-ai"}}) {
        const ProgramOutcome outcome = run(arguments);
        const std::string name = arguments.join(' ').toStdString();
        EXPECT_NE(outcome.out + outcome.err, "") << name;
        if (outcome.status != 2) continue; // its mode has landed
        EXPECT_EQ(outcome.out, "") << name;
        EXPECT_EQ(outcome.err, "这个版本的 Glossivo 还不能运行 " + arguments.first() + "\n")
            << name;
    }
}
