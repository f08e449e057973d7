#pragma once

#include "model/Explanation.h"

#include <QWidget>

namespace glossivo {

// The root of the word's family and its prefixes and suffixes as chips with their meanings.
class DerivationLine : public QWidget {
    Q_OBJECT

public:
    // None when there is neither a root other than the headword nor an affix.
    static DerivationLine* make(const Explanation& explanation, QWidget* parent = nullptr);

private:
    DerivationLine(const Explanation& explanation, QWidget* parent);
};

} // namespace glossivo
