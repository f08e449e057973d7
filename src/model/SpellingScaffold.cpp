#include "model/SpellingScaffold.h"

#include "model/Graphemes.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace glossivo::SpellingScaffold {

namespace {

// What a peeled affix must leave of the word.
constexpr qsizetype kMinimumRest = 3;

bool isVowelLetter(const QString& character, bool allowY)
{
    const QString lower = character.toLower();
    return lower == u"a" || lower == u"e" || lower == u"i" || lower == u"o" || lower == u"u" ||
           (allowY && lower == u"y");
}

QString joined(const QStringList& characters, qsizetype from, qsizetype count = -1)
{
    return characters.mid(from, count).join(QString());
}

QString lowerJoined(const QStringList& characters)
{
    return joined(characters, 0).toLower();
}

// Position of the first of its spellings that begins (or ends) the rest with enough left over.
std::optional<qsizetype> peelLength(const QStringList& rest, Affix affix, bool atFront)
{
    const QString lower = lowerJoined(rest);
    for (const QString& spelling : spellings(affix)) {
        const bool matches = atFront ? lower.startsWith(spelling) : lower.endsWith(spelling);
        if (matches && rest.size() >= spelling.size() + kMinimumRest) return spelling.size();
    }
    return std::nullopt;
}

} // namespace

QStringList spellings(Affix affix)
{
    return affixSpellings(affix);
}

QStringList syllables(const QString& word)
{
    const QStringList characters = Graphemes::split(word);
    const qsizetype n = characters.size();
    if (n < 4) return {word};

    std::vector<std::pair<qsizetype, qsizetype>> groups; // first and last position of each run
    for (qsizetype i = 0; i < n; ++i) {
        if (!isVowelLetter(characters[i], i > 0)) continue;
        if (!groups.empty() && groups.back().second == i - 1)
            groups.back().second = i;
        else
            groups.emplace_back(i, i);
    }
    // A silent final e makes no syllable of its own.
    if (!groups.empty() && groups.back().first == n - 1 && groups.back().second == n - 1 &&
        characters[n - 1].toLower() == u"e")
        groups.pop_back();
    if (groups.size() < 2) return {word};

    QStringList pieces;
    qsizetype previous = 0;
    for (std::size_t g = 0; g + 1 < groups.size(); ++g) {
        const qsizetype consonants = groups[g + 1].first - groups[g].second - 1;
        const qsizetype cut = groups[g].second + (consonants >= 2 ? 2 : 1);
        if (cut <= previous || cut >= n) continue;
        pieces.append(joined(characters, previous, cut - previous));
        previous = cut;
    }
    pieces.append(joined(characters, previous));
    return pieces;
}

QList<Chunk> chunks(const QString& word, const QList<Affix>& affixes)
{
    if (word.contains(QLatin1Char(' '))) {
        QList<Chunk> pieces;
        for (const QString& piece : word.split(QLatin1Char(' '), Qt::SkipEmptyParts))
            pieces.append({piece, false});
        return pieces;
    }

    QStringList rest = Graphemes::split(word);
    QList<Chunk> prefixes, suffixes;
    for (Affix affix : affixes) {
        if (!isPrefix(affix)) continue;
        if (const auto length = peelLength(rest, affix, true)) {
            prefixes.append({joined(rest, 0, *length), true});
            rest = rest.mid(*length);
        }
    }
    for (Affix affix : affixes) {
        if (isPrefix(affix)) continue;
        if (const auto length = peelLength(rest, affix, false)) {
            suffixes.prepend({joined(rest, rest.size() - *length), true});
            rest = rest.mid(0, rest.size() - *length);
        }
    }

    QList<Chunk> result = prefixes;
    for (const QString& syllable : syllables(joined(rest, 0)))
        result.append({syllable, false});
    result.append(suffixes);
    return result;
}

std::optional<QString> chunkPattern(const QString& word, const QList<Affix>& affixes)
{
    const QList<Chunk> pieces = chunks(word, affixes);
    if (pieces.size() < 2) return std::nullopt;

    QStringList affixTexts;
    for (const Chunk& chunk : pieces)
        if (chunk.isAffix) affixTexts.append(chunk.text);
    const bool allAffixes = affixTexts.size() == pieces.size();

    qsizetype chosen = -1, chosenLength = -1;
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        const bool candidate =
            affixTexts.isEmpty() || !affixTexts.contains(pieces[i].text) || allAffixes;
        const qsizetype length = Graphemes::split(pieces[i].text).size();
        if (candidate && length >= chosenLength) { // the later of equals wins
            chosen = i;
            chosenLength = length;
        }
    }
    if (chosen < 0) chosen = 0;

    QStringList written;
    for (qsizetype i = 0; i < pieces.size(); ++i)
        written.append(i == chosen
                           ? QString(Graphemes::split(pieces[i].text).size(), QLatin1Char('_'))
                           : pieces[i].text);
    return written.join(QStringLiteral(" · "));
}

QString fillPattern(const QString& word, int blanks)
{
    QStringList characters = Graphemes::split(word);
    auto isLetter = [&](qsizetype i) { return characters[i].at(0).isLetter(); };

    QList<qsizetype> candidates;
    for (qsizetype i = 1; i < characters.size(); ++i) {
        const bool doubled =
            i + 1 < characters.size() && characters[i].toLower() == characters[i + 1].toLower();
        if (isLetter(i) && (isVowelLetter(characters[i], true) || doubled)) candidates.append(i);
    }
    if (candidates.isEmpty())
        for (qsizetype i = 1; i < characters.size(); ++i)
            if (isLetter(i)) candidates.append(i);

    const qsizetype m = candidates.size();
    const qsizetype k = std::min<qsizetype>(m, std::max(blanks, 0));
    for (qsizetype j = 1; j <= k; ++j)
        characters[candidates[m * j / (k + 1)]] = QStringLiteral("_");
    return characters.join(QString());
}

} // namespace glossivo::SpellingScaffold
