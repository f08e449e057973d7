#include "coach/views/CoachRow.h"

#include "coach/CoachExcerpt.h"
#include "ui/BusyIndicator.h"
#include "ui/ChatBubble.h"
#include "ui/DesignSize.h"
#include "ui/MarkdownText.h"
#include "ui/PlainLabel.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace glossivo {

namespace {

constexpr int kCoachTextSize = 14;
constexpr int kCoachLineSpacing = 5;
const char* const kWaitingText = "教练在看你这几天的记录…";
const char* const kCopyText = "复制全文";
const char* const kCopiedText = "已复制";

} // namespace

CoachRow::CoachRow(const CoachMessage& message, LinkOpener open, QWidget* parent)
    : QWidget(parent), m_message(message), m_open(std::move(open)), m_look(look())
{
    setObjectName(QStringLiteral("coachRow"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    build();
}

CoachRow::Look CoachRow::look() const
{
    if (!m_message.fromCoach) return Look::learner;
    return m_message.text.isEmpty() ? Look::waiting : Look::coach;
}

void CoachRow::setMessage(const CoachMessage& message)
{
    if (message == m_message) return;
    m_message = message;
    if (look() != m_look) {
        m_look = look();
        build();
    } else if (m_text) {
        showCoachText();
    }
}

void CoachRow::showCoachText()
{
    const CoachExcerpt shown = CoachExcerpt::of(m_message.text);
    // A text that grew is not the one copied before.
    m_copy->setText(QString::fromUtf8(kCopyText));
    m_copy->setVisible(shown.cut);
    m_text->setMarkdown(m_message.text, shown.end);
    setAccessibleName(m_text->accessibleName());
}

void CoachRow::build()
{
    if (m_content) {
        m_content->hide();
        m_content->deleteLater();
    }
    m_text = nullptr;
    m_copy = nullptr;
    m_content = new QWidget(this);
    switch (m_look) {
    case Look::learner: {
        const QString shown = m_message.shown.value_or(m_message.text);
        auto* row = new QHBoxLayout(m_content);
        row->setContentsMargins(0, 0, 0, 0);
        row->addSpacerItem(
            new QSpacerItem(kBubbleInset, 0, QSizePolicy::MinimumExpanding, QSizePolicy::Minimum));
        row->addWidget(new ChatBubble(shown, m_content), 0, Qt::AlignVCenter);
        setAccessibleName(shown);
        break;
    }
    case Look::waiting: {
        auto* row = new QHBoxLayout(m_content);
        row->setContentsMargins(0, 0, 0, 0);
        row->setSpacing(6);
        auto* busy = new BusyIndicator(12, m_content);
        busy->setObjectName(QStringLiteral("waitingIndicator"));
        row->addWidget(busy, 0, Qt::AlignVCenter);
        auto* label = new PlainLabel(QString::fromUtf8(kWaitingText), m_content);
        label->setObjectName(QStringLiteral("waitingLabel"));
        label->setFont(DesignSize::font(label->font(), 12));
        label->secondary();
        row->addWidget(label, 0, Qt::AlignVCenter);
        row->addStretch(1);
        setAccessibleName(label->text());
        break;
    }
    case Look::coach: {
        auto* column = new QVBoxLayout(m_content);
        column->setContentsMargins(0, 0, 0, 0);
        m_text = new MarkdownText(kCoachTextSize, kCoachLineSpacing, m_open, m_content);
        m_text->setObjectName(QStringLiteral("coachText"));
        m_text->setFont(DesignSize::font(m_text->font(), kCoachTextSize));
        column->addWidget(m_text);
        m_copy = new QPushButton(m_content);
        m_copy->setObjectName(QStringLiteral("copyAllButton"));
        m_copy->setFont(DesignSize::font(m_copy->font(), 12));
        m_copy->setFocusPolicy(Qt::NoFocus);
        connect(m_copy, &QPushButton::clicked, this, [this] {
            QGuiApplication::clipboard()->setText(m_message.text);
            m_copy->setText(QString::fromUtf8(kCopiedText));
        });
        column->addWidget(m_copy, 0, Qt::AlignLeft);
        showCoachText();
        break;
    }
    }
    layout()->addWidget(m_content);
}

} // namespace glossivo
