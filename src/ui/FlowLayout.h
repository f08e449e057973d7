#pragma once

#include <QLayout>
#include <QList>
#include <QSize>

#include <limits>

namespace glossivo {

// Lays its items out left to right at their natural size and starts a new row when the next
// one does not fit, like words in a paragraph. One spacing serves between items and between
// rows; items stand centred in their row's height. An item wider than the width gets a row of
// its own, narrowed to the width (a wrapping text then takes the lines it needs there).
class FlowLayout : public QLayout {
    Q_OBJECT

public:
    struct Row {
        QList<qsizetype> indices;
        int width = 0;
        int height = 0;
    };

    static constexpr int kUnbounded = std::numeric_limits<int>::max();

    // The rows for items of these sizes in that width (kUnbounded: one row); never none.
    static QList<Row> arrange(const QList<QSize>& sizes, int width, int spacing);
    // The height those rows take.
    static int heightOf(const QList<Row>& rows, int spacing);

    explicit FlowLayout(int spacing, QWidget* parent = nullptr);
    ~FlowLayout() override;

    void addItem(QLayoutItem* item) override;
    int count() const override { return static_cast<int>(m_items.size()); }
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    Qt::Orientations expandingDirections() const override { return {}; }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    void setGeometry(const QRect& rect) override;

private:
    // Natural sizes, an item wider than `width` narrowed to it at the height it then needs.
    QList<QSize> itemSizes(int width = kUnbounded) const;

    int m_spacing;
    QList<QLayoutItem*> m_items;
};

} // namespace glossivo
