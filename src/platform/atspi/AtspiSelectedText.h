#pragma once

#include "input/AccessibleSelection.h"
#include "input/EmbeddedText.h"

#include <optional>

typedef struct _AtspiAccessible AtspiAccessible;
typedef struct _AtspiText AtspiText;

namespace glossivo {

class AtspiBudget;

// A text read from the bus, whose selection [start, end) counts its code points, with every
// embedded object's text put in, Firefox's padding left out, and the selection in UTF-16 units.
EmbeddedText::Expanded expandedFromBus(const QString& text, qint64 start, qint64 end,
                                       const EmbeddedText::ObjectText& objectText);

// The selection of a focused text object as the user sees it. A browser reports a selection in
// its page at the focused document, as the one character that stands for the paragraph holding
// it: the walk follows such characters down to the object whose text is selected. In what it
// gives, the text of every embedded object (a link, a paragraph) takes the place of its
// character.
class AtspiSelectedText {
public:
    explicit AtspiSelectedText(AtspiBudget& budget) : m_budget(budget) {}

    // An empty text when the object reports no selection; none when it has no text, or a call
    // failed.
    std::optional<AccessibleSelection> read(AtspiAccessible* focused);

private:
    struct Level;

    std::optional<Level> levelOf(AtspiAccessible* object);
    AtspiAccessible* embeddedAt(AtspiAccessible* object, int offset);
    std::optional<QString> textOf(AtspiAccessible* object, bool selected, int depth);
    std::optional<QString> expandedText(AtspiAccessible* object, AtspiText* text, int start,
                                        int end, bool selected, int depth);

    AtspiBudget& m_budget;
    // Embedded objects whose text may still be read, so that a page of many links costs a
    // bounded number of calls.
    int m_objectsLeft = 24;
};

} // namespace glossivo
