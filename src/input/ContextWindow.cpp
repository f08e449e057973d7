#include "input/ContextWindow.h"

#include <algorithm>

namespace glossivo::ContextWindow {

std::optional<QString> around(const QString& value, TextRange selection, qint64 margin)
{
    const qint64 size = value.size();
    // Checked one by one so that no sum can overflow, whatever the other application sent.
    if (selection.location < 0 || selection.length < 0 || selection.location > size ||
        selection.length > size - selection.location)
        return std::nullopt;
    qint64 start = std::max<qint64>(0, selection.location - margin);
    const qint64 selectionEnd = selection.location + selection.length;
    qint64 end = selectionEnd + std::min(margin, size - selectionEnd);
    if (start > 0 && value.at(start).isLowSurrogate() && value.at(start - 1).isHighSurrogate())
        ++start;
    if (end > 0 && end < size && value.at(end - 1).isHighSurrogate() &&
        value.at(end).isLowSurrogate())
        --end;
    if (end <= start) return std::nullopt;
    return value.mid(start, end - start);
}

} // namespace glossivo::ContextWindow
