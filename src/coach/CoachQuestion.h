#pragma once

#include <QDateTime>
#include <QString>

#include <array>

namespace glossivo {

class CoachFacts;

// The preset questions the coach window offers as chips, in this order.
enum class CoachQuestion { afterReview, focus, weakest, trick };

inline constexpr std::array kCoachQuestions{CoachQuestion::afterReview, CoachQuestion::focus,
                                            CoachQuestion::weakest, CoachQuestion::trick};

// The chip's text, which the conversation shows in place of the request.
QString title(CoachQuestion question);
// The request sent for the chip. The one after a review carries today's review list as it
// stands at now.
QString prompt(CoachQuestion question, const CoachFacts& facts, const QDateTime& now);

} // namespace glossivo
