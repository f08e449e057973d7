#include "CardViewFixture.h"

#include "card/CardText.h"
#include "card/SaveFailure.h"
#include "card/views/KeyTermChip.h"
#include "card/views/SourceLabel.h"
#include "ui/HighlightedLabel.h"
#include "ui/RegisterBadge.h"
#include "ui/SpacedPlainText.h"

#include <QPushButton>
#include <QTest>
#include <QTextEdit>

using namespace glossivo;
using glossivo::testing::CardViewFixture;

namespace {

class CardViewTest : public CardViewFixture {
protected:
    WordCardData wordData() const
    {
        WordCardData data;
        data.selection = QStringLiteral("ran");
        data.explanation = explanation(QStringLiteral("run"));
        data.explanation.phonetic = QStringLiteral("/rʌn/");
        data.explanation.pos = QStringLiteral("v.");
        return data;
    }
};

TEST_F(CardViewTest, TheTranslatingTitleKeepsSixtyCharactersAndMarksTheCut)
{
    const QString sixty = QString(60, QLatin1Char('a'));
    EXPECT_EQ(CardText::translatingTitle(sixty), sixty);
    EXPECT_EQ(CardText::translatingTitle(sixty + QStringLiteral("b")), sixty + QStringLiteral("…"));
    const QString accented = QStringLiteral("e\u0301");
    EXPECT_EQ(CardText::translatingTitle(QString(59, QLatin1Char('a')) + accented +
                                         QStringLiteral("👍🏽")),
              QString(59, QLatin1Char('a')) + accented + QStringLiteral("…"));
}

TEST_F(CardViewTest, EachSimpleStateHasItsCardAtItsWidth)
{
    makeView();
    EXPECT_TRUE(view->fittingSize().isEmpty());

    controller->lookup(QStringLiteral("ran"), std::nullopt, QPoint(100, 100));
    EXPECT_EQ(find("loadingCard")->objectName(), QStringLiteral("loadingCard"));
    EXPECT_EQ(layOut().width(), 340);
    EXPECT_EQ(find<QLabel>("noteLabel")->text(), QStringLiteral("正在解释…"));

    controller->offerTranslation(QStringLiteral("A long passage."), QPoint(100, 100));
    EXPECT_EQ(layOut(), QSize(30, 30));
    auto* offer = find<QAbstractButton>("translateOfferButton");
    ASSERT_NE(offer, nullptr);
    EXPECT_EQ(offer->text(), QStringLiteral("译"));
    offer->click();
    EXPECT_EQ(state(), CardState(CardState::Translating{QStringLiteral("A long passage.")}));
    QTest::qWait(1);
    EXPECT_EQ(find<QLabel>("noteLabel")->text(), QStringLiteral("正在翻译…"));

    controller->showError(QStringLiteral("网络断了"), false, QPoint(100, 100));
    EXPECT_EQ(layOut().width(), 300);
    EXPECT_EQ(find("settingsButton"), nullptr);
}

TEST_F(CardViewTest, OpenSettingsHidesTheCardAndCallsTheShell)
{
    int settings = 0;
    controller->setHooks({{}, [&] { ++settings; }, {}, {}});
    makeView();
    controller->showError(QStringLiteral("还没有填 DeepSeek API key，请在设置里填写。"), true,
                          QPoint(100, 100));
    auto* button = find<QPushButton>("settingsButton");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), QStringLiteral("打开设置"));
    button->click();
    EXPECT_EQ(settings, 1);
    EXPECT_TRUE(state().is<CardState::Hidden>());
}

TEST_F(CardViewTest, ALongTitleTakesAtMostTwoLines)
{
    makeView();
    controller->lookup(
        QString(40, QLatin1Char('w')).replace(QLatin1Char('w'), QStringLiteral("word ")),
        std::nullopt, QPoint(100, 100));
    const QString title = find<QLabel>("titleLabel")->text();
    EXPECT_EQ(title.count(QLatin1Char('\n')), 1);
    EXPECT_TRUE(title.endsWith(QStringLiteral("…")));
}

