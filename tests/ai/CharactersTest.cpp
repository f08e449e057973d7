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
        // Beside a script that Qt segments by rules of its own.
        {QStringLiteral("\u17D1👍b"), 2, QStringLiteral("\u17D1👍")},
        {QStringLiteral("👍").repeated(10) + QStringLiteral("क"), 3, QStringLiteral("👍👍👍")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Characters::prefix(c.text, c.count), c.prefix)
            << c.text.left(40).toStdString() << " / " << c.count;
}

// Random texts of the pieces whose boundaries depend on their neighbours, cut by count and by
// position, against the boundaries the finder gives the whole text. Qt segments some scripts
// (Indic, Thai, Tibetan, Myanmar, Khmer) by rules of its own, which break emoji and marks around
// them; the finder is asked about a copy that has a letter or mark of another script in the
// place of each of theirs.
TEST(Characters, cutsAgreeWithTheBoundariesOfTheWholeText)
{
    struct Piece {
        QString text;
        QString standIn = text;
    };
    const QList<Piece> anyScript = {
        {QStringLiteral("a")},      {QStringLiteral("\u0301")}, {QStringLiteral("\u200D")},
        {QStringLiteral("👍")},      {QStringLiteral("🏻")},   {QStringLiteral("🇺")},
        {QStringLiteral("\r\n")},   {QStringLiteral("\u1100")}, {QStringLiteral("\u1161")},
        {QStringLiteral("\uFE0F")}, {QString(QChar(0xD83D))},   {QString(QChar(0xDC4D))},
    };
    // Letters and marks of Devanagari, Thai, Tibetan, Myanmar and Khmer, with their stand-ins.
    const QString letter = QStringLiteral("a");
    const QString mark = QStringLiteral("\u0301");
    const QList<Piece> scripts = {
        {QStringLiteral("क"), letter},
        {QStringLiteral("\u093F"), QStringLiteral("\uA823")},
        {QStringLiteral("ก"), letter},
        {QStringLiteral("\u0E31"), mark},
        {QStringLiteral("ཀ"), letter},
        {QStringLiteral("\u0F72"), mark},
        {QStringLiteral("က"), letter},
        {QStringLiteral("\u102D"), mark},
        {QStringLiteral("ក"), letter},
        {QStringLiteral("\u17D1"), mark},
        {QStringLiteral(" ")},
        {QStringLiteral("\U000E0067")},
        {QStringLiteral("👨‍👩‍👧")},
        {QStringLiteral("🏳️‍🌈")},
    };
    const struct {
        quint32 seed;
        QList<Piece> pieces;
    } rows[] = {{7, anyScript}, {11, anyScript + scripts}};
    for (const auto& row : rows) {
        QRandomGenerator random(row.seed);
        for (int round = 0; round < 20000; ++round) {
            QString text;
            QString standIn;
            for (int i = random.bounded(40); i > 0; --i) {
                const Piece& piece = row.pieces.at(random.bounded(row.pieces.size()));
                text += piece.text;
                standIn += piece.standIn;
            }
            QList<qsizetype> boundaries;
            QTextBoundaryFinder whole(QTextBoundaryFinder::Grapheme, standIn);
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
            QList<qsizetype> ends = {0};
            for (const QString& character : Graphemes::split(text))
                ends.append(ends.last() + character.size());
            ASSERT_EQ(ends, boundaries) << text.toStdString();
        }
    }
}
