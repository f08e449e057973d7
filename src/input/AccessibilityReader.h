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
    // when nothing is focused there or it reports no selected text. A password field gives a
    // selection marked secret, without its text.
    virtual std::optional<AccessibleSelection> focusedSelection(qint64 pid) = 0;
    // The address of the document that holds the focused object of the process `pid`, from the
    // document attributes of the nearest document at most 40 objects up; none when there is none.
    virtual std::optional<QString> documentAddress(qint64 pid) = 0;
};

} // namespace glossivo
