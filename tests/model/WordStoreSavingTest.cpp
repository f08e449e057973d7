#include "WordBookFixture.h"

#include <QFileInfo>

using namespace glossivo;
using glossivo::testing::WordBookFixture;

namespace {

const PageSource kGithub{QStringLiteral("Firefox"), QStringLiteral("https://www.github.com/x/y"),
                         QStringLiteral("Pull request #7")};

class WordStoreSavingTest : public WordBookFixture {
protected:
    void SetUp() override { open(); }
};

} // namespace

TEST_F(WordStoreSavingTest, aNewWordEntersAtTheFrontWithItsSentenceDayAndPlace)
{
    store->save(explained(QStringLiteral("ferry"), QStringLiteral("Take the ferry.")), kGithub);
    Explanation explanation = explained(QStringLiteral("  Patch\t"), QStringLiteral("A patch."));
    explanation.register_ = QStringLiteral("Technical");
    explanation.sentenceZh = QStringLiteral("一个补丁。");
    const auto saved = store->save(explanation, kGithub);

    ASSERT_EQ(store->entries().size(), 2);
    const WordEntry& entry = store->entries().first();
    EXPECT_EQ(saved.entry, entry);
    EXPECT_EQ(entry.headword, QStringLiteral("Patch"));
    EXPECT_EQ(entry.register_, Register::technical);
    EXPECT_EQ(entry.phonetic, QString());
    EXPECT_EQ(entry.lookupCount, 1);
    EXPECT_EQ(entry.lastLookupAt, clock.now());
    EXPECT_EQ(entry.encounterDays, QStringList{QStringLiteral("2026-10-07")});
    EXPECT_EQ(entry.sourceKeys, QStringList{QStringLiteral("github.com")});
    EXPECT_FALSE(entry.stage);
    ASSERT_EQ(entry.examples.size(), 1);
    EXPECT_EQ(entry.examples[0].sentenceZh, QStringLiteral("一个补丁。"));
    EXPECT_FALSE(entry.examples[0].isGenerated);
    EXPECT_EQ(entry.examples[0].sourceTitle, QStringLiteral("Pull request #7"));
    EXPECT_EQ(wordsOnDisk(), store->entries());
    EXPECT_EQ(logged(),
              (QStringList{QStringLiteral("save github.com"), QStringLiteral("save github.com")}));
}

TEST_F(WordStoreSavingTest, aTrimmedHeadwordIsFoundAgain)
{
    store->save(explained(QStringLiteral("run\t "), QStringLiteral("I run.")), kGithub);
    const auto again =
        store->save(explained(QStringLiteral("run\t "), QStringLiteral("We run.")), kGithub);
    EXPECT_EQ(store->entries().size(), 1);
    EXPECT_EQ(again.entry.examples.size(), 2);
    EXPECT_EQ(store->index(QStringLiteral("run")), 0);
}

TEST_F(WordStoreSavingTest, savingAKnownWordOnlyAddsANewSentence)
{
    store->save(explained(QStringLiteral("run"), QStringLiteral("I run.")), kGithub);
    const QStringList logBefore = logged();
    ASSERT_TRUE(QFile::remove(folder.path(QStringLiteral("words.json"))));

    clock.advance(3 * kDay * 1000);
    auto saved = store->save(explained(QStringLiteral("Run"), QString()), PageSource());
    EXPECT_TRUE(saved.unlock.isEmpty());
    EXPECT_EQ(saved.entry.examples.size(), 1);
    EXPECT_TRUE(folder.exists(QStringLiteral("words.json"))); // written all the same

    saved = store->save(explained(QStringLiteral("run"), QStringLiteral("I run.")), kGithub);
    EXPECT_EQ(saved.entry.examples.size(), 1);
    saved = store->save(explained(QStringLiteral("run"), QStringLiteral("I RUN.")), kGithub);
    EXPECT_EQ(saved.entry.examples.size(), 2);

    EXPECT_EQ(saved.entry.lookupCount, 1);
    EXPECT_EQ(saved.entry.encounterDays, QStringList{QStringLiteral("2026-10-07")});
    EXPECT_EQ(logged(), logBefore);
    EXPECT_EQ(wordsOnDisk(), store->entries());
}

