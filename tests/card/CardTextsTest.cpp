#include "card/UnlockItems.h"
#include "card/WordLines.h"
#include "model/Highlight.h"

#include <gtest/gtest.h>

using namespace glossivo;

namespace {

using Highlight::Range;

// The emphasised parts of the text, in order.
QStringList emphasised(const QString& text, const QStringList& terms)
{
    QStringList parts;
    for (const Range& range : Highlight::ranges(text, terms))
        parts.append(text.mid(range.start, range.end - range.start));
    return parts;
}

TEST(HighlightTest, TermsStandOutInAnyCaseInsideWordsAndAsPhrases)
{
    struct Case {
        const char* name;
        QString text;
        QStringList terms;
        QStringList expected;
    };
    const QString sentence = QStringLiteral("Run! We rerun the run.");
    const Case cases[] = {
        {"no terms", sentence, {}, {}},
        {"blank and one-letter terms",
         sentence,
         {QString(), QStringLiteral(" \t"), QStringLiteral("R")},
         {}},
        {"trimmed, any case, inside words",
         sentence,
         {QStringLiteral(" run ")},
         {QStringLiteral("Run"), QStringLiteral("run"), QStringLiteral("run")}},
        {"duplicates in other case",
         sentence,
         {QStringLiteral("Run"), QStringLiteral("run")},
         {QStringLiteral("Run"), QStringLiteral("run"), QStringLiteral("run")}},
        {"adjacent matches merge",
         QStringLiteral("aaaa"),
         {QStringLiteral("aa")},
         {QStringLiteral("aaaa")}},
        {"overlapping terms give their union",
         QStringLiteral("the start of it"),
         {QStringLiteral("art"), QStringLiteral("sta")},
         {QStringLiteral("start")}},
        {"a phrase only as written",
         QStringLiteral("a red herring, red, herring"),
         {QStringLiteral("red herring")},
         {QStringLiteral("red herring")}},
        {"longer than the text", QStringLiteral("go"), {QStringLiteral("going")}, {}},
        {"an emoji term of one character",
         QStringLiteral("ok 👍🏽 ok"),
         {QStringLiteral("👍🏽")},
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(emphasised(c.text, c.terms), c.expected);
    }
}

TEST(UnlockItemsTest, EachKindGivesOneLineInAFixedOrder)
{
    Unlock unlock;
    unlock.familyMembers = {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"),
                            QStringLiteral("d"), QStringLiteral("e")};
    unlock.awakenedAfterDays = 45;
    unlock.newAffixes = {Affix::re, Affix::tion};
    unlock.affixProgress = Unlock::Progress{2, 30};
    unlock.newGrammar = GrammarPoint::pastSimple;
    FormRecord went;
    went.kind = FormKind::past;
    went.form = QStringLiteral("went");
    unlock.newForm = went;
    unlock.formProgress = Unlock::Progress{2, 5};
    const QList<UnlockItems::Item> items = UnlockItems::of(unlock);
    const QList<UnlockItems::Item> expected{
        {UnlockItems::Symbol::forms, QStringLiteral("新形式 went（过去式） 2/5")},
        {UnlockItems::Symbol::grammar,
         QStringLiteral("新语法 ") + grammarLabel(GrammarPoint::pastSimple)},
        {UnlockItems::Symbol::affixes, QStringLiteral("新词缀 re- -tion 2/30")},
        {UnlockItems::Symbol::wave, QStringLiteral("好久不见！上次见它是 45 天前")},
        {UnlockItems::Symbol::family, QStringLiteral("和 a、b、c 是一家")},
    };
    EXPECT_EQ(items, expected);

    Unlock progressOnly;
    progressOnly.grammarProgress = Unlock::Progress{3, 16};
    EXPECT_TRUE(UnlockItems::of(progressOnly).isEmpty());
}

TEST(WordLinesTest, FormGrammarAndDerivationShowOnlyWhatTheExplanationSays)
{
    Explanation went;
    went.headword = QStringLiteral("go");
    went.surfaceForm = QStringLiteral("Went");
    went.formKind = QStringLiteral("past");
    EXPECT_EQ(WordLines::formText(went), QStringLiteral("Went = go 的过去式"));

    struct Case {
        const char* name;
        std::optional<QString> surface;
        std::optional<QString> kind;
    };
    const Case noForm[] = {
        {"same word", QStringLiteral("GO"), QStringLiteral("past")},
        {"base", QStringLiteral("goes"), QStringLiteral("base")},
        {"unknown kind", QStringLiteral("went"), QStringLiteral("tense")},
        {"empty surface", QString(), QStringLiteral("past")},
        {"no surface", std::nullopt, QStringLiteral("past")},
    };
    for (const Case& c : noForm) {
        SCOPED_TRACE(c.name);
        Explanation e = went;
        e.surfaceForm = c.surface;
        e.formKind = c.kind;
        EXPECT_FALSE(WordLines::formText(e));
    }

    Explanation unhappiness;
    unhappiness.headword = QStringLiteral("unhappiness");
    unhappiness.familyRoot = QStringLiteral("Unhappiness");
    unhappiness.affixes =
        QStringList{QStringLiteral("un-"), QStringLiteral("-NESS"), QStringLiteral("-xyz")};
    unhappiness.grammar = QStringLiteral("past_simple");
    EXPECT_FALSE(WordLines::rootText(unhappiness));
    EXPECT_EQ(WordLines::grammar(unhappiness), GrammarPoint::pastSimple);
    const QList<WordLines::AffixChip> chips = WordLines::affixChips(unhappiness);
    ASSERT_EQ(chips.size(), 2);
    EXPECT_EQ(chips[0].text, QStringLiteral("un-"));
    EXPECT_EQ(chips[0].tooltip, QStringLiteral("un-：") + affixMeaning(Affix::un));
    EXPECT_EQ(chips[1].text, QStringLiteral("-ness"));
    unhappiness.familyRoot = QStringLiteral("happy");
    EXPECT_EQ(WordLines::rootText(unhappiness), QStringLiteral("词根 happy"));
}

} // namespace
