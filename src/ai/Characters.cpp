#include "ai/Characters.h"

#include "model/Graphemes.h"

namespace glossivo::Characters {

QString prefix(const QString& text, qsizetype count)
{
    return text.left(Graphemes::prefixEnd(text, count));
}

} // namespace glossivo::Characters
