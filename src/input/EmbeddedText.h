#pragma once

#include "model/TextRange.h"

#include <QString>

#include <functional>
#include <optional>

namespace glossivo::EmbeddedText {

// Stands in the text of an object for each object embedded in it: a browser's document holds
// one per paragraph, a paragraph one per link.
inline constexpr char16_t objectMarker = u'\uFFFC';

struct Expanded {
    QString text;
    TextRange selection; // in UTF-16 units of `text`
};

// The text of the object behind the marker that is the `index`-th code point of the text.
// `selected` tells that the marker lies in the selection, where only the object's selected part
// belongs. None keeps the marker.
using ObjectText = std::function<std::optional<QString>(qint64 index, bool selected)>;

// `text` with every marker replaced by its object's text, and the selection (UTF-16 units of
// `text`) carried over to the same characters.
Expanded expand(const QString& text, TextRange selection, const ObjectText& objectText);

// Whether the text still holds a marker: it is then no text a user selected.
bool holdsObject(const QString& text);

} // namespace glossivo::EmbeddedText
