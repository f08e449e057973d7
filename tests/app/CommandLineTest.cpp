#include "app/CommandLine.h"
#include "app/ModeTable.h"
#include "app/TaskLoop.h"

#include <QCoro/QCoroTimer>
#include <QTimer>

#include <gtest/gtest.h>

using namespace glossivo;

namespace {

// The option chosen when every option has a mode, or "" when none is.
QString chosen(const QStringList& arguments, QString* value = nullptr)
{
    const auto choice = CommandLine::choose(QStringList{"glossivo"} + arguments,
                                            [](const QString&) { return true; });
    if (choice && value) *value = choice->value;
    return choice ? choice->option : QString();
}

} // namespace

TEST(CommandLine, OrderHasEighteenDistinctOptionsAndThreeTakeAValue)
{
    QStringList names;
    QStringList withValue;
    for (const auto& option : CommandLine::order()) {
        names.append(QLatin1String(option.name));
        if (option.takesValue) withValue.append(QLatin1String(option.name));
    }
    EXPECT_EQ(names.removeDuplicates(), 0);
    EXPECT_EQ(names.front(), "--render-icon");
    EXPECT_EQ(names.back(), "--selftest-explain");
    EXPECT_EQ(withValue, (QStringList{"--render-icon", "--add-spelling", "--sync-connect"}));
}

TEST(CommandLine, FirstOptionInTestOrderWinsWhereverItStands)
{
    QString value;
    EXPECT_EQ(chosen({"--selftest-merge", "--render-icon", "out"}, &value), "--render-icon");
    EXPECT_EQ(value, "out");
    EXPECT_EQ(chosen({"--selftest-explain", "x", "--selftest-menubar"}), "--selftest-menubar");
    // The program path is an argument like any other.
    EXPECT_TRUE(CommandLine::choose({"--selftest-config"}, [](const QString&) { return true; }));
    // Options without a mode in this build are passed over as if absent.
    const auto onlyConfig = [](const QString& option) { return option == "--selftest-config"; };
    EXPECT_EQ(CommandLine::choose({"g", "--selftest-ocr", "--selftest-config"}, onlyConfig)->option,
              "--selftest-config");
}

TEST(CommandLine, ValueOptionsTakeTheNextArgumentOrFallThroughWhenLast)
{
    QString value;
    EXPECT_EQ(chosen({"--add-spelling", "--sync-now"}, &value), "--add-spelling");
    EXPECT_EQ(value, "--sync-now");
    EXPECT_EQ(chosen({"--render-icon", "a", "--render-icon", "b"}, &value), "--render-icon");
    EXPECT_EQ(value, "a");

    EXPECT_EQ(chosen({"--render-icon"}), "");
    EXPECT_EQ(chosen({"--add-spelling"}), "");
    EXPECT_EQ(chosen({"--selftest-fsrs", "--sync-connect"}), "--selftest-fsrs");
    // Only the first occurrence counts.
    EXPECT_EQ(chosen({"--sync-now", "--add-spelling"}), "--sync-now");
}

TEST(CommandLine, OptionsMatchWholeArgumentsExactly)
{
    for (const char* argument :
         {"--render-icon=out", "--SELFTEST-CONFIG", "--selftest", " --sync-now"})
        EXPECT_EQ(chosen({argument, "x"}), "") << argument;
}

TEST(TaskLoop, EndsTheLoopWithTheStatusOfTheWork)
{
    // Work that never waits finishes before the loop would otherwise be running.
    EXPECT_EQ(TaskLoop::exec([]() -> QCoro::Task<int> { co_return 3; }), 3);
    EXPECT_EQ(TaskLoop::exec([]() -> QCoro::Task<int> {
                  QTimer timer;
                  timer.start(1);
                  co_await timer;
                  co_return 0;
              }),
              0);
    EXPECT_EQ(TaskLoop::exec([]() -> QCoro::Task<int> {
                  throw std::runtime_error("escaped");
                  co_return 0;
              }),
              1);
}

// Until its mode lands, an option of the fixed order is not taken for absent: it wins as its
// place in the order says, and says on one line of stderr that this build cannot run it.
TEST(ModeTable, AnOptionWithoutAModeIsChosenAndEndsWithStatusTwo)
{
    ModeTable modes;
    modes.addDirect("--selftest-config", [](const QString&) { return 0; });
    const auto choice = modes.choose({"glossivo", "--selftest-config", "--selftest-ocr"});
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->option, "--selftest-ocr");
    const auto connect = modes.choose({"glossivo", "--sync-connect", "x"});
    ASSERT_TRUE(connect);
    EXPECT_EQ(connect->value, "x");
    EXPECT_FALSE(modes.choose({"glossivo", "--unknown"}));

    int argc = 1;
    char name[] = "glossivo";
    char* argv[] = {name, nullptr};
    ::testing::internal::CaptureStderr();
    const int status = modes.run(*choice, argc, argv);
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(status, 2);
    EXPECT_EQ(QString::fromStdString(err), "这个版本的 Glossivo 还不能运行 --selftest-ocr\n");
}
