#include "selftest/SelfTest.h"

#include "ai/DeepSeekClient.h"
#include "model/ConfigStore.h"
#include "selftest/AnswerReader.h"

#include <QCoro/QCoroSignal>

#include <memory>

namespace glossivo::SelfTest {

namespace {

constexpr double kTemperature = 0.5;

AnswerReader* startAsking()
{
    const QList<DeepSeekClient::ChatMessage> messages{
        {QStringLiteral("user"), QStringLiteral("用一句中文解释 ngl 是什么意思，不超过 20 字。")}};
    return new AnswerReader(
        DeepSeekClient(ConfigStore::shared().config()).streamChat(messages, kTemperature));
}

// Pieces that came before a failure are not shown: the answer is incomplete.
QString report(const AnswerReader& reader)
{
    if (reader.failure()) return QStringLiteral("FAIL ") + *reader.failure() + QLatin1Char('\n');
    return QStringLiteral("OK 收到 ") + QString::number(reader.pieces().size()) +
           QStringLiteral(" 段：") + reader.pieces().join(QString()) + QLatin1Char('\n');
}

} // namespace

QCoro::Task<> runAsk(QTextStream& out)
{
    const std::unique_ptr<AnswerReader> reader(startAsking());
    co_await qCoro(reader.get(), &AnswerReader::ended);
    out << report(*reader);
}

} // namespace glossivo::SelfTest
