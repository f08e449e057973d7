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

int lineCount(const QString& text, const QFont& font, int width)
{
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    int lines = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        ++lines;
    }
    layout.endLayout();
    return lines;
}

int balancedWidth(const QString& text, const QFont& font, int width)
{
    const int lines = lineCount(text, font, width);
    if (lines < 2) return width;
    int narrow = width / 2; // may take more lines
    int wide = width;       // takes `lines` lines
    while (wide - narrow > 1) {
        const int middle = (narrow + wide) / 2;
        (lineCount(text, font, middle) > lines ? narrow : wide) = middle;
    }
    return wide;
}

} // namespace glossivo
