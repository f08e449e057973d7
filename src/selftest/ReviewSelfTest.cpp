#include "selftest/SelfTest.h"

#include "model/ConfigStore.h"
#include "model/DayKey.h"
#include "model/Learning.h"
#include "model/WordStore.h"
#include "review/ReviewSession.h"
#include "selftest/QuestionLines.h"
#include "selftest/SampleWord.h"

#include <algorithm>
#include <array>

namespace glossivo::SelfTest {

namespace {

constexpr qint64 kSecondsPerDay = 86400;
// The top of the real word book stays short enough to read at a glance.
constexpr qsizetype kTopWords = 8;

QDateTime now()
{
    return QDateTime::currentDateTimeUtc();
}

QString dayKeyBefore(int days)
{
    return DayKey::of(now().addSecs(-days * kSecondsPerDay));
}

WordEntry sample(const QString& headword, const QString& sentence, Register register_)
{
    WordEntry word = sampleWord(headword, sentence);
    word.pos = QStringLiteral("v.");
    word.register_ = register_;
    return word;
}

ReviewState reviewedNow(int level)
{
    const QDateTime at = now();
    return ReviewState{3.0, 5.0, at, at, 2, 0, level};
}

WordEntry run()
{
    WordEntry word =
        sample(QStringLiteral("run"), QStringLiteral("He ran home yesterday."), Register::neutral);
    word.inflections =
        QMap<QString, QString>{{QStringLiteral("base"), QStringLiteral("run")},
                               {QStringLiteral("thirdPerson"), QStringLiteral("runs")},
                               {QStringLiteral("ing"), QStringLiteral("running")},
                               {QStringLiteral("past"), QStringLiteral("ran")},
                               {QStringLiteral("pastParticiple"), QStringLiteral("run")}};
    word.review = reviewedNow(2);
    return word;
}

void printLevels(WordEntry word, QTextStream& out)
{
    for (int level = 0; level <= 4; ++level) {
        word.spellLevel = level;
        printLevelLine(QStringLiteral("拼写等级 "), level, ReviewQuestion::spelling(word), out);
    }
}

void printSlangRule(QTextStream& out)
{
    WordEntry ngl = sample(QStringLiteral("ngl"), QStringLiteral("ngl"), Register::slang);
    ngl.review = reviewedNow(1);
    out << QStringLiteral("俚语能考拼写吗：")
        << (ReviewSession::spellsAfterRecognition(ngl) ? "true" : "false") << '\n';
}

void printGrades(WordEntry word, QTextStream& out)
{
    word.spellLevel = 3;
    const ReviewQuestion question = ReviewQuestion::spelling(word);
    for (const QString& typed :
         {QStringLiteral("ran"), QStringLiteral("Ran."), QStringLiteral("run"),
          QStringLiteral("rann"), QStringLiteral("walk"), QString()})
        printGradeLine(QStringLiteral("  输入「"), typed, QStringLiteral("」→ "),
                       SpellingGrade::of(typed, question, 0), out);
}

std::array<WordEntry, 3> lookedUpSamples()
{
    WordEntry tool =
        sample(QStringLiteral("kubectl"), QStringLiteral("Run kubectl apply."), Register::neutral);
    tool.lookupCount = 15;
    tool.encounterDays = QStringList{dayKeyBefore(10)};
    tool.sourceKeys = QStringList{QStringLiteral("kubernetes.io")};

    WordEntry reluctant =
        sample(QStringLiteral("reluctant"), QStringLiteral("I was reluctant."), Register::neutral);
    reluctant.lookupCount = 3;
    reluctant.encounterDays = QStringList{dayKeyBefore(9), dayKeyBefore(4), dayKeyBefore(1)};
    reluctant.sourceKeys = QStringList{QStringLiteral("nytimes.com"), QStringLiteral("bbc.com")};

    WordEntry whatever =
        sample(QStringLiteral("whatever"), QStringLiteral("whatever."), Register::neutral);
    whatever.wantToLearn = true;
    whatever.encounterDays = QStringList{dayKeyBefore(20)};
    return {tool, reluctant, whatever};
}

void printPriorities(const AppConfig& config, QTextStream& out)
{
    for (const WordEntry& word : lookedUpSamples())
        out << QStringLiteral("优先级 %1：%2（查 %3 次，%4 天）")
                   .arg(word.headword,
                        QString::number(Learning::priority(word, config, now()), 'f', 1))
                   .arg(word.lookupCount)
                   .arg(Learning::days(word).size())
            << '\n';
}

void printWordBookTop(const AppConfig& config, QTextStream& out)
{
    struct Ranked {
        double priority;
        QString headword;
    };
    QList<Ranked> ranked;
    for (const WordEntry& word : WordStore::shared().entries())
        ranked.append({Learning::priority(word, config, now()), word.headword});
    std::stable_sort(ranked.begin(), ranked.end(),
                     [](const Ranked& a, const Ranked& b) { return a.priority > b.priority; });
    QStringList top;
    for (qsizetype i = 0; i < std::min(kTopWords, ranked.size()); ++i)
        top.append(ranked[i].headword);
    out << QStringLiteral("你的生词本：") << ranked.size()
        << QStringLiteral(" 个词；排在最前面的：") << top.join(QStringLiteral(", ")) << '\n';
}

} // namespace

void runReview(QTextStream& out)
{
    printLevels(run(), out);
    printSlangRule(out);
    printGrades(run(), out);
    const AppConfig config = ConfigStore::shared().config();
    printPriorities(config, out);
    printWordBookTop(config, out);
}

} // namespace glossivo::SelfTest
