#pragma once

#include <QLabel>

#include <functional>

namespace glossivo {

// Text from outside shown whole, or cut to a number of lines with "…" at the end of the last
// one, always fitting the width it is given. The owner turns the (possibly cut) text into rich
// text, escaping it there: emphasis or colour, but never the text's own markup.
class ClampedLabel : public QLabel {
    Q_OBJECT

public:
    using Markup = std::function<QString(const QString& text)>;

    explicit ClampedLabel(Markup markup, QWidget* parent = nullptr);

    void setFullText(const QString& text);
    const QString& fullText() const { return m_text; }
    // At most this many lines; 0 shows all of it.
    void setLineLimit(int lines);
    int lineLimit() const { return m_lineLimit; }
    // The text as shown at that width: whole, or cut with "…".
    QString shownText(int width) const;

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void refresh();

    Markup m_markup;
    QString m_text;
    int m_lineLimit = 0;
};

} // namespace glossivo
