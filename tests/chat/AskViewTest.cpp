#include "ChatFixture.h"

#include "ui/ChipButton.h"
#include "ui/ClampedLabel.h"
#include "ui/GrowingTextField.h"
#include "ui/MarkdownText.h"
#include "ui/SystemColors.h"

#include <QPointer>
#include <QTest>

#include <algorithm>

using namespace glossivo;
using glossivo::testing::ChatFixture;
using glossivo::testing::FakeChatServer;
using glossivo::testing::FakeReply;
using Ending = FakeReply::Ending;

namespace {

class AskViewTest : public ChatFixture {
protected:
    AskViewTest()
    {
        makeView();
        session->start(wordContext());
    }

    bool waitForLastText(const QString& text) const
    {
        return FakeChatServer::waitFor([this, text] {
            return !session->messages().isEmpty() && session->messages().last().text == text;
        });
    }

    void type(const QString& text, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        auto* field = find<GrowingTextField>("questionField");
        // As an input method would put it there: key clicks carry ASCII only.
        field->insertPlainText(text);
        QTest::keyClick(field, Qt::Key_Return, modifiers);
    }

    bool chipsEnabled() const
    {
        const QList<ChipButton*> chips = all<ChipButton>("chip");
        return chips.size() == 4 && std::all_of(chips.begin(), chips.end(),
                                                [](ChipButton* chip) { return chip->isEnabled(); });
    }
};

TEST_F(AskViewTest, AnAnswerStreamsIntoItsRowAndCanBeStoppedAndSaved)
{
    EXPECT_NE(find("hintLabel"), nullptr);
    EXPECT_TRUE(all("messageRow").isEmpty());

    server.enqueue(answer({QStringLiteral("**因为**"), QStringLiteral("是过去时")}, Ending::hold));
    type(QStringLiteral("**粗**什么意思？"));
    ASSERT_EQ(all("messageRow").size(), 2);
    // The question as typed, never read as Markdown.
    EXPECT_EQ(find<QLabel>("questionBubble")->text(), QStringLiteral("**粗**什么意思？"));
    EXPECT_EQ(find<QLabel>("questionBubble")->textFormat(), Qt::PlainText);
    EXPECT_NE(find("thinkingIndicator"), nullptr);
    EXPECT_EQ(find("hintLabel"), nullptr);
    EXPECT_NE(find("stopButton"), nullptr);
    EXPECT_EQ(find("sendButton"), nullptr);
    EXPECT_FALSE(chipsEnabled());
    EXPECT_TRUE(find<GrowingTextField>("questionField")->toPlainText().isEmpty());
    const QPointer<QWidget> question = all("messageRow").first();

    ASSERT_TRUE(waitForLastText(QStringLiteral("**因为**是过去时")));
    QTest::qWait(1);
    EXPECT_EQ(find("thinkingIndicator"), nullptr);
    const auto* text = find<MarkdownText>("answerText");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->toPlainText(), QStringLiteral("因为是过去时"));
    EXPECT_EQ(find("saveAnswerButton"), nullptr) << "no save control while the answer streams";
    // Earlier rows are kept, not drawn again for each piece.
    EXPECT_EQ(all("messageRow").first(), question.data());

    find<QAbstractButton>("stopButton")->click();
    EXPECT_FALSE(session->isAnswering());
    EXPECT_NE(find("sendButton"), nullptr);
    EXPECT_TRUE(chipsEnabled());
    auto* save = find<QAbstractButton>("saveAnswerButton");
    ASSERT_NE(save, nullptr) << "a stopped answer can be kept with what it has";
    EXPECT_EQ(save->text(), QStringLiteral("存到「ran」"));
    save->click();
    EXPECT_EQ(find("saveAnswerButton"), nullptr);
    EXPECT_NE(find("savedLabel"), nullptr);
    ASSERT_NE(stored(QStringLiteral("ran")), nullptr);
    EXPECT_EQ(stored(QStringLiteral("ran"))->notes.value().first().answer,
              QStringLiteral("**因为**是过去时"));
}

