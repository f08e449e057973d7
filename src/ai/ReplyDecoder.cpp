#include "ai/ReplyDecoder.h"

#include "model/JsonFields.h"

namespace glossivo {

namespace {

// "meaning_zh" → "meaningZh": split at the underscores, every part after the first begins
// with an upper-case letter.
QString fieldName(const QString& key)
{
    const QStringList parts = key.split(QLatin1Char('_'), Qt::SkipEmptyParts);
    if (parts.isEmpty()) return key;
    QString name = parts.first();
    for (qsizetype i = 1; i < parts.size(); ++i)
        name += parts.at(i).front().toUpper() + parts.at(i).mid(1);
    return name;
}

// Only the record's own keys are converted: the keys inside "inflections" stay as written.
QJsonObject withFieldNames(const QJsonObject& reply)
{
    QJsonObject object;
    for (auto it = reply.begin(); it != reply.end(); ++it)
        object.insert(fieldName(it.key()), it.value());
    return object;
}

std::optional<QMap<QString, QString>> optionalTextMap(const QJsonObject& object, const char* key)
{
    const std::optional<QJsonObject> map = Json::optionalObject(object, key);
    if (!map) return std::nullopt;
    QMap<QString, QString> texts;
    for (auto it = map->begin(); it != map->end(); ++it)
        texts.insert(it.key(), Json::stringValue(it.value(), key));
    return texts;
}

std::optional<QStringList> optionalTextList(const QJsonObject& object, const char* key)
{
    const std::optional<QJsonArray> list = Json::optionalArray(object, key);
    if (!list) return std::nullopt;
    return Json::stringList(*list, key);
}

// Alternatives and key terms have the same two fields.
template <class Pair>
std::optional<QList<Pair>> optionalPairs(const QJsonObject& object, const char* key)
{
    const std::optional<QJsonArray> list = Json::optionalArray(object, key);
    if (!list) return std::nullopt;
    QList<Pair> pairs;
    for (const QJsonValue& element : *list) {
        const QJsonObject fields = withFieldNames(Json::objectValue(element, key));
        pairs.append({Json::string(fields, "text"), Json::string(fields, "meaningZh")});
    }
    return pairs;
}

Explanation explanationFrom(const QJsonObject& fields)
{
    Explanation explanation;
    explanation.headword = Json::string(fields, "headword");
    explanation.phonetic = Json::optionalString(fields, "phonetic");
    explanation.pos = Json::optionalString(fields, "pos");
    explanation.meaningZh = Json::string(fields, "meaningZh");
    explanation.definitionEn = Json::optionalString(fields, "definitionEn");
    explanation.register_ = Json::optionalString(fields, "register");
    explanation.registerNoteZh = Json::optionalString(fields, "registerNoteZh");
    explanation.sentence = Json::optionalString(fields, "sentence");
    explanation.sentenceIsExample = Json::optionalBoolean(fields, "sentenceIsExample");
    explanation.sentenceZh = Json::optionalString(fields, "sentenceZh");
    explanation.surfaceForm = Json::optionalString(fields, "surfaceForm");
    explanation.formKind = Json::optionalString(fields, "formKind");
    explanation.inflections = optionalTextMap(fields, "inflections");
    explanation.grammar = Json::optionalString(fields, "grammar");
    explanation.grammarNoteZh = Json::optionalString(fields, "grammarNoteZh");
    explanation.familyRoot = Json::optionalString(fields, "familyRoot");
    explanation.affixes = optionalTextList(fields, "affixes");
    return explanation;
}

} // namespace

template <> Explanation decodeReply<Explanation>(const QJsonObject& reply)
{
    return explanationFrom(withFieldNames(reply));
}

template <> LookupResult decodeReply<LookupResult>(const QJsonObject& reply)
{
    const QJsonObject fields = withFieldNames(reply);
    LookupResult result;
    result.explanation = explanationFrom(fields);
    result.aboutZh = Json::optionalString(fields, "aboutZh");
    result.corrected = Json::optionalBoolean(fields, "corrected");
    result.alternatives = optionalPairs<LookupResult::Alternative>(fields, "alternatives");
    return result;
}

template <> Translation decodeReply<Translation>(const QJsonObject& reply)
{
    const QJsonObject fields = withFieldNames(reply);
    return {Json::string(fields, "translationZh"),
            optionalPairs<Translation::KeyTerm>(fields, "keyTerms")};
}

template <> DeepSeekClient::Result decodeReply<DeepSeekClient::Result>(const QJsonObject& reply)
{
    return {Json::string(withFieldNames(reply), "tipZh")};
}

} // namespace glossivo
