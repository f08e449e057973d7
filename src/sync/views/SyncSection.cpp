#include "sync/views/SyncSection.h"

#include "model/ConfigStore.h"
#include "sync/SyncSectionState.h"
#include "sync/SyncService.h"
#include "sync/views/SyncQrCode.h"
#include "ui/DesignSize.h"
#include "ui/FormGroup.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace glossivo {

namespace {

constexpr int qrSide = 220;

bool isDark(const QPalette& palette)
{
    return palette.color(QPalette::Window).lightness() < 128;
}

// The two signal colours of the section, readable on light and on dark backgrounds.
QColor successColour(const QPalette& palette)
{
    return isDark(palette) ? QColor(0x30, 0xd1, 0x58) : QColor(0x28, 0xa7, 0x45);
}

QColor warningColour(const QPalette& palette)
{
    return isDark(palette) ? QColor(0xff, 0x9f, 0x0a) : QColor(0xd9, 0x6c, 0x00);
}

void setTextColour(QLabel* label, const QColor& colour)
{
    QPalette palette = label->palette();
    // On the group's base-coloured box a label draws with the Text role.
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Text, colour);
    label->setPalette(palette);
}

// The sizes of the settings window's secondary texts.
constexpr int kCallout = 12;
constexpr int kCaption = 11;

// Text of the section itself or from a server: shown as it is, never as markup. Without a size
// it keeps the window's body text.
QLabel* textLabel(const QString& text, const char* name, std::optional<int> size = std::nullopt)
{
    auto* label = new QLabel(text);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    if (size) label->setFont(DesignSize::font(label->font(), *size));
    return label;
}

