#include "review/SpellingGrade.h"

#include "model/Graphemes.h"
#include "review/AnswerText.h"

#include <algorithm>
#include <numeric>
#include <vector>

namespace glossivo {

namespace {

// Shorter answers are too easy to hit by accident with one wrong letter.
constexpr qsizetype kNearMissFrom = 4;

// Levenshtein distance over characters, one row at a time.
qsizetype editDistance(const QStringList& a, const QStringList& b)
{
    std::vector<qsizetype> row(static_cast<std::size_t>(b.size()) + 1);
    std::iota(row.begin(), row.end(), 0);
    for (qsizetype i = 0; i < a.size(); ++i) {
        qsizetype diagonal = row[0];
        row[0] = i + 1;
        for (qsizetype j = 0; j < b.size(); ++j) {
            const auto at = static_cast<std::size_t>(j) + 1;
            const qsizetype substituted = diagonal + (a[i] == b[j] ? 0 : 1);
            diagonal = row[at];
            row[at] = std::min({row[at] + 1, row[at - 1] + 1, substituted});
        }
    }
    return row.back();
}

bool isAdjacentSwap(const QStringList& a, const QStringList& b)
{
    if (a.size() != b.size()) return false;
    QList<qsizetype> differing;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (a[i] != b[i]) differing.append(i);
    return differing.size() == 2 && differing[1] == differing[0] + 1 &&
           a[differing[0]] == b[differing[1]] && a[differing[1]] == b[differing[0]];
}

// Only a slip of case: the answer has capitals and the letters typed differ from it in case
// alone. Punctuation around either text and the kind of apostrophe do not count as a slip.
std::optional<QString> capitalNote(const QString& typed, const QString& answer)
{
    if (answer == answer.toLower()) return std::nullopt;
    if (AnswerText::caseKept(typed) == AnswerText::caseKept(answer)) return std::nullopt;
    return QStringLiteral("注意大写：") + answer;
}

} // namespace

SpellingGrade SpellingGrade::of(const QString& typed, const ReviewQuestion& question, int hintsUsed)
{
    const QString t = AnswerText::normalised(typed);
    const QString a = AnswerText::normalised(question.answer);
    if (t.isEmpty()) return {Rating::again, QStringLiteral("没关系，跟着打一遍就好")};
    if (t == a) {
        const auto note = capitalNote(typed, question.answer);
        if (hintsUsed <= 0) return {Rating::good, note};
        QString message = QStringLiteral("用了 ") + QString::number(hintsUsed) +
                          QStringLiteral(" 次提示，也算拼出来了");
        if (note) message += QStringLiteral("。") + *note;
        return {Rating::hard, message};
    }
    if (const auto hint = question.formHint();
        hint && t == AnswerText::normalised(question.entry.headword))
        return {Rating::hard, QStringLiteral("意思对了！不过这里") + *hint + QStringLiteral("：") +
                                  question.answer};

    const QStringList typedCharacters = Graphemes::split(t);
    const QStringList answerCharacters = Graphemes::split(a);
    if (answerCharacters.size() >= kNearMissFrom) {
        if (editDistance(typedCharacters, answerCharacters) <= 1)
            return {Rating::hard, QStringLiteral("差一个字母")};
        if (isAdjacentSwap(typedCharacters, answerCharacters))
            return {Rating::hard, QStringLiteral("有两个字母顺序反了：") + question.answer};
    }
    return {Rating::again, QStringLiteral("跟着打一遍，手会记住它")};
}

std::optional<QString> SpellingGrade::withNextLetter(const QString& typed, const QString& answer)
{
    const QStringList answerCharacters = Graphemes::split(answer);
    const QStringList typedCharacters = Graphemes::split(typed);
    qsizetype correct = 0;
    const qsizetype comparable = std::min(typedCharacters.size(), answerCharacters.size());
    while (correct < comparable &&
           typedCharacters[correct].toLower() == answerCharacters[correct].toLower())
        ++correct;
    if (correct == answerCharacters.size()) return std::nullopt;
    return answerCharacters.mid(0, correct + 1).join(QString());
}

} // namespace glossivo
