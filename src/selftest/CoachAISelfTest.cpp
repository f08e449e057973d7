#include "selftest/SelfTest.h"

#include "coach/CoachFacts.h"
#include "coach/CoachPrompts.h"
#include "coach/CoachSession.h"
#include "model/ConfigStore.h"
#include "model/Graphemes.h"
#include "selftest/AnswerReader.h"

#include <QCoro/QCoroSignal>

#include <memory>

namespace glossivo::SelfTest {

namespace {

AnswerReader* startBriefing()
{
    const QString facts = CoachFacts::shared().build(Clock::system().now());
    const auto messages = CoachSession::briefingMessages(facts, std::nullopt);
    return new AnswerReader(DeepSeekClient(ConfigStore::shared().config())
                                .streamChat(messages, CoachPrompts::kTemperature));
}

// A brief cut short by a failure is not shown: it would read as if it were whole.
QString report(const AnswerReader& reader)
{
    if (reader.failure()) return QStringLiteral("FAIL ") + *reader.failure() + QLatin1Char('\n');
    const QString reply = reader.pieces().join(QString());
    return reply + QStringLiteral("\n\nOK ") + QString::number(Graphemes::split(reply).size()) +
           QStringLiteral(" 字\n");
}

} // namespace

QCoro::Task<> runCoachAI(QTextStream& out)
{
    const std::unique_ptr<AnswerReader> reader(startBriefing());
    co_await qCoro(reader.get(), &AnswerReader::ended);
    out << report(*reader);
}

} // namespace glossivo::SelfTest
