#pragma once

#include <QAbstractButton>

namespace glossivo {

// A short question on a capsule: the text at 12 pt on the text colour at 7 % behind it, 15 %
// while pressed. The chips of the chat windows.
class ChipButton : public QAbstractButton {
    Q_OBJECT

public:
    explicit ChipButton(const QString& text, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

    static constexpr int kHorizontalPadding = 9;
    static constexpr int kVerticalPadding = 4;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace glossivo
