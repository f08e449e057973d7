#include "CoachViewFixture.h"

#include <QAbstractButton>

using namespace glossivo;
using glossivo::testing::CoachViewFixture;
using glossivo::testing::FakeReply;

namespace {

// What the coach window's buttons allow, and where they lead.
class CoachControlsTest : public CoachViewFixture {
protected:
    QAbstractButton* button(const char* name, const QString& text = {}) const
    {
        return find<QAbstractButton>(name, text);
    }
};

TEST_F(CoachControlsTest, SendIsEnabledForAnyTextBeyondSpacesAndTabs)
{
    makeView();
    const QList<std::pair<QString, bool>> inputs{
        {"", false}, {" \t ", false}, {"\n", true}, {" 好", true}};
    for (const auto& [input, enabled] : inputs) {
        session->setInput(input);
        EXPECT_EQ(button("sendButton")->isEnabled(), enabled) << input.toStdString();
    }
}

TEST_F(CoachControlsTest, WhileTheCoachAnswersNothingElseCanBeAsked)
{
    server.enqueue(FakeReply::streamed({}, FakeReply::Ending::hold));
    makeView();
    session->open();
    ASSERT_TRUE(session->isAnswering());
    EXPECT_FALSE(button("refreshButton")->isEnabled());
    EXPECT_FALSE(button("chip")->isEnabled());
    EXPECT_EQ(button("sendButton"), nullptr);
    session->stop();
    EXPECT_TRUE(button("refreshButton")->isEnabled());
    EXPECT_TRUE(button("chip")->isEnabled());
}

TEST_F(CoachControlsTest, TheReviewChipFollowsTodaysReviewAndTheReviewButtonStartsOne)
{
    int started = 0;
    host = std::make_unique<QWidget>();
    view = new CoachView(
        *session, *facts, clock, [&started] { ++started; }, {}, host.get());
    const QString afterReview = QStringLiteral("聊聊刚才的复习");
    host->show();
    EXPECT_EQ(button("chip", afterReview), nullptr);
    log.hold(QStringLiteral("review"), QStringLiteral("reluctant"), QStringLiteral("good"));
    log.flush();
    host->hide();
    host->show();
    EXPECT_NE(button("chip", afterReview), nullptr);

    button("reviewButton")->click();
    EXPECT_EQ(started, 1);
}

} // namespace
