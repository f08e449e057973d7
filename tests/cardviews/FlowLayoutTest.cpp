#include "ui/FlowLayout.h"

#include <QWidget>

#include <gtest/gtest.h>

using namespace glossivo;

namespace {

QList<QList<qsizetype>> rowsOf(const QList<QSize>& sizes, int width, int spacing)
{
    QList<QList<qsizetype>> rows;
    for (const FlowLayout::Row& row : FlowLayout::arrange(sizes, width, spacing))
        rows.append(row.indices);
    return rows;
}

TEST(FlowLayoutTest, ItemsRunOnInRowsAndWrapWhenTheNextDoesNotFit)
{
    const QList<QSize> three(3, QSize(40, 20));
    struct Case {
        const char* name;
        QList<QSize> sizes;
        int width;
        QList<QList<qsizetype>> rows;
    };
    const Case cases[] = {
        {"no items", {}, 100, {{}}},
        {"exactly the width", three, 140, {{0, 1, 2}}},
        {"one short", three, 139, {{0, 1}, {2}}},
        {"unbounded", three, FlowLayout::kUnbounded, {{0, 1, 2}}},
        {"zero width", three, 0, {{0}, {1}, {2}}},
        {"wider than the row",
         {QSize(40, 20), QSize(300, 20), QSize(40, 20)},
         100,
         {{0}, {1}, {2}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(rowsOf(c.sizes, c.width, 10), c.rows);
    }
}

TEST(FlowLayoutTest, TheHeightAddsRowsAndOneSpacingBetweenThem)
{
    QWidget host;
    auto* flow = new FlowLayout(10, &host);
    QWidget* tall = nullptr;
    for (int i = 0; i < 3; ++i) {
        auto* item = new QWidget(&host);
        item->setFixedSize(40, i == 0 ? 30 : 20);
        if (i == 0) tall = item;
        flow->addWidget(item);
    }
    EXPECT_EQ(flow->heightForWidth(140), 30);
    EXPECT_EQ(flow->heightForWidth(139), 30 + 10 + 20);
    EXPECT_EQ(flow->sizeHint(), QSize(140, 30));

    flow->setGeometry(QRect(5, 5, 139, 60));
    EXPECT_EQ(tall->geometry(), QRect(5, 5, 40, 30));
    EXPECT_EQ(host.findChildren<QWidget*>().at(2)->geometry(), QRect(5, 45, 40, 20));

    flow->setContentsMargins(8, 5, 8, 5);
    EXPECT_EQ(flow->heightForWidth(156), 30 + 10);
}

} // namespace
