#include "ai/Characters.h"
#include "model/Graphemes.h"

#include <QRandomGenerator>
#include <QTextBoundaryFinder>

#include <gtest/gtest.h>

using namespace glossivo;

TEST(Characters, aPrefixCountsWholeCharactersHoweverLongTheTextOrEachCharacter)
{
    const QString family = QStringLiteral("👨‍👩‍👧");
    const QString accented = QStringLiteral("e") + QString(30, QChar(0x0301));
    const QString flags = QStringLiteral("🇨🇳🇬🇧");
    const QString thumb = QStringLiteral("👍🏻");
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
        // The first stretch ends inside the character after the last one asked for.
        {QStringLiteral("a") + thumb.repeated(12), 10, QStringLiteral("a") + thumb.repeated(9)},
        {QString(35, u'a') + flags, 36, QString(35, u'a') + flags.left(4)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Characters::prefix(c.text, c.count), c.prefix)
            << c.text.left(40).toStdString() << " / " << c.count;
}

// Random texts of the pieces whose boundaries depend on their neighbours, cut by count and by
// position, against the boundaries found over the whole text.
TEST(Characters, cutsAgreeWithTheBoundariesOfTheWholeText)
{
    const QStringList pieces = {
        QStringLiteral("a"),      QStringLiteral("\u0301"), QStringLiteral("\u200D"),
        QStringLiteral("👍"),      QStringLiteral("🏻"),   QStringLiteral("🇺"),
        QStringLiteral("\r\n"),   QStringLiteral("\u1100"), QStringLiteral("\u1161"),
        QStringLiteral("\uFE0F"), QString(QChar(0xD83D)),   QString(QChar(0xDC4D)),
    };
    QRandomGenerator random(7);
    for (int round = 0; round < 20000; ++round) {
        QString text;
        for (int i = random.bounded(40); i > 0; --i)
            text += pieces.at(random.bounded(pieces.size()));
        QList<qsizetype> boundaries;
        QTextBoundaryFinder whole(QTextBoundaryFinder::Grapheme, text);
        for (qsizetype at = 0; at != -1; at = whole.toNextBoundary())
            boundaries.append(at);
        for (qsizetype count = 0; count <= boundaries.size(); ++count)
            ASSERT_EQ(Characters::prefix(text, count),
                      text.left(boundaries.value(count, text.size())))
                << text.toStdString() << " / " << count;
        for (qsizetype position = 0, last = 0; position <= text.size(); ++position) {
            if (boundaries.contains(position)) last = position;
            ASSERT_EQ(Graphemes::boundaryAtOrBefore(text, position), last)
                << text.toStdString() << " / " << position;
        }
    }
}
