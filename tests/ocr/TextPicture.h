#pragma once

#include "input/GrayImage.h"
#include "platform/qt/QtScreens.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QList>
#include <QPainter>
#include <QRectF>
#include <QRegularExpression>
#include <QString>

namespace glossivo::testing {

// A picture of text lines drawn with QPainter, and where each word went in normalized image
// coordinates (origin bottom left, y up).
struct TextPicture {
    QImage image;
    QList<QPair<QString, QRectF>> words;

    GrayImage gray() const { return QtScreens::toGray(image); }
    QRectF boxOf(const QString& word) const
    {
        for (const auto& [text, box] : words) {
            if (text == word) return box;
        }
        return {};
    }
};

struct Ink {
    QColor text;
    QColor ground;
};

inline const Ink kDarkOnLight{Qt::black, Qt::white};
inline const Ink kLightOnDark{QColor(0xee, 0xee, 0xee), QColor(0x1e, 0x1e, 0x1e)};

// Lines one under the other from (left, top), words separated by single spaces.
inline TextPicture drawText(const QStringList& lines, const QFont& font, Ink ink,
                            QSize size = QSize(760, 200), int left = 20, int top = 20)
{
    TextPicture picture{QImage(size, QImage::Format_RGB32), {}};
    picture.image.fill(ink.ground);
    QPainter painter(&picture.image);
    painter.setFont(font);
    painter.setPen(ink.text);
    const QFontMetricsF metrics(font, &picture.image);
    double baseline = top + metrics.ascent();
    for (const QString& line : lines) {
        painter.drawText(QPointF(left, baseline), line);
        qsizetype from = 0;
        for (const QString& token : line.split(QLatin1Char(' '))) {
            // Words without the punctuation around them, as the recogniser splits them.
            qsizetype start = 0;
            while (start < token.size() && !token[start].isLetterOrNumber())
                ++start;
            const QString word = token.mid(start).remove(QRegularExpression("[^\\w]+$"));
            const double x = left + metrics.horizontalAdvance(line.left(from + start));
            const QRectF pixels(x, baseline - metrics.ascent(), metrics.horizontalAdvance(word),
                                metrics.height());
            picture.words.append(
                {word, QRectF(pixels.x() / size.width(), 1.0 - pixels.bottom() / size.height(),
                              pixels.width() / size.width(), pixels.height() / size.height())});
            from += token.size() + 1;
        }
        baseline += metrics.lineSpacing() * 1.4;
    }
    return picture;
}

inline QFont fontOf(const QString& family, int pixelSize)
{
    QFont font(family);
    font.setPixelSize(pixelSize);
    return font;
}

} // namespace glossivo::testing
