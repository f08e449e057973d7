#include "input/SelectionKind.h"

#include "model/Graphemes.h"

#include <QRegularExpression>

namespace glossivo {

namespace {

constexpr qsizetype maxCharacters = 4000;
constexpr qsizetype maxWordCharacters = 60;
constexpr int maxWords = 5;

bool isAsciiLetter(char32_t c)
{
    return (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z');
}

int asciiLetters(const QString& text)
{
    int count = 0;
    for (const char32_t c : text.toUcs4())
        if (isAsciiLetter(c)) ++count;
    return count;
}

bool isSpaceCharacter(const QString& character)
{
    return !character.isEmpty() && QChar::isSpace(character.at(0).unicode()) &&
           !character.at(0).isSurrogate();
}

int wordCount(const QStringList& characters)
{
    int words = 0;
    bool inWord = false;
    for (const QString& c : characters) {
        const bool space = isSpaceCharacter(c);
        if (!space && !inWord) ++words;
        inWord = !space;
    }
    return words;
}

bool isTrimmedAtWordEdge(char32_t c)
{
    switch (QChar::category(c)) {
    case QChar::Punctuation_Connector:
    case QChar::Punctuation_Dash:
    case QChar::Punctuation_Open:
    case QChar::Punctuation_Close:
    case QChar::Punctuation_InitialQuote:
    case QChar::Punctuation_FinalQuote:
    case QChar::Punctuation_Other:
    case QChar::Symbol_Math:
    case QChar::Symbol_Currency:
    case QChar::Symbol_Modifier:
    case QChar::Symbol_Other:
        return true;
    default:
        return QChar::isSpace(c);
    }
}

QString trimPunctuation(const QString& text)
{
    const QList<uint> scalars = text.toUcs4();
    qsizetype begin = 0;
    qsizetype end = scalars.size();
    while (begin < end && isTrimmedAtWordEdge(scalars[begin]))
        ++begin;
    while (end > begin && isTrimmedAtWordEdge(scalars[end - 1]))
        --end;
    const QList<uint> kept = scalars.mid(begin, end - begin);
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(kept.constData()), kept.size());
}

} // namespace

SelectionKind SelectionKind::classify(const QString& raw)
{
    static const QRegularExpression han(QStringLiteral("\\p{Han}"));

    const QString text = raw.trimmed();
    if (text.isEmpty()) return ignore();
    const QStringList characters = Graphemes::split(text);
    if (characters.size() > maxCharacters) return ignore();
    if (text.contains(han)) return ignore();
    if (text.contains(QLatin1String("://"))) return ignore();
    if (text.startsWith(QLatin1String("www."))) return ignore();
    if (text.contains(QLatin1Char('@')) && !text.contains(QLatin1Char(' '))) return ignore();
    const int letters = asciiLetters(text);
    if (letters < 2) return ignore();
    if (double(letters) / double(characters.size()) <= 0.5) return ignore();
    if (wordCount(characters) > maxWords) return translate(text);
    if (characters.size() > maxWordCharacters) return translate(text);
    return word(trimPunctuation(text));
}

} // namespace glossivo
