#include "model/FormSlots.h"

#include <gtest/gtest.h>

using namespace glossivo;

TEST(FormSlotsTest, listedFormsInKindOrderThenFormsMet)
{
    WordEntry entry;
    entry.inflections = QMap<QString, QString>{
        {QStringLiteral("past"), QStringLiteral("ran")},
        {QStringLiteral("ing"), QStringLiteral("running")},
        {QStringLiteral("third_person"), QStringLiteral("runs")}}; // not a stored kind name
    const FormRecord plural{FormKind::plural, QStringLiteral("runs"), QDateTime(), 1, {}};
    const FormRecord past{FormKind::past, QStringLiteral("Ran"), QDateTime(), 2, {}};
    entry.forms = QList<FormRecord>{plural, past};

    const QList<FormSlot> result = formSlots(entry);
    ASSERT_EQ(result.size(), 3);
    EXPECT_EQ(result[0], (FormSlot{FormKind::ing, QStringLiteral("running"), std::nullopt}));
    EXPECT_EQ(result[1], (FormSlot{FormKind::past, QStringLiteral("Ran"), past}));
    EXPECT_EQ(result[2], (FormSlot{FormKind::plural, QStringLiteral("runs"), plural}));
}
