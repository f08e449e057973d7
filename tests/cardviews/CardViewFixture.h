#pragma once

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

    static QPalette darkPalette()
    {
        QPalette p;
        p.setColor(QPalette::Window, QColor(0x2b, 0x2b, 0x2d));
        p.setColor(QPalette::WindowText, QColor(0xee, 0xee, 0xee));
        p.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x20));
        p.setColor(QPalette::Text, QColor(0xee, 0xee, 0xee));
        p.setColor(QPalette::Button, QColor(0x3a, 0x3a, 0x3c));
        p.setColor(QPalette::ButtonText, QColor(0xee, 0xee, 0xee));
        p.setColor(QPalette::PlaceholderText, QColor(0x9a, 0x9a, 0x9e));
        p.setColor(QPalette::Link, QColor(0x0a, 0x84, 0xff));
        return p;
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
