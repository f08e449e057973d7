#include "coach/views/CoachConversation.h"

#include "coach/CoachSession.h"
#include "coach/views/CoachRow.h"
#include "ui/DesignSize.h"
#include "ui/PlainLabel.h"
#include "ui/SystemColors.h"

#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

namespace glossivo {

namespace {

constexpr int kSideMargin = 18;
constexpr int kRowSpacing = 14;

int heightAt(const QWidget& row, int width)
{
    return row.hasHeightForWidth() ? row.heightForWidth(width) : row.sizeHint().height();
}

} // namespace

CoachConversation::CoachConversation(CoachSession& session, LinkOpener open, QWidget* parent)
    : QScrollArea(parent), m_session(session), m_open(std::move(open))
{
    setObjectName(QStringLiteral("conversation"));
    setAccessibleName(QStringLiteral("对话"));
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The window's background shows through.
    viewport()->setAutoFillBackground(false);

    auto* list = new QWidget(this);
    // Its height comes from the rows at the width it has, not from their narrowest layout.
    list->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Ignored);
    auto* column = new QVBoxLayout(list);
    column->setContentsMargins(kSideMargin, 8, kSideMargin, 8);
    column->setSpacing(kRowSpacing);
    m_rowLayout = new QVBoxLayout;
    m_rowLayout->setSpacing(kRowSpacing);
    column->addLayout(m_rowLayout);

    m_errorBlock = new QWidget(list);
    auto* block = new QVBoxLayout(m_errorBlock);
    block->setContentsMargins(0, 0, 0, 0);
    block->setSpacing(6);
    m_error = new PlainLabel(QString(), m_errorBlock);
    m_error->setObjectName(QStringLiteral("errorLabel"));
    m_error->setFont(DesignSize::font(m_error->font(), 12));
    m_error->wrapping().colour(systemColor(SystemColor::red, palette()));
    block->addWidget(m_error);
    m_retry = new QPushButton(QStringLiteral("再试一次"), m_errorBlock);
    m_retry->setObjectName(QStringLiteral("retryButton"));
    m_retry->setFocusPolicy(Qt::NoFocus);
    connect(m_retry, &QPushButton::clicked, this, [this] { m_session.writeBriefing(); });
    block->addWidget(m_retry, 0, Qt::AlignLeft);
    column->addWidget(m_errorBlock);
    column->addStretch(1);
    setWidget(list);
    // The scroll area paints its content's background; the window's should show.
    list->setAutoFillBackground(false);

    QScrollBar* bar = verticalScrollBar();
    connect(bar, &QScrollBar::valueChanged, this, [this] { fill(); });
    connect(bar, &QScrollBar::rangeChanged, this, &CoachConversation::pin);
    // A scroll by hand lets go of the pinned question.
    connect(bar, &QScrollBar::actionTriggered, this, [this] { m_pinned = nullptr; });
    connect(&m_session, &CoachSession::messagesChanged, this, &CoachConversation::showMessages);
    connect(&m_session, &CoachSession::errorChanged, this, &CoachConversation::showError);
    m_count = m_session.messages().size();
    showMessages();
    showError();
}

void CoachConversation::showMessages()
{
    const QList<CoachMessage>& messages = m_session.messages();
    // Once every row is built, new messages get theirs at once.
    const bool complete = m_rows.size() == m_count;
    // Rows stay with their messages: a message that is gone (a new brief, a question taken back
    // after a failure) takes its row and every row after it along.
    qsizetype kept = 0;
    while (kept < m_rows.size() && kept < messages.size() &&
           m_rows.at(kept)->id() == messages.at(kept).id)
        ++kept;
    while (m_rows.size() > kept) {
        CoachRow* gone = m_rows.takeLast();
        m_heights.removeLast();
        gone->hide();
        gone->deleteLater();
    }
    for (qsizetype i = 0; i < kept; ++i) {
        if (m_rows.at(i)->message() == messages.at(i)) continue;
        m_rows.at(i)->setMessage(messages.at(i));
        m_heights[i] = heightAt(*m_rows.at(i), m_measuredWidth);
    }
    m_retry->setVisible(messages.isEmpty());

    // A new question goes to the top, with room for its answer below; a new brief or a text
    // that grows moves nothing.
    const bool counted = messages.size() != m_count;
    m_count = messages.size();
    const qsizetype question = messages.size() - 2;
    if (counted && question >= 0 && !messages.at(question).fromCoach) {
        fill(complete ? messages.size() - 1 : question);
        m_pinned = m_rows.at(question);
        QTimer::singleShot(0, this, &CoachConversation::pin);
    } else {
        if (counted) m_pinned = nullptr;
        fill(complete ? messages.size() - 1 : -1);
    }
}

void CoachConversation::fill(qsizetype through)
{
    const QList<CoachMessage>& messages = m_session.messages();
    if (m_rows.size() == messages.size()) return;
    const int width = viewport()->width() - 2 * kSideMargin;
    const int reach = verticalScrollBar()->value() + 2 * viewport()->height();
    if (width != m_measuredWidth) {
        m_measuredWidth = width;
        for (qsizetype i = 0; i < m_rows.size(); ++i)
            m_heights[i] = heightAt(*m_rows.at(i), width);
    }
    int bottom = 0;
    for (const int height : std::as_const(m_heights))
        bottom += height + kRowSpacing;
    const bool all = !m_session.error().isEmpty();
    while (m_rows.size() < messages.size() && (all || bottom < reach || m_rows.size() <= through)) {
        auto* row = new CoachRow(messages.at(m_rows.size()), m_open, widget());
        m_rowLayout->addWidget(row);
        m_rows.append(row);
        m_heights.append(heightAt(*row, width));
        bottom += m_heights.last() + kRowSpacing;
    }
}

void CoachConversation::pin()
{
    if (!m_pinned) return;
    verticalScrollBar()->setValue(m_pinned->y());
    // Held while the answer below grows and the list is laid out again; let go after the
    // layout that follows its end.
    if (!m_session.isAnswering()) m_pinned = nullptr;
}

void CoachConversation::showError()
{
    const QString& error = m_session.error();
    m_error->setText(error);
    m_errorBlock->setVisible(!error.isEmpty());
    if (!error.isEmpty()) fill();
}

void CoachConversation::resizeEvent(QResizeEvent* event)
{
    QScrollArea::resizeEvent(event);
    fill();
}

} // namespace glossivo