TEST_F(WordStoreSavingTest, aWordWithoutASentenceOrPlace)
{
    Explanation explanation = explained(QStringLiteral("ferry"));
    explanation.register_ = QStringLiteral("street");
    const auto saved = store->save(explanation, PageSource());
    EXPECT_EQ(saved.entry.register_, Register::neutral);
    EXPECT_TRUE(saved.entry.examples.isEmpty());
    EXPECT_EQ(saved.entry.encounterDays, QStringList{QStringLiteral("2026-10-07")});
    EXPECT_FALSE(saved.entry.sourceKeys);
    store->recordLookup(explained(QStringLiteral("ferry")), PageSource{QString(), {}, {}});
    EXPECT_EQ(logged(), (QStringList{QStringLiteral("save"), QStringLiteral("lookup")}));
}

TEST_F(WordStoreSavingTest, aLookupOfAnUnsavedWordChangesNothing)
{
    EXPECT_TRUE(store->recordLookup(explained(QStringLiteral("ghost")), kGithub).isEmpty());
    EXPECT_TRUE(folder.files().isEmpty());
}

TEST_F(WordStoreSavingTest, aLookupCountsTheMeetingAndItsPlace)
{
    WordEntry ferry = word(QStringLiteral("ferry"));
    ferry.createdAt = clock.now().addDays(-5);
    ferry.lastLookupAt = clock.now().addDays(-2);
    open({ferry});

    store->recordLookup(explained(QStringLiteral("ferry")), kGithub);
    const WordEntry& entry = store->entries().first();
    EXPECT_EQ(entry.lookupCount, 2);
    EXPECT_EQ(entry.lastLookupAt, clock.now());
    // The days derived from creation and the previous lookup, then today.
    EXPECT_EQ(entry.encounterDays,
              (QStringList{QStringLiteral("2026-10-02"), QStringLiteral("2026-10-05"),
                           QStringLiteral("2026-10-07")}));
    EXPECT_EQ(entry.sourceKeys, QStringList{QStringLiteral("github.com")});
    EXPECT_EQ(logged(), QStringList{QStringLiteral("lookup github.com")});
    EXPECT_EQ(wordsOnDisk(), store->entries());

    store->recordLookup(explained(QStringLiteral("ferry")),
                        PageSource{QStringLiteral("Preview"), {}, {}});
    EXPECT_EQ(store->entries().first().sourceKeys,
              (QStringList{QStringLiteral("github.com"), QStringLiteral("Preview")}));
    EXPECT_EQ(store->entries().first().encounterDays->size(), 3);
}

TEST_F(WordStoreSavingTest, aDormantWordIsAwakened)
{
    WordEntry dormant = word(QStringLiteral("ferry"));
    dormant.createdAt = clock.now().addDays(-45).addSecs(-3600);
    dormant.lastLookupAt.reset(); // the gap is measured from its creation
    WordEntry learning = this->learning(QStringLiteral("patch"));
    learning.lastLookupAt = clock.now().addDays(-45);
    open({dormant, learning});

    const Unlock woken = store->recordLookup(explained(QStringLiteral("ferry")), PageSource());
    EXPECT_EQ(woken.awakenedAfterDays, 45);
    EXPECT_FALSE(woken.isEmpty());
    EXPECT_EQ(logged(), (QStringList{QStringLiteral("awaken 45"), QStringLiteral("lookup")}));

    const Unlock notDormant = store->recordLookup(explained(QStringLiteral("patch")), PageSource());
    EXPECT_EQ(notDormant.awakenedAfterDays, std::nullopt);
}

TEST_F(WordStoreSavingTest, formsMet)
{
    Explanation explanation = explained(QStringLiteral("run"), QStringLiteral("He ran home."));
    explanation.surfaceForm = QStringLiteral("ran");
    explanation.formKind = QStringLiteral("past");
    explanation.inflections =
        QMap<QString, QString>{{QStringLiteral("past"), QStringLiteral("ran")},
                               {QStringLiteral("ing"), QStringLiteral("running")}};
    const Unlock first = store->save(explanation, kGithub).unlock;
    ASSERT_TRUE(first.newForm);
    EXPECT_EQ(first.newForm->kind, FormKind::past);
    EXPECT_EQ(first.newForm->form, QStringLiteral("ran"));
    EXPECT_EQ(first.newForm->sentence, QStringLiteral("He ran home."));
    EXPECT_EQ(first.formProgress, (Unlock::Progress{1, 2}));

    const Unlock second = store->recordLookup(explanation, kGithub);
    EXPECT_FALSE(second.newForm);
    EXPECT_EQ(second.formProgress, (Unlock::Progress{1, 2}));
    EXPECT_EQ(store->entries().first().forms->first().count, 2);

    explanation.formKind = QStringLiteral("no such kind"); // counts as the base form
    explanation.surfaceForm = QString();
    const Unlock third = store->recordLookup(explanation, kGithub);
    ASSERT_TRUE(third.newForm);
    EXPECT_EQ(third.newForm->kind, FormKind::base);
    EXPECT_EQ(third.newForm->form, QStringLiteral("run"));
    EXPECT_EQ(third.formProgress, (Unlock::Progress{2, 3}));
}

