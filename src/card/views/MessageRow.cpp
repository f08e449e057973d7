#include "card/views/MessageRow.h"

#include "ui/BusyIndicator.h"
#include "ui/ChatBubble.h"
#include "ui/DesignSize.h"
#include "ui/Glyphs.h"
#include "ui/IconLabel.h"
#include "ui/MarkdownText.h"
#include "ui/PlainLabel.h"
#include "ui/SystemColors.h"

#include <QHBoxLayout>
#include <QToolButton>
#include <QVBoxLayout>

namespace glossivo {

namespace {

// 3 pt of extra room between the answer's lines, at 96 dots per inch.
constexpr int kAnswerLineSpacing = 4;

} // namespace

MessageRow::MessageRow(const AskSession::Message& message, AskSession& session, LinkOpener open,
                       QWidget* parent)
    : QWidget(parent), m_message(message), m_session(session), m_open(std::move(open)),
      m_look(look())
{
    setObjectName(QStringLiteral("messageRow"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    build();
    connect(&m_session, &AskSession::answeringChanged, this, &MessageRow::refreshControls);
    connect(&m_session, &AskSession::savedChanged, this, &MessageRow::refreshControls);
}

MessageRow::Look MessageRow::look() const
{
    if (m_message.isUser) return Look::question;
    return m_message.text.isEmpty() ? Look::thinking : Look::answer;
}

bool MessageRow::isStreaming() const
{
    const QList<AskSession::Message>& messages = m_session.messages();
    return m_session.isAnswering() && !messages.isEmpty() && messages.last().id == m_message.id;
}

void MessageRow::setMessage(const AskSession::Message& message)
{
    if (message == m_message) return;
    m_message = message;
    if (look() != m_look) {
        m_look = look();
        build();
        return;
    }
    if (m_answer) m_answer->setMarkdown(m_message.text);
}

void MessageRow::build()
{
    if (m_content) {
        m_content->hide();
        m_content->deleteLater();
    }
    m_answer = nullptr;
    m_save = nullptr;
    m_saved = nullptr;
    m_content = new QWidget(this);
    switch (m_look) {
    case Look::question: {
        auto* row = new QHBoxLayout(m_content);
        row->setContentsMargins(0, 0, 0, 0);
        row->addSpacerItem(
            new QSpacerItem(kBubbleInset, 0, QSizePolicy::MinimumExpanding, QSizePolicy::Minimum));
        row->addWidget(new ChatBubble(m_message.text, m_content), 0, Qt::AlignVCenter);
        break;
    }
    case Look::answer: {
        auto* column = new QVBoxLayout(m_content);
        column->setContentsMargins(0, 0, 0, 0);
        column->setSpacing(4);
        m_answer = new MarkdownText(14, kAnswerLineSpacing, m_open, m_content);
        m_answer->setObjectName(QStringLiteral("answerText"));
        m_answer->setMarkdown(m_message.text);
        column->addWidget(m_answer);
        m_save = new QToolButton(m_content);
        m_save->setObjectName(QStringLiteral("saveAnswerButton"));
        m_save->setAutoRaise(true);
        m_save->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        m_save->setFocusPolicy(Qt::NoFocus);
        m_save->setFont(DesignSize::font(m_save->font(), 11));
        m_save->setIcon(glyphIcon(Glyph::star, palette().color(QPalette::ButtonText), 13));
        m_save->setIconSize(QSize(13, 13));
        connect(m_save, &QToolButton::clicked, this, [this] { m_session.save(m_message.id); });
        column->addWidget(m_save, 0, Qt::AlignLeft);
        m_saved =
            new IconLabel(Glyph::checkmarkCircleFilled, QStringLiteral("已存"),
                          systemColor(SystemColor::green, palette()), 11, QFont::Normal, m_content);
        m_saved->setObjectName(QStringLiteral("savedLabel"));
        column->addWidget(m_saved, 0, Qt::AlignLeft);
        break;
    }
    case Look::thinking: {
        auto* row = new QHBoxLayout(m_content);
        row->setContentsMargins(0, 0, 0, 0);
        row->setSpacing(6);
        auto* busy = new BusyIndicator(12, m_content);
        busy->setObjectName(QStringLiteral("thinkingIndicator"));
        row->addWidget(busy, 0, Qt::AlignVCenter);
        auto* label = new PlainLabel(QStringLiteral("正在想…"), m_content);
        label->sized(12).secondary();
        row->addWidget(label, 0, Qt::AlignVCenter);
        row->addStretch(1);
        break;
    }
    }
    layout()->addWidget(m_content);
    refreshControls();
}

void MessageRow::refreshControls()
{
    if (!m_save) return;
    const bool streaming = isStreaming();
    const bool saved = m_session.savedIDs().contains(m_message.id);
    m_save->setText(m_session.saveLabel());
    m_save->setVisible(!streaming && !saved);
    m_saved->setVisible(!streaming && saved);
}

} // namespace glossivo
