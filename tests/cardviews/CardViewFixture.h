#pragma once

#include "support/DarkPalette.h"

#include "card/CardFixture.h"
#include "card/views/CardView.h"

#include <QAbstractButton>
#include <QLabel>
#include <QWidget>

#include <memory>

namespace glossivo::testing {

// A card view over the controller of CardFixture, inside a host widget whose palette (light
// or dark) the card's pieces take over when they are made.
class CardViewFixture : public CardFixture {
protected:
    void makeView(bool dark = false)
    {
        host = std::make_unique<QWidget>();
        if (dark) host->setPalette(darkPalette());
        view = new CardView(controller->model(), *controller, host.get());
    }

    // Lays the card out at its natural size, as the panel would.
    QSize layOut()
    {
        const QSize size = view->fittingSize();
        view->resize(size);
        host->resize(size);
        return size;
    }

    // The named child on the card; pieces replaced by a redraw are hidden until they go.
    template <class T = QWidget> T* find(const char* name) const
    {
        for (T* child : view->findChildren<T*>(QString::fromLatin1(name)))
            if (child->isVisibleTo(view)) return child;
        return nullptr;
    }

    QStringList labelTexts() const
    {
        QStringList texts;
        for (const QLabel* label : view->findChildren<QLabel*>())
            if (label->isVisibleTo(view) && !label->text().isEmpty()) texts.append(label->text());
        return texts;
    }

    void showWord(const WordCardData& data) { controller->model().setState(CardState::Word{data}); }

    std::unique_ptr<QWidget> host;
    CardView* view = nullptr;
};

} // namespace glossivo::testing
