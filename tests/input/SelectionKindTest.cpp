#include "input/SelectionKind.h"

#include <gtest/gtest.h>

namespace glossivo {
namespace {

using Kind = SelectionKind::Kind;

struct Case {
    const char* name;
    QString text;
    SelectionKind expected;
};

void PrintTo(const Case& c, std::ostream* out)
{
    *out << c.name;
}

class SelectionKindTest : public ::testing::TestWithParam<Case> {};

TEST_P(SelectionKindTest, Classifies)
{
    const SelectionKind kind = SelectionKind::classify(GetParam().text);
    EXPECT_EQ(kind.kind(), GetParam().expected.kind());
    EXPECT_EQ(kind.text(), GetParam().expected.text());
}

QString repeated(const QString& unit, int times)
{
    return unit.repeated(times);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, SelectionKindTest,
    ::testing::Values(
        Case{"word with blanks around", QStringLiteral("  ubiquitous\n"),
             SelectionKind::word(QStringLiteral("ubiquitous"))},
        Case{"word with comma", QStringLiteral("however,"),
             SelectionKind::word(QStringLiteral("however"))},
        Case{"word in brackets and quotes", QStringLiteral("(\u201cserendipity\u201d)"),
             SelectionKind::word(QStringLiteral("serendipity"))},
        Case{"contraction keeps apostrophe", QStringLiteral("I'm"),
             SelectionKind::word(QStringLiteral("I'm"))},
        Case{"inner hyphen and dot stay", QStringLiteral("well-known e.g."),
             SelectionKind::word(QStringLiteral("well-known e.g"))},
        Case{"two-letter abbreviation at share 0.5", QStringLiteral("U.S."),
             SelectionKind::ignore()},
        Case{"single letter", QStringLiteral("a"), SelectionKind::ignore()},
        Case{"number", QStringLiteral("2024"), SelectionKind::ignore()},
        Case{"price", QStringLiteral("$9.99"), SelectionKind::ignore()},
        Case{"precomposed accent", QStringLiteral("caf\u00e9"),
             SelectionKind::word(QStringLiteral("caf\u00e9"))},
        Case{"decomposed accent counts its base letter", QStringLiteral("cafe\u0301"),
             SelectionKind::word(QStringLiteral("cafe\u0301"))},
        Case{"six words", QStringLiteral("The cat sat on the mat."),
             SelectionKind::translate(QStringLiteral("The cat sat on the mat."))},
        Case{"five words", QStringLiteral("look up to somebody now"),
             SelectionKind::word(QStringLiteral("look up to somebody now"))},
        Case{"words split by a line break", QStringLiteral("one two three\nfour five six"),
             SelectionKind::translate(QStringLiteral("one two three\nfour five six"))},
        Case{"61-character token", repeated(QStringLiteral("a"), 61),
             SelectionKind::translate(repeated(QStringLiteral("a"), 61))},
        Case{"60-character token", repeated(QStringLiteral("a"), 60),
             SelectionKind::word(repeated(QStringLiteral("a"), 60))},
        Case{"Chinese gloss", QStringLiteral("apple \u82f9\u679c"), SelectionKind::ignore()},
        Case{"web address", QStringLiteral("https://example.com"), SelectionKind::ignore()},
        Case{"www address", QStringLiteral("www.example.com"), SelectionKind::ignore()},
        Case{"upper-case WWW goes on", QStringLiteral("WWW.example"),
             SelectionKind::word(QStringLiteral("WWW.example"))},
        Case{"e-mail", QStringLiteral("someone@example.com"), SelectionKind::ignore()},
        Case{"at sign with a tab", QStringLiteral("meet\t@noon"), SelectionKind::ignore()},
        Case{"at sign with plain spaces", QStringLiteral("meet @ noon"),
             SelectionKind::word(QStringLiteral("meet @ noon"))},
        Case{"white space only", QStringLiteral(" \t\n "), SelectionKind::ignore()},
        Case{"empty", QString(), SelectionKind::ignore()}));

TEST(SelectionKindLength, FourThousandCharactersPassTheLengthTest)
{
    const QString passage = QStringLiteral("word ").repeated(800).trimmed();
    ASSERT_EQ(passage.size(), 3999);
    EXPECT_EQ(SelectionKind::classify(passage + QStringLiteral("s")).kind(), Kind::translate);
    EXPECT_EQ(SelectionKind::classify(passage + QStringLiteral("ss")).kind(), Kind::ignore);
}

TEST(SelectionKindLength, CountsUserPerceivedCharacters)
{
    // 4000 characters written with 8000 UTF-16 units: still within the limit.
    const QString accented =
        QStringLiteral("e\u0301").repeated(3990) + QStringLiteral(" abcdefghi");
    EXPECT_EQ(SelectionKind::classify(accented).kind(), Kind::translate);
}

} // namespace
} // namespace glossivo
