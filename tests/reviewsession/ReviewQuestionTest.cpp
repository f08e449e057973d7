#include "review/ReviewQuestion.h"

#include <gtest/gtest.h>

using namespace glossivo;

namespace {

Example example(const QString& sentence, bool generated)
{
    Example made;
    made.id = QUuid::createUuid();
    made.sentence = sentence;
    made.sentenceZh = sentence.isEmpty() ? QString() : QStringLiteral("译文：") + sentence;
    made.isGenerated = generated;
    return made;
}

WordEntry word(const QString& headword, QList<Example> examples = {})
{
    WordEntry entry;
    entry.id = QUuid::createUuid();
    entry.headword = headword;
    entry.examples = std::move(examples);
    return entry;
}

WordEntry atLevel(WordEntry entry, std::optional<int> level)
{
    entry.spellLevel = level;
    return entry;
}

WordEntry run(const QString& sentence)
{
    WordEntry entry = word(QStringLiteral("run"), {example(sentence, false)});
    entry.inflections = QMap<QString, QString>{{QStringLiteral("ing"), QStringLiteral("running")},
                                               {QStringLiteral("past"), QStringLiteral("ran")}};
    entry.spellLevel = 3;
    return entry;
}

} // namespace

TEST(ReviewQuestion, theNewestCollectedSentenceIsShownBeforeAnyAIMadeOne)
{
    struct Case {
        const char* name;
        QList<Example> examples;
        std::optional<QString> shown;
    };
    const QList<Case> cases{
        {"collected beats newer AI-made",
         {example("old read", false), example("newer read", false), example("ai", true)},
         QStringLiteral("newer read")},
        {"only AI-made: the newest",
         {example("ai one", true), example("ai two", true), example("", true)},
         QStringLiteral("ai two")},
        {"an empty collected sentence does not count",
         {example("ai", true), example("", false)},
         QStringLiteral("ai")},
        {"all empty", {example("", false), example("", true)}, std::nullopt},
        {"none", {}, std::nullopt},
    };
    for (const Case& c : cases) {
        const WordEntry entry = word(QStringLiteral("ferry"), c.examples);
        for (const ReviewQuestion& question :
             {ReviewQuestion::make(entry), ReviewQuestion::spelling(entry)}) {
            EXPECT_EQ(question.sentence, c.shown) << c.name;
            EXPECT_EQ(question.sentenceZh.has_value(), c.shown.has_value()) << c.name;
            EXPECT_EQ(question.answer, QStringLiteral("ferry")) << c.name;
        }
    }
}

TEST(ReviewQuestion, aRecognitionQuestionAsksForTheHeadwordWithNoClue)
{
    const WordEntry entry = run(QStringLiteral("She ran."));
    const ReviewQuestion first = ReviewQuestion::make(entry);
    const ReviewQuestion second = ReviewQuestion::make(entry);
    EXPECT_EQ(first.type, QuestionType::recognize());
    EXPECT_EQ(first.entry, entry);
    EXPECT_EQ(first.answer, QStringLiteral("run"));
    EXPECT_FALSE(first.scaffold);
    EXPECT_FALSE(first.clozeSentence);
    EXPECT_FALSE(first.formHint());
    EXPECT_NE(first.id, second.id);
}

TEST(ReviewQuestion, theSpellingLevelChoosesTheMode)
{
    const std::vector<std::pair<std::optional<int>, SpellMode>> cases{
        {std::nullopt, SpellMode::copy},
        {-3, SpellMode::copy},
        {0, SpellMode::copy},
        {1, SpellMode::fill},
        {3, SpellMode::full},
        {4, SpellMode::dictation},
        {9, SpellMode::dictation},
    };
    for (const auto& [level, mode] : cases) {
        const ReviewQuestion question =
            ReviewQuestion::spelling(atLevel(word(QStringLiteral("harbour")), level));
        EXPECT_EQ(question.type, QuestionType::spell(mode)) << level.value_or(-100);
        EXPECT_EQ(question.answer, QStringLiteral("harbour"));
        if (mode == SpellMode::copy || mode == SpellMode::dictation) {
            EXPECT_FALSE(question.scaffold);
            EXPECT_FALSE(question.clozeSentence);
        }
    }
}

