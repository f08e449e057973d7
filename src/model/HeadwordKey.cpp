#include "model/HeadwordKey.h"

#include "model/Blanks.h"

namespace glossivo::HeadwordKey {

QString of(const QString& headword)
{
    return Blanks::trimmed(headword).toLower();
}

} // namespace glossivo::HeadwordKey