QPixmap checkmark(const QPalette& palette, int side)
{
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(successColour(palette));
    painter.drawEllipse(QRectF(0.5, 0.5, side - 1.0, side - 1.0));
    QPainterPath tick;
    tick.moveTo(side * 0.28, side * 0.52);
    tick.lineTo(side * 0.44, side * 0.68);
    tick.lineTo(side * 0.73, side * 0.36);
    painter.setPen(QPen(Qt::white, side * 0.12, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(tick);
    return pixmap;
}

QHBoxLayout* row()
{
    auto* layout = new QHBoxLayout;
    layout->setContentsMargins(0, 0, 0, 0);
    return layout;
}

QVBoxLayout* column(QWidget* owner)
{
    auto* layout = new QVBoxLayout(owner);
    layout->setContentsMargins(0, 0, 0, 0);
    return layout;
}

} // namespace

SyncSection::SyncSection(QWidget* parent)
    : SyncSection(ConfigStore::shared(), SyncService::shared(), Clock::system(), parent)
{}

SyncSection::SyncSection(ConfigStore& config, SyncService& sync, const Clock& clock,
                         QWidget* parent)
    : QWidget(parent),
      m_state(new SyncSectionState(
          config, sync, clock,
          [](const QString& text) { QGuiApplication::clipboard()->setText(text); }, this))
{
    build();
    connect(m_state, &SyncSectionState::changed, this, &SyncSection::refresh);
    refresh();
}

void SyncSection::build()
{
    // A group of the settings form like the window's own.
    const FormGroup group = formGroup(QStringLiteral("同步"));
    m_connectFace = buildConnectFace();
    m_connectedFace = buildConnectedFace();
    group.box->addWidget(m_connectFace);
    group.box->addWidget(m_connectedFace);
    column(this)->addWidget(group.widget);
}

QWidget* SyncSection::buildConnectFace()
{
    auto* face = new QWidget;
    face->setObjectName(QStringLiteral("connectFace"));
    QVBoxLayout* layout = column(face);
    layout->addWidget(secondary(textLabel(
        QStringLiteral(
            "连上你自己的同步服务器后，这台 Linux、Windows "
            "电脑和手机上的单词、例句、笔记和复习进度会自动合在一起。两边都改过也不会丢。"),
        "connectExplanation", kCallout)));

    m_codeField = new QLineEdit;
    m_codeField->setObjectName(QStringLiteral("codeField"));
    m_codeField->setAccessibleName(QStringLiteral("同步码"));
    m_codeField->setPlaceholderText(QStringLiteral("粘贴同步码 glossivo://sync?…"));
    connect(m_codeField, &QLineEdit::textEdited, m_state, &SyncSectionState::setInput);
    layout->addWidget(m_codeField);

    QHBoxLayout* buttons = row();
    m_connectButton = new QPushButton;
    m_connectButton->setObjectName(QStringLiteral("connectButton"));
    connect(m_connectButton, &QPushButton::clicked, m_state, &SyncSectionState::connect);
    m_message = secondary(textLabel({}, "messageLabel", kCallout));
    buttons->addWidget(m_connectButton);
    buttons->addWidget(m_message, 1);
    buttons->addStretch();
    layout->addLayout(buttons);
    return face;
}

QWidget* SyncSection::buildConnectedFace()
{
    auto* face = new QWidget;
    face->setObjectName(QStringLiteral("connectedFace"));
    QVBoxLayout* layout = column(face);

    QHBoxLayout* top = row();
    m_check = new QLabel;
    m_check->setObjectName(QStringLiteral("connectedMark"));
    m_server = textLabel({}, "serverLabel");
    m_server->setWordWrap(false);
    m_syncButton = new QPushButton;
    m_syncButton->setObjectName(QStringLiteral("syncButton"));
    connect(m_syncButton, &QPushButton::clicked, m_state, &SyncSectionState::syncNow);
    top->addWidget(m_check);
    top->addWidget(m_server, 1);
    top->addWidget(m_syncButton);
    layout->addLayout(top);

    m_status = textLabel({}, "statusLabel", kCallout);
    layout->addWidget(m_status);
    layout->addWidget(secondary(
        textLabel(QStringLiteral("打开 Glossivo、存了新词、复习完以后都会自动同步，平时每 10 "
                                 "分钟一次，不用管。「复习」里的设置也一起同步；API key "
                                 "和快捷键每台设备自己设。"),
                  "autoSyncNote", kCaption)));

    m_fold = new QToolButton;
    m_fold->setObjectName(QStringLiteral("handOnFold"));
    m_fold->setText(QStringLiteral("把手机或另一台电脑连上"));
    m_fold->setAutoRaise(true);
    m_fold->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_fold->setArrowType(Qt::RightArrow);
    layout->addWidget(m_fold);
    m_handOn = buildHandOn();
    m_handOn->setVisible(false);
    layout->addWidget(m_handOn);
    // Not a checkable button: a checked one would be drawn pressed in while the part is open.
    connect(m_fold, &QToolButton::clicked, this, [this] {
        const bool open = !m_handOn->isVisibleTo(this);
        m_fold->setArrowType(open ? Qt::DownArrow : Qt::RightArrow);
        m_handOn->setVisible(open);
    });

    auto* disconnectButton = new QPushButton(QStringLiteral("断开同步"));
    disconnectButton->setObjectName(QStringLiteral("disconnectButton"));
    disconnectButton->setFlat(true);
    connect(disconnectButton, &QPushButton::clicked, m_state, &SyncSectionState::disconnect);
    QHBoxLayout* bottom = row();
    bottom->addWidget(disconnectButton);
    bottom->addStretch();
    layout->addLayout(bottom);
    return face;
}

QWidget* SyncSection::buildHandOn()
{
    auto* panel = new QWidget;
    panel->setObjectName(QStringLiteral("handOnPanel"));
    QVBoxLayout* layout = column(panel);
    layout->setContentsMargins(16, 0, 0, 0);
    layout->addWidget(secondary(textLabel(
        QStringLiteral(
            "在手机 Glossivo 的「设置 → 和电脑同步」里，或另一台电脑 Glossivo 的「设置 → "
            "同步」里粘贴同步码；手机也可以用相机扫下面的二维码。同步码里有密码，只发给自己。"),
        "handOnExplanation", kCallout)));

    QHBoxLayout* buttons = row();
    m_copyButton = new QPushButton;
    m_copyButton->setObjectName(QStringLiteral("copyButton"));
    connect(m_copyButton, &QPushButton::clicked, m_state, &SyncSectionState::copyCode);
    m_qrButton = new QPushButton;
    m_qrButton->setObjectName(QStringLiteral("qrButton"));
    connect(m_qrButton, &QPushButton::clicked, m_state, &SyncSectionState::toggleQR);
    buttons->addWidget(m_copyButton);
    buttons->addWidget(m_qrButton);
    buttons->addStretch();
    layout->addLayout(buttons);

    m_qr = new QLabel;
    m_qr->setObjectName(QStringLiteral("qrImage"));
    m_qr->setFixedSize(qrSide, qrSide);
    layout->addWidget(m_qr, 0, Qt::AlignHCenter);
    return panel;
}

void SyncSection::refresh()
{
    const bool connected = m_state->link().has_value();
    m_connectFace->setVisible(!connected);
    m_connectedFace->setVisible(connected);

    if (m_codeField->text() != m_state->input()) m_codeField->setText(m_state->input());
    m_connectButton->setText(m_state->connectLabel());
    m_connectButton->setEnabled(m_state->connectEnabled());
    m_message->setText(m_state->message().value_or(QString()));
    m_message->setVisible(m_state->message().has_value());

    m_server->setText(m_state->serverLine());
    m_syncButton->setText(m_state->syncLabel());
    m_syncButton->setEnabled(m_state->syncEnabled());
    m_status->setText(m_state->status());
    applyColours();
    m_copyButton->setText(m_state->copyLabel());
    m_qrButton->setText(m_state->qrLabel());
    showQR();
}

QLabel* SyncSection::secondary(QLabel* label)
{
    m_secondary.append(label);
    return label;
}

// Colours follow the palette, so a change between light and dark applies at once.
void SyncSection::applyColours()
{
    const QColor quiet = palette().color(QPalette::PlaceholderText);
    for (QLabel* label : std::as_const(m_secondary))
        setTextColour(label, quiet);
    setTextColour(m_status, m_state->statusIsWarning() ? warningColour(palette()) : quiet);
    m_check->setPixmap(checkmark(palette(), QFontInfo(font()).pixelSize() + 3));
}

void SyncSection::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) applyColours();
}

void SyncSection::showQR()
{
    const std::optional<SyncLink> link = m_state->link();
    const std::optional<QImage> code =
        link && m_state->showQR() ? SyncQrCode::image(link->text()) : std::nullopt;
    m_qr->setVisible(code.has_value());
    if (!code) return;
    const qreal ratio = devicePixelRatioF();
    const int pixels = qRound(qrSide * ratio);
    QPixmap pixmap = QPixmap::fromImage(
        code->scaled(pixels, pixels, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    pixmap.setDevicePixelRatio(ratio);
    m_qr->setPixmap(pixmap);
}

} // namespace glossivo
