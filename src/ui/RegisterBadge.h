#pragma once

#include "model/Register.h"

#include <QLabel>

namespace glossivo {

// The coloured label of a word's register; neutral words get none.
class RegisterBadge : public QLabel {
    Q_OBJECT

public:
    // None for a neutral register: the row closes up.
    static RegisterBadge* make(Register value, QWidget* parent = nullptr);

    // The register named by the AI's free text, in any letter case; neutral for anything else.
    static Register parse(const std::optional<QString>& text);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    RegisterBadge(const QString& text, const QColor& colour, QWidget* parent);

    QColor m_colour;
};

} // namespace glossivo
