#include "model/Affix.h"
#include "model/FormKind.h"
#include "model/GrammarPoint.h"
#include "model/PageSource.h"
#include "model/Unlock.h"

#include <gtest/gtest.h>

using namespace glossivo;

TEST(LenientEnumTest, ignoresUnderscoresAndLetterCaseOnly)
{
    EXPECT_EQ(fromLooseValue<FormKind>(QStringLiteral("PAST_PARTICIPLE")),
              FormKind::pastParticiple);
    EXPECT_EQ(fromLooseValue<FormKind>(QStringLiteral("pastparticiple")), FormKind::pastParticiple);
    EXPECT_EQ(fromLooseValue<FormKind>(QStringLiteral("third_person")), FormKind::thirdPerson);
    EXPECT_EQ(fromLooseValue<FormKind>(QStringLiteral("past participle")), std::nullopt);
    EXPECT_EQ(fromLooseValue<FormKind>(QStringLiteral("past-participle")), std::nullopt);
    EXPECT_EQ(fromLooseValue<GrammarPoint>(QStringLiteral("present_simple")),
              GrammarPoint::presentSimple);
    EXPECT_EQ(fromLooseValue<GrammarPoint>(QStringLiteral("Passive")), GrammarPoint::passive);
    EXPECT_EQ(fromLooseValue<GrammarPoint>(QStringLiteral("none")), std::nullopt);
    EXPECT_EQ(fromLooseValue<GrammarPoint>(QString()), std::nullopt);
    EXPECT_EQ(fromLooseValue<GrammarPoint>(std::nullopt), std::nullopt);
}

TEST(LenientEnumTest, exactReadingIsCaseSensitive)
{
    EXPECT_EQ(fromRawValue<GrammarPoint>(u"pastPerfect"), GrammarPoint::pastPerfect);
    EXPECT_EQ(fromRawValue<GrammarPoint>(u"PastPerfect"), std::nullopt);
    EXPECT_EQ(fromRawValue<Affix>(u"ship"), Affix::ship);
    EXPECT_EQ(fromRawValue<Affix>(u"Ship"), std::nullopt);
    EXPECT_EQ(fromRawValue<Affix>(u"-ship"), std::nullopt);
    EXPECT_EQ(fromRawValue<Affix>(u"un-"), std::nullopt);
}

TEST(GrammarPointTest, textsAreTheCataloguesOwn)
{
    EXPECT_EQ(allCases<GrammarPoint>().size(), 16u);
    for (GrammarPoint point : allCases<GrammarPoint>()) {
        const QStringList lines = grammarExplanation(point).split(QLatin1Char('\n'));
        ASSERT_EQ(lines.size(), 2) << rawValue(point).toStdString();
        EXPECT_TRUE(lines[1].startsWith(QStringLiteral("例："))) << rawValue(point).toStdString();
        EXPECT_FALSE(grammarLabel(point).isEmpty());
    }
    EXPECT_EQ(grammarLabel(GrammarPoint::presentSimple), QStringLiteral("一般现在时"));
    EXPECT_EQ(grammarLabel(GrammarPoint::plural), QStringLiteral("名词复数"));
    EXPECT_EQ(grammarExplanation(GrammarPoint::pastPerfect),
              QStringLiteral("比过去某个时间更早发生的事，\"过去的过去\"。had + 过去分词。\n"
                             "例：The game had started when I arrived."));
    EXPECT_EQ(grammarExplanation(GrammarPoint::conditional),
              QStringLiteral("\"如果……就……\"。常见 if + 现在时, will…；或者 if + 过去式, "
                             "would…（假设）。\n例：If I were you, I would quit."));
}

TEST(AffixTest, apiListQuotesAllThirtyPromptForms)
{
    const QString list = affixApiList();
    EXPECT_TRUE(list.startsWith(QStringLiteral("\"un-\", \"in-\", ")));
    EXPECT_TRUE(list.endsWith(QStringLiteral(", \"-en\", \"-ship\"")));
    EXPECT_EQ(list.count(QLatin1Char('"')), 60);
    EXPECT_EQ(list.count(QStringLiteral(", ")), 29);
    EXPECT_TRUE(list.contains(QStringLiteral("\"inter-\", \"-tion\"")));
}

TEST(AffixTest, spellingsPutLongerAlternativesFirst)
{
    EXPECT_EQ(
        affixSpellings(Affix::tion),
        (QStringList{QStringLiteral("ation"), QStringLiteral("tion"), QStringLiteral("sion")}));
    EXPECT_EQ(affixSpellings(Affix::ous),
              (QStringList{QStringLiteral("ious"), QStringLiteral("ous")}));
    EXPECT_EQ(affixSpellings(Affix::al),
              (QStringList{QStringLiteral("ial"), QStringLiteral("al")}));
    EXPECT_EQ(affixSpellings(Affix::ly), QStringList{QStringLiteral("ly")});
    EXPECT_EQ(affixVariants(Affix::un), std::nullopt);
    EXPECT_EQ(affixVariants(Affix::ly), QStringLiteral("形容词结尾的 -ly（friendly）是另一种用法"));
    EXPECT_EQ(affixMeaning(Affix::anti), QStringLiteral("反对、抗"));
    EXPECT_EQ(affixExamples(Affix::anti), QStringLiteral("antivirus, antisocial"));
    int withNotes = 0;
    for (Affix affix : allCases<Affix>())
        withNotes += affixVariants(affix).has_value();
    EXPECT_EQ(withNotes, 9);
}

TEST(UnlockTest, progressAloneIsEmptyAndAffixProgressIsNotCompared)
{
    Unlock progressOnly;
    progressOnly.formProgress = Unlock::Progress{2, 5};
    EXPECT_TRUE(progressOnly.isEmpty());

    Unlock a, b;
    a.newAffixes = {Affix::re};
    b.newAffixes = {Affix::re};
    a.affixProgress = Unlock::Progress{1, 30};
    b.affixProgress = Unlock::Progress{7, 30};
    EXPECT_EQ(a, b);
    EXPECT_FALSE(a.isEmpty());

    a.grammarProgress = Unlock::Progress{3, 16};
    EXPECT_NE(a, b); // absent and present differ
    b.grammarProgress = Unlock::Progress{3, 99};
    EXPECT_EQ(a, b); // only the first number counts
}

TEST(PageSourceTest, hostIsTheSourceKey)
{
    auto host = [](const char* url) {
        return PageSource{std::nullopt, QString::fromUtf8(url), std::nullopt}.host();
    };
    EXPECT_EQ(host("https://www.example.com/a?b=c"), QStringLiteral("example.com"));
    EXPECT_EQ(host("https://WWW.Example.com/"), QStringLiteral("WWW.Example.com"));
    EXPECT_EQ(host("https://www.www.example.com"), QStringLiteral("www.example.com"));
    EXPECT_EQ(host("http://user@docs.example.org:8080/x"), QStringLiteral("docs.example.org"));
    EXPECT_EQ(host("file:///home/ann/report.pdf"), QStringLiteral("report.pdf"));
    EXPECT_EQ(host("not an address"), std::nullopt);
    EXPECT_EQ(host("mailto:ann@example.com"), std::nullopt);
    const PageSource appOnly{QStringLiteral("Firefox"), std::nullopt, std::nullopt};
    EXPECT_EQ(appOnly.host(), std::nullopt);
}
