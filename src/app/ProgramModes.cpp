#include "app/ProgramModes.h"

#include "app/IconArt.h"
#include "app/OCRSelfTestMode.h"
#include "model/ConfigStore.h"
#include "model/WordStore.h"
#include "selftest/SelfTest.h"
#include "sync/SyncCommands.h"
#include "sync/SyncService.h"

namespace glossivo::ProgramModes {

namespace {

int renderIcon(const QString& folder, QTextStream& out)
{
    try {
        IconArt::renderIconset(folder);
        return 0;
    } catch (const IconArt::WriteError& error) {
        out << QStringLiteral("生成图标失败：") << QString::fromUtf8(error.what()) << '\n';
        return 1;
    }
}

// A report that prints its own failures: the process ends with status 0 once it is done.
QCoro::Task<int> reported(QCoro::Task<> report)
{
    co_await std::move(report);
    co_return 0;
}

// A mode that changes data fails when a change did not reach the disk.
QCoro::Task<int> saved(QCoro::Task<bool> change)
{
    co_return co_await std::move(change) ? 0 : 1;
}

} // namespace

ModeTable table(QTextStream& out)
{
    ModeTable modes;
    modes.addDirect(QStringLiteral("--render-icon"),
                    [&out](const QString& folder) { return renderIcon(folder, out); });
    modes.addDirect(QStringLiteral("--selftest-ocr"),
                    [&out](const QString&) { return OCRSelfTestMode::run(out); });
    modes.addDirect(QStringLiteral("--selftest-review"), [&out](const QString&) {
        SelfTest::runReview(out);
        return 0;
    });
    modes.addDirect(QStringLiteral("--selftest-spellpractice"), [&out](const QString&) {
        SelfTest::runSpellPractice(out);
        return 0;
    });
    modes.addDirect(QStringLiteral("--selftest-spelling"), [&out](const QString&) {
        SelfTest::runSpelling(out);
        return 0;
    });
    modes.addDirect(QStringLiteral("--selftest-menubar"), [&out](const QString&) {
        SelfTest::runMenuBar(out);
        return 0;
    });
    modes.addDirect(QStringLiteral("--selftest-config"), [&out](const QString&) {
        SelfTest::runConfig(out);
        return 0;
    });
    modes.addTask(QStringLiteral("--selftest-lookup"),
                  [&out](const QString&) { return reported(SelfTest::runLookup(out)); });
    modes.addTask(QStringLiteral("--add-spelling"), [&out](const QString& words) {
        return saved(SelfTest::addSpelling(words, out));
    });
    modes.addDirect(QStringLiteral("--selftest-studystamp"),
                    [&out](const QString&) { return SelfTest::runStudyStamp(out) ? 0 : 1; });
    modes.addDirect(QStringLiteral("--selftest-merge"),
                    [&out](const QString&) { return SelfTest::runMerge(out) ? 0 : 1; });
    modes.addTask(QStringLiteral("--sync-now"), [&out](const QString&) {
        return SyncCommands::syncNow(SyncService::shared(), WordStore::shared(), out);
    });
    modes.addTask(QStringLiteral("--sync-connect"), [&out](const QString& code) {
        return SyncCommands::connect(code, ConfigStore::shared(), out);
    });
    modes.addDirect(QStringLiteral("--selftest-fsrs"), [&out](const QString&) {
        SelfTest::runFSRS(out);
        return 0;
    });
    modes.addTask(QStringLiteral("--selftest-ask"),
                  [&out](const QString&) { return reported(SelfTest::runAsk(out)); });
    modes.addDirect(QStringLiteral("--selftest-coach"), [&out](const QString&) {
        SelfTest::runCoach(out);
        return 0;
    });
    modes.addTask(QStringLiteral("--selftest-coach-ai"),
                  [&out](const QString&) { return reported(SelfTest::runCoachAI(out)); });
    modes.addTask(QStringLiteral("--selftest-explain"),
                  [&out](const QString&) { return reported(SelfTest::runExplain(out)); });
    return modes;
}

} // namespace glossivo::ProgramModes
