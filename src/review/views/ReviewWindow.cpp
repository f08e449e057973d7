#include "review/views/ReviewWindow.h"

#include "review/ReviewViewState.h"
#include "review/views/RecognitionView.h"
#include "review/views/ReviewWidgets.h"
#include "review/views/RoundEndView.h"
#include "review/views/SpellingView.h"
#include "ui/CapsuleLabel.h"

#include <QHBoxLayout>
#include <QProgressBar>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace glossivo {

using namespace ReviewWidgets;
using Screen = ReviewScreen;

ReviewWindow::ReviewWindow(ReviewViewState& state, QWidget* parent)
    : QWidget(parent), m_state(state)
{
    setObjectName(QStringLiteral("reviewWindow"));
    resize(500, 480);
    setMinimumSize(440, 400);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    auto* top = new QWidget(this);
    top->setFixedHeight(38); // 30 of bar below 8 from the top
    auto* bar = new QHBoxLayout(top);
    bar->setContentsMargins(16, 8, 16, 0);
    bar->setSpacing(8);
    bar->addStretch();
    m_progress = new QProgressBar(top);
    m_progress->setObjectName(QStringLiteral("roundProgress"));
    m_progress->setAccessibleName(QStringLiteral("本轮进度"));
    m_progress->setFixedSize(120, 6);
    m_progress->setTextVisible(false);
    bar->addWidget(m_progress);
    m_counter = coloured(QString(), 11, secondary(palette()), top);
    m_counter->setObjectName(QStringLiteral("roundCounter"));
    QFont digits = m_counter->font();
    digits.setStyleHint(QFont::Monospace);
    m_counter->setFont(digits);
    bar->addWidget(m_counter);
    column->addWidget(top);

    // A question with a long meaning, a tip and the type-along field can be taller than the
    // window: it scrolls rather than squeezing its lines onto each other.
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("contentScroll"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setWidgetResizable(true);
    scroll->viewport()->setAutoFillBackground(false);
    auto* area = new QWidget(scroll);
    area->setAutoFillBackground(false);
    m_content = new QVBoxLayout(area);
    m_content->setContentsMargins(22, 0, 22, 18);
    m_content->setSpacing(0);
    scroll->setWidget(area);
    column->addWidget(scroll, 1);

    connect(&m_state, &ReviewViewState::changed, this, &ReviewWindow::redraw);
    connect(&m_state, &ReviewViewState::closeRequested, this, &QWidget::close);
    redraw();
}

void ReviewWindow::redraw()
{
    const Screen& screen = m_state.screen();
    m_progress->setVisible(screen.top.shown);
    m_counter->setVisible(screen.top.shown);
    m_progress->setRange(0, std::max(screen.top.total, 1));
    m_progress->setValue(screen.top.done);
    m_counter->setText(screen.top.counter);
    m_counter->setAccessibleName(screen.top.counter);

    const bool asks = screen.content == Screen::Content::recognition ||
                      screen.content == Screen::Content::spelling;
    const bool same =
        screen.content == m_shownContent &&
        (asks ? screen.questionId == m_shownQuestion : screen.content == Screen::Content::nothing);
    if (same) {
        if (auto* recognition = qobject_cast<RecognitionView*>(m_body)) recognition->show(screen);
        if (auto* spelling = qobject_cast<SpellingView*>(m_body)) spelling->show(screen);
        return;
    }
    // Later: the button that led here may still be on the stack.
    if (m_shown) {
        m_shown->hide();
        m_shown->deleteLater();
    }
    m_shown = nullptr;
    m_body = nullptr;
    m_shownContent = screen.content;
    m_shownQuestion = screen.questionId;
    switch (screen.content) {
    case Screen::Content::nothing:
        return;
    case Screen::Content::empty:
    case Screen::Content::finished:
        m_shown = new RoundEndView(screen, m_state, this);
        break;
    case Screen::Content::recognition:
    case Screen::Content::spelling:
        m_shown = question(screen);
        break;
    }
    m_content->addWidget(m_shown);
    // Each new view starts at its top, wherever the last one was scrolled.
    if (auto* scroll = findChild<QScrollArea*>(QStringLiteral("contentScroll")))
        scroll->verticalScrollBar()->setValue(0);
    m_shown->show();
}

QWidget* ReviewWindow::question(const ReviewScreen& screen)
{
    auto* box = new QWidget(this);
    box->setObjectName(QStringLiteral("question"));
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 10, 0, 0);
    column->setSpacing(16);
    auto* header = new QHBoxLayout;
    header->setSpacing(6);
    auto* badge = new CapsuleLabel(screen.badge, palette().color(QPalette::Highlight), 0.18,
                                   QMargins(7, 2, 7, 2), 11, box);
    badge->setObjectName(QStringLiteral("badge"));
    badge->setAccessibleName(screen.badge);
    badge->setFont(DesignSize::font(badge->font(), 11, QFont::Bold));
    QPalette ink = badge->palette();
    ink.setColor(QPalette::WindowText, palette().color(QPalette::WindowText));
    badge->setPalette(ink);
    header->addWidget(badge);
    PlainLabel* prompt = coloured(screen.prompt, 12, secondary(palette()), box);
    prompt->setObjectName(QStringLiteral("prompt"));
    header->addWidget(&prompt->wrapping(), 1);
    column->addLayout(header);
    if (screen.content == Screen::Content::recognition) {
        auto* recognition = new RecognitionView(m_state, box);
        recognition->show(screen);
        m_body = recognition;
    } else {
        m_body = new SpellingView(m_state, screen, box);
    }
    column->addWidget(m_body);
    column->addStretch();
    return box;
}

} // namespace glossivo
