#include "coach/views/CoachView.h"

#include "coach/CoachFacts.h"
#include "coach/CoachQuestion.h"
#include "coach/CoachSession.h"
#include "coach/CoachText.h"
#include "coach/views/CoachConversation.h"
#include "model/Clock.h"
#include "ui/ChatEntry.h"
#include "ui/ChatInputBar.h"
#include "ui/ChipButton.h"
#include "ui/ChipRow.h"
#include "ui/DesignSize.h"
#include "ui/PlainLabel.h"
#include "ui/SymbolButton.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace glossivo {

namespace {

// A small filled button in the accent colour: the one action of the bar that leaves the window.
QPushButton* prominentButton(const QString& text, Glyph glyph, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    const QPalette p = button->palette();
    const QColor fill = p.color(QPalette::Highlight);
    const QColor ink = p.color(QPalette::HighlightedText);
    button->setFont(DesignSize::font(button->font(), 12));
    button->setIcon(glyphIcon(glyph, ink, 13));
    button->setIconSize(QSize(13, 13));
    button->setFocusPolicy(Qt::NoFocus);
    button->setCursor(Qt::PointingHandCursor);
    button->setStyleSheet(
        QStringLiteral("QPushButton { background-color: %1; color: %2; border: none;"
                       " border-radius: 5px; padding: 3px 8px; }"
                       "QPushButton:pressed { background-color: %3; }")
            .arg(fill.name(), ink.name(), fill.darker(120).name()));
    return button;
}

} // namespace

CoachView::CoachView(CoachSession& session, const CoachFacts& facts, const Clock& clock,
                     std::function<void()> startReview, LinkOpener open, QWidget* parent)
    : QWidget(parent), m_session(session), m_facts(facts), m_clock(clock),
      m_startReview(std::move(startReview)), m_open(std::move(open))
{
    setObjectName(QStringLiteral("coachView"));
    setMinimumSize(420, 440);
    // The window keeps the focus itself, so that the field waits for a click.
    setFocusPolicy(Qt::ClickFocus);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(makeHeader());
    m_conversation = new CoachConversation(m_session, m_open, this);
    column->addWidget(m_conversation, 1);
    column->addWidget(makeInputBar());

    connect(&m_session, &CoachSession::answeringChanged, this, &CoachView::showAnswering);
    connect(&m_session, &CoachSession::inputChanged, this,
            [this] { m_entry->setText(m_session.input()); });
    connect(&m_session, &CoachSession::messagesChanged, this, [this] {
        if (m_session.messages().size() != m_count) refreshDay();
    });
    m_entry->setText(m_session.input());
    showAnswering();
    refreshDay();
}

QWidget* CoachView::makeHeader()
{
    auto* header = new QWidget(this);
    auto* row = new QHBoxLayout(header);
    // The window manager's title bar stands above, so the header needs no room for one.
    row->setContentsMargins(18, 12, 18, 6);
    auto* title = new PlainLabel(QStringLiteral("AI 教练"), header);
    title->setObjectName(QStringLiteral("titleLabel"));
    title->setFont(DesignSize::font(title->font(), 20, QFont::Bold));
    row->addWidget(title, 0, Qt::AlignBottom);
    m_date = new PlainLabel(QString(), header);
    m_date->setObjectName(QStringLiteral("dateLabel"));
    m_date->setFont(DesignSize::font(m_date->font(), 13));
    m_date->secondary();
    // Both texts stand on the title's baseline.
    const int drop = QFontMetrics(title->font()).descent() - QFontMetrics(m_date->font()).descent();
    m_date->setContentsMargins(0, 0, 0, std::max(0, drop));
    row->addWidget(m_date, 0, Qt::AlignBottom);
    row->addStretch(1);
    m_refresh = symbolButton(Glyph::arrowClockwise, palette().color(QPalette::WindowText), 16,
                             QStringLiteral("重新写一份今天的简报"), header);
    m_refresh->setObjectName(QStringLiteral("refreshButton"));
    connect(m_refresh, &QToolButton::clicked, this, [this] { m_session.writeBriefing(); });
    row->addWidget(m_refresh, 0, Qt::AlignVCenter);
    return header;
}

QWidget* CoachView::makeInputBar()
{
    auto* bar = new ChatInputBar(QStringLiteral("跟教练说点什么，比如：今天只有 5 分钟"), 8, this);
    ChipRow* chips = bar->chips();
    QPushButton* review = prominentButton(QStringLiteral("开始复习"), Glyph::stack, chips);
    review->setObjectName(QStringLiteral("reviewButton"));
    connect(review, &QPushButton::clicked, this, [this] {
        if (m_startReview) m_startReview();
    });
    chips->add(review);
    for (const CoachQuestion question : kCoachQuestions) {
        auto* chip = new ChipButton(title(question), chips);
        chip->setObjectName(QStringLiteral("chip"));
        chip->setAccessibleName(chip->text());
        connect(chip, &ChipButton::clicked, this, [this, question] {
            m_session.send(prompt(question, m_facts, m_clock.now()), title(question));
        });
        chips->add(chip);
        m_chips.append(chip);
        if (question == CoachQuestion::afterReview) m_afterReview = chip;
    }

    m_entry = bar->entry();
    connect(m_entry, &ChatEntry::edited, this,
            [this](const QString& text) { m_session.setInput(text); });
    connect(m_entry, &ChatEntry::submitted, this, [this] { m_session.send(); });
    connect(m_entry, &ChatEntry::stopped, this, [this] { m_session.stop(); });
    return bar;
}

void CoachView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    refreshDay();
    setFocus(Qt::OtherFocusReason);
}

void CoachView::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) refreshDay();
}

// Return is the window's default action, as the send button's: it sends from wherever the
// focus is, unless the focused control takes Return for itself (the field sends on its own).
void CoachView::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        m_session.send();
        return;
    }
    QWidget::keyPressEvent(event);
}

void CoachView::refreshDay()
{
    m_count = m_session.messages().size();
    const QDateTime now = m_clock.now();
    m_date->setText(CoachText::dateLine(now));
    m_afterReview->setVisible(!m_facts.todayReview(now).isEmpty());
}

void CoachView::showAnswering()
{
    const bool answering = m_session.isAnswering();
    m_refresh->setEnabled(!answering);
    for (ChipButton* chip : std::as_const(m_chips))
        chip->setEnabled(!answering);
    m_entry->setAnswering(answering);
    refreshDay();
}

} // namespace glossivo
