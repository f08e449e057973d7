#include "model/ReviewState.h"

#include "model/JsonFields.h"

namespace glossivo {

ReviewState ReviewState::fromJson(const QJsonObject& object)
{
    ReviewState state;
    state.stability = Json::number(object, "stability");
    state.difficulty = Json::number(object, "difficulty");
    state.due = Json::date(object, "due");
    state.lastReview = Json::date(object, "lastReview");
    state.reps = Json::integer(object, "reps");
    state.lapses = Json::integer(object, "lapses");
    state.level = Json::integer(object, "level");
    return state;
}

QJsonObject ReviewState::toJson() const
{
    QJsonObject object{{QStringLiteral("reps"), reps},
                       {QStringLiteral("lapses"), lapses},
                       {QStringLiteral("level"), level}};
    Json::putNumber(object, "stability", stability);
    Json::putNumber(object, "difficulty", difficulty);
    Json::putDate(object, "due", due);
    Json::putDate(object, "lastReview", lastReview);
    return object;
}

} // namespace glossivo