TEST_F(CardViewTest, TheSaveControlFollowsTheWordBook)
{
    makeView();
    controller->lookup(QStringLiteral("ran"), std::nullopt, QPoint(100, 100));
    ai.answer(0, explanation(QStringLiteral("run")));
    auto* save = find<QPushButton>("saveButton");
    ASSERT_NE(save, nullptr);
    save->click();
    QTest::qWait(1);
    EXPECT_NE(find("savedLabel"), nullptr);
    EXPECT_TRUE(labelTexts().contains(QStringLiteral("已保存")));

    WordCardData data = wordData();
    data.savedLookupCount = 12;
    showWord(data);
    const QWidget* count = find("lookupCountLabel");
    ASSERT_NE(count, nullptr);
    EXPECT_EQ(count->toolTip(), QStringLiteral("已在生词本里，这是第 12 次查到"));
    EXPECT_TRUE(labelTexts().contains(QStringLiteral("第 12 次")));

    // Redrawn while shown, the card is fitted to its new pieces at once, not to its margins.
    host->show();
    data.saveFailure = SaveFailure::message(QStringLiteral("磁盘满了"));
    showWord(data);
    const QSize fitted = view->fittingSize();
    QTest::qWait(1);
    EXPECT_EQ(view->fittingSize(), fitted);
    EXPECT_TRUE(labelTexts().contains(QStringLiteral("没能保存：磁盘满了")));
}

TEST_F(CardViewTest, TheRecallCheckHidesTheMeaningUntilRevealed)
{
    makeView();
    WordCardData data = wordData();
    data.savedLookupCount = 3;
    data.recall = RecallState::hidden();
    showWord(data);
    QStringList texts = labelTexts();
    EXPECT_TRUE(texts.contains(QStringLiteral("你查过 3 次了，先想一想它在这里的意思？")));
    EXPECT_FALSE(texts.contains(QStringLiteral("跑")));
    EXPECT_FALSE(texts.contains(QStringLiteral("v.")));
    EXPECT_FALSE(texts.contains(QStringLiteral("我们跑回家。")));
    EXPECT_NE(find("sentenceLabel"), nullptr);

    data.recall = RecallState::revealed();
    showWord(data);
    QTest::qWait(1);
    texts = labelTexts();
    EXPECT_TRUE(texts.contains(QStringLiteral("跑")));
    EXPECT_TRUE(texts.contains(QStringLiteral("刚才想起来了吗？")));
    EXPECT_NE(find("forgotButton"), nullptr);
    EXPECT_NE(find("rememberedButton"), nullptr);
}

// A change of the word book (an answer to the recall check is a review) redraws the card after
// it was fitted to its state: it is fitted again, or its sentence was left cut short.
TEST_F(CardViewTest, AWordBookChangeFitsTheRedrawnCardAgain)
{
    makeView();
    showWord(wordData());
    QTest::qWait(1);
    const qsizetype fitted = surface.frames.size();
    emit store->willChange();
    QTest::qWait(1);
    QTest::qWait(1);
    EXPECT_GT(surface.frames.size(), fitted);
}

TEST_F(CardViewTest, OnlyANamedRegisterGetsABadge)
{
    struct Case {
        std::optional<QString> text;
        bool badge;
    };
    const Case cases[] = {{QStringLiteral("Formal"), true},
                          {QStringLiteral("slang"), true},
                          {QStringLiteral("neutral"), false},
                          {QStringLiteral("posh"), false},
                          {QString(), false},
                          {std::nullopt, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.value_or(QStringLiteral("(none)")).toStdString());
        QWidget parent;
        EXPECT_EQ(RegisterBadge::make(RegisterBadge::parse(c.text), &parent) != nullptr, c.badge);
    }
}

TEST_F(CardViewTest, TheTranslationIsPlainSelectableTextWithRoomBetweenItsLines)
{
    const QString lines = QStringLiteral("第一行\n第二行\n第三行");
    const SpacedPlainText spaced(lines, 14, 2);
    const SpacedPlainText tight(lines, 14, 0);
    EXPECT_EQ(spaced.heightForWidth(300), tight.heightForWidth(300) + 3 * 2);

    makeView();
    const QString markup = QStringLiteral("<b>粗体</b> & <a href=\"file:///etc\">链接</a>");
    controller->showTranslation(QStringLiteral("passage"), QPoint(100, 100));
    ai.answer(0, Translation{markup, std::nullopt});
    QTest::qWait(1);
    const QSize size = layOut();
    host->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(host.get()));
    auto* text = find<SpacedPlainText>("translationText");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->toPlainText(), markup);
    EXPECT_FALSE(text->textCursor().charFormat().isAnchor());
    EXPECT_TRUE(text->textInteractionFlags() & Qt::TextSelectableByMouse);
    // The card is tall enough for all of it.
    EXPECT_GE(text->height(), text->heightForWidth(text->width()))
        << text->width() << ' ' << size.width() << 'x' << size.height();
}

