#include "ui/ChatEntry.h"

#include "ui/DesignSize.h"
#include "ui/GrowingTextField.h"
#include "ui/SymbolButton.h"

#include <QHBoxLayout>
#include <QToolButton>

namespace glossivo {

namespace {

bool hasQuestion(const QString& input)
{
    for (const QChar c : input)
        if (c != QLatin1Char(' ') && c != QLatin1Char('\t')) return true;
    return false;
}

// The symbols at 20 px.
constexpr int kSymbolSize = 24;

} // namespace

ChatEntry::ChatEntry(const QString& placeholder, QWidget* parent) : QWidget(parent)
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);
    m_field = new GrowingTextField(1, 5, this);
    m_field->setObjectName(QStringLiteral("questionField"));
    m_field->setAccessibleName(placeholder);
    // No bezel: the field is part of the input panel.
    m_field->setFrameShape(QFrame::NoFrame);
    m_field->viewport()->setAutoFillBackground(false);
    QPalette fieldPalette = m_field->palette();
    fieldPalette.setColor(QPalette::Base, Qt::transparent);
    m_field->setPalette(fieldPalette);
    m_field->document()->setDocumentMargin(2);
    m_field->setFont(DesignSize::font(m_field->font(), 13));
    m_field->setPlaceholderText(placeholder);
    m_field->setFixedHeight(m_field->sizeHint().height());
    connect(m_field, &GrowingTextField::textChanged, this,
            [this] { Q_EMIT edited(m_field->toPlainText()); });
    connect(m_field, &GrowingTextField::submitted, this, &ChatEntry::submitted);
    row->addWidget(m_field, 1, Qt::AlignBottom);

    m_stop = symbolButton(Glyph::stopCircleFilled, palette().color(QPalette::WindowText),
                          kSymbolSize, QStringLiteral("停止"), this);
    m_stop->setObjectName(QStringLiteral("stopButton"));
    connect(m_stop, &QToolButton::clicked, this, &ChatEntry::stopped);
    row->addWidget(m_stop, 0, Qt::AlignBottom);
    m_send = symbolButton(Glyph::arrowUpCircleFilled, palette().color(QPalette::Highlight),
                          kSymbolSize, QStringLiteral("发送（回车）"), this);
    m_send->setObjectName(QStringLiteral("sendButton"));
    connect(m_send, &QToolButton::clicked, this, &ChatEntry::submitted);
    row->addWidget(m_send, 0, Qt::AlignBottom);
    setAnswering(false);
}

void ChatEntry::setText(const QString& text)
{
    m_field->setText(text);
    m_send->setEnabled(hasQuestion(text));
}

void ChatEntry::setAnswering(bool answering)
{
    m_stop->setVisible(answering);
    m_send->setVisible(!answering);
}

} // namespace glossivo
