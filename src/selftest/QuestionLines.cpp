#include "selftest/QuestionLines.h"

#include "model/SpellMode.h"
#include "review/QuestionBadge.h"

namespace glossivo::SelfTest {

void printLevelLine(const QString& label, int level, const ReviewQuestion& question,
                    QTextStream& out)
{
    const QString hint =
        question.scaffold.value_or(question.clozeSentence.value_or(QStringLiteral("-")));
    out << label << level << QStringLiteral("：") << questionBadge(question.type)
        << QStringLiteral("·") << spellModeName(spellModeForLevel(level))
        << QStringLiteral(" 答案=") << question.answer << QStringLiteral(" 提示=") << hint << '\n';
}

void printGradeLine(const QString& before, const QString& typed, const QString& after,
                    const SpellingGrade& grade, QTextStream& out)
{
    out << before << typed << after << ratingName(grade.rating) << ' '
        << grade.message.value_or(QString()) << '\n';
}

} // namespace glossivo::SelfTest
