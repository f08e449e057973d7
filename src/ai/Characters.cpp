#include "ai/Characters.h"

#include "model/Graphemes.h"

namespace glossivo::Characters {

QString prefix(const QString& text, qsizetype count)
{
    return Graphemes::split(text).mid(0, count).join(QString());
}

} // namespace glossivo::Characters
