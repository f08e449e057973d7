#include "review/QuestionBadge.h"

namespace glossivo {

QString questionBadge(const QuestionType& type)
{
    if (type.isRecognize()) return QStringLiteral("认");
    return type.spellMode() == SpellMode::dictation ? QStringLiteral("听") : QStringLiteral("拼");
}

} // namespace glossivo
