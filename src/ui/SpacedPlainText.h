#pragma once

#include <QTextEdit>

namespace glossivo {

// Text from outside that wraps with extra room between its lines and that the user can select
// and copy. A label cannot space its lines; this is a read-only text view without frame,
// scroll bars or background that is always as tall as its text needs. Plain text only.
class SpacedPlainText : public QTextEdit {
    Q_OBJECT

public:
    // The text in the widget's font at this point size, with lineSpacing pixels added below
    // each line.
    SpacedPlainText(const QString& text, qreal pointSize, int lineSpacing,
                    QWidget* parent = nullptr);

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
};

} // namespace glossivo
