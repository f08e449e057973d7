#pragma once

#include <QPlainTextEdit>

namespace glossivo {

// A plain-text field that grows with its text from a least to a most number of lines, then
// scrolls. Return asks for the window's action (submitted) rather than starting a new line;
// Shift+Return still breaks the line.
class GrowingTextEdit : public QPlainTextEdit {
    Q_OBJECT

public:
    GrowingTextEdit(int leastLines, int mostLines, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

Q_SIGNALS:
    void submitted();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void fit();
    int lineCount() const;

    int m_leastLines;
    int m_mostLines;
    int m_height = 0;
};

} // namespace glossivo
