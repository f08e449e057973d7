#pragma once

#include <QString>

#include <array>
#include <cstddef>
#include <optional>

namespace glossivo {

// Each stored enumeration specialises this with the case names in declaration order; the name of
// a case is also the text that documents store for it.
template <class E> struct EnumNames;

template <class E> constexpr std::size_t enumCount()
{
    return EnumNames<E>::names.size();
}

template <class E> constexpr std::array<E, enumCount<E>()> allCases()
{
    std::array<E, enumCount<E>()> cases{};
    for (std::size_t i = 0; i < cases.size(); ++i)
        cases[i] = static_cast<E>(i);
    return cases;
}

template <class E> QString rawValue(E value)
{
    return QString::fromLatin1(EnumNames<E>::names[static_cast<std::size_t>(value)]);
}

// Exact, case-sensitive match of a stored name.
template <class E> std::optional<E> fromRawValue(QStringView text)
{
    for (E value : allCases<E>())
        if (text == QLatin1String(EnumNames<E>::names[static_cast<std::size_t>(value)]))
            return value;
    return std::nullopt;
}

// The AI writes enumerations in snake_case and not always in the same letter case: underscores
// are dropped and letter case ignored, nothing else is forgiven.
template <class E> std::optional<E> fromLooseValue(const std::optional<QString>& text)
{
    const QString wanted = text.value_or(QString()).remove(QLatin1Char('_')).toLower();
    for (E value : allCases<E>())
        if (wanted == rawValue(value).toLower()) return value;
    return std::nullopt;
}

} // namespace glossivo
