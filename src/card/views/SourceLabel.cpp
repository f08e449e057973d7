#include "card/views/SourceLabel.h"

#include "card/SourceText.h"
#include "model/SafeLink.h"
#include "ui/DesignSize.h"
#include "ui/Glyphs.h"
#include "ui/PlainLabel.h"
#include "ui/PlainToolTip.h"

#include <QDesktopServices>
#include <QFontMetrics>
#include <QToolButton>
#include <QVBoxLayout>

namespace glossivo {

namespace {

QColor tertiary(const QPalette& palette)
{
    QColor colour = palette.color(QPalette::WindowText);
    colour.setAlphaF(0.45);
    return colour;
}

} // namespace

SourceLabel::SourceLabel(const PageSource& source, bool showTitle, QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("sourceLabel"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(1);
    const std::optional<QString> text = SourceText::label(source);
    if (!text) return;

    const QFont small = DesignSize::font(font(), 11);
    const QUrl url = QUrl(source.url.value_or(QString()), QUrl::StrictMode);
    // Only web pages open from the card; a file or another scheme stays plain text.
    if (source.url && isOpenableLink(url)) {
        auto* link = new QToolButton(this);
        link->setObjectName(QStringLiteral("sourceLink"));
        link->setText(*text);
        link->setToolTip(plainToolTip(*source.url));
        link->setFont(small);
        link->setAutoRaise(true);
        link->setFocusPolicy(Qt::NoFocus);
        link->setCursor(Qt::PointingHandCursor);
        link->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        link->setIcon(glyphIcon(Glyph::link, palette().color(QPalette::Link), 12));
        QPalette p = link->palette();
        p.setColor(QPalette::ButtonText, p.color(QPalette::Link));
        link->setPalette(p);
        connect(link, &QToolButton::clicked, this, [url] { QDesktopServices::openUrl(url); });
        column->addWidget(link, 0, Qt::AlignLeft);
    } else {
        auto* label = new PlainLabel(*text, this);
        label->setObjectName(QStringLiteral("sourceText"));
        label->sized(11).colour(tertiary(palette()));
        column->addWidget(label);
    }
    if (showTitle && source.title) {
        auto* title = new PlainLabel(QString(), this);
        title->sized(11).colour(tertiary(palette()));
        title->setText(QFontMetrics(title->font()).elidedText(*source.title, Qt::ElideRight, 300));
        column->addWidget(title);
    }
}

} // namespace glossivo
