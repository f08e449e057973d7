#include "ReviewStateFixture.h"
#include "review/views/ReviewWindow.h"
#include "support/DarkPalette.h"
#include "support/LayoutCheck.h"
#include "support/Snapshots.h"

#include <QTest>

#include <functional>

using namespace glossivo;
using glossivo::testing::ReviewStateFixture;

namespace {

// Pictures of the review window in each of its states, light and dark, at its default and its
// smallest size, in the build's snapshots/review, for review by eye; each state's layout is
// checked, with real long text among them.
class ReviewSnapshots : public ReviewStateFixture {
protected:
    void openWith(const QList<WordEntry>& words) { startWith(words); }

    WordEntry rich(const QString& headword, int lapses = 0) const
    {
        WordEntry entry = learning(headword);
        entry.phonetic = QStringLiteral("/ˈhɑːbə/");
        entry.pos = QStringLiteral("n.");
        entry.meaningZh = QStringLiteral("港口；避风港");
        entry.register_ = Register::formal;
        entry.review = ReviewState{3, 5, clock.now(), clock.now().addDays(-3), 4, lapses, 2};
        Example example;
        example.id = QUuid::createUuid();
        example.sentence =
            QStringLiteral("The boats stayed in the harbours until the storm passed.");
        example.sentenceZh = QStringLiteral("船只一直待在港口里，直到风暴过去。");
        example.addedAt = clock.now();
        entry.examples = {example};
        entry.forms =
            QList<FormRecord>{{FormKind::plural, "harbours", clock.now(), 1, std::nullopt}};
        AINote note;
        note.answer = QStringLiteral("harbour 既可以指真正的港口，也可以比喻让人安心的地方，"
                                     "比如 a safe harbour。英式拼写是 harbour，美式是 harbor。");
        entry.notes = QList<AINote>{note};
        return entry;
    }

    // A long word with a long meaning, a tip of 300 characters and a note without a blank.
    WordEntry wordy(const QString& headword) const
    {
        WordEntry entry = rich(headword, 4);
        entry.phonetic = QStringLiteral("/ˌɪntərˌnæʃənələˈzeɪʃən/");
        entry.meaningZh =
            QStringLiteral("国际化；使（产品、软件等）适应不同语言、地区和文化的过程，"
                           "包括翻译界面文字、调整日期和货币格式等");
        entry.mnemonic = QString(QStringLiteral("inter（在…之间）+ nation（国家）+ al + ize"
                                                "（使…化）+ ation：在国家之间通用起来。"))
                             .repeated(5)
                             .left(300);
        entry.examples.first().sentence =
            QStringLiteral("The boats stayed in the %1 until the storm passed, and the crew "
                           "waited on the quay for the harbour master's word.")
                .arg(headword);
        entry.notes->first().answer = QString(QStringLiteral("https://example.org/")) +
                                      QString(QLatin1Char('x')).repeated(200);
        return entry;
    }

    // A spelling question on a wordy entry, a 52-letter answer typed.
    void spellWordy(const char* headword, int level)
    {
        WordEntry entry = wordy(QString::fromUtf8(headword));
        entry.spellPractice = true;
        entry.spellLevel = level;
        openWith({entry});
        session->startSpelling();
        state->setInput(QStringLiteral("thoroughly and rigorously and carefully and exactly!"));
    }

    WordEntry spelled(int level) const
    {
        WordEntry entry = rich(QStringLiteral("harbour"));
        entry.spellPractice = true;
        entry.spellLevel = level;
        return entry;
    }

    void review(const WordEntry& entry)
    {
        openWith({entry, learning(QStringLiteral("ferry"))});
        session->start(0);
    }

    void spelling(int level)
    {
        openWith({spelled(level)});
        session->startSpelling();
    }