TEST_F(AskViewTest, AnAnswerStoppedBeforeItsFirstPieceKeepsThinking)
{
    server.enqueue(answer({}, Ending::hold));
    find<ChipButton>("chip")->click();
    ASSERT_TRUE(FakeChatServer::waitFor([this] { return server.requests().size() == 1; }));
    EXPECT_EQ(server.requests().first().json()["messages"].toArray().last()["content"].toString(),
              promptOf(QuickQuestion::why, wordContext()));
    EXPECT_EQ(all<QLabel>("questionBubble").first()->text(), QStringLiteral("为什么这么用？"));
    find<QAbstractButton>("stopButton")->click();
    EXPECT_NE(find("thinkingIndicator"), nullptr);
    EXPECT_EQ(find("saveAnswerButton"), nullptr);
}

TEST_F(AskViewTest, AFailureBeforeAnyTextShowsTheErrorInRedAboveTheHint)
{
    server.enqueue(FakeReply::text(402, "{}"));
    find<ChipButton>("chip")->click();
    ASSERT_TRUE(waitUntilIdle());
    auto* error = find<QLabel>("errorLabel");
    ASSERT_NE(error, nullptr);
    EXPECT_EQ(error->text(), QStringLiteral("DeepSeek 账户余额不足，请先充值。"));
    EXPECT_EQ(error->palette().color(QPalette::WindowText),
              systemColor(SystemColor::red, view->palette()));
    EXPECT_NE(find("hintLabel"), nullptr);
    EXPECT_TRUE(all("messageRow").isEmpty());
    EXPECT_TRUE(chipsEnabled());

    server.enqueue(answer({QStringLiteral("好")}));
    type(QStringLiteral("再试"));
    EXPECT_EQ(find("errorLabel"), nullptr) << "the next question clears the error";
}

