#include "model/ReviewState.h"

#include "model/JsonDocumentReader.h"
#include "model/JsonFields.h"

namespace glossivo {

ReviewState ReviewState::fromJson(const JsonObjectReader& object)
{
    ReviewState state;
    state.stability = object.number("stability");
    state.difficulty = object.number("difficulty");
    state.due = object.date("due");
    state.lastReview = object.date("lastReview");
    state.reps = object.integer("reps");
    state.lapses = object.integer("lapses");
    state.level = object.integer("level");
    return state;
}

ReviewState ReviewState::fromJson(const QJsonObject& object)
{
    return decodeObject<ReviewState>(object);
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
