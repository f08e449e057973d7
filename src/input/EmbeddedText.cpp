#include "input/EmbeddedText.h"

#include <algorithm>

namespace glossivo::EmbeddedText {

Expanded expand(const QString& text, TextRange selection, const ObjectText& objectText)
{
    const qint64 selectionEnd = selection.location + selection.length;
    Expanded result;
    qint64 end = 0;
    bool afterObject = false;
    qint64 index = 0;
    for (qsizetype unit = 0; unit <= text.size(); ++index) {
        const bool selected = unit >= selection.location && unit < selectionEnd;
        std::optional<QString> object;
        if (unit < text.size() && text.at(unit) == objectMarker)
            object = objectText(index, selected);
        if (unit == selectionEnd) end = result.text.size();
        // Objects side by side are blocks, such as paragraphs: the page shows them on lines of
        // their own. The break belongs to neither side of the selection.
        if (object && afterObject) result.text.append(u'\n');
        if (unit == selection.location) result.selection.location = result.text.size();
        if (unit == text.size()) break;
        const qsizetype width = text.at(unit).isHighSurrogate() && unit + 1 < text.size() ? 2 : 1;
        result.text.append(object ? *object : text.mid(unit, width));
        afterObject = object.has_value();
        unit += width;
    }
    result.selection.length = std::max<qint64>(0, end - result.selection.location);
    return result;
}

bool holdsObject(const QString& text)
{
    return text.contains(QChar(objectMarker));
}

} // namespace glossivo::EmbeddedText
