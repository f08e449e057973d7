#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <optional>

namespace glossivo {

// Which command-line mode a process runs. Options match whole arguments only, and the first
// option in the fixed test order wins, wherever it stands among the arguments.
class CommandLine {
public:
    struct Option {
        const char* name;
        bool takesValue;
    };

    struct Choice {
        QString option;
        QString value; // the argument after a value option; empty for the others
    };

    static constexpr std::size_t optionCount = 18;

    // Every option in the order in which it is tested.
    static const std::array<Option, optionCount>& order();
    static std::optional<Option> option(const QString& name);

    // The process's argument vector as given, program path first.
    static QStringList arguments(int argc, char** argv);

    // The first option in test order that is present and that `runnable` accepts. A value option
    // takes the argument right after its first occurrence, whatever it looks like; a value
    // option given last has no value and is passed over, as if it were absent.
    static std::optional<Choice> choose(const QStringList& arguments,
                                        const std::function<bool(const QString&)>& runnable);
};

} // namespace glossivo