TEST_F(CardViewTest, AKeyTermLooksItselfUpInThePassageAtTheSameAnchor)
{
    makeView();
    controller->showTranslation(QStringLiteral("It was a red herring."), QPoint(320, 240));
    ai.answer(0, Translation{QStringLiteral("那是转移注意力的东西。"),
                             QList<Translation::KeyTerm>{
                                 {QStringLiteral("red herring"), QStringLiteral("干扰项")}}});
    EXPECT_EQ(layOut().width(), 360);
    auto* chip = view->findChild<KeyTermChip*>();
    ASSERT_NE(chip, nullptr);
    chip->click();
    EXPECT_EQ(state(), CardState(CardState::Loading{QStringLiteral("red herring")}));
    ASSERT_EQ(ai.explains.size(), 1);
    EXPECT_EQ(ai.explains[0].context, QStringLiteral("It was a red herring."));
    EXPECT_EQ(controller->anchor(), QPoint(320, 240));
}

TEST_F(CardViewTest, TheUnlockBannerShowsEveryKindAndNothingForAnEmptyUnlock)
{
    makeView();
    WordCardData data = wordData();
    data.unlock = Unlock();
    data.unlock->grammarProgress = Unlock::Progress{3, 16};
    showWord(data);
    EXPECT_EQ(find("unlockBanner"), nullptr);

    Unlock unlock;
    FormRecord form;
    form.kind = FormKind::past;
    form.form = QStringLiteral("ran");
    unlock.newForm = form;
    unlock.newGrammar = GrammarPoint::pastSimple;
    unlock.newAffixes = {Affix::re};
    unlock.awakenedAfterDays = 45;
    unlock.familyMembers = {QStringLiteral("runner")};
    data.unlock = unlock;
    showWord(data);
    QTest::qWait(1);
    const QWidget* banner = find("unlockBanner");
    ASSERT_NE(banner, nullptr);
    EXPECT_EQ(banner->findChildren<QWidget*>(QStringLiteral("unlockItem")).size(), 5);
    EXPECT_TRUE(labelTexts().contains(QStringLiteral("好久不见！上次见它是 45 天前")));
}

TEST_F(CardViewTest, TheSentenceIsEscapedAndItsTermsEmphasised)
{
    const QString html = HighlightedLabel::markup(QStringLiteral("<b>Ran</b> & ran"),
                                                  {QStringLiteral("ran")}, QColor(Qt::blue));
    EXPECT_FALSE(html.contains(QStringLiteral("<b>")));
    EXPECT_TRUE(html.contains(QStringLiteral("&lt;b&gt;")));
    EXPECT_TRUE(html.contains(QStringLiteral("&amp;")));
    EXPECT_EQ(html.count(QStringLiteral("font-weight:700")), 2);
}

TEST_F(CardViewTest, TheDetailsOpenAndCloseAndTheStarFlipsTheWantToLearnMark)
{
    saveWord(explanation(QStringLiteral("run")));
    makeView();
    WordCardData data = wordData();
    data.savedLookupCount = 2;
    showWord(data);
    EXPECT_EQ(find("wordCardDetails"), nullptr);
    const int closedHeight = layOut().height();
    find<QAbstractButton>("detailsToggle")->click();
    QTest::qWait(1);
    ASSERT_NE(find("wordCardDetails"), nullptr);
    EXPECT_GT(layOut().height(), closedHeight);
    EXPECT_EQ(find<QAbstractButton>("detailsToggle")->text(), QStringLiteral("收起"));
    EXPECT_NE(find("saveExampleButton"), nullptr);

    auto* star = find<QAbstractButton>("wantToLearnButton");
    ASSERT_NE(star, nullptr);
    EXPECT_EQ(star->text(), QStringLiteral("想学"));
    star->click();
    QTest::qWait(1);
    EXPECT_EQ(stored(QStringLiteral("run"))->wantToLearn, true);
    EXPECT_EQ(find<QAbstractButton>("wantToLearnButton")->text(), QStringLiteral("已标想学"));
    find<QAbstractButton>("wantToLearnButton")->click();
    QTest::qWait(1);
    EXPECT_FALSE(stored(QStringLiteral("run"))->wantToLearn.value_or(false));

    // A save keeps the details open; the save-example button is gone after it.
    find<QAbstractButton>("saveExampleButton")->click();
    QTest::qWait(1);
    EXPECT_NE(find("wordCardDetails"), nullptr);
    EXPECT_EQ(find("saveExampleButton"), nullptr);
    // Another lookup starts closed.
    WordCardData other = data;
    other.selection = QStringLiteral("runs");
    showWord(other);
    QTest::qWait(1);
    EXPECT_EQ(find("wordCardDetails"), nullptr);
}

