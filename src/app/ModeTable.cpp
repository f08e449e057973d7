#include "app/ModeTable.h"

#include "app/QtTranslations.h"
#include "app/TaskLoop.h"

#include <QCoreApplication>
#include <QTextStream>

#include <stdexcept>

namespace glossivo {

void ModeTable::addDirect(const QString& option, Direct run)
{
    add(option, Mode{std::move(run), {}});
}

void ModeTable::addTask(const QString& option, Task run)
{
    add(option, Mode{{}, std::move(run)});
}

void ModeTable::add(const QString& option, Mode mode)
{
    // Only the options of the fixed order can ever be chosen; anything else is a typing error.
    if (!CommandLine::option(option))
        throw std::invalid_argument("unknown option " + option.toStdString());
    m_modes.insert(option, std::move(mode));
}

std::optional<CommandLine::Choice> ModeTable::choose(const QStringList& arguments) const
{
    return CommandLine::choose(arguments, [](const QString&) { return true; });
}

int ModeTable::notBuilt(const QString& option)
{
    QTextStream(stderr) << QStringLiteral("这个版本的 Glossivo 还不能运行 ") << option << '\n';
    return 2;
}

int ModeTable::run(const CommandLine::Choice& choice, int& argc, char** argv) const
{
    const auto found = m_modes.constFind(choice.option);
    if (found == m_modes.constEnd()) return notBuilt(choice.option);
    const Mode& mode = *found;
    if (mode.direct) return mode.direct(choice.value);
    QCoreApplication application(argc, argv);
    // Qt's own messages (a refused connection) read in Chinese, as in the tray.
    QtTranslations::install(&application);
    return TaskLoop::exec([&mode, value = choice.value] { return mode.task(value); });
}

} // namespace glossivo
