#include "selftest/SelfTest.h"

#include "app/MenuBarWord.h"
#include "selftest/SampleWord.h"

#include <array>

namespace glossivo::SelfTest {

namespace {

WordEntry entry(const QString& headword, const QString& sentence,
                const QMap<QString, QString>& inflections)
{
    WordEntry word = sampleWord(headword, sentence);
    word.inflections = inflections;
    return word;
}

void printStatusTitles(QTextStream& out)
{
    const std::array words{QStringLiteral("ngl"), QStringLiteral("deprecate"),
                           QStringLiteral("internationalization"), QStringLiteral("give up on")};
    for (const QString& word : words)
        out << QStringLiteral("菜单栏：") << word << QStringLiteral(" → ")
            << MenuBarWord::statusTitle(word) << '\n';
}

void printSentence(const WordEntry& word, QTextStream& out)
{
    const QString wrapped = MenuBarWord::wrap(MenuBarWord::sentence(word).value_or(QString()), 46);
    const auto range = MenuBarWord::highlightRange(word, wrapped);
    QString mark =
        range ? wrapped.mid(range->location, range->length) : QStringLiteral("（句子里没找到）");
    mark.replace(QLatin1Char('\n'), QStringLiteral("⏎"));
    out << QStringLiteral("---\n") << wrapped << QStringLiteral("\n加粗：") << mark << '\n';
}

} // namespace

void runMenuBar(QTextStream& out)
{
    printStatusTitles(out);
    const std::array samples{
        entry(QStringLiteral("run"), QStringLiteral("She was running late, so she ran."),
              {{QStringLiteral("ing"), QStringLiteral("running")},
               {QStringLiteral("past"), QStringLiteral("ran")}}),
        entry(QStringLiteral("give up on"),
              QStringLiteral("Honestly I would never give up on a project like this one just "
                             "because the build is slow."),
              {}),
        entry(QStringLiteral("deprecate"),
              QStringLiteral("This API is Deprecated and will be removed."), {}),
        entry(QStringLiteral("ngl"), QStringLiteral("that was kinda wild"), {}),
    };
    for (const WordEntry& word : samples)
        printSentence(word, out);
    out << QStringLiteral("---\n中文折行：\n")
        << MenuBarWord::wrap(
               QStringLiteral("（表示某事）被正式宣布为过时、不推荐再使用的，以后版本会删除"), 24)
        << '\n';
}

} // namespace glossivo::SelfTest
