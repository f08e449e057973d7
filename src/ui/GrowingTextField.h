#pragma once

#include <QPlainTextEdit>

namespace glossivo {

// A borderless text field for a question: one line tall when empty, growing with its text up to
// a number of lines and scrolling beyond; while empty, as tall as its placeholder needs. Return
// submits it; Shift+Return starts a new line.
class GrowingTextField : public QPlainTextEdit {
    Q_OBJECT

public:
    GrowingTextField(int maximumLines, QWidget* parent = nullptr);

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

    int m_maximumLines;
};

} // namespace glossivo
