#include "review/ReviewQuestion.h"

#include "model/FormKindName.h"
#include "model/FormSlots.h"
#include "model/Graphemes.h"
#include "model/SpellingScaffold.h"
#include "review/Cloze.h"

namespace glossivo {

namespace {

// From this length a single blank gives too little away.
constexpr qsizetype kTwoBlanksFrom = 6;

// The newest sentence the learner met in reading, else the newest one the AI wrote.
std::optional<Example> example(const WordEntry& entry)
{
    for (const bool generatedToo : {false, true})
        for (auto it = entry.examples.crbegin(); it != entry.examples.crend(); ++it)
            if ((generatedToo || !it->isGenerated) && !it->sentence.isEmpty()) return *it;
    return std::nullopt;
}

ReviewQuestion base(const WordEntry& entry, QuestionType type)
{
    ReviewQuestion question;
    question.id = QUuid::createUuid();
    question.entry = entry;
    question.type = type;
    if (const auto shown = example(entry)) {
        question.sentence = shown->sentence;
        question.sentenceZh = shown->sentenceZh;
    }
    question.answer = entry.headword;
    return question;
}

ReviewQuestion fill(const WordEntry& entry, int blanks)
{
    ReviewQuestion question = base(entry, QuestionType::spell(SpellMode::fill));
    question.scaffold = SpellingScaffold::fillPattern(entry.headword, blanks);
    return question;
}

} // namespace

ReviewQuestion ReviewQuestion::make(const WordEntry& entry)
{
    return base(entry, QuestionType::recognize());
}

ReviewQuestion ReviewQuestion::spelling(const WordEntry& entry)
{
    const SpellMode mode = spellModeForLevel(entry.spellLevel.value_or(0));
    switch (mode) {
    case SpellMode::copy:
    case SpellMode::dictation:
        return base(entry, QuestionType::spell(mode));
    case SpellMode::fill:
        return fill(entry, Graphemes::split(entry.headword).size() >= kTwoBlanksFrom ? 2 : 1);
    case SpellMode::chunks: {
        const auto pattern =
            SpellingScaffold::chunkPattern(entry.headword, entry.affixes.value_or(QList<Affix>()));
        if (!pattern) return fill(entry, 2);
        ReviewQuestion question = base(entry, QuestionType::spell(mode));
        question.scaffold = *pattern;
        return question;
    }
    case SpellMode::full: {
        ReviewQuestion question = base(entry, QuestionType::spell(mode));
        if (!question.sentence) return question;
        if (const auto cloze = Cloze::find(*question.sentence, entry)) {
            question.answer = cloze->answer;
            question.clozeSentence = cloze->sentence;
        }
        return question;
    }
    }
    return base(entry, QuestionType::spell(mode));
}

std::optional<QString> ReviewQuestion::formHint() const
{
    const QString wanted = answer.toLower();
    if (wanted == entry.headword.toLower()) return std::nullopt;
    for (const FormSlot& slot : formSlots(entry))
        if (slot.form.toLower() == wanted)
            return QStringLiteral("要用 ") + entry.headword + QStringLiteral(" 的") +
                   formKindName(slot.kind);
    return QStringLiteral("注意这里不是原形");
}

} // namespace glossivo
