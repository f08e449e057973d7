#pragma once

#include "input/AccessibleSelection.h"

#include <QString>

#include <optional>

namespace glossivo {

// The accessibility interface as screen input uses it. Every call returns within the backend's
// time bound (0.3 s): an application that does not answer in time counts as one that answered
// nothing.
class AccessibilityReader {
public:
    virtual ~AccessibilityReader() = default;

    // The selection of the focused text object of the process `pid` (any process for 0); none
    // when no text object is focused there, an empty text when it has no selection. Objects
    // embedded in the text (a browser document's paragraphs, a paragraph's links) are followed
    // to the selection they hold, and their text takes the place of the characters that stand
    // for them. A password field gives a selection marked secret, without its text.
    virtual std::optional<AccessibleSelection> focusedSelection(qint64 pid) = 0;
    // The address of the document that holds the focused object of the process `pid`, from the
    // document attributes of the nearest document at most 40 objects up; none when there is none.
    virtual std::optional<QString> documentAddress(qint64 pid) = 0;
};

} // namespace glossivo
