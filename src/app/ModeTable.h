#pragma once

#include "app/CommandLine.h"

#include <QCoro/QCoroTask>
#include <QHash>

#include <functional>

namespace glossivo {

// The command-line modes this program can run, by option. A direct mode runs to its end and
// its result is the exit status; a task mode waits on the event loop of an application object
// made for it alone (no window, no status item, no timers of the application). An option of the
// fixed order that has no mode in this build is still chosen like the others, and running it
// says so on stderr and ends with status 2: it never passes as if it had run.
class ModeTable {
public:
    using Direct = std::function<int(const QString& value)>;
    using Task = std::function<QCoro::Task<int>(const QString& value)>;

    void addDirect(const QString& option, Direct run);
    void addTask(const QString& option, Task run);
    bool contains(const QString& option) const { return m_modes.contains(option); }

    std::optional<CommandLine::Choice> choose(const QStringList& arguments) const;
    // The exit status of the chosen mode; 2 for an option without one.
    int run(const CommandLine::Choice& choice, int& argc, char** argv) const;

private:
    struct Mode {
        Direct direct;
        Task task;
    };
    void add(const QString& option, Mode mode);
    static int notBuilt(const QString& option);

    QHash<QString, Mode> m_modes;
};

} // namespace glossivo
