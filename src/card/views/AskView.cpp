#include "card/views/AskView.h"

#include "card/views/MessageRow.h"
#include "model/Graphemes.h"
#include "model/InlineMarkdown.h"
#include "ui/ChatEntry.h"
#include "ui/ChatInputBar.h"
#include "ui/ChipButton.h"
#include "ui/ChipRow.h"
#include "ui/ClampedLabel.h"
#include "ui/DesignSize.h"
#include "ui/GlassPanel.h"
#include "ui/GrowingTextField.h"
#include "ui/HighlightedLabel.h"
#include "ui/PlainLabel.h"
#include "ui/SystemColors.h"

#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace glossivo {

AskView::AskView(AskSession& session, LinkOpener open, QWidget* parent)
    : QWidget(parent), m_session(session), m_open(std::move(open))
{
    setObjectName(QStringLiteral("askView"));
    setMinimumSize(380, 360);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(makeHeader());
    column->addWidget(makeConversation(), 1);
    column->addWidget(makeInputBar());

    connect(&m_session, &AskSession::contextChanged, this, &AskView::showContext);
    connect(&m_session, &AskSession::messagesChanged, this, &AskView::showMessages);
    connect(&m_session, &AskSession::errorChanged, this, &AskView::showError);
    connect(&m_session, &AskSession::answeringChanged, this, &AskView::showAnswering);
    connect(&m_session, &AskSession::inputChanged, this, &AskView::showInput);
    showContext();
    showMessages();
    showError();
    showAnswering();
    showInput();
}

QWidget* AskView::makeHeader()
{
    auto* outer = new QWidget(this);
    auto* margins = new QVBoxLayout(outer);
    // The window has a title bar of its own, so the panel needs no room for one.
    margins->setContentsMargins(10, 10, 10, 0);
    auto* panel = new GlassPanel(12, outer);
    panel->setObjectName(QStringLiteral("passagePanel"));
    margins->addWidget(panel);
    auto* stack = new QVBoxLayout(panel);
    stack->setContentsMargins(12, 10, 12, 10);
    stack->setSpacing(4);

    m_passage = new ClampedLabel(
        [this](const QString& text) {
            return HighlightedLabel::markup(text,
                                            {m_session.context().focusWord.value_or(QString())},
                                            palette().color(QPalette::Highlight));
        },
        panel);
    m_passage->setObjectName(QStringLiteral("passageLabel"));
    m_passage->setFont(DesignSize::font(m_passage->font(), 13));
    m_passage->setTextInteractionFlags(Qt::TextSelectableByMouse);
    stack->addWidget(m_passage);

    m_translation = new ClampedLabel(plainMarkup, panel);
    m_translation->setObjectName(QStringLiteral("translationLabel"));
    m_translation->setFont(DesignSize::font(m_translation->font(), 12));
    QPalette secondary = m_translation->palette();
    secondary.setColor(QPalette::WindowText, secondary.color(QPalette::PlaceholderText));
    m_translation->setPalette(secondary);
    m_translation->setTextInteractionFlags(Qt::TextSelectableByMouse);
    stack->addWidget(m_translation);

    m_expand = new QPushButton(panel);
    m_expand->setObjectName(QStringLiteral("expandButton"));
    m_expand->setFlat(true);
    m_expand->setFocusPolicy(Qt::NoFocus);
    m_expand->setCursor(Qt::PointingHandCursor);
    m_expand->setFont(DesignSize::font(m_expand->font(), 11));
    m_expand->setStyleSheet(QStringLiteral("QPushButton { border: none; padding: 0; color: %1; }")
                                .arg(palette().color(QPalette::Link).name()));
    connect(m_expand, &QPushButton::clicked, this, [this] { setExpanded(!m_expanded); });
    stack->addWidget(m_expand, 0, Qt::AlignLeft);
    return outer;
}

