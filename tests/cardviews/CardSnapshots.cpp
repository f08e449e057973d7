#include "CardViewFixture.h"
#include "card/views/CardPanel.h"
#include "support/FakeDesktopSurface.h"
#include "support/LayoutCheck.h"
#include "support/Snapshots.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QTest>

using namespace glossivo;
using glossivo::testing::CardViewFixture;

namespace {

// Pictures of every card for review by eye, light and dark, in the build's snapshots/card (the
// @2x set comes from the run at twice the scale, snapshots/card-desktop from the run on the
// test desktop).
// Blankness is checked, and on the test desktop, where each card is a window laid out as the
// user sees it, the layout.
class CardSnapshots : public CardViewFixture {
protected:
    struct Shot {
        const char* name;
        CardState state;
        bool expand = false; // the word card's details opened
    };

    static WordCardData word(RecallState recall = RecallState::off())
    {
        WordCardData data;
        data.selection = QStringLiteral("ran");
        data.explanation = explanation(QStringLiteral("run"));
        data.explanation.phonetic = QStringLiteral("/rʌn/");
        data.explanation.pos = QStringLiteral("v.");
        data.explanation.register_ = QStringLiteral("casual");
        data.explanation.sentence =
            QStringLiteral("After the rain stopped, we ran all the way home through the park.");
        data.explanation.sentenceZh = QStringLiteral("雨停之后，我们穿过公园一路跑回了家。");
        data.recall = recall;
        return data;
    }

    static QList<Shot> shots()
    {
        WordCardData saved = word();
        saved.justSaved = true;
        saved.savedLookupCount = 1;
        WordCardData counted = word();
        counted.savedLookupCount = 4;
        WordCardData hidden = word(RecallState::hidden());
        hidden.savedLookupCount = 4;
        WordCardData revealed = word(RecallState::revealed());
        revealed.savedLookupCount = 4;
        WordCardData remembered = word(RecallState::done(true));
        remembered.savedLookupCount = 4;
        WordCardData forgot = word(RecallState::done(false));
        forgot.savedLookupCount = 4;
        WordCardData failed = word();
        failed.saveFailure = QStringLiteral("没能保存：磁盘满了");
        WordCardData waiting = word();
        waiting.saveWaiting = true;
        WordCardData bare = word();
        bare.explanation.phonetic = QString();
        bare.explanation.pos.reset();
        bare.explanation.register_.reset();
        bare.explanation.sentence.reset();
        WordCardData rich = word();
        rich.explanation.surfaceForm = QStringLiteral("ran");
        rich.explanation.formKind = QStringLiteral("past");
        rich.explanation.grammar = QStringLiteral("pastSimple");
        rich.explanation.grammarNoteZh = QStringLiteral("这里说的是过去发生的事。");
        rich.explanation.definitionEn = QStringLiteral("to move quickly on foot");
        rich.explanation.registerNoteZh = QStringLiteral("日常口语里很常见。");
        rich.explanation.sentenceIsExample = true;
        rich.explanation.familyRoot = QStringLiteral("runner");
        rich.explanation.affixes = QStringList{QStringLiteral("re-"), QStringLiteral("-er")};
        rich.savedLookupCount = 4;
        rich.source = PageSource{QStringLiteral("Firefox"),
                                 QStringLiteral("https://www.reddit.com/r/running"),
                                 QStringLiteral("r/running")};
        Unlock unlock;
        FormRecord form;
        form.kind = FormKind::past;
        form.form = QStringLiteral("ran");
        unlock.newForm = form;
        unlock.formProgress = Unlock::Progress{2, 5};
        unlock.newGrammar = GrammarPoint::pastSimple;
        unlock.grammarProgress = Unlock::Progress{3, 16};
        unlock.newAffixes = {Affix::re, Affix::er};
        unlock.affixProgress = Unlock::Progress{2, 30};
        unlock.awakenedAfterDays = 45;
        unlock.familyMembers = {QStringLiteral("runner"), QStringLiteral("rerun"),
                                QStringLiteral("running"), QStringLiteral("runway")};
        WordCardData unlocked = word();
        unlocked.unlock = unlock;
        unlocked.justSaved = true;
        WordCardData longWord = word();
        longWord.selection = QStringLiteral("serendipity");
        longWord.explanation.headword = QStringLiteral("serendipity");
        longWord.explanation.phonetic = QStringLiteral("/ˌserənˈdɪpəti/");
        longWord.explanation.register_ = QStringLiteral("formal");
        WordCardData longPhrase = word();
        longPhrase.explanation.headword = QStringLiteral("incomprehensibilities of bureaucracy");
        const Translation translation{
            QStringLiteral(
                "事实证明，那条线索只是一个转移注意力的幌子，真正的问题出在配置文件里。"),
            QList<Translation::KeyTerm>{
                {QStringLiteral("red herring"), QStringLiteral("转移注意力的东西")},
                {QStringLiteral("turned out"), QStringLiteral("结果是")},
                {QStringLiteral("config file"), QStringLiteral("配置文件")},
                {QStringLiteral("root cause"), QStringLiteral("根本原因")}}};
        return {
            {"loading", CardState::Loading{QStringLiteral("serendipity")}},
            {"loading-long",
             CardState::Loading{QStringLiteral("a very long selection that goes on and on well "
                                               "past the width of the card and its two lines")}},
            {"translating", CardState::Translating{QStringLiteral(
                                "It turned out that the clue was a red herring, and the real "
                                "problem was in the config file.")}},
            {"offer", CardState::TranslateOffer{QStringLiteral("A passage.")}},
            {"error", CardState::Error{QStringLiteral("DeepSeek 账户余额不足，请先充值。"), false}},
            {"error-settings",
             CardState::Error{QStringLiteral("还没有填 DeepSeek API key，请在设置里填写。"), true}},
            {"word-new", CardState::Word{word()}},
            {"word-bare", CardState::Word{bare}},
            {"word-saved", CardState::Word{saved}},
            {"word-count", CardState::Word{counted}},
            {"word-save-failed", CardState::Word{failed}},
            {"word-save-waiting", CardState::Word{waiting}},
            {"word-recall-hidden", CardState::Word{hidden}},
            {"word-recall-revealed", CardState::Word{revealed}},
            {"word-recall-remembered", CardState::Word{remembered}},
            {"word-recall-forgot", CardState::Word{forgot}},
            {"word-unlock", CardState::Word{unlocked}},
            {"word-long-headword", CardState::Word{longWord}},
            {"word-long-phrase", CardState::Word{longPhrase}},
            {"word-expanded", CardState::Word{rich}, true},
            {"word-expanded-new", CardState::Word{word()}, true},
            {"translation", CardState::Translated{QStringLiteral("passage"), translation}},
            {"translation-no-terms",
             CardState::Translated{QStringLiteral("passage"),
                                   Translation{QStringLiteral("构建失败了。"), std::nullopt}}},
        };
    }

