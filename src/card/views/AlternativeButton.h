#pragma once

#include <QAbstractButton>

namespace glossivo {

// A link-style button for another way to say the looked-up word: its text in medium weight,
// then what it means in the secondary colour. Both come from the AI and are shown as plain text.
class AlternativeButton : public QAbstractButton {
    Q_OBJECT

public:
    AlternativeButton(const QString& text, const QString& meaningZh, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace glossivo
