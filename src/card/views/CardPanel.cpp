#include "card/views/CardPanel.h"

#include "card/views/CardView.h"
#include "platform/DesktopSurface.h"

#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>

namespace glossivo {

CardPanel::CardPanel(CardModel& model, CardController& controller, const DesktopSurface& desktop,
                     QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                          Qt::WindowDoesNotAcceptFocus),
      m_view(new CardView(model, controller, this))
{
    setObjectName(QStringLiteral("cardPanel"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    // Without a compositing manager the clear corners of a translucent window show whatever
    // the server left there; the card is then drawn square on its own background.
    const bool translucent =
        QGuiApplication::platformName() != QLatin1String("xcb") || desktop.compositing();
    setAttribute(Qt::WA_TranslucentBackground, translucent);
    m_view->setRoundedCorners(translucent);
    setFocusPolicy(Qt::NoFocus);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    // The card's height follows from its width (fittingSize()). A window's layout would hold
    // it at least as tall as its texts' smallest heights added up, which on a desktop can be
    // taller than the card, and spread the difference between its rows as empty bands.
    layout->setSizeConstraint(QLayout::SetNoConstraint);
    layout->addWidget(m_view);
}

QSize CardPanel::fittingSize()
{
    return m_view->fittingSize();
}

QList<CardPlacement::Screen> CardPanel::screens() const
{
    QList<CardPlacement::Screen> list;
    // Qt lists the primary screen first.
    for (const QScreen* screen : QGuiApplication::screens())
        list.append({screen->geometry(), screen->availableGeometry()});
    return list;
}

void CardPanel::setFrame(const QRect& frame)
{
    setGeometry(frame);
}

void CardPanel::orderFront()
{
    show();
    raise();
}

void CardPanel::orderOut()
{
    hide();
}

} // namespace glossivo
