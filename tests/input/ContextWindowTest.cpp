#include "input/ContextWindow.h"

#include <gtest/gtest.h>

#include <limits>

namespace glossivo {
namespace {

constexpr qint64 huge = std::numeric_limits<qint64>::max();

struct Case {
    const char* name;
    QString value;
    TextRange selection;
    qint64 margin;
    std::optional<QString> expected;
};

void PrintTo(const Case& c, std::ostream* out)
{
    *out << c.name;
}

class ContextWindowTest : public ::testing::TestWithParam<Case> {};

TEST_P(ContextWindowTest, Cuts)
{
    const Case& c = GetParam();
    EXPECT_EQ(ContextWindow::around(c.value, c.selection, c.margin), c.expected);
}

const QString text = QStringLiteral("0123456789");

INSTANTIATE_TEST_SUITE_P(
    Ranges, ContextWindowTest,
    ::testing::Values(
        Case{"middle", text, {4, 2}, 2, QStringLiteral("234567")},
        Case{"at the start", text, {0, 1}, 3, QStringLiteral("0123")},
        Case{"at the end", text, {9, 1}, 3, QStringLiteral("6789")},
        Case{"short value whole", text, {3, 2}, 300, text},
        Case{"empty selection keeps its surroundings", text, {5, 0}, 1, QStringLiteral("45")},
        Case{"empty value", QString(), {0, 0}, 300, std::nullopt},
        Case{"negative location", text, {-5, 2}, 3, std::nullopt},
        Case{"negative length", text, {4, -2}, 3, std::nullopt},
        Case{"location past the end", text, {11, 0}, 3, std::nullopt},
        Case{"length past the end", text, {8, 5}, 3, std::nullopt},
        Case{"not-found location", text, {huge, 0}, 300, std::nullopt},
        Case{"sum overflows", text, {2, huge}, 300, std::nullopt},
        Case{"start would split a pair",
             QStringLiteral("a\U0001F600bcd"),
             {3, 1},
             1,
             QStringLiteral("bc")},
        Case{"end would split a pair",
             QStringLiteral("abc\U0001F600d"),
             {1, 1},
             2,
             QStringLiteral("abc")}));

} // namespace
} // namespace glossivo
