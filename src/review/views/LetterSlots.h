#pragma once

#include "review/LetterSlotLayout.h"

#include <QWidget>

namespace glossivo {

// A typed spelling answer against the expected word, one monospaced slot per character: green
// where it matches, red where it does not, grey where nothing is typed yet. A long answer wraps
// onto further rows, between its words where it can (LetterSlotLayout::place).
class LetterSlots : public QWidget {
    Q_OBJECT

public:
    explicit LetterSlots(QWidget* parent = nullptr);

    void setAnswer(const QString& answer);
    void setTyped(const QString& typed);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void rebuild();
    QList<QPoint> places(int width) const;
    int heightOf(const QList<QPoint>& places) const;

    QString m_answer;
    QString m_typed;
    QFont m_font;
    QList<LetterSlotLayout::Slot> m_slots;
    QList<int> m_widths;
};

} // namespace glossivo