QWidget* AskView::makeConversation()
{
    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("conversation"));
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setWidgetResizable(true);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The window's background shows through.
    m_scroll->viewport()->setAutoFillBackground(false);

    auto* list = new QWidget(m_scroll);
    list->setAutoFillBackground(false);
    // The scroll area would otherwise hold the list at least as tall as its rows would be at
    // their narrowest; its height comes from the rows at the width it has.
    list->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Ignored);
    auto* column = new QVBoxLayout(list);
    column->setContentsMargins(14, 10, 14, 10);
    column->setSpacing(10);
    m_rows = new QVBoxLayout;
    m_rows->setSpacing(10);
    column->addLayout(m_rows);
    m_error = new PlainLabel(QString(), list);
    m_error->setObjectName(QStringLiteral("errorLabel"));
    m_error->sized(12).wrapping().colour(systemColor(SystemColor::red, palette()));
    column->addWidget(m_error);
    m_hint = new PlainLabel(QStringLiteral("点下面的问题直接问，或者自己输入。"), list);
    m_hint->setObjectName(QStringLiteral("hintLabel"));
    m_hint->sized(12).wrapping().secondary();
    m_hint->setContentsMargins(0, 6, 0, 0);
    column->addWidget(m_hint);
    column->addStretch(1);
    m_scroll->setWidget(list);
    // The scroll area paints its content's background; the window's should show.
    list->setAutoFillBackground(false);

    QScrollBar* bar = m_scroll->verticalScrollBar();
    connect(bar, &QScrollBar::rangeChanged, this, [this, bar](int, int maximum) {
        if (m_following) bar->setValue(maximum);
    });
    // A scroll by hand lets go of the end until the next piece of an answer.
    connect(bar, &QScrollBar::actionTriggered, this, [this] { m_following = false; });
    return m_scroll;
}

QWidget* AskView::makeInputBar()
{
    auto* bar =
        new ChatInputBar(QStringLiteral("自己问，比如：这里为什么用 would 而不是 will？"), 6, this);
    ChipRow* chips = bar->chips();
    for (const QuickQuestion question : kQuickQuestions) {
        auto* chip = new ChipButton(titleOf(question), chips);
        chip->setObjectName(QStringLiteral("chip"));
        connect(chip, &ChipButton::clicked, this, [this, question] {
            m_session.send(promptOf(question, m_session.context()), titleOf(question));
        });
        chips->add(chip);
        m_chips.append(chip);
    }

    m_entry = bar->entry();
    connect(m_entry, &ChatEntry::edited, this,
            [this](const QString& text) { m_session.setInput(text); });
    connect(m_entry, &ChatEntry::submitted, this, [this] { m_session.send(); });
    connect(m_entry, &ChatEntry::stopped, this, [this] { m_session.stop(); });
    return bar;
}

void AskView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    m_entry->field()->setFocus();
}

void AskView::showContext()
{
    const AskContext& context = m_session.context();
    // Another passage starts cut; the same one again stays as the user left it.
    if (m_shownContext && !(*m_shownContext == context)) m_expanded = false;
    m_shownContext = context;
    m_passage->setFullText(context.original);
    const bool translated = context.translation && !context.translation->isEmpty();
    m_translation->setFullText(translated ? *context.translation : QString());
    m_translation->setVisible(translated);
    m_expand->setVisible(Graphemes::split(context.original).size() > kExpandableLength);
    setExpanded(m_expanded);
}

void AskView::setExpanded(bool expanded)
{
    m_expanded = expanded;
    m_passage->setLineLimit(expanded ? 0 : kPassageLines);
    m_translation->setLineLimit(expanded ? 0 : kTranslationLines);
    m_expand->setText(expanded ? QStringLiteral("收起") : QStringLiteral("展开全文"));
}

void AskView::showMessages()
{
    const QList<AskSession::Message>& messages = m_session.messages();
    // Rows stay with their turns: a turn that is gone (a new chat, a question taken back after
    // a failure) takes its row and every row after it along.
    qsizetype kept = 0;
    while (kept < m_rowList.size() && kept < messages.size() &&
           m_rowList.at(kept)->id() == messages.at(kept).id)
        ++kept;
    while (m_rowList.size() > kept) {
        MessageRow* gone = m_rowList.takeLast();
        gone->hide();
        gone->deleteLater();
    }
    for (qsizetype i = 0; i < kept; ++i)
        m_rowList.at(i)->setMessage(messages.at(i));
    for (qsizetype i = kept; i < messages.size(); ++i) {
        auto* row = new MessageRow(messages.at(i), m_session, m_open, m_rows->parentWidget());
        m_rows->addWidget(row);
        m_rowList.append(row);
    }
    m_hint->setVisible(messages.isEmpty());

    const std::optional<QString> last =
        messages.isEmpty() ? std::nullopt : std::optional<QString>(messages.last().text);
    const bool lastChanged = last != m_lastText;
    m_lastText = last;
    if (lastChanged && last) followEnd();
}

void AskView::followEnd()
{
    m_following = true;
    QScrollBar* bar = m_scroll->verticalScrollBar();
    bar->setValue(bar->maximum());
}

void AskView::showError()
{
    m_error->setText(m_session.error());
    m_error->setVisible(!m_session.error().isEmpty());
}

void AskView::showAnswering()
{
    const bool answering = m_session.isAnswering();
    for (ChipButton* chip : std::as_const(m_chips))
        chip->setEnabled(!answering);
    m_entry->setAnswering(answering);
}

void AskView::showInput()
{
    m_entry->setText(m_session.input());
}

} // namespace glossivo
