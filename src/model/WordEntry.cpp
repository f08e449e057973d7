#include "model/WordEntry.h"

#include "model/JsonDocumentReader.h"
#include "model/JsonFields.h"

namespace glossivo {

namespace {

QList<Affix> affixList(const QStringList& names)
{
    QList<Affix> list;
    for (const QString& name : names) {
        const auto affix = fromRawValue<Affix>(name);
        if (!affix) throw JsonError("affixes: unknown affix " + name.toStdString());
        list.append(*affix);
    }
    return list;
}

QJsonArray affixArray(const QList<Affix>& affixes)
{
    QJsonArray array;
    for (Affix affix : affixes)
        array.append(rawValue(affix));
    return array;
}

QJsonObject mapObject(const QMap<QString, QString>& map)
{
    QJsonObject object;
    for (auto it = map.begin(); it != map.end(); ++it)
        object.insert(it.key(), it.value());
    return object;
}

} // namespace

WordEntry WordEntry::fromJson(const JsonObjectReader& o)
{
    WordEntry e;
    e.id = o.uuid("id");
    e.headword = o.string("headword");
    e.phonetic = o.string("phonetic");
    e.pos = o.string("pos");
    e.meaningZh = o.string("meaningZh");
    e.definitionEn = o.string("definitionEn");
    e.register_ = o.enumValue<Register>("register");
    e.registerNoteZh = o.string("registerNoteZh");
    e.examples = o.objectList<Example>("examples");
    e.createdAt = o.date("createdAt");
    e.lookupCount = o.integer("lookupCount");
    e.lastLookupAt = o.optionalDate("lastLookupAt");
    e.notes = o.optionalObjectList<AINote>("notes");
    e.inflections = o.optionalStringMap("inflections");
    e.forms = o.optionalObjectList<FormRecord>("forms");
    e.familyRoot = o.optionalString("familyRoot");
    if (auto affixes = o.optionalStringList("affixes")) e.affixes = affixList(*affixes);
    if (auto review = o.optionalObject("review")) e.review = ReviewState::fromJson(*review);
    e.stage = o.optionalEnumValue<Stage>("stage");
    e.encounterDays = o.optionalStringList("encounterDays");
    e.sourceKeys = o.optionalStringList("sourceKeys");
    e.wantToLearn = o.optionalBoolean("wantToLearn");
    e.restUntil = o.optionalDate("restUntil");
    e.mnemonic = o.optionalString("mnemonic");
    e.spellLevel = o.optionalInteger("spellLevel");
    e.spellPractice = o.optionalBoolean("spellPractice");
    e.lastSpelledAt = o.optionalDate("lastSpelledAt");
    e.stateAt = o.optionalDate("stateAt");
    return e;
}

WordEntry WordEntry::fromJson(const QJsonObject& object)
{
    return decodeObject<WordEntry>(object);
}

QJsonObject WordEntry::toJson() const
{
    QJsonObject o{{QStringLiteral("id"), Json::uuidText(id)},
                  {QStringLiteral("headword"), headword},
                  {QStringLiteral("phonetic"), phonetic},
                  {QStringLiteral("pos"), pos},
                  {QStringLiteral("meaningZh"), meaningZh},
                  {QStringLiteral("definitionEn"), definitionEn},
                  {QStringLiteral("register"), rawValue(register_)},
                  {QStringLiteral("registerNoteZh"), registerNoteZh},
                  {QStringLiteral("examples"), Json::toArray(examples)},
                  {QStringLiteral("lookupCount"), lookupCount}};
    Json::putDate(o, "createdAt", createdAt);
    Json::putOptional(o, "lastLookupAt", lastLookupAt);
    if (notes) o.insert(QStringLiteral("notes"), Json::toArray(*notes));
    if (inflections) o.insert(QStringLiteral("inflections"), mapObject(*inflections));
    if (forms) o.insert(QStringLiteral("forms"), Json::toArray(*forms));
    Json::putOptional(o, "familyRoot", familyRoot);
    if (affixes) o.insert(QStringLiteral("affixes"), affixArray(*affixes));
    if (review) o.insert(QStringLiteral("review"), review->toJson());
    if (stage) o.insert(QStringLiteral("stage"), rawValue(*stage));
    if (encounterDays) o.insert(QStringLiteral("encounterDays"), Json::toArray(*encounterDays));
    if (sourceKeys) o.insert(QStringLiteral("sourceKeys"), Json::toArray(*sourceKeys));
    Json::putOptional(o, "wantToLearn", wantToLearn);
    Json::putOptional(o, "restUntil", restUntil);
    Json::putOptional(o, "mnemonic", mnemonic);
    Json::putOptional(o, "spellLevel", spellLevel);
    Json::putOptional(o, "spellPractice", spellPractice);
    Json::putOptional(o, "lastSpelledAt", lastSpelledAt);
    Json::putOptional(o, "stateAt", stateAt);
    return o;
}

} // namespace glossivo
