#include "app/MenuBarWord.h"

#include "model/ConfigStore.h"
#include "model/WordStore.h"
#include "support/DataFolder.h"
#include "support/FakeClock.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSignalSpy>
#include <QTimeZone>

#include <gtest/gtest.h>

#include <memory>

using namespace glossivo;
using glossivo::testing::DataFolder;
using glossivo::testing::FakeClock;

namespace {

Example example(const QString& sentence, bool generated, const QDateTime& addedAt)
{
    Example made;
    made.id = QUuid::createUuid();
    made.sentence = sentence;
    made.isGenerated = generated;
    made.addedAt = addedAt;
    return made;
}

WordEntry word(const QString& headword, std::optional<Stage> stage = Stage::learning)
{
    WordEntry made;
    made.id = QUuid::createUuid();
    made.headword = headword;
    made.createdAt = QDateTime(QDate(2026, 9, 1), QTime(8, 0), QTimeZone::utc());
    made.lookupCount = 1;
    made.stage = stage;
    return made;
}

WordEntry withSentence(const QString& headword, const QString& sentence)
{
    WordEntry made = word(headword);
    made.examples = {example(sentence, false, made.createdAt)};
    return made;
}

QString marked(const WordEntry& entry, const QString& text)
{
    const auto range = MenuBarWord::highlightRange(entry, text);
    return range ? text.mid(range->location, range->length) : QStringLiteral("<none>");
}

// A word book on disk with the given words, and the menu-bar word over it. New cycles keep the
// word-book order unless a test sets another order.
class Rotation : public ::testing::Test {
protected:
    void load(const QList<WordEntry>& words)
    {
        QJsonArray array;
        for (const WordEntry& entry : words)
            array.append(entry.toJson());
        folder.write("words.json", QJsonDocument(array).toJson());
        store = std::make_unique<WordStore>(folder.paths(), clock);
        config = std::make_unique<ConfigStore>(folder.path("config.json"), clock);
        model = std::make_unique<MenuBarWord>(*store, *config, [this](QList<QUuid>& ids) {
            if (reverseCycles) std::reverse(ids.begin(), ids.end());
        });
    }
    QString shown() const
    {
        const auto entry = model->entry();
        return entry ? entry->headword : QStringLiteral("<none>");
    }
    QString advance()
    {
        model->next();
        return shown();
    }

    DataFolder folder;
    FakeClock clock;
    bool reverseCycles = false;
    std::unique_ptr<WordStore> store;
    std::unique_ptr<ConfigStore> config;
    std::unique_ptr<MenuBarWord> model;
};

} // namespace

TEST_F(Rotation, EachLearningWordComesOncePerCycleAndACycleNeverOpensWithTheLastWord)
{
    load({word("a"), word("seen", Stage::seen), word("b"), word("unstaged", std::nullopt),
          word("c")});
    QSignalSpy changes(model.get(), &MenuBarWord::changed);
    EXPECT_EQ(advance(), "a");
    EXPECT_EQ(advance(), "b");
    EXPECT_EQ(advance(), "c");
    reverseCycles = true; // the new cycle would open with c again
    EXPECT_EQ(advance(), "b");
    EXPECT_EQ(advance(), "c");
    EXPECT_EQ(advance(), "a");
    EXPECT_EQ(changes.count(), 6);
}

TEST_F(Rotation, OneWordRepeatsNoWordShowsNothingAndSwitchedOffRotatesUnseen)
{
    load({word("only"), word("resting", Stage::resting)});
    EXPECT_EQ(advance(), "only");
    model->markGlanced();
    EXPECT_EQ(advance(), "only");
    EXPECT_FALSE(model->glanced());

    AppConfig off = config->config();
    off.menuBarWord = false;
    config->setConfig(off);
    EXPECT_EQ(advance(), "<none>");
    EXPECT_TRUE(model->current());

    load({word("seen", Stage::seen)});
    QSignalSpy changes(model.get(), &MenuBarWord::changed);
    model->next();
    EXPECT_FALSE(model->current());
    EXPECT_EQ(changes.count(), 1);
}

TEST_F(Rotation, AWordThatLeavesLearningIsReplacedOnceTheStoreHasChanged)
{
    load({word("a"), word("b"), word("c")});
    model->start();
    EXPECT_EQ(shown(), "a");
    QCoreApplication::processEvents();
    EXPECT_EQ(shown(), "a"); // the first delivery finds a word showing

    store->setWantToLearn(model->current().value(), true);
    QCoreApplication::processEvents();
    EXPECT_EQ(shown(), "a"); // still a learning word

    store->rest(model->current().value(), 3);
    EXPECT_EQ(shown(), "<none>");
    QCoreApplication::processEvents();
    EXPECT_EQ(shown(), "b");
}

