#include "selftest/SelfTest.h"

#include "model/Graphemes.h"
#include "model/SpellingScaffold.h"

#include <array>

namespace glossivo::SelfTest {

namespace {

// Words this short would be given away by a second blank.
constexpr qsizetype kOneBlankLength = 5;

struct Sample {
    QString word;
    QList<Affix> affixes;
};

int blanksFor(const QString& word)
{
    return Graphemes::split(word).size() <= kOneBlankLength ? 1 : 2;
}

void show(const Sample& sample, QTextStream& out)
{
    const QString& word = sample.word;
    out << word << QStringLiteral("：音节 ")
        << SpellingScaffold::syllables(word).join(QStringLiteral("·"))
        << QStringLiteral(" | 补字母 ") << SpellingScaffold::fillPattern(word, blanksFor(word))
        << QStringLiteral(" | 按块 ")
        << SpellingScaffold::chunkPattern(word, sample.affixes)
               .value_or(QStringLiteral("（分不了，退回补字母）"))
        << '\n';
}

} // namespace

void runSpelling(QTextStream& out)
{
    const std::array<Sample, 8> samples{{
        {QStringLiteral("reluctant"), {}},
        {QStringLiteral("unbelievable"), {Affix::un, Affix::able}},
        {QStringLiteral("decision"), {Affix::tion}},
        {QStringLiteral("deprecate"), {}},
        {QStringLiteral("brightdesk"), {}}, // a software product's name
        {QStringLiteral("comment"), {}},
        {QStringLiteral("give up on"), {}},
        {QStringLiteral("ngl"), {}},
    }};
    for (const Sample& sample : samples)
        show(sample, out);
}

} // namespace glossivo::SelfTest
