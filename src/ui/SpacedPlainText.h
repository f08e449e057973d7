#pragma once

#include "ui/FittedText.h"

#include <QTextEdit>

namespace glossivo {

// Text from outside that wraps with extra room between its lines and that the user can select
// and copy. Plain text only.
class SpacedPlainText : public FittedText<QTextEdit> {
    Q_OBJECT

public:
    // The text in the widget's font at this size (device-independent pixels), with lineSpacing
    // pixels added below each line.
    SpacedPlainText(const QString& text, qreal size, int lineSpacing, QWidget* parent = nullptr);
};

} // namespace glossivo
