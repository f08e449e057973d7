#include "wordbook/StageTitles.h"

namespace glossivo {

QString stageTitle(DisplayStage stage)
{
    switch (stage) {
    case DisplayStage::learning:
        return QStringLiteral("在学");
    case DisplayStage::seen:
        return QStringLiteral("见过");
    case DisplayStage::resting:
        return QStringLiteral("休息");
    case DisplayStage::mastered:
        return QStringLiteral("掌握");
    case DisplayStage::dormant:
        return QStringLiteral("沉睡");
    }
    return {};
}

} // namespace glossivo
