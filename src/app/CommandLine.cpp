#include "app/CommandLine.h"

#include <algorithm>

namespace glossivo {

const std::array<CommandLine::Option, CommandLine::optionCount>& CommandLine::order()
{
    static constexpr std::array<Option, optionCount> options{{
        {"--render-icon", true},
        {"--selftest-ocr", false},
        {"--selftest-review", false},
        {"--selftest-spelling", false},
        {"--selftest-menubar", false},
        {"--selftest-spellpractice", false},
        {"--selftest-lookup", false},
        {"--add-spelling", true},
        {"--selftest-config", false},
        {"--selftest-studystamp", false},
        {"--selftest-merge", false},
        {"--sync-now", false},
        {"--sync-connect", true},
        {"--selftest-fsrs", false},
        {"--selftest-ask", false},
        {"--selftest-coach", false},
        {"--selftest-coach-ai", false},
        {"--selftest-explain", false},
    }};
    return options;
}

std::optional<CommandLine::Option> CommandLine::option(const QString& name)
{
    const auto& options = order();
    const auto found = std::find_if(options.begin(), options.end(), [&](const Option& option) {
        return name == QLatin1String(option.name);
    });
    if (found == options.end()) return std::nullopt;
    return *found;
}

QStringList CommandLine::arguments(int argc, char** argv)
{
    QStringList list;
    for (int i = 0; i < argc; ++i)
        list.append(QString::fromLocal8Bit(argv[i]));
    return list;
}

std::optional<CommandLine::Choice>
CommandLine::choose(const QStringList& arguments,
                    const std::function<bool(const QString&)>& runnable)
{
    for (const Option& option : order()) {
        const QString name = QLatin1String(option.name);
        const qsizetype at = arguments.indexOf(name);
        if (at < 0 || !runnable(name)) continue;
        if (!option.takesValue) return Choice{name, {}};
        if (at + 1 < arguments.size()) return Choice{name, arguments.at(at + 1)};
    }
    return std::nullopt;
}

} // namespace glossivo
