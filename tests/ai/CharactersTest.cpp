#include "ai/Characters.h"

#include <gtest/gtest.h>

using namespace glossivo;

TEST(Characters, aPrefixCountsWholeCharactersHoweverLongTheTextOrEachCharacter)
{
    const QString family = QStringLiteral("👨‍👩‍👧");
    const QString accented = QStringLiteral("e") + QString(30, QChar(0x0301));
    const QString flags = QStringLiteral("🇨🇳🇬🇧");
    const struct {
        QString text;
        qsizetype count;
        QString prefix;
    } cases[] = {
        {QStringLiteral("abc"), 5, QStringLiteral("abc")},
        {QStringLiteral("abc"), 0, QString()},
        {QStringLiteral("abc"), 3, QStringLiteral("abc")},
        // Characters far longer than the stretch first looked at.
        {accented.repeated(4), 3, accented.repeated(3)},
        {accented.repeated(2), 5, accented.repeated(2)},
        {QString(20, u'a') + family + QStringLiteral("b"), 21, QString(20, u'a') + family},
        {QString(15, u'a') + flags, 17, QString(15, u'a') + flags},
        {QString(15, u'a') + flags, 16, QString(15, u'a') + flags.left(4)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Characters::prefix(c.text, c.count), c.prefix)
            << c.text.left(40).toStdString() << " / " << c.count;
}
