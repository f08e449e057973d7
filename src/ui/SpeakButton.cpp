#include "ui/SpeakButton.h"

#include "ui/Glyphs.h"

namespace glossivo {

SpeakButton::SpeakButton(const QString& text, std::function<void(const QString&)> speak,
                         QWidget* parent)
    : QToolButton(parent)
{
    setObjectName(QStringLiteral("speakButton"));
    setAutoRaise(true);
    setFocusPolicy(Qt::NoFocus);
    setToolTip(QStringLiteral("朗读"));
    setAccessibleName(QStringLiteral("朗读"));
    setIcon(glyphIcon(Glyph::speaker, palette().color(QPalette::WindowText), 14));
    setIconSize(QSize(14, 14));
    connect(this, &QToolButton::clicked, this, [text, speak = std::move(speak)] {
        if (speak) speak(text);
    });
}

} // namespace glossivo
