#include "model/SpellingScaffold.h"
#include "model/SpellMode.h"

#include <gtest/gtest.h>

using namespace glossivo;
using namespace glossivo::SpellingScaffold;

namespace {
QStringList words(std::initializer_list<const char*> list)
{
    QStringList result;
    for (const char* word : list)
        result.append(QString::fromUtf8(word));
    return result;
}
} // namespace

TEST(SpellModeTest, levelsOutsideTheRangeClamp)
{
    EXPECT_EQ(spellModeForLevel(-3), SpellMode::copy);
    EXPECT_EQ(spellModeForLevel(2), SpellMode::chunks);
    EXPECT_EQ(spellModeForLevel(9), SpellMode::dictation);
    EXPECT_EQ(spellModeName(SpellMode::fill), QStringLiteral("补字母"));
    EXPECT_EQ(spellModeName(SpellMode::dictation), QStringLiteral("听写"));
}

TEST(SyllablesTest, cutsBetweenVowelGroups)
{
    EXPECT_EQ(syllables(QStringLiteral("banana")), words({"ba", "na", "na"}));
    EXPECT_EQ(syllables(QStringLiteral("happen")), words({"hap", "pen"}));
    EXPECT_EQ(syllables(QStringLiteral("Happy")), words({"Hap", "py"})); // y after the first letter
    EXPECT_EQ(syllables(QStringLiteral("yellow")),
              words({"yel", "low"}));                              // a leading y is a consonant
    EXPECT_EQ(syllables(QStringLiteral("make")), words({"make"})); // silent final e
    EXPECT_EQ(syllables(QStringLiteral("simple")), words({"simple"}));
    EXPECT_EQ(syllables(QStringLiteral("cat")), words({"cat"}));
    EXPECT_EQ(syllables(QStringLiteral("strength")), words({"strength"}));
    EXPECT_EQ(syllables(QString::fromUtf8("cafe\u0301s")).join(QString()),
              QString::fromUtf8("cafe\u0301s")); // a combined letter is never split
}

TEST(ChunksTest, peelsCatalogueAffixesAndSplitsTheStem)
{
    using C = Chunk;
    EXPECT_EQ(chunks(QStringLiteral("give up"), {}),
              (QList<C>{{QStringLiteral("give"), false}, {QStringLiteral("up"), false}}));
    EXPECT_EQ(chunks(QStringLiteral("redo"), {Affix::re}),
              (QList<C>{{QStringLiteral("re"), false}, {QStringLiteral("do"), false}}));
    EXPECT_EQ(chunks(QStringLiteral("Unreadable"), {Affix::un, Affix::able}),
              (QList<C>{{QStringLiteral("Un"), true},
                        {QStringLiteral("read"), false},
                        {QStringLiteral("able"), true}}));
    // The first matching spelling wins: "ation" before "tion".
    EXPECT_EQ(chunks(QStringLiteral("information"), {Affix::in, Affix::tion}),
              (QList<C>{{QStringLiteral("in"), true},
                        {QStringLiteral("form"), false},
                        {QStringLiteral("ation"), true}}));
    // Each affix is tried once, in the list's order.
    EXPECT_EQ(chunks(QStringLiteral("carefully"), {Affix::ful, Affix::ly}),
              (QList<C>{{QStringLiteral("ca"), false},
                        {QStringLiteral("re"), false},
                        {QStringLiteral("ful"), false},
                        {QStringLiteral("ly"), true}}));
    EXPECT_EQ(chunks(QStringLiteral("carefully"), {Affix::ly, Affix::ful}),
              (QList<C>{{QStringLiteral("care"), false},
                        {QStringLiteral("ful"), true},
                        {QStringLiteral("ly"), true}}));
}

TEST(ChunkPatternTest, hidesTheLongestStemChunk)
{
    EXPECT_EQ(chunkPattern(QStringLiteral("readable"), {Affix::able}),
              QStringLiteral("____ · able"));
    EXPECT_EQ(chunkPattern(QStringLiteral("cat"), {}), std::nullopt);
    EXPECT_EQ(chunkPattern(QStringLiteral("banana"), {}), QStringLiteral("ba · na · __"));
    EXPECT_EQ(chunkPattern(QStringLiteral("give up"), {}), QStringLiteral("____ · up"));
}

TEST(FillPatternTest, blanksVowelsAndDoubledLettersEvenly)
{
    EXPECT_EQ(fillPattern(QStringLiteral("happen"), 1), QStringLiteral("ha_pen"));
    EXPECT_EQ(fillPattern(QStringLiteral("happen"), 2), QStringLiteral("ha_p_n"));
    EXPECT_EQ(fillPattern(QStringLiteral("happen"), 9), QStringLiteral("h__p_n"));
    EXPECT_EQ(fillPattern(QStringLiteral("rhythm"), 1), QStringLiteral("rh_thm"));
    EXPECT_EQ(fillPattern(QStringLiteral("Apple"), 0), QStringLiteral("Apple"));
    EXPECT_EQ(fillPattern(QStringLiteral("Apple"), -1), QStringLiteral("Apple"));
    EXPECT_EQ(fillPattern(QStringLiteral("nth"), 1), QStringLiteral("nt_")); // no vowel: any letter
    EXPECT_FALSE(fillPattern(QStringLiteral("aaaa"), 4).startsWith(QLatin1Char('_')));
}