TEST_F(WordStoreSavingTest, aStoredInflectionIsNotReplaced)
{
    Explanation explanation = explained(QStringLiteral("dive"));
    explanation.inflections =
        QMap<QString, QString>{{QStringLiteral("past"), QStringLiteral("dove")}};
    store->save(explanation, kGithub);
    explanation.inflections =
        QMap<QString, QString>{{QStringLiteral("past"), QStringLiteral("dived")},
                               {QStringLiteral("ing"), QStringLiteral("diving")}};
    store->recordLookup(explanation, kGithub);
    EXPECT_EQ(store->entries().first().inflections,
              (QMap<QString, QString>{{QStringLiteral("past"), QStringLiteral("dove")},
                                      {QStringLiteral("ing"), QStringLiteral("diving")}}));
}

TEST_F(WordStoreSavingTest, grammarPointsMetInRealSentences)
{
    Explanation example = explained(QStringLiteral("delete"), QStringLiteral("It was deleted."));
    example.grammar = QStringLiteral("passive");
    example.sentenceIsExample = true;
    EXPECT_FALSE(store->save(example, kGithub).unlock.newGrammar);
    EXPECT_TRUE(store->grammarEncounters().isEmpty());
    EXPECT_FALSE(folder.exists(QStringLiteral("grammar.json")));

    Explanation read = example;
    read.sentenceIsExample = false;
    read.surfaceForm = QStringLiteral("was deleted");
    const Unlock first = store->recordLookup(read, kGithub);
    EXPECT_EQ(first.newGrammar, GrammarPoint::passive);
    EXPECT_EQ(first.grammarProgress, (Unlock::Progress{1, 16}));
    ASSERT_EQ(store->grammarEncounters().size(), 1);
    EXPECT_EQ(store->grammarEncounters()[0].surface, QStringLiteral("was deleted"));
    EXPECT_EQ(store->grammarEncounters()[0].sourceURL, kGithub.url);

    store->recordLookup(read, kGithub); // the same sentence again
    EXPECT_EQ(store->grammarEncounters().size(), 1);

    Explanation other = explained(QStringLiteral("ban"), QStringLiteral("He was banned."));
    other.grammar = QStringLiteral("Passive");
    const Unlock second = store->save(other, kGithub).unlock;
    EXPECT_FALSE(second.newGrammar);
    EXPECT_EQ(store->grammarEncounters().size(), 2);
    EXPECT_EQ(store->grammarEncounters()[0].headword, QStringLiteral("ban"));
    EXPECT_TRUE(folder.exists(QStringLiteral("grammar.json")));

    Explanation none = explained(QStringLiteral("fig"), QStringLiteral("A fig."));
    none.grammar = QStringLiteral("none");
    store->save(none, kGithub);
    EXPECT_EQ(store->grammarEncounters().size(), 2);
}

