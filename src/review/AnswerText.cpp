#include "review/AnswerText.h"

#include <QList>

namespace glossivo::AnswerText {

namespace {

bool isTrimmed(char32_t codePoint)
{
    return QChar::isSpace(codePoint) || QChar::isPunct(codePoint);
}

QString straightApostrophes(QString text)
{
    return text.replace(QChar(0x2019), QLatin1Char('\''));
}

} // namespace

QString trimmed(const QString& text)
{
    const QList<uint> codePoints = text.toUcs4();
    qsizetype first = 0;
    qsizetype last = codePoints.size();
    while (first < last && isTrimmed(codePoints[first]))
        ++first;
    while (last > first && isTrimmed(codePoints[last - 1]))
        --last;
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(codePoints.constData()) + first,
                             last - first);
}

QString normalised(const QString& text)
{
    return caseKept(text).toLower();
}

// Composed, so that an accent typed as a separate mark equals the accented letter.
QString caseKept(const QString& text)
{
    return straightApostrophes(trimmed(text).normalized(QString::NormalizationForm_C));
}

} // namespace glossivo::AnswerText
