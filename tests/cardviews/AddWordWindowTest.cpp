#include "card/AddWordFixture.h"

#include "ai/AIError.h"
#include "card/views/AddWordView.h"
#include "card/views/AddWordWindow.h"
#include "ui/GrowingTextField.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace glossivo;
using glossivo::testing::AddWordFixture;
using glossivo::testing::FakeChatServer;

namespace {

// The add-word window driven as a user drives it, through its named controls.
class AddWordWindowTest : public AddWordFixture {
protected:
    AddWordWindowTest()
    {
        window = std::make_unique<AddWordWindow>(
            *store, configSource(), [this](const QString& text) { spoken.append(text); });
        window->show();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    // The named control as it is now; pieces replaced by a redraw are hidden until they go.
    template <class T = QWidget> T* find(const char* name) const
    {
        for (T* child : window->findChildren<T*>(QString::fromLatin1(name)))
            if (child->isVisibleTo(window.get())) return child;
        return nullptr;
    }
    QString text(const char* name) const
    {
        if (auto* label = find<QLabel>(name)) return label->text();
        if (auto* box = find(name))
            if (auto* label = box->findChild<QLabel*>("noticeText")) return label->text();
        return QStringLiteral("(none)");
    }
    QLineEdit* wordField() const { return find<QLineEdit>("wordField"); }
    QPushButton* button(const char* name) const { return find<QPushButton>(name); }

    // The lookup ended and the window was laid out again.
    bool settled()
    {
        const bool ended = FakeChatServer::waitFor([this] { return !window->state().loading(); });
        QTest::qWait(1);
        return ended;
    }

    QStringList spoken;
    std::unique_ptr<AddWordWindow> window;
};

TEST_F(AddWordWindowTest, AMisspeltWordAnAlternativeAndASaveWithTheKeyboard)
{
    EXPECT_FALSE(button("queryButton")->isEnabled());
    QTest::keyClicks(wordField(), "  \t");
    EXPECT_FALSE(button("queryButton")->isEnabled());
    wordField()->clear();

    QJsonObject corrected = word("receive");
    corrected["corrected"] = true;
    corrected["register"] = "Formal";
    corrected["alternatives"] =
        QJsonArray{QJsonObject{{"text", "get"}, {"meaning_zh", QStringLiteral("更口语")}}};
    answer(corrected);
    QTest::keyClicks(wordField(), "recieve");
    QTest::keyClick(wordField(), Qt::Key_Return);
    EXPECT_EQ(button("queryButton")->text(), "查询中…");
    EXPECT_FALSE(button("queryButton")->isEnabled());
    EXPECT_NE(find("busyIndicator"), nullptr);
    ASSERT_TRUE(settled());
    EXPECT_EQ(find("busyIndicator"), nullptr);
    EXPECT_EQ(text("correctedLabel"), "你输入的是「recieve」，正确写法是 receive");
    EXPECT_EQ(text("headwordLabel"), "receive");
    EXPECT_EQ(text("meaningLabel"), "v. 收到");
    EXPECT_NE(find("registerBadge"), nullptr);
    find<QAbstractButton>("speakButton")->click();
    EXPECT_EQ(spoken, QStringList{"receive"});

    auto* alternative = find<QAbstractButton>("alternativeButton");
    ASSERT_NE(alternative, nullptr);
    EXPECT_EQ(alternative->toolTip(), "查这个说法");
    answer(word("get", QStringLiteral("得到")));
    QTest::mouseClick(alternative, Qt::LeftButton);
    EXPECT_EQ(wordField()->text(), "get");
    EXPECT_EQ(find("preview"), nullptr);
    ASSERT_TRUE(settled());
    EXPECT_EQ(text("headwordLabel"), "get");
    EXPECT_EQ(find("correctedLabel"), nullptr);
    EXPECT_TRUE(QTest::qWaitFor([this] { return window->height() > AddWordWindow::kInitialSize.height(); }));

    QTest::keyClick(window->focusWidget(), Qt::Key_S, Qt::ControlModifier);
    // A shortcut presses its button visibly, which takes a moment.
    EXPECT_TRUE(QTest::qWaitFor([this] { return find("savedLabel") != nullptr; }));
    EXPECT_EQ(text("savedLabel"), "已保存 get");
    EXPECT_EQ(wordField()->text(), "");
    EXPECT_EQ(find("preview"), nullptr);
    EXPECT_EQ(window->focusWidget(), wordField());
    EXPECT_EQ(wordsOnDisk().size(), 1);
    // The window grew for the answer and goes back once it is gone.
    EXPECT_TRUE(QTest::qWaitFor(
        [this] { return window->height() == AddWordWindow::kInitialSize.height(); }));
}

TEST_F(AddWordWindowTest, TheSentenceFieldGrowsToFourLinesAndItsReturnLooksUp)
{
    auto* field = window->findChild<GrowingTextField*>("sentenceField");
    EXPECT_FALSE(field->isVisible());
    find<QAbstractButton>("addSentenceButton")->click();
    EXPECT_TRUE(field->isVisible());
    EXPECT_EQ(find("addSentenceButton"), nullptr);
    const int twoLines = field->height();
    QTest::keyClicks(field, QStringLiteral("one"));
    for (int i = 0; i < 5; ++i)
        QTest::keyClick(field, Qt::Key_Return, Qt::ShiftModifier);
    QTest::qWait(1);
    EXPECT_EQ(field->height() - twoLines, 2 * field->fontMetrics().lineSpacing());

    field->setPlainText(QStringLiteral("We ran home."));
    QTest::keyClicks(wordField(), "ran");
    answer(word("run"));
    QTest::keyClick(field, Qt::Key_Return);
    ASSERT_TRUE(settled());
    EXPECT_EQ(text("headwordLabel"), "run");
    EXPECT_EQ(field->toPlainText(), "We ran home.");
}

TEST_F(AddWordWindowTest, AnErrorIsShownAndLongAnswersWrapInsteadOfBeingCut)
{
    config.apiKey.clear();
    QTest::keyClicks(wordField(), "ran");
    button("queryButton")->click();
    ASSERT_TRUE(settled());
    EXPECT_EQ(text("errorLabel"), AIError::noKey().errorDescription());
    EXPECT_TRUE(button("queryButton")->isEnabled());

    config.apiKey = QStringLiteral("sk-test-add-word");
    QJsonObject lengthy = word("run");
    lengthy["definition_en"] = QString(40, 'x').replace('x', "move fast ");
    lengthy["about_zh"] = QString(60, QChar(0x8DD1));
    lengthy["sentence"] = QString(30, 'x').replace('x', "we ran on ");
    lengthy["alternatives"] = QJsonArray{
        QJsonObject{{"text", "<b>sprint</b>"}, {"meaning_zh", QString(50, QChar(0x5FEB))}}};
    answer(lengthy);
    button("queryButton")->click();
    ASSERT_TRUE(settled());
    EXPECT_EQ(find("errorLabel"), nullptr);
    // Text from the AI is never read as markup.
    EXPECT_EQ(text("alternativeText"), "<b>sprint</b>");
    const AddWordView* view = window->view();
    EXPECT_GT(window->height(), AddWordWindow::kInitialSize.height());
    for (const QLabel* label : view->findChildren<QLabel*>()) {
        if (!label->isVisibleTo(view) || !label->wordWrap()) continue;
        SCOPED_TRACE(label->objectName().toStdString());
        EXPECT_GE(label->height(), label->heightForWidth(label->width()));
        EXPECT_LE(label->mapTo(view, QPoint(0, label->height())).y(), view->height());
    }
}

} // namespace
