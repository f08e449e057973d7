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
