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
        {"a paragraph far back", at(limit - 9000, QStringLiteral("\n\n")), limit - 9000 + 2},
        {"a line break", at(limit - 50, QStringLiteral("\n")), limit - 50 + 1},
        {"a paragraph too far back", at(limit - 11000, QStringLiteral("\n\n")), limit},
        {"an emoji across the limit", at(limit - 1, QStringLiteral("😀")), limit - 1},
        {"an accent after the limit", at(limit - 1, QStringLiteral("e\u0301")), limit - 1},
        {"a skin tone after the limit", at(limit - 2, QStringLiteral("👍🏻")), limit - 2},
        {"a flag across the limit", at(limit - 2, QStringLiteral("🇺🇸")), limit - 2},
        {"an emoji across the limit after Devanagari",
         QString(limit - 1, u'क') + QStringLiteral("👍") + QString(100, u'x'), limit - 1},
        // Spans the cut leaves open are the renderer's to close (inlineMarkdownPrefix); they do
        // not move the cut.
        {"bold across a line break", at(limit - 60, QStringLiteral("**粗体\n继续**")),
         limit - 60 + 5},
        {"bold never closed", at(limit - 60, QStringLiteral("**粗体\n继续")), limit - 60 + 5},
        {"a code span", at(limit - 60, QStringLiteral("*斜 `code\nmore` 完*")), limit - 60 + 9},
        {"a link", at(limit - 60, QStringLiteral("[链接\n文字](https://example.com)")),
         limit - 60 + 4},
        {"bold across the limit", filler(limit - 10) + QStringLiteral("**") + at(limit, "**"),
         limit},
    };
    for (const auto& c : cases) {
        const CoachExcerpt shown = CoachExcerpt::of(c.text);
        EXPECT_EQ(shown.end, c.kept < 0 ? c.text.size() : c.kept) << c.name;
        EXPECT_EQ(shown.cut, c.kept >= 0) << c.name;
    }
}
