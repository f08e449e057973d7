#include "review/LetterSlotLayout.h"

#include <gtest/gtest.h>

using namespace glossivo::LetterSlotLayout;

TEST(LetterSlotLayoutTest, marksEachTypedCharacterAgainstTheAnswer)
{
    const QList<Slot> row = arrange(QStringLiteral("Give up"), QStringLiteral("gIx"));
    ASSERT_EQ(row.size(), 7);
    EXPECT_EQ(row[0], (Slot{QStringLiteral("g"), SlotColour::right})); // case is ignored
    EXPECT_EQ(row[1], (Slot{QStringLiteral("I"), SlotColour::right}));
    EXPECT_EQ(row[2], (Slot{QStringLiteral("x"), SlotColour::wrong}));
    EXPECT_EQ(row[3], (Slot{QStringLiteral("_"), SlotColour::pending}));
    EXPECT_EQ(row[4], (Slot{QStringLiteral(" "), SlotColour::pending})); // the gap of a phrase
    EXPECT_EQ(row[6], (Slot{QStringLiteral("_"), SlotColour::pending}));
}

TEST(LetterSlotLayoutTest, charactersBeyondTheAnswerAreWrong)
{
    const QList<Slot> row = arrange(QStringLiteral("cat"), QStringLiteral("cats"));
    ASSERT_EQ(row.size(), 4);
    EXPECT_EQ(row[3], (Slot{QStringLiteral("s"), SlotColour::wrong}));
    EXPECT_TRUE(arrange(QString(), QString()).isEmpty());
    EXPECT_EQ(arrange(QString::fromUtf8("cafe\u0301"), QString()).size(), 4);
}

// Each row of cells as text, rows parted by "|": cells one unit wide, no spacing.
TEST(LetterSlotLayoutTest, rowsBreakBetweenWordsWherePossible)
{
    const struct {
        const char* answer;
        int width;
        const char* rows;
    } cases[] = {
        {"thoroughly and rigorously", 16, "thoroughly and |rigorously"},
        {"ab cd", 2, "ab |cd"}, // the gap that ends a row takes no room on the next
        {"internationalization", 8, "internat|ionaliza|tion"},
        {"go internationalization", 8, "go |internat|ionaliza|tion"},
    };
    for (const auto& c : cases) {
        const QList<Slot> cells = arrange(QString(), QString::fromLatin1(c.answer));
        const QList<QPoint> places = place(cells, QList<int>(cells.size(), 1), 0, c.width);
        QStringList rows;
        for (qsizetype i = 0; i < cells.size(); ++i) {
            if (places[i].y() == rows.size()) rows.append(QString());
            ASSERT_EQ(places[i].x(), rows.last().size()) << c.answer;
            rows.last() += cells[i].character;
        }
        EXPECT_EQ(rows.join(u'|'), QString::fromLatin1(c.rows)) << c.answer << " in " << c.width;
    }
}
