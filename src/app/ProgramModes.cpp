#include "app/ProgramModes.h"

#include "app/IconArt.h"
#include "selftest/SelfTest.h"

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

} // namespace

ModeTable table(QTextStream& out)
{
    ModeTable modes;
    modes.addDirect(QStringLiteral("--render-icon"),
                    [&out](const QString& folder) { return renderIcon(folder, out); });
    modes.addDirect(QStringLiteral("--selftest-menubar"), [&out](const QString&) {
        SelfTest::runMenuBar(out);
        return 0;
    });
    modes.addDirect(QStringLiteral("--selftest-config"), [&out](const QString&) {
        SelfTest::runConfig(out);
        return 0;
    });
    modes.addDirect(QStringLiteral("--selftest-studystamp"),
                    [&out](const QString&) { return SelfTest::runStudyStamp(out) ? 0 : 1; });
    return modes;
}

} // namespace glossivo::ProgramModes
