#include "model/Explanation.h"

#include <gtest/gtest.h>

using namespace glossivo;

TEST(ExplanationTest, allFormsMatchesKeysLooselyAndTrimsValues)
{
    Explanation explanation;
    explanation.inflections =
        QMap<QString, QString>{{QStringLiteral("base"), QStringLiteral("run")},
                               {QStringLiteral("third_person"), QStringLiteral(" runs\t")},
                               {QStringLiteral("ing"), QStringLiteral("  ")},
                               {QStringLiteral("Past"), QStringLiteral("ran")},
                               {QStringLiteral("past_participle"), QStringLiteral("run\n")},
                               {QStringLiteral("gerundive"), QStringLiteral("running")}};
    EXPECT_EQ(explanation.allForms(),
              (QList<Explanation::FormPair>{{FormKind::base, QStringLiteral("run")},
                                            {FormKind::thirdPerson, QStringLiteral("runs")},
                                            {FormKind::past, QStringLiteral("ran")},
                                            {FormKind::pastParticiple, QStringLiteral("run\n")}}));
}

TEST(ExplanationTest, affixListKeepsOrderAndDuplicatesAndDropsUnknownTexts)
{
    Explanation explanation;
    explanation.affixes =
        QStringList{QStringLiteral("UN-"), QStringLiteral(" -able"), QStringLiteral("-ation"),
                    QStringLiteral("un-"), QStringLiteral("-Ness")};
    EXPECT_EQ(explanation.affixList(),
              (QList<Affix>{Affix::un, Affix::able, Affix::un, Affix::ness}));
}

TEST(ExplanationTest, aBareExplanationHasNoFormsAndNoAffixes)
{
    Explanation explanation;
    explanation.headword = QStringLiteral("run");
    explanation.meaningZh = QStringLiteral("跑");
    EXPECT_TRUE(explanation.allForms().isEmpty());
    EXPECT_TRUE(explanation.affixList().isEmpty());
}
