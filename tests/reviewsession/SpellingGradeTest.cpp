#include "review/SpellingGrade.h"

#include <gtest/gtest.h>

using namespace glossivo;

namespace {

ReviewQuestion asking(const QString& answer)
{
    WordEntry entry;
    entry.id = QUuid::createUuid();
    entry.headword = answer;
    ReviewQuestion question = ReviewQuestion::spelling(entry);
    question.answer = answer;
    return question;
}

struct Case {
    QString typed;
    QString answer;
    Rating rating;
    std::optional<QString> message;
};

void expectGrades(const QList<Case>& cases, int hints = 0)
{
    for (const Case& c : cases)
        EXPECT_EQ(SpellingGrade::of(c.typed, asking(c.answer), hints),
                  (SpellingGrade{c.rating, c.message}))
            << c.typed.toStdString() << " for " << c.answer.toStdString();
}

const QString kTypeAlong = QStringLiteral("跟着打一遍，手会记住它");
const QString kOneLetter = QStringLiteral("差一个字母");

} // namespace

TEST(SpellingGrade, nothingTypedIsAMissWithAKindWord)
{
    const std::optional<QString> kind = QStringLiteral("没关系，跟着打一遍就好");
    expectGrades({{"", "ferry", Rating::again, kind},
                  {"   \t\n", "ferry", Rating::again, kind},
                  {"…!?", "ferry", Rating::again, kind},
                  {"。，", "ferry", Rating::again, kind}});
}

TEST(SpellingGrade, spacesPunctuationCaseAndTheCurlyApostropheAreIgnored)
{
    expectGrades({{"ferry", "ferry", Rating::good, std::nullopt},
                  {"  Ferry. ", "ferry", Rating::good, std::nullopt},
                  {"FERRY!", "ferry", Rating::good, std::nullopt},
                  {"don’t", "don't", Rating::good, std::nullopt},
                  {"“don't”", "don't", Rating::good, std::nullopt},
                  {"give up on", "give up on", Rating::good, std::nullopt},
                  {"give  up on", "give up on", Rating::hard, kOneLetter}});
}

TEST(SpellingGrade, theCapitalNoteShowsOnlyForASlipOfCase)
{
    const std::optional<QString> english = QStringLiteral("注意大写：English");
    expectGrades({{"english", "English", Rating::good, english},
                  {"ENGLISH", "English", Rating::good, english},
                  {"English", "English", Rating::good, std::nullopt},
                  // Punctuation around the word and the kind of apostrophe are no slip of case.
                  {"English.", "English", Rating::good, std::nullopt},
                  {"“English”", "English", Rating::good, std::nullopt},
                  {"Don’t", "Don't", Rating::good, std::nullopt},
                  {"Mr", "Mr.", Rating::good, std::nullopt},
                  {"mr", "Mr.", Rating::good, QStringLiteral("注意大写：Mr.")}});
}

TEST(SpellingGrade, hintsMakeACorrectAnswerHard)
{
    EXPECT_EQ(SpellingGrade::of("ferry", asking("ferry"), 2),
              (SpellingGrade{Rating::hard, QStringLiteral("用了 2 次提示，也算拼出来了")}));
    EXPECT_EQ(SpellingGrade::of("english", asking("English"), 1),
              (SpellingGrade{Rating::hard,
                             QStringLiteral("用了 1 次提示，也算拼出来了。注意大写：English")}));
    EXPECT_EQ(SpellingGrade::of("fery", asking("ferry"), 1),
              (SpellingGrade{Rating::hard, kOneLetter}));
}

TEST(SpellingGrade, theBaseFormWhereAnotherFormWasAskedIsHard)
{
    WordEntry go;
    go.id = QUuid::createUuid();
    go.headword = QStringLiteral("go");
    go.inflections = QMap<QString, QString>{{QStringLiteral("past"), QStringLiteral("went")}};
    ReviewQuestion question = ReviewQuestion::spelling(go);
    question.answer = QStringLiteral("went");
    EXPECT_EQ(
        SpellingGrade::of("go", question, 0),
        (SpellingGrade{Rating::hard, QStringLiteral("意思对了！不过这里要用 go 的过去式：went")}));
    EXPECT_EQ(SpellingGrade::of("Go.", question, 0).rating, Rating::hard);
    question.answer = QStringLiteral("gone"); // no slot holds it
    EXPECT_EQ(
        SpellingGrade::of("go", question, 0),
        (SpellingGrade{Rating::hard, QStringLiteral("意思对了！不过这里注意这里不是原形：gone")}));
}

TEST(SpellingGrade, oneLetterOffCountsFromFourCharacters)
{
    expectGrades({{"cst", "cat", Rating::again, kTypeAlong},
                  {"fery", "ferry", Rating::hard, kOneLetter},
                  {"ferryy", "ferry", Rating::hard, kOneLetter},
                  {"fexry", "ferry", Rating::hard, kOneLetter},
                  {"boak", "boat", Rating::hard, kOneLetter},
                  {"fxxry", "ferry", Rating::again, kTypeAlong},
                  {"walk", "ran", Rating::again, kTypeAlong}});
}

TEST(SpellingGrade, twoCrossedNeighboursAreHard)
{
    expectGrades(
        {{"recieve", "receive", Rating::hard, QStringLiteral("有两个字母顺序反了：receive")},
         {"reveice", "receive", Rating::again, kTypeAlong},
         {"ofr", "for", Rating::again, kTypeAlong}});
}

TEST(SpellingGrade, lengthsAreCountedInCharacters)
{
    // Four characters, eight UTF-16 units: long enough for the near-miss rules.
    expectGrades({{"😀😀😀", "😀😀😀😀", Rating::hard, kOneLetter},
                  {"😀😀🎉😀", "😀😀😀🎉", Rating::hard, QStringLiteral("有两个字母顺序反了：😀😀😀🎉")},
                  // Three characters of six UTF-16 units stay too short for them.
                  {"😀😀", "😀😀😀", Rating::again, kTypeAlong},
                  {"咖啡馆", "咖啡店", Rating::again, kTypeAlong},
                  {"咖啡小馆", "咖啡大馆", Rating::hard, kOneLetter},
                  {"cafe\u0301s", "café", Rating::hard, kOneLetter}});
}

TEST(SpellingGrade, aLetterHintExtendsTheCorrectBeginning)
{
    struct Hint {
        QString typed;
        QString answer;
        std::optional<QString> after;
    };
    const QList<Hint> hints{
        {"spx", "spell", "spe"},
        {"", "spell", "s"},
        {"SP", "spell", "spe"},
        {"spell", "spell", std::nullopt},
        {"SPELL", "spell", std::nullopt},
        {"x", "English", "E"},
        {"spellingx", "spell", std::nullopt},
        {"😀", "😀🎉", "😀🎉"},
        {"", "", std::nullopt},
    };
    for (const Hint& h : hints)
        EXPECT_EQ(SpellingGrade::withNextLetter(h.typed, h.answer), h.after)
            << h.typed.toStdString() << " for " << h.answer.toStdString();
}
