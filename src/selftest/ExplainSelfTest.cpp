#include "selftest/SelfTest.h"

#include "ai/DeepSeekClient.h"
#include "model/ConfigStore.h"
#include "model/GrammarPoint.h"
#include "selftest/FailureText.h"

#include <array>

namespace glossivo::SelfTest {

namespace {

struct Sample {
    QString selection;
    QString context;
};

// Inflected forms, slang, affixes and, last, a line of a forum profile that holds no sentence
// at all, so that the service has to write its own example.
QList<Sample> explainSamples()
{
    return {
        {QStringLiteral("ran"), QStringLiteral("He ran to the store yesterday before it closed.")},
        {QStringLiteral("running"),
         QStringLiteral("The server has been running for three days without a restart.")},
        {QStringLiteral("faster"),
         QStringLiteral("ngl the new build is way faster than the old one.")},
        {QStringLiteral("deprecated"), QStringLiteral("This API was deprecated in version 2.0.")},
        {QStringLiteral("unbelievable"),
         QStringLiteral("The graphics in this game are unbelievable.")},
        {QStringLiteral("decision"),
         QStringLiteral("Honestly that was the best decision I made this year.")},
        {QStringLiteral("karma"),
         QStringLiteral("u/quillfox quillfox 703K karma  Follow Chat Joined 2019")},
    };
}

QString formName(FormKind kind)
{
    static constexpr std::array names{"原形",     "第三人称单数", "-ing 形式", "过去式",
                                      "过去分词", "复数",         "比较级",    "最高级"};
    return QString::fromUtf8(names[static_cast<std::size_t>(kind)]);
}

QString formText(const std::optional<QString>& raw)
{
    if (const auto kind = fromLooseValue<FormKind>(raw)) return formName(*kind);
    return QStringLiteral("nil(") + raw.value_or(QString()) + QLatin1Char(')');
}

QString grammarText(const std::optional<QString>& raw)
{
    if (const auto point = fromLooseValue<GrammarPoint>(raw)) return grammarLabel(*point);
    return QStringLiteral("无(") + raw.value_or(QString()) + QLatin1Char(')');
}

// A list written as a literal: ["un-", "-able"], or [] when empty.
QString listLiteral(const QStringList& items)
{
    QStringList quoted;
    for (const QString& item : items)
        quoted.append(QLatin1Char('"') + item + QLatin1Char('"'));
    return QLatin1Char('[') + quoted.join(QStringLiteral(", ")) + QLatin1Char(']');
}

QString formsText(const Explanation& e)
{
    QStringList forms;
    for (const auto& [kind, form] : e.allForms())
        forms.append(formName(kind) + QLatin1Char('=') + form);
    return forms.join(QStringLiteral(", "));
}

QString affixesText(const Explanation& e)
{
    QStringList shown;
    for (const Affix affix : e.affixList())
        shown.append(affixPromptForm(affix));
    return listLiteral(shown) + QStringLiteral(" 原始：") +
           listLiteral(e.affixes.value_or(QStringList()));
}

QString explainReport(const QString& selection, const Explanation& e)
{
    QString text = QStringLiteral("OK ") + selection + QStringLiteral(" → ") + e.headword +
                   QStringLiteral(" | 形式：") + formText(e.formKind) +
                   QStringLiteral(" | 语法：") + grammarText(e.grammar) + QStringLiteral(" | ") +
                   e.grammarNoteZh.value_or(QString()) + QLatin1Char('\n');
    text += QStringLiteral("   例句：") + e.sentence.value_or(QString()) +
            QStringLiteral(" | AI 写的：") +
            (e.sentenceIsExample == true ? QStringLiteral("true") : QStringLiteral("false")) +
            QLatin1Char('\n');
    text += QStringLiteral("   全部形式：") + formsText(e) + QLatin1Char('\n');
    text += QStringLiteral("   词根：") + e.familyRoot.value_or(QStringLiteral("nil")) +
            QStringLiteral(" | 词缀：") + affixesText(e) + QLatin1Char('\n');
    return text;
}

QString failureLine(const QString& selection, const std::exception& error)
{
    return QStringLiteral("FAIL ") + selection + QStringLiteral("：") + failureText(error) +
           QLatin1Char('\n');
}

} // namespace

QCoro::Task<> runExplain(QTextStream& out)
{
    for (const Sample& sample : explainSamples()) {
        try {
            const Explanation explanation = co_await DeepSeekClient(ConfigStore::shared().config())
                                                .explain(sample.selection, sample.context);
            out << explainReport(sample.selection, explanation);
        } catch (const std::exception& error) {
            out << failureLine(sample.selection, error);
        }
        out.flush();
    }
}

} // namespace glossivo::SelfTest
