#include "CardFixture.h"

#include "input/SelectionReader.h"
#include "input/SourceInfo.h"
#include "input/TriggerController.h"
#include "support/FakeScreenInput.h"

#include <QSignalSpy>

using namespace glossivo;
using glossivo::testing::CardFixture;

namespace {

constexpr quint64 kReader = 100;
constexpr quint64 kCard = 200;

// The selection trigger handing its readings to the card controller, over a desktop of fakes:
// a double-click on a word in another application ends in a word card about it, with the page
// it was read on; a click elsewhere hides the card.
class SelectionToCardTest : public CardFixture {
protected:
    SelectionToCardTest()
    {
        windows.active =
            WindowInfo{kReader, QStringLiteral("firefox"), QStringLiteral("A page"), 42};
        accessibility.address = QStringLiteral("https://example.com/post");
        controller->setHooks({[this] { return sourceInfo.current(); }, {}, {}, {}});
        reader.setPollInterval(std::chrono::milliseconds(1));
        triggers.setSelectionDelay(std::chrono::milliseconds(5));
        triggers.start();
    }

    void click(QPoint at, qint64 time, quint64 window = kReader)
    {
        Q_EMIT input.buttonPressed(PointerEvent{1, at, window, time});
        Q_EMIT input.buttonReleased(PointerEvent{1, at, window, time + 50});
    }

    glossivo::testing::FakeInput input;
    glossivo::testing::FakeWindows windows;
    glossivo::testing::FakeAccessibility accessibility;
    glossivo::testing::FakeBuffers buffers;
    glossivo::testing::FakeClipboard clipboard;
    SelectionReader reader{accessibility, buffers, clipboard, windows};
    const std::function<bool(quint64)> isOwn = [](quint64 id) { return id == kCard; };
    SourceInfo sourceInfo{windows, accessibility, isOwn};
    TriggerController triggers{TriggerController::Services{
        input, windows, reader, *controller, [this] { return config; }, isOwn, nullptr}};
    QSignalSpy handled{&triggers, &TriggerController::selectionHandled};
};

TEST_F(SelectionToCardTest, ADoubleClickedWordEndsInAWordCardAndAClickElsewhereHidesIt)
{
    const QString sentence = QStringLiteral("We ran home after the rain.");
    accessibility.selection = AccessibleSelection{QStringLiteral("ran"), sentence, TextRange{3, 3}};
    click({300, 200}, 1000);
    click({300, 200}, 1150);
    ASSERT_TRUE(handled.wait(1000));
    ASSERT_EQ(ai.explains.size(), 1);
    EXPECT_EQ(ai.explains[0].text, QStringLiteral("ran"));
    EXPECT_EQ(ai.explains[0].context, sentence);
    EXPECT_TRUE(state().is<CardState::Loading>());
    EXPECT_TRUE(surface.visible);

    ai.answer(0, explanation(QStringLiteral("run")));
    ASSERT_NE(word(), nullptr);
    EXPECT_EQ(word()->source,
              (PageSource{QStringLiteral("firefox"), QStringLiteral("https://example.com/post"),
                          QStringLiteral("A page")}));

    // A click on the card itself leaves it; a click in the other application hides it.
    click({10, 10}, 5000, kCard);
    QTest::qWait(50);
    EXPECT_NE(word(), nullptr);
    click({10, 10}, 9000);
    EXPECT_TRUE(QTest::qWaitFor([this] { return state().is<CardState::Hidden>(); }, 1000));
    EXPECT_FALSE(surface.visible);
}

} // namespace
