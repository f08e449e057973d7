#pragma once

#include "ai/Translation.h"
#include "model/Explanation.h"

#include <QCoro/QCoroTask>
#include <QString>

#include <optional>

namespace glossivo {

// What the card asks of the AI service. Failures arrive as the AI client's exceptions (AIError,
// TransportError), whose description is the sentence the card shows.
class CardAI {
public:
    virtual ~CardAI() = default;

    // The selection explained in its context (none or empty: without one).
    virtual QCoro::Task<Explanation> explain(const QString& selection,
                                             const std::optional<QString>& context) = 0;
    // The passage in Chinese with its key terms; only its start is sent.
    virtual QCoro::Task<Translation> translate(const QString& passage) = 0;
};

} // namespace glossivo
