#include "selftest/SelfTest.h"

#include "ai/DeepSeekClient.h"
#include "model/ConfigStore.h"
#include "selftest/FailureText.h"

namespace glossivo::SelfTest {

namespace {

// A misspelt song title, a Chinese word and an online service's name written in lower case:
// the correction flag, other ways to say it and the note on what a name stands for.
QStringList lookupQueries()
{
    return {QStringLiteral("Silver Lantermz"), QStringLiteral("放弃"), QStringLiteral("vexly")};
}

// Built for every request, so the key and address are those of the configuration right now.
DeepSeekClient currentClient()
{
    return DeepSeekClient(ConfigStore::shared().config());
}

QString alternativesText(const QList<LookupResult::Alternative>& alternatives)
{
    QStringList parts;
    for (const LookupResult::Alternative& alternative : alternatives)
        parts.append(alternative.text + QStringLiteral("（") + alternative.meaningZh +
                     QStringLiteral("）"));
    return parts.join(QStringLiteral("；"));
}

QString lookupReport(const QString& query, const LookupResult& result)
{
    const Explanation& e = result.explanation;
    QString text = QStringLiteral("「") + query + QStringLiteral("」→ ") + e.headword +
                   QLatin1Char(' ') + e.phonetic.value_or(QString()) + QLatin1Char(' ') +
                   e.pos.value_or(QString()) + QLatin1Char(' ') + e.meaningZh +
                   QStringLiteral(" | 纠正=") +
                   (result.corrected == true ? QStringLiteral("true") : QStringLiteral("false")) +
                   QLatin1Char('\n');
    text += QStringLiteral("   这是什么：") + result.aboutZh.value_or(QStringLiteral("-")) +
            QLatin1Char('\n');
    text += QStringLiteral("   例句：") + e.sentence.value_or(QStringLiteral("-")) +
            QStringLiteral(" / ") + e.sentenceZh.value_or(QString()) + QLatin1Char('\n');
    if (result.alternatives && !result.alternatives->isEmpty())
        text += QStringLiteral("   其他说法：") + alternativesText(*result.alternatives) +
                QLatin1Char('\n');
    return text;
}

} // namespace

QCoro::Task<> runLookup(QTextStream& out)
{
    for (const QString& query : lookupQueries()) {
        try {
            const LookupResult result = co_await currentClient().lookup(query);
            out << lookupReport(query, result);
        } catch (const std::exception& error) {
            out << queryFailureLine(query, error);
        }
        out.flush();
    }
}

} // namespace glossivo::SelfTest