    void answered(const QString& typed)
    {
        spelling(3);
        session->setInput(typed);
        session->submit();
    }
};

TEST_F(ReviewSnapshots, TheReviewWindowInEveryState)
{
    const QList<std::pair<const char*, std::function<void()>>> states{
        {"asking", [this] { review(rich("harbour")); }},
        {"revealed",
         [this] {
             review(rich("harbour"));
             state->reveal();
         }},
        {"revealed-rest-link",
         [this] {
             WordEntry entry = rich("harbour", 5);
             entry.mnemonic =
                 QStringLiteral("har-bour：港湾像一只张开的手臂（arm → har），把船抱住。");
             review(entry);
             state->reveal();
         }},
        {"rated-graduated",
         [this] {
             config.graduateDays = 0;
             review(rich("harbour"));
             state->reveal();
             state->rate(Rating::good);
         }},
        {"rated-leech",
         [this] {
             review(rich("harbour", 3));
             state->reveal();
             state->rate(Rating::again);
         }},
        {"revealed-long-word",
         [this] {
             review(wordy(QStringLiteral("internationalization")));
             state->reveal();
         }},
        {"revealed-note-without-blanks",
         [this] {
             WordEntry entry = wordy(QStringLiteral("harbour"));
             entry.mnemonic.reset();
             review(entry);
             state->reveal();
         }},
        {"revealed-100000-letters",
         [this] {
             WordEntry entry = wordy(QString(QLatin1Char('a')).repeated(100000));
             entry.examples = rich("harbour").examples;
             review(entry);
             state->reveal();
         }},
        {"spell-copy", [this] { spelling(0); }},
        {"spell-copy-hidden",
         [this] {
             spelling(0);
             state->setInput("har");
         }},
        {"spell-fill", [this] { spelling(1); }},
        {"spell-chunks",
         [this] {
             WordEntry entry = spelled(2);
             entry.headword = QStringLiteral("unbelievable");
             entry.affixes = QList<Affix>{Affix::un, Affix::able};
             openWith({entry});
             session->startSpelling();
         }},
        {"spell-full", [this] { spelling(3); }},
        {"spell-dictation", [this] { spelling(4); }},
        {"verdict-again",
         [this] {
             answered("harber");
             session->setCopyInput("harb");
         }},
        {"verdict-gave-up-with-tip", [this] { spellWordy("ambiguous", 3), state->giveUp(); }},
        {"dictation-long-answer", [this] { spellWordy("thoroughly and rigorously", 4); }},
        {"verdict-long-answer",
         [this] { spellWordy("thoroughly and rigorously", 4), state->submit(); }},
        {"verdict-hard", [this] { answered("harbour"); }}, // the base form where harbours was asked
        {"verdict-good", [this] { answered("harbours"); }},
        {"empty-spelling",
         [this] {
             openWith({});
             session->startSpelling();
         }},
        {"empty-book",
         [this] {
             openWith({});
             session->start(0);
         }},
        {"empty-nothing-due",
         [this] {
             WordEntry later = learning("ferry");
             later.review = ReviewState{3, 5, clock.now().addDays(3), clock.now(), 4, 0, 2};
             openWith({later});
             session->start(0);
         }},
        {"finished-review",
         [this] {
             config.graduateDays = 0;
             review(rich("harbour"));
             state->reveal();
             state->rate(Rating::good);
             config.graduateDays = 30;
             session->next();
             session->setInput("harbour");
             session->submit();
             session->next();
             state->reveal();
             state->rate(Rating::again);
             state->reveal();
             state->rate(Rating::hard);
         }},
        {"finished-spelling",
         [this] {
             spelling(0);
             session->setInput("harbour");
             session->submit();
             session->next();
         }},
    };
    for (const auto& [dark, size] :
         {std::pair{false, QSize(500, 480)}, {true, QSize(500, 480)}, {false, QSize(440, 400)}}) {
        for (const auto& [name, setUp] : states) {
            SCOPED_TRACE(name);
            SCOPED_TRACE(size.width());
            config = AppConfig();
            setUp();
            QWidget host;
            if (dark) host.setPalette(glossivo::testing::darkPalette());
            auto* window = new ReviewWindow(*state, &host);
            host.resize(size);
            window->resize(size);
            host.show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
            QTest::qWait(50);
            EXPECT_EQ(test::layoutFaults(window), "");
            QImage image = host.grab().toImage();
            const QString path = glossivo::test::snapshotFolder(QStringLiteral("review")) +
                                 QLatin1Char('/') + QString::fromLatin1(name) +
                                 (dark ? QStringLiteral("-dark") : QString()) +
                                 (size.width() < 500 ? QStringLiteral("-smallest") : QString()) +
                                 QStringLiteral(".png");
            ASSERT_TRUE(image.save(path));
            EXPECT_GT(test::colourCount(image), 3);
        }
    }
}

} // namespace