// Each ask button carries its own question into the chat; "自己问…" carries none.
TEST_F(CardViewTest, EachAskButtonSendsItsQuestion)
{
    QList<std::optional<QuickQuestion>> asked;
    controller->setHooks({[this] { return source; },
                          {},
                          [&asked](const AskContext&, std::optional<QuickQuestion> question) {
                              asked.append(question);
                          },
                          {}});
    makeView();
    const struct {
        bool translation;
        const char* button;
        std::optional<QuickQuestion> question;
    } cases[] = {
        {false, "askPrimaryButton", QuickQuestion::why},
        {false, "askSecondaryButton", QuickQuestion::examples},
        {false, "askOwnButton", std::nullopt},
        {true, "askWhyButton", QuickQuestion::why},
        {true, "askStructureButton", QuickQuestion::structure},
        {true, "askOwnButton", std::nullopt},
    };
    qsizetype answered = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button);
        if (c.translation) {
            controller->showTranslation(QStringLiteral("A passage."), QPoint(100, 100));
            ai.answer(ai.translations.size() - 1, Translation{QStringLiteral("一段话。"), {}});
        } else {
            // Looked up again, the word comes from the cache without a request.
            controller->lookup(QStringLiteral("ran"), std::nullopt, QPoint(100, 100));
            if (ai.explains.size() > answered)
                ai.answer(answered++, explanation(QStringLiteral("run")));
            QTest::qWait(1);
            find<QAbstractButton>("detailsToggle")->click();
        }
        QTest::qWait(1);
        auto* button = find<QAbstractButton>(c.button);
        ASSERT_NE(button, nullptr);
        button->click();
        ASSERT_FALSE(asked.isEmpty());
        EXPECT_EQ(asked.takeLast(), c.question);
        EXPECT_TRUE(state().is<CardState::Hidden>());
    }
}

// "rtl\u202Eevil" from a page or the AI service shows as "rtlevil", not "rtllive".
TEST_F(CardViewTest, BidirectionalControlsOnTheCardReorderNothing)
{
    makeView();
    WordCardData data = wordData();
    const QString evil = QStringLiteral("rtl\u202Eevil\u2069");
    data.explanation.headword = data.explanation.meaningZh = evil;
    data.explanation.sentence = data.explanation.sentenceZh = evil;
    showWord(data);
    layOut();
    QStringList texts = labelTexts();
    for (const QTextEdit* edit : view->findChildren<QTextEdit*>())
        texts.append(edit->toPlainText());
    EXPECT_TRUE(texts.contains(QStringLiteral("rtlevil"))) << texts.join(u'|').toStdString();
    for (const QString& text : texts)
        EXPECT_FALSE(text.contains(QChar(0x202E)) || text.contains(QChar(0x2069)))
            << text.toStdString();
}

TEST_F(CardViewTest, OnlyWebAddressesBecomeLinks)
{
    struct Case {
        const char* name;
        PageSource source;
        bool link;
        QString text;
    };
    const Case cases[] = {
        {"web page",
         {QStringLiteral("Firefox"), QStringLiteral("https://www.example.com/a"), {}},
         true,
         QStringLiteral("来自 Firefox · example.com")},
        {"no address", {QStringLiteral("Kate"), {}, {}}, false, QStringLiteral("来自 Kate")},
        {"file",
         {QStringLiteral("Okular"), QStringLiteral("file:///home/u/book.pdf"), {}},
         false,
         QStringLiteral("来自 Okular · book.pdf")},
        {"script",
         {QStringLiteral("X"), QStringLiteral("javascript:alert(1)"), {}},
         false,
         QStringLiteral("来自 X")},
        {"nothing known", {{}, {}, QStringLiteral("A title")}, false, QString()},
        {"a name that would turn around",
         {QStringLiteral("Fire\u202Efox"), QStringLiteral("https://www.example.com/a"), {}},
         true,
         QStringLiteral("来自 Firefox · example.com")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SourceLabel label(c.source, true);
        auto* link = label.findChild<QAbstractButton*>(QStringLiteral("sourceLink"));
        EXPECT_EQ(link != nullptr, c.link);
        if (link) {
            EXPECT_EQ(link->text(), c.text);
        }
        auto* text = label.findChild<QLabel*>(QStringLiteral("sourceText"));
        if (!c.link && !c.text.isEmpty()) {
            ASSERT_NE(text, nullptr);
            EXPECT_EQ(text->text(), c.text);
        }
        if (c.text.isEmpty()) {
            EXPECT_TRUE(label.findChildren<QLabel*>().isEmpty());
        }
    }
}

} // namespace
