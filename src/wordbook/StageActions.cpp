#include "wordbook/StageActions.h"

#include "model/WordStore.h"

namespace glossivo {

QList<StageAction> stageActions(const WordEntry& entry, WordStore& store, int learningSlots)
{
    const QUuid id = entry.id;
    const Stage stage = entry.stage.value_or(Stage::seen);
    const bool wanted = entry.wantToLearn.value_or(false);
    const bool spelling = entry.spellPractice.value_or(false);
    QList<StageAction> actions;
    if (stage != Stage::learning && stage != Stage::mastered) {
        actions.append(StageAction{
            wanted ? QStringLiteral("取消「想学」") : QStringLiteral("想学（排到最前）"), true,
            [&store, id, wanted] { store.setWantToLearn(id, !wanted); }});
        // Shown disabled rather than hidden while every slot is taken, so the learner sees why.
        actions.append(StageAction{QStringLiteral("现在就开始学"),
                                   store.learningCount() < learningSlots,
                                   [&store, id] { store.startLearning(id); }});
    }
    if (stage == Stage::learning)
        actions.append(StageAction{QStringLiteral("先休息一周（让出名额）"), true,
                                   [&store, id] { store.rest(id, 7); }});
    actions.append(
        StageAction{spelling ? QStringLiteral("移出常拼") : QStringLiteral("加入常拼（多练拼写）"),
                    true, [&store, id, spelling] { store.setSpellPractice(id, !spelling); }});
    return actions;
}

} // namespace glossivo
