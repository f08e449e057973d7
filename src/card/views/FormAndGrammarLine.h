#pragma once

#include "model/Explanation.h"

#include <QWidget>

namespace glossivo {

// Which form of the headword was met, and the grammar point of the sentence as a chip whose
// tooltip explains it.
class FormAndGrammarLine : public QWidget {
    Q_OBJECT

public:
    // None when the explanation names neither a form nor a grammar point.
    static FormAndGrammarLine* make(const Explanation& explanation, QWidget* parent = nullptr);

private:
    FormAndGrammarLine(const Explanation& explanation, QWidget* parent);
};

} // namespace glossivo
