#pragma once

#include <QLabel>

namespace glossivo {

// A label for text that came from outside (web pages, OCR, the AI service): always plain text,
// never rich text, links never open from it, and bidirectional controls in it reorder nothing
// (see BidiControls).
class PlainLabel : public QLabel {
    Q_OBJECT

public:
    explicit PlainLabel(const QString& text = {}, QWidget* parent = nullptr);

    // Takes the place of QLabel's, which shows the text as it is.
    void setText(const QString& text);

    // The font at this size (device-independent pixels) and weight.
    PlainLabel& sized(qreal size, QFont::Weight weight = QFont::Normal);
    // Wraps onto as many lines as the text needs, breaking an overlong run of letters too; call
    // it after the text is set.
    PlainLabel& wrapping();
    // In the secondary text colour (the palette's placeholder text).
    PlainLabel& secondary();
    PlainLabel& colour(const QColor& colour);
};

} // namespace glossivo
