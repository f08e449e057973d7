#include "coach/CoachExcerpt.h"

#include <gtest/gtest.h>

using namespace glossivo;

TEST(CoachExcerpt, aTextBeyondTheLimitIsCutAtABreakNearItAndNeverInsideACharacter)
{
    constexpr qsizetype limit = CoachExcerpt::kShownCharacters;
    const auto filler = [](qsizetype size) { return QString(size, u'字'); };
    const auto at = [&](qsizetype position, const QString& piece) {
        return filler(position) + piece + filler(limit);
    };
    const struct {
        const char* name;
        QString text;
        qsizetype kept; // -1: shown whole
    } cases[] = {
        {"at the limit", filler(limit), -1},
        {"one past it", filler(limit + 1), limit},
        {"a paragraph before a later line break",
         at(limit - 900, QStringLiteral("\n\n") + filler(400) + QStringLiteral("\n")),
         limit - 900 + 2},
        {"a line break", at(limit - 50, QStringLiteral("\n")), limit - 50 + 1},
        {"a paragraph too far back", at(limit - 3000, QStringLiteral("\n\n")), limit},
        {"an emoji across the limit", at(limit - 1, QStringLiteral("😀")), limit - 1},
        {"an accent after the limit", at(limit - 1, QStringLiteral("e\u0301")), limit - 1},
    };
    for (const auto& c : cases) {
        const CoachExcerpt shown = CoachExcerpt::of(c.text);
        if (c.kept < 0) {
            EXPECT_EQ(shown.text, c.text) << c.name;
            EXPECT_FALSE(shown.cut) << c.name;
        } else {
            EXPECT_EQ(shown.text, c.text.left(c.kept) + QChar(0x2026)) << c.name;
            EXPECT_TRUE(shown.cut) << c.name;
        }
    }
}
