#pragma once

#include <QToolButton>

namespace glossivo {

// The whole card while a longer passage is offered for translation: one "译" square.
class TranslateOfferButton : public QToolButton {
    Q_OBJECT

public:
    explicit TranslateOfferButton(QWidget* parent = nullptr);

    static constexpr int kSide = 30;
};

} // namespace glossivo