    QImage inHost(const Shot& shot, bool dark)
    {
        makeView(dark);
        controller->model().setState(shot.state);
        if (shot.expand) find<QAbstractButton>("detailsToggle")->click();
        QTest::qWait(1);
        if (layOut().isEmpty()) return {};
        return host->grab().toImage();
    }

    QImage inPanel(const Shot& shot, bool dark)
    {
        CardPanel panel(controller->model(), *controller, desktop);
        if (dark) panel.setPalette(glossivo::testing::darkPalette());
        controller->model().setState(shot.state);
        // The card the panel was made with (the previous state's) goes first.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (shot.expand) panel.view()->findChild<QAbstractButton*>("detailsToggle")->click();
        QTest::qWait(1);
        panel.setFrame(QRect(QPoint(40, 40), panel.fittingSize()));
        panel.orderFront();
        if (!QTest::qWaitForWindowExposed(&panel)) return {};
        QTest::qWait(100);
        EXPECT_EQ(test::layoutFaults(&panel), "");
        return panel.grab().toImage();
    }

    glossivo::testing::FakeDesktopSurface desktop;
};

TEST_F(CardSnapshots, EveryCardInLightAndDark)
{
    // On the test desktop each card is photographed in the panel that shows it, as a window:
    // the desktop lays text and windows out unlike the offscreen platform.
    const bool onDesktop = QGuiApplication::platformName() == QLatin1String("xcb");
    const QString folder = onDesktop ? QStringLiteral("card-desktop") : QStringLiteral("card");
    for (const bool dark : {false, true}) {
        for (const Shot& shot : shots()) {
            SCOPED_TRACE(shot.name);
            const QImage image = onDesktop ? inPanel(shot, dark) : inHost(shot, dark);
            ASSERT_FALSE(image.isNull());
            // A second run under QT_SCALE_FACTOR=2 writes the same cards at twice the pixels.
            const QString scale = image.devicePixelRatio() > 1 ? QStringLiteral("@2x") : QString();
            const QString path = glossivo::test::snapshotFolder(folder) + QLatin1Char('/') +
                                 QString::fromLatin1(shot.name) +
                                 (dark ? QStringLiteral("-dark") : QString()) + scale +
                                 QStringLiteral(".png");
            ASSERT_TRUE(image.save(path));
            EXPECT_GT(test::colourCount(image), 3);
        }
    }
}

} // namespace
