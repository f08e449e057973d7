#include "ui/ElidedText.h"

#include <QFontMetrics>
#include <QTextLayout>

namespace glossivo {

QString elidedLines(const QString& text, const QFont& font, int width, int lines)
{
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    QStringList kept;
    layout.beginLayout();
    for (int i = 0; i < lines; ++i) {
        QTextLine line = layout.createLine();
        if (!line.isValid()) break;
        line.setLineWidth(width);
        const QString part = text.mid(line.textStart(), line.textLength());
        if (i == lines - 1 && line.textStart() + line.textLength() < text.size()) {
            const QString rest = text.mid(line.textStart()).simplified();
            kept.append(QFontMetrics(font).elidedText(rest, Qt::ElideRight, width));
        } else {
            kept.append(part.trimmed());
        }
    }
    layout.endLayout();
    return kept.join(QLatin1Char('\n'));
}

} // namespace glossivo
