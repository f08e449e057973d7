#include "ai/Characters.h"
#include "model/Graphemes.h"

#include <QRandomGenerator>

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
        // Beside a script that Qt segments by rules of its own.
        {QStringLiteral("\u17D1👍b"), 2, QStringLiteral("\u17D1👍")},
        {QStringLiteral("👍").repeated(10) + QStringLiteral("क"), 3, QStringLiteral("👍👍👍")},
        {QStringLiteral("🫷🏽").repeated(5) + QStringLiteral(" क"), 3,
         QStringLiteral("🫷🏽🫷🏽🫷🏽")},
        {QStringLiteral("🫎\uFE0Fก"), 1, QStringLiteral("🫎\uFE0F")},
        // A flag right after an emoji, a medial after its consonant, a joiner after a mark
        // that is no emoji.
        {QStringLiteral("❤🇺🇸"), 2, QStringLiteral("❤🇺🇸")},
        {QStringLiteral("😀🇺🇸🇫🇷"), 2, QStringLiteral("😀🇺🇸")},
        {QStringLiteral("ကြ"), 1, QStringLiteral("ကြ")},
        {QStringLiteral("a\uFF9E\u200D👍"), 1, QStringLiteral("a\uFF9E\u200D")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Characters::prefix(c.text, c.count), c.prefix)
            << c.text.left(40).toStdString() << " / " << c.count;
}

// Random texts of the pieces whose boundaries depend on their neighbours, cut by count and by
// position: every cut is a boundary of the characters of the whole text read from its start, so
// a cut never falls inside a character that a count takes whole, and a prefix of more characters
// never ends before one of fewer.
TEST(Characters, cutsAgreeWithTheBoundariesOfTheWholeText)
{
    const QStringList anyScript = {
        QStringLiteral("a"),      QStringLiteral("\u0301"), QStringLiteral("\u200D"),
        QStringLiteral("👍"),      QStringLiteral("🏻"),   QStringLiteral("🇺"),
        QStringLiteral("\r\n"),   QStringLiteral("\u1100"), QStringLiteral("\u1161"),
        QStringLiteral("\uFE0F"), QString(QChar(0xD83D)),   QString(QChar(0xDC4D)),
        QStringLiteral("❤"),      QStringLiteral("\uFF9E"),
    };
    // Scripts that Qt segments by rules of its own, with emoji of Unicode 15.
    const QStringList scripts = {
        QStringLiteral("क"),
        QStringLiteral("\u093F"),
        QStringLiteral("ก"),
        QStringLiteral("\u0E31"),
        QStringLiteral("ཀ"),
        QStringLiteral("\u0F72"),
        QStringLiteral("က"),
        QStringLiteral("\u102D"),
        QStringLiteral("\u103C"),
        QStringLiteral("ក"),
        QStringLiteral("\u17D1"),
        QStringLiteral(" "),
        QStringLiteral("\U000E0067"),
        QStringLiteral("👨‍👩‍👧"),
        QStringLiteral("🏳️‍🌈"),
        QStringLiteral("🫷"),
        QStringLiteral("🫎"),
    };
    const struct {
        quint32 seed;
        QStringList pieces;
    } rows[] = {{7, anyScript}, {11, anyScript + scripts}};
    for (const auto& row : rows) {
        QRandomGenerator random(row.seed);
        for (int round = 0; round < 20000; ++round) {
            QString text;
            for (int i = random.bounded(40); i > 0; --i)
                text += row.pieces.at(random.bounded(row.pieces.size()));
            QList<qsizetype> ends = {0};
            for (const QString& character : Graphemes::split(text))
                ends.append(ends.last() + character.size());
            ASSERT_EQ(ends.last(), text.size()) << text.toStdString();
            for (qsizetype count = 0; count <= ends.size(); ++count)
                ASSERT_EQ(Graphemes::prefixEnd(text, count), ends.value(count, text.size()))
                    << text.toStdString() << " / " << count;
            for (qsizetype position = 0, last = 0; position <= text.size(); ++position) {
                if (ends.contains(position)) last = position;
                ASSERT_EQ(Graphemes::boundaryAtOrBefore(text, position), last)
                    << text.toStdString() << " / " << position;
            }
        }
    }
}
