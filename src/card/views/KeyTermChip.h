#pragma once

#include "ai/Translation.h"

#include <QAbstractButton>

namespace glossivo {

// A key term of a translated passage with its meaning there, on a faint capsule.
class KeyTermChip : public QAbstractButton {
    Q_OBJECT

public:
    explicit KeyTermChip(const Translation::KeyTerm& term, QWidget* parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QFont termFont() const;
    QFont meaningFont() const;

    Translation::KeyTerm m_term;
};

} // namespace glossivo