TEST_F(WordStoreSavingTest, affixesMet)
{
    Explanation unlock = explained(QStringLiteral("unlock"));
    unlock.affixes = QStringList{QStringLiteral("un-")};
    unlock.familyRoot = QStringLiteral(" lock ");
    const Unlock first = store->save(unlock, kGithub).unlock;
    EXPECT_EQ(first.newAffixes, QList<Affix>{Affix::un});
    EXPECT_EQ(first.affixProgress, (Unlock::Progress{1, 30}));
    EXPECT_EQ(store->entries().first().familyRoot, QStringLiteral("lock"));
    EXPECT_EQ(store->affixEncounters().first().root, QStringLiteral(" lock "));

    Explanation unhappy = explained(QStringLiteral("unhappiness"));
    unhappy.affixes = QStringList{QStringLiteral("un-"), QStringLiteral("-ness")};
    const Unlock second = store->save(unhappy, kGithub).unlock;
    EXPECT_EQ(second.newAffixes, QList<Affix>{Affix::ness});
    EXPECT_EQ(second.affixProgress, (Unlock::Progress{2, 30}));
    EXPECT_EQ(store->affixEncounters().size(), 3);
    EXPECT_EQ(store->entries().first().affixes, (QList<Affix>{Affix::un, Affix::ness}));

    unhappy.headword = QStringLiteral("UnHappiness");
    const Unlock third = store->recordLookup(unhappy, kGithub);
    EXPECT_TRUE(third.newAffixes.isEmpty());
    EXPECT_FALSE(third.affixProgress);
    EXPECT_EQ(store->affixEncounters().size(), 3);
}

TEST_F(WordStoreSavingTest, theWordFamily)
{
    Explanation act = explained(QStringLiteral("Act"));
    store->save(act, kGithub);
    Explanation action = explained(QStringLiteral("action"));
    action.familyRoot = QStringLiteral("act");
    store->save(action, kGithub);
    Explanation other = explained(QStringLiteral("react"));
    other.familyRoot = QStringLiteral("ACT");
    store->save(explained(QStringLiteral("fig")), kGithub);
    const Unlock unlock = store->save(other, kGithub).unlock;

    EXPECT_EQ(unlock.familyMembers, (QStringList{QStringLiteral("action"), QStringLiteral("Act")}));
    const auto headwordsOf = [](const QList<WordEntry>& words) {
        QStringList headwords;
        for (const WordEntry& word : words)
            headwords.append(word.headword);
        return headwords;
    };
    EXPECT_EQ(headwordsOf(store->family(store->entries()[2])), // action
              (QStringList{QStringLiteral("react"), QStringLiteral("Act")}));
    EXPECT_TRUE(store->family(store->entries()[1]).isEmpty()); // fig
}

// The family is looked up in an index: every change of the book that files a word elsewhere
// must reach it.
TEST_F(WordStoreSavingTest, theFamilyFollowsEveryChangeOfTheBook)
{
    const auto familyOf = [&](const QString& headword) {
        QStringList headwords;
        for (const WordEntry& member : store->family(store->entries()[*store->index(headword)]))
            headwords.append(member.headword);
        return headwords;
    };
    store->save(explained(QStringLiteral("act")), kGithub);
    store->save(explained(QStringLiteral("action")), kGithub);
    EXPECT_EQ(familyOf(QStringLiteral("act")), QStringList());

    Explanation rooted = explained(QStringLiteral("action"));
    rooted.familyRoot = QStringLiteral("Act");
    store->recordLookup(rooted, kGithub);
    EXPECT_EQ(familyOf(QStringLiteral("act")), QStringList{QStringLiteral("action")});
    rooted.familyRoot = QStringLiteral("acti");
    store->recordLookup(rooted, kGithub);
    EXPECT_EQ(familyOf(QStringLiteral("act")), QStringList());

    SyncBundle merged = store->snapshot();
    WordEntry react = word(QStringLiteral("react"));
    react.familyRoot = QStringLiteral("ACT");
    merged.words.prepend(react);
    merged.words.removeLast(); // act, deleted on another device
    store->applySync(merged);
    EXPECT_EQ(familyOf(QStringLiteral("react")), QStringList());
    store->save(explained(QStringLiteral("Act")), kGithub);
    EXPECT_EQ(familyOf(QStringLiteral("act")), QStringList{QStringLiteral("react")});

    store->deleteWord(react.id);
    EXPECT_EQ(familyOf(QStringLiteral("act")), QStringList());
}

TEST_F(WordStoreSavingTest, observersHearOfAChangeBeforeItHappens)
{
    QList<qsizetype> sizesSeen;
    QObject::connect(store.get(), &WordStore::willChange,
                     [&] { sizesSeen.append(store->entries().size()); });
    store->save(explained(QStringLiteral("ferry")), kGithub);
    EXPECT_EQ(sizesSeen.value(0, -1), 0);
    sizesSeen.clear();
    store->save(explained(QStringLiteral("ferry")), kGithub); // nothing to add
    EXPECT_TRUE(sizesSeen.isEmpty());
}
