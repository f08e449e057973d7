#include "card/ExplanationCache.h"

#include <gtest/gtest.h>

using namespace glossivo;

namespace {

using Key = ExplanationCache::Key;

Key key(const char* selection, std::optional<QString> context)
{
    return ExplanationCache::keyFor(QString::fromUtf8(selection), context);
}

TEST(ExplanationCacheTest, LookupsAreTheSameOnlyWhenSelectionAndContextStartAgree)
{
    const QString longContext = QString(300, QLatin1Char('x'));
    struct Case {
        const char* name;
        Key first;
        Key second;
        bool same;
    };
    const Case cases[] = {
        {"letter case", key("Ran", QStringLiteral("We ran.")),
         key("rAN", QStringLiteral("We ran.")), true},
        {"non-Latin case", key("ÉCOLE", std::nullopt), key("école", std::nullopt), true},
        {"context differs", key("ran", QStringLiteral("We ran.")),
         key("ran", QStringLiteral("They ran.")), false},
        {"after 300 characters", key("ran", longContext + QStringLiteral("a")),
         key("ran", longContext + QStringLiteral("b")), true},
        {"within 300 characters", key("ran", QStringLiteral("a") + longContext),
         key("ran", QStringLiteral("b") + longContext), false},
        // Joined with "|" these two would read "a|b|c" alike.
        {"bar in selection or context", key("a|b", QStringLiteral("c")),
         key("a", QStringLiteral("b|c")), false},
        {"no context and empty context", key("ran", std::nullopt), key("ran", QString()), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ExplanationCache cache;
        Explanation explanation;
        explanation.headword = QStringLiteral("run");
        cache.insert(c.first, explanation);
        EXPECT_EQ(cache.find(c.second).has_value(), c.same);
    }
}

TEST(ExplanationCacheTest, AnEmojiInTheContextCountsAsOneCharacter)
{
    const QString emoji = QStringLiteral("👍🏽");
    const QString context = emoji + QString(299, QLatin1Char('x'));
    EXPECT_EQ(
        ExplanationCache::keyFor(QStringLiteral("ok"), context + QStringLiteral("tail")).context,
        context);
}

} // namespace
