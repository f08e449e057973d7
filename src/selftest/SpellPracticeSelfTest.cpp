#include "selftest/SelfTest.h"

#include "review/ReviewQuestion.h"
#include "selftest/QuestionLines.h"
#include "selftest/SampleWord.h"

#include <array>

namespace glossivo::SelfTest {

namespace {

// A name on the spelling list, with one example the AI wrote.
WordEntry entry(const QString& headword, const QString& sentence)
{
    WordEntry word = sampleWord(headword, sentence);
    word.examples[0].isGenerated = true;
    word.pos = QStringLiteral("name");
    word.spellPractice = true;
    return word;
}

void printLevels(WordEntry word, QTextStream& out)
{
    for (int level = 0; level <= 4; ++level) {
        word.spellLevel = level;
        printLevelLine(word.headword + QStringLiteral(" 等级 "), level,
                       ReviewQuestion::spelling(word), out);
    }
}

void printGrades(const WordEntry& word, const QStringList& typedAnswers, QTextStream& out)
{
    const ReviewQuestion question = ReviewQuestion::spelling(word);
    for (const QString& typed : typedAnswers)
        printGradeLine(QStringLiteral("打 \""), typed, QStringLiteral("\" → "),
                       SpellingGrade::of(typed, question, 0), out);
}

} // namespace

void runSpellPractice(QTextStream& out)
{
    const std::array samples{
        entry(QStringLiteral("Claude"), QStringLiteral("I asked Claude to fix my code.")),
        entry(QStringLiteral("Yellow Submarine"),
              QStringLiteral("Yellow Submarine is my favourite Beatles song.")),
        entry(QStringLiteral("Hotel California"),
              QStringLiteral("We sang Hotel California all the way on our road trip.")),
    };
    for (const WordEntry& word : samples)
        printLevels(word, out);
    printGrades(samples[0],
                {QStringLiteral("Claude"), QStringLiteral("claude"), QStringLiteral("Cluade"),
                 QStringLiteral("Claud"), QString()},
                out);
    // The last four letters typed as three others: two edits away.
    printGrades(samples[2],
                {QStringLiteral("Hotel California"), QStringLiteral("hotel california"),
                 QStringLiteral("Hotel Califomia")},
                out);
}

} // namespace glossivo::SelfTest
