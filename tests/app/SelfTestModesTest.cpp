#include "ProgramRun.h"

#include "model/AppConfig.h"
#include "model/ConfigStore.h"
#include "selftest/SelfTest.h"
#include "support/DataFolder.h"
#include "support/FakeClock.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

using namespace glossivo;
using glossivo::testing::DataFolder;
using glossivo::testing::FakeClock;
using glossivo::testing::ProgramOutcome;
using glossivo::testing::ProgramRun;

namespace {

const QString kStampPassed = QStringLiteral(
    "改名额：记下了时间；改停住秒数：时间不变；马上再改每轮题数：时间更晚；写进文件：是\n"
    "OK 复习设置会记下修改时间\n");

QJsonObject storedConfig(const DataFolder& folder)
{
    return QJsonDocument::fromJson(folder.read("config.json")).object();
}

} // namespace

TEST(SelfTestModes, ConfigReportsBothSamplesAndTouchesNoFile)
{
    const DataFolder folder;
    const ProgramOutcome outcome = runIn(folder, {"--selftest-config"});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.err, "");
    EXPECT_EQ(outcome.out,
              QStringLiteral("旧版设置文件：key 保留=true 停住查词=true 1.0 秒 按住=Alt"
                             "(false) 连按=Ctrl\n"
                             "键名写坏了：key 保留=true 停住查词=true 1.5 秒 按住=Alt"
                             "(true) 连按=Ctrl\n"));
    EXPECT_TRUE(folder.files().isEmpty());
}

TEST(SelfTestModes, MenuBarPrintsTitlesSentencesAndChineseWrapping)
{
    const DataFolder folder;
    const ProgramOutcome outcome = runIn(folder, {"--selftest-menubar"});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out + outcome.err,
              QStringLiteral("菜单栏：ngl → ngl\n"
                             "菜单栏：deprecate → deprecate\n"
                             "菜单栏：internationalization → internationaliz…\n"
                             "菜单栏：give up on → give up on\n"
                             "---\n"
                             "She was running late, so she ran.\n"
                             "加粗：running\n"
                             "---\n"
                             "Honestly I would never give up on a project\n"
                             "like this one just because the build is slow.\n"
                             "加粗：give up on\n"
                             "---\n"
                             "This API is Deprecated and will be removed.\n"
                             "加粗：Deprecated\n"
                             "---\n"
                             "that was kinda wild\n"
                             "加粗：（句子里没找到）\n"
                             "---\n"
                             "中文折行：\n"
                             "（表示某事）被正式宣布为过时、不推荐再使用的，以\n"
                             "后版本会删除\n"));
    EXPECT_TRUE(folder.files().isEmpty());
}

TEST(SelfTestModes, StudyStampPassesOnAFreshFolderAndAgainOnTheSameOne)
{
    const DataFolder folder;
    for (int round = 1; round <= 2; ++round) {
        const ProgramOutcome outcome = runIn(folder, {"--selftest-studystamp"});
        EXPECT_EQ(outcome.status, 0);
        EXPECT_EQ(outcome.out + outcome.err, kStampPassed);
    }
    const QJsonObject stored = storedConfig(folder);
    const AppConfig defaults;
    EXPECT_EQ(stored.value("learningSlots").toInt(), defaults.learningSlots + 20);
    EXPECT_EQ(stored.value("sessionSize").toInt(), defaults.sessionSize + 10);
    EXPECT_EQ(stored.value("dwellSeconds").toDouble(), defaults.dwellSeconds + 1.0);
}

TEST(SelfTestModes, StudyStampFailsWhenTheConfigurationCannotBeWritten)
{
    const DataFolder folder;
    ASSERT_TRUE(QDir().mkpath(folder.path("config.json")));
    const ProgramOutcome outcome = runIn(folder, {"--selftest-studystamp"});
    EXPECT_EQ(outcome.status, 1);
    const QStringList lines = outcome.out.split('\n');
    ASSERT_EQ(lines.size(), 4) << outcome.out.toStdString();
    EXPECT_EQ(lines[0],
              QStringLiteral("改名额：记下了时间；改停住秒数：时间不变；马上再改每轮题数："
                             "时间更晚；写进文件：否"));
    // Why it was not written.
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("保存失败：config.json：")));
    EXPECT_GT(lines[1].size(), QStringLiteral("保存失败：config.json：").size());
    EXPECT_EQ(lines[2], QStringLiteral("FAIL 复习设置的修改时间不对"));
}

TEST(SelfTestModes, StudyStampReportsAReadOnlyFolder)
{
    if (!glossivo::testing::canMountRefusingDisks()) GTEST_SKIP() << "no mount namespace";
    const DataFolder folder;
    folder.write("config.json", "{}");
    ProgramRun program;
    program.setDataDir(folder.paths().supportDir());
    glossivo::testing::launchOnRefusingDisk(program, glossivo::testing::RefusingDisk::readOnly);
    const ProgramOutcome outcome = program.run({"--selftest-studystamp"});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_TRUE(
        outcome.out.contains(QStringLiteral("\n保存失败：config.json：文件系统是只读的\nFAIL ")))
        << outcome.out.toStdString();
}

TEST(SelfTestModes, StudyStampRefusesToRunWithoutAThrowAwayFolder)
{
    const QString guard =
        QStringLiteral("要先设置 GLOSSIVO_DATA_DIR 指向一个临时文件夹（不碰真实设置）\n");
    ProgramRun program;
    for (const bool emptyValue : {false, true}) {
        if (emptyValue) program.setDataDir("");
        const ProgramOutcome outcome = program.run({"--selftest-studystamp"});
        EXPECT_EQ(outcome.status, 1);
        EXPECT_EQ(outcome.out, guard);
    }
    // Nothing was created in the home folder, where the real data folder would lie.
    EXPECT_TRUE(QDir(program.home()).isEmpty());
}

TEST(SelfTestModes, StudyStampHoldsWhenEveryChangeFallsInTheSameSecond)
{
    const DataFolder folder;
    const FakeClock clock; // stands still
    ConfigStore store(folder.path("config.json"), clock);
    QString report;
    QTextStream out(&report);
    EXPECT_TRUE(SelfTest::checkStudyStamp(store, folder.path("config.json"), out));
    out.flush();
    EXPECT_EQ(report, kStampPassed);
    EXPECT_EQ(store.config().studySettingsAt, "2026-10-07T08:00:01Z");
}