TEST(ReviewQuestion, fillBlanksOneLetterUpToFiveCharactersAndTwoFromSix)
{
    for (const auto& [headword, blanks] :
         {std::pair{"ferry", 1}, std::pair{"harbor", 2}, std::pair{"咖啡馆的猫", 1}}) {
        const ReviewQuestion question =
            ReviewQuestion::spelling(atLevel(word(QString::fromUtf8(headword)), 1));
        ASSERT_TRUE(question.scaffold) << headword;
        EXPECT_EQ(question.scaffold->count(QLatin1Char('_')), blanks) << headword;
    }
}

TEST(ReviewQuestion, aWordOfOneChunkIsAskedAsALetterPatternWithTwoBlanks)
{
    const ReviewQuestion question =
        ReviewQuestion::spelling(atLevel(word(QStringLiteral("boat")), 2));
    EXPECT_EQ(question.type, QuestionType::spell(SpellMode::fill));
    ASSERT_TRUE(question.scaffold);
    EXPECT_EQ(*question.scaffold, QStringLiteral("b__t")); // two blanks although short

    WordEntry split = atLevel(word(QStringLiteral("unbelievable")), 2);
    split.affixes = QList<Affix>{Affix::un, Affix::able};
    const ReviewQuestion chunked = ReviewQuestion::spelling(split);
    EXPECT_EQ(chunked.type, QuestionType::spell(SpellMode::chunks));
    EXPECT_TRUE(chunked.scaffold && chunked.scaffold->contains(QStringLiteral(" · ")));
}

TEST(ReviewQuestion, theClozeBlanksTheLongestFormFoundAsAWholeWord)
{
    struct Case {
        QString sentence;
        QString answer;
        std::optional<QString> cloze;
    };
    const QList<Case> cases{
        {"Running late, she took a taxi.", "Running", "_______ late, she took a taxi."},
        {"They ran.", "ran", "They ____."},
        {"We run and run.", "run", "We ____ and run."},
        {"They will rerun the test.", "run", std::nullopt},
        {"No form here.", "run", std::nullopt},
    };
    for (const Case& c : cases) {
        const ReviewQuestion question = ReviewQuestion::spelling(run(c.sentence));
        EXPECT_EQ(question.type, QuestionType::spell(SpellMode::full)) << c.sentence.toStdString();
        EXPECT_EQ(question.answer, c.answer) << c.sentence.toStdString();
        EXPECT_EQ(question.clozeSentence, c.cloze) << c.sentence.toStdString();
    }

    WordEntry ferry =
        atLevel(word(QStringLiteral("ferry"), {example("Ferry boats left.", false)}), 3);
    EXPECT_EQ(ReviewQuestion::spelling(ferry).clozeSentence, QStringLiteral("_____ boats left."));
    WordEntry bare = atLevel(word(QStringLiteral("ferry")), 3);
    EXPECT_FALSE(ReviewQuestion::spelling(bare).clozeSentence);
}

TEST(ReviewQuestion, aFormWithNothingToTypeIsNeverAskedFor)
{
    for (const QString& blank : {QString(), QStringLiteral(" "), QStringLiteral("-")}) {
        WordEntry entry = run(QStringLiteral("A well-known tale, told twice."));
        entry.inflections->insert(QStringLiteral("plural"), blank);
        FormRecord met;
        met.kind = FormKind::past;
        met.form = blank;
        entry.forms = QList<FormRecord>{met};
        const ReviewQuestion question = ReviewQuestion::spelling(entry);
        EXPECT_EQ(question.answer, QStringLiteral("run"));
        EXPECT_FALSE(question.clozeSentence);
    }
}

TEST(ReviewQuestion, theFormHintNamesTheFormWanted)
{
    WordEntry go = atLevel(word(QStringLiteral("go"), {example("He went home.", false)}), 3);
    go.inflections = QMap<QString, QString>{{QStringLiteral("past"), QStringLiteral("went")}};
    const ReviewQuestion went = ReviewQuestion::spelling(go);
    EXPECT_EQ(went.answer, QStringLiteral("went"));
    EXPECT_EQ(went.formHint(), QStringLiteral("要用 go 的过去式"));

    ReviewQuestion other = went;
    other.answer = QStringLiteral("gone");
    EXPECT_EQ(other.formHint(), QStringLiteral("注意这里不是原形"));
    other.answer = QStringLiteral("Go");
    EXPECT_FALSE(other.formHint());
}
