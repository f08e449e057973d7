#pragma once

#include "card/CardSurface.h"

#include <QWidget>

namespace glossivo {

class CardController;
class CardModel;
class CardView;
class DesktopSurface;

// The floating window of the lookup card. It never takes the keyboard: the application the
// user is reading keeps its focus, and the card's buttons still act on the first click. It
// stays above other windows and has no frame of its own.
class CardPanel : public QWidget, public CardSurface {
    Q_OBJECT

public:
    // The desktop decides whether the card's corners can be clear.
    CardPanel(CardModel& model, CardController& controller, const DesktopSurface& desktop,
              QWidget* parent = nullptr);

    CardView* view() const { return m_view; }

    QSize fittingSize() override;
    QList<CardPlacement::Screen> screens() const override;
    void setFrame(const QRect& frame) override;
    void orderFront() override;
    void orderOut() override;

private:
    CardView* m_view;
};

} // namespace glossivo
