#pragma once

#include <QLabel>
#include <QStringList>

namespace glossivo {

// A sentence from outside with given words emphasised: bold in the accent colour, 13 px unless
// the window asks for another size (the review window keeps the sentence's own), wherever they
// occur, with `lineSpacing` pixels between wrapped lines. The text is escaped, so nothing in it
// is ever read as markup.
class HighlightedLabel : public QLabel {
    Q_OBJECT

public:
    HighlightedLabel(const QString& text, const QStringList& terms, qreal size,
                     QWidget* parent = nullptr, qreal emphasisSize = 13, int lineSpacing = 0);

    // The escaped rich text for the sentence; emphasis in the given colour.
    static QString markup(const QString& text, const QStringList& terms, const QColor& accent,
                          qreal emphasisSize = 13, int lineSpacing = 0);
};

} // namespace glossivo
