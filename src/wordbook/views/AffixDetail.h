#pragma once

#include "model/AffixEncounter.h"

#include <QWidget>

namespace glossivo {

class WordStore;

// The pane of one affix: its form and kind, whether it is unlocked, its meaning, spelling
// variants and example words, then every saved word in which the learner met it. The search
// does not reach it, and nothing in it reacts to clicks.
class AffixDetail : public QWidget {
    Q_OBJECT

public:
    AffixDetail(Affix affix, const WordStore& store, QWidget* parent = nullptr);

private:
    QWidget* recordCard(const AffixEncounter& record, const WordStore& store, QWidget* parent);
};

} // namespace glossivo
