#pragma once

#include <QPlainTextEdit>

namespace glossivo {

// A plain-text field that grows with its text from a least to a most number of lines and
// scrolls beyond; while empty, as tall as its placeholder needs. Return submits it (the window's
// action); Shift+Return starts a new line.
class GrowingTextField : public QPlainTextEdit {
    Q_OBJECT

public:
    GrowingTextField(int leastLines, int mostLines, QWidget* parent = nullptr);

    // The text, leaving the cursor at its end when it changes; the same text changes nothing.
    void setText(const QString& text);
    // How many lines tall the field is now.
    int visibleLines() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    void submitted();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void fitHeight();
    // Lines of the text, or of the placeholder while there is none.
    int contentLines() const;
    int documentMargin() const;
    int heightFor(int lines) const;

    int m_leastLines;
    int m_mostLines;
};

} // namespace glossivo