TEST_F(AskViewTest, BlankInputCannotBeSentAndReturnSendsNothingWhileAnswering)
{
    auto* field = find<GrowingTextField>("questionField");
    field->insertPlainText(QStringLiteral(" \t "));
    EXPECT_EQ(session->input(), QStringLiteral(" \t "));
    EXPECT_FALSE(find<QAbstractButton>("sendButton")->isEnabled());
    // A line break (Shift+Return) enables the button, but the session sends nothing for it.
    QTest::keyClick(field, Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(session->input(), QStringLiteral(" \t \n"));
    EXPECT_TRUE(find<QAbstractButton>("sendButton")->isEnabled());
    find<QAbstractButton>("sendButton")->click();
    EXPECT_TRUE(session->messages().isEmpty());
    EXPECT_EQ(field->toPlainText(), QStringLiteral(" \t \n"));

    field->clear();
    server.enqueue(answer({QStringLiteral("半")}, Ending::hold));
    type(QStringLiteral("第一问"));
    type(QStringLiteral("第二问"));
    EXPECT_EQ(session->messages().size(), 2);
    EXPECT_EQ(field->toPlainText(), QStringLiteral("第二问"));
    // The session's input and the field are one text.
    session->setInput(QStringLiteral("改过的"));
    EXPECT_EQ(field->toPlainText(), QStringLiteral("改过的"));
}

TEST_F(AskViewTest, OnlyPassagesOfMoreThan160CharactersCanBeExpanded)
{
    // 160 user-perceived characters, 161 code units: the emoji counts once.
    const QString limit = QString(159, QLatin1Char('a')) + QStringLiteral("👍");
    session->start(wordContext(limit));
    EXPECT_EQ(find("expandButton"), nullptr);

    const QString longer =
        QString(80, QLatin1Char('b')) + QLatin1Char(' ') + QString(80, QLatin1Char('c'));
    session->start(wordContext(longer));
    auto* expand = find<QAbstractButton>("expandButton");
    ASSERT_NE(expand, nullptr);
    EXPECT_EQ(expand->text(), QStringLiteral("展开全文"));
    EXPECT_EQ(find<ClampedLabel>("passageLabel")->lineLimit(), AskView::kPassageLines);
    EXPECT_EQ(find<ClampedLabel>("translationLabel")->lineLimit(), AskView::kTranslationLines);

    expand->click();
    EXPECT_TRUE(view->originalExpanded());
    EXPECT_EQ(expand->text(), QStringLiteral("收起"));
    EXPECT_EQ(find<ClampedLabel>("passageLabel")->lineLimit(), 0);
    EXPECT_EQ(find<ClampedLabel>("translationLabel")->lineLimit(), 0);

    session->start(wordContext(longer));
    EXPECT_TRUE(view->originalExpanded()) << "the same passage again stays as it was";
    session->start(wordContext(longer + QStringLiteral(" more")));
    EXPECT_FALSE(view->originalExpanded());
    EXPECT_EQ(find<ClampedLabel>("passageLabel")->lineLimit(), AskView::kPassageLines);
}

TEST_F(AskViewTest, ACutPassageEndsInAnEllipsisAndFitsItsLines)
{
    const QString longer = QStringLiteral("word ").repeated(80).trimmed();
    session->start(wordContext(longer));
    const auto* passage = find<ClampedLabel>("passageLabel");
    const QString cut = passage->shownText(300);
    EXPECT_TRUE(cut.endsWith(QChar(0x2026)));
    EXPECT_LE(cut.count(QLatin1Char('\n')), AskView::kPassageLines - 1);
    EXPECT_LE(passage->heightForWidth(300), 3 * passage->fontMetrics().lineSpacing() + 3);
}

TEST_F(AskViewTest, TheConversationFollowsTheStreamingAnswer)
{
    host->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(host.get()));
    QStringList pieces;
    for (int i = 0; i < 6; ++i)
        pieces.append(QStringLiteral("- 第 %1 点\n").arg(i).repeated(6));
    server.enqueue(answer(pieces, Ending::hold));
    type(QStringLiteral("多说点"));
    QScrollBar* bar = conversationBar();
    const QString whole = pieces.join(QString());
    const auto lastText = [this] { return session->messages().last().text; };
    ASSERT_TRUE(FakeChatServer::waitFor([&] { return !lastText().isEmpty(); }));
    while (true) {
        EXPECT_TRUE(FakeChatServer::waitFor([bar] { return bar->value() == bar->maximum(); }))
            << "after " << lastText().size() << " characters";
        if (lastText() == whole) break;
        // Scrolling up by hand holds only until the next piece.
        const qsizetype seen = lastText().size();
        bar->triggerAction(QAbstractSlider::SliderToMinimum);
        ASSERT_TRUE(FakeChatServer::waitFor([&] { return lastText().size() > seen; }));
    }
    EXPECT_GT(bar->maximum(), 0);
}

TEST_F(AskViewTest, OnlyWebLinksInAnAnswerReachTheOpener)
{
    server.enqueue(
        answer({QStringLiteral("[文档](https://a.example/doc) 和 [脚本](javascript:x)")}));
    type(QStringLiteral("链接？"));
    ASSERT_TRUE(waitUntilIdle());
    auto* text = find<MarkdownText>("answerText");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->toPlainText(), QStringLiteral("文档 和 脚本"));
    EXPECT_EQ(text->toHtml().count(QStringLiteral("href=")), 1);
    Q_EMIT text->anchorClicked(QUrl(QStringLiteral("https://a.example/doc")));
    Q_EMIT text->anchorClicked(QUrl(QStringLiteral("javascript:x")));
    Q_EMIT text->anchorClicked(QUrl(QStringLiteral("file:///etc/passwd")));
    EXPECT_EQ(opened, QList<QUrl>{QUrl(QStringLiteral("https://a.example/doc"))});
}

} // namespace
