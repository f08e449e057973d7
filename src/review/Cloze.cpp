#include "review/Cloze.h"

#include "model/FormSlots.h"
#include "model/Graphemes.h"
#include "review/AnswerText.h"

#include <QRegularExpression>
#include <QTextBoundaryFinder>

#include <algorithm>

namespace glossivo {

namespace {

// Short forms still get a blank long enough not to give their length away.
constexpr qsizetype kShortestBlank = 4;

// The forms to look for, longest first, so that "running" is found before the "run" inside it.
// A form with nothing to type (empty, blanks or punctuation only) is left out: it would match
// at any word boundary and make a question that cannot be answered.
QStringList candidates(const WordEntry& entry)
{
    QStringList found;
    const auto add = [&found](const QString& form) {
        if (!AnswerText::normalised(form).isEmpty() && !found.contains(form)) found.append(form);
    };
    for (const FormSlot& slot : formSlots(entry))
        add(slot.form);
    add(entry.headword);
    for (const FormRecord& record : entry.forms.value_or(QList<FormRecord>()))
        add(record.form);
    std::stable_sort(found.begin(), found.end(), [](const QString& a, const QString& b) {
        return Graphemes::split(a).size() > Graphemes::split(b).size();
    });
    return found;
}

// A match that ends inside a character (a letter before its combining accent) is no match.
bool onCharacterBoundaries(const QString& sentence, qsizetype start, qsizetype end)
{
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, sentence);
    finder.setPosition(start);
    if (!finder.isAtBoundary()) return false;
    finder.setPosition(end);
    return finder.isAtBoundary();
}

} // namespace

std::optional<Cloze> Cloze::find(const QString& sentence, const WordEntry& entry)
{
    for (const QString& form : candidates(entry)) {
        const QRegularExpression pattern(QStringLiteral("\\b") + QRegularExpression::escape(form) +
                                             QStringLiteral("\\b"),
                                         QRegularExpression::CaseInsensitiveOption |
                                             QRegularExpression::UseUnicodePropertiesOption);
        if (!pattern.isValid()) continue;
        const QRegularExpressionMatch match = pattern.match(sentence);
        if (!match.hasMatch()) continue;
        const qsizetype start = match.capturedStart();
        const qsizetype end = match.capturedEnd();
        if (!onCharacterBoundaries(sentence, start, end)) continue;

        const QString answer = match.captured();
        const qsizetype length = std::max(kShortestBlank, Graphemes::split(answer).size());
        QString blanked = sentence;
        blanked.replace(start, end - start, QString(length, QLatin1Char('_')));
        return Cloze{blanked, answer};
    }
    return std::nullopt;
}

} // namespace glossivo
