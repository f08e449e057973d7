#include "WordBookFixture.h"

using namespace glossivo;

namespace {

class WordStoreSpellingTest : public glossivo::testing::WordBookFixture {
protected:
    static Explanation explained(const QString& headword)
    {
        Explanation explanation;
        explanation.headword = headword;
        explanation.meaningZh = QStringLiteral("意思");
        return explanation;
    }
};

} // namespace

TEST_F(WordStoreSpellingTest, addingANewWordSavesItFromTheSpellingSource)
{
    WordStore& words = open();
    const WordEntry added = words.addSpellPractice(explained(QStringLiteral("rhythm")));
    EXPECT_EQ(added.headword, QStringLiteral("rhythm"));
    EXPECT_EQ(added.spellPractice, true);
    EXPECT_EQ(added.sourceKeys, QStringList{QStringLiteral("常拼")});
    EXPECT_EQ(words.spellPracticeCount(), 1);
    EXPECT_EQ(logged(), (QStringList{QStringLiteral("save 常拼"), QStringLiteral("spell-add")}));

    // Already on the list: nothing more happens.
    words.addSpellPractice(explained(QStringLiteral("Rhythm")));
    EXPECT_EQ(words.entries().size(), 1);
    EXPECT_EQ(logged().size(), 2);
}

TEST_F(WordStoreSpellingTest, levelsMoveWithinZeroToFourAndAreLogged)
{
    WordEntry word = learning(QStringLiteral("happen"));
    word.spellLevel = 3;
    WordStore& words = open({word});
    EXPECT_EQ(words.applySpelling(word.id, Rating::easy), 4);
    EXPECT_EQ(words.applySpelling(word.id, Rating::good), 4);
    EXPECT_EQ(words.applySpelling(word.id, Rating::hard), 4);
    EXPECT_EQ(words.applySpelling(word.id, Rating::again), 3);
    EXPECT_EQ(logged(),
              (QStringList{QStringLiteral("spell 完整拼写 easy"), QStringLiteral("spell 听写 good"),
                           QStringLiteral("spell 听写 hard"), QStringLiteral("spell 听写 again")}));
    EXPECT_EQ(wordsOnDisk().front().spellLevel, 3);
    EXPECT_EQ(wordsOnDisk().front().lastSpelledAt, clock.now());
    EXPECT_EQ(words.applySpelling(QUuid::createUuid(), Rating::good), 0);

    // A level out of range from another device is brought back into it.
    WordEntry odd = learning(QStringLiteral("odd"));
    odd.spellLevel = -5;
    WordStore& again = open({odd});
    EXPECT_EQ(again.applySpelling(odd.id, Rating::again), 0);
}

TEST_F(WordStoreSpellingTest, sessionTakesNeverSpelledThenOldestFirst)
{
    WordEntry a = word(QStringLiteral("a")), b = word(QStringLiteral("b")),
              c = word(QStringLiteral("c")), d = word(QStringLiteral("d")),
              off = word(QStringLiteral("off"));
    for (WordEntry* listed : {&a, &b, &c, &d})
        listed->spellPractice = true;
    a.lastSpelledAt = clock.now().addSecs(-60);
    b.lastSpelledAt = clock.now().addSecs(-3600);
    WordStore& words = open({a, b, c, d, off});
    EXPECT_EQ(words.buildSpellingSession(10), (QList<QUuid>{c.id, d.id, b.id, a.id}));
    EXPECT_EQ(words.buildSpellingSession(2), (QList<QUuid>{c.id, d.id}));
    EXPECT_TRUE(words.buildSpellingSession(0).isEmpty());
}

TEST_F(WordStoreSpellingTest, switchingOffLeavesTheKeyOutButKeepsTheLevel)
{
    WordEntry word = learning(QStringLiteral("ferry"));
    word.spellLevel = 2;
    WordStore& words = open({word});
    words.setSpellPractice(word.id, true);
    words.setSpellPractice(word.id, false);
    words.setSpellPractice(word.id, false); // logged even when already off
    const QByteArray text = folder.read(QStringLiteral("words.json"));
    EXPECT_FALSE(text.contains("spellPractice"));
    EXPECT_EQ(wordsOnDisk().front().spellLevel, 2);
    EXPECT_EQ(wordsOnDisk().front().stateAt, clock.now());
    EXPECT_EQ(logged(), (QStringList{QStringLiteral("spell-add"), QStringLiteral("spell-remove"),
                                     QStringLiteral("spell-remove")}));
}