TEST_F(Rotation, AWordBackInLearningWaitsForTheNextCycle)
{
    load({word("a"), word("b"), word("c"), word("d")});
    EXPECT_EQ(advance(), "a");
    const QUuid b = store->entries().at(1).id;
    store->rest(b, 3);
    EXPECT_EQ(advance(), "c");
    ASSERT_TRUE(store->startLearning(b));
    EXPECT_EQ(advance(), "d");
    EXPECT_EQ(advance(), "a");
    EXPECT_EQ(advance(), "b");
}

TEST(MenuBarWordText, SentencePrefersExamplesMetInReading)
{
    const QDateTime t0(QDate(2026, 1, 1), QTime(0, 0), QTimeZone::utc());
    WordEntry entry = word("x");
    EXPECT_FALSE(MenuBarWord::sentence(entry));

    entry.examples = {example("old real", false, t0), example("new ai", true, t0.addDays(5)),
                      example("tie first", false, t0.addDays(1)),
                      example("tie second", false, t0.addDays(1))};
    EXPECT_EQ(MenuBarWord::sentence(entry), "tie first");

    entry.examples = {example("ai one", true, t0), example("ai two", true, t0.addDays(2))};
    EXPECT_EQ(MenuBarWord::sentence(entry), "ai two");
}

TEST(MenuBarWordText, WrapFillsLinesGreedilyInCharactersAndCutsLongWords)
{
    EXPECT_EQ(MenuBarWord::wrap(QString(50, 'x'), 24),
              QString(24, 'x') + "\n" + QString(24, 'x') + "\nxx");
    // "aaaa bbbbb" is exactly ten characters, so it still fits a line of ten.
    EXPECT_EQ(MenuBarWord::wrap("  aaaa   bbbbb cc ", 10), "aaaa bbbbb\ncc");
    EXPECT_EQ(MenuBarWord::wrap("tab\there line\nfeed", 40), "tab\there line\nfeed");
    EXPECT_EQ(MenuBarWord::wrap("ab " + QString(7, 'y'), 3), "ab\nyyy\nyyy\ny");
    EXPECT_EQ(MenuBarWord::wrap("   ", 5), "");
    EXPECT_EQ(MenuBarWord::wrap("中文没有空格六个字", 4), "中文没有\n空格六个\n字");
    const QString accent("e\u0301"); // one character, two code units
    EXPECT_EQ(MenuBarWord::wrap(accent.repeated(4) + " ab", 7), accent.repeated(4) + " ab");
    EXPECT_EQ(MenuBarWord::wrap(accent.repeated(4), 3), accent.repeated(3) + "\n" + accent);
    // No room on a line must not mean cutting forever.
    EXPECT_EQ(MenuBarWord::wrap("ab c", 0), "a\nb\nc");
    EXPECT_EQ(MenuBarWord::wrap("ab", -5), "a\nb");
}

TEST(MenuBarWordText, HighlightFindsTheLongestFormAsAWholeWordElseTheStem)
{
    WordEntry run = word("run");
    run.inflections = QMap<QString, QString>{{"ing", "running"}, {"past", "ran"}};
    EXPECT_EQ(marked(run, "She was running late, so she ran."), "running");
    EXPECT_EQ(marked(run, "RAN away"), "RAN");
    EXPECT_EQ(marked(run, "a rerun"), "<none>");
    WordEntry go = word("go");
    go.forms = QList<FormRecord>{{FormKind::past, "went", {}, 1, std::nullopt}};
    EXPECT_EQ(marked(go, "we went home"), "went");
    EXPECT_EQ(marked(word("foo(bar"), "x foo(bar y"), "foo(bar");

    EXPECT_EQ(marked(word("deprecate"), "This API is Deprecated now."), "Deprecated");
    EXPECT_EQ(marked(word("ngl"), "that was kinda wild"), "<none>");
    EXPECT_EQ(marked(word("ngle"), "angler"), "<none>");    // the stem starts a word
    EXPECT_EQ(marked(word("give up"), "giving"), "<none>"); // no stem for phrases
    EXPECT_EQ(marked(word(""), "anything"), "<none>");
}

TEST(MenuBarWordText, TitlesWrapAndMarkThePhraseAcrossALineBreak)
{
    const auto title = MenuBarWord::sentenceTitle(withSentence(
        "give up on", "I would never ever in my entire life give up on this project."));
    ASSERT_TRUE(title);
    EXPECT_EQ(title->text, "I would never ever in my entire life give up\non this project.");
    ASSERT_TRUE(title->bold);
    EXPECT_EQ(title->text.mid(title->bold->location, title->bold->length), "give up\non");
    EXPECT_FALSE(MenuBarWord::sentenceTitle(word("bare")));
    EXPECT_FALSE(MenuBarWord::sentenceTitle(withSentence("xyz", "nothing here"))->bold);

    EXPECT_EQ(MenuBarWord::statusTitle("abcdefghijklmnop"), "abcdefghijklmnop");
    EXPECT_EQ(MenuBarWord::statusTitle("abcdefghijklmnopq"), "abcdefghijklmno…");
    const QString accented = QString("e\u0301").repeated(16);
    EXPECT_EQ(MenuBarWord::statusTitle(accented), accented);
}
