#include "model/WordEntry.h"

#include "model/JsonFields.h"

namespace glossivo {

namespace {

QMap<QString, QString> stringMap(const QJsonObject& object, const char* what)
{
    QMap<QString, QString> map;
    for (auto it = object.begin(); it != object.end(); ++it)
        map.insert(it.key(), Json::stringValue(it.value(), what));
    return map;
}

QList<Affix> affixList(const QJsonArray& array)
{
    QList<Affix> list;
    for (const QJsonValue& element : array) {
        const QString name = Json::stringValue(element, "affixes");
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

WordEntry WordEntry::fromJson(const QJsonObject& o)
{
    WordEntry e;
    e.id = Json::uuid(o, "id");
    e.headword = Json::string(o, "headword");
    e.phonetic = Json::string(o, "phonetic");
    e.pos = Json::string(o, "pos");
    e.meaningZh = Json::string(o, "meaningZh");
    e.definitionEn = Json::string(o, "definitionEn");
    e.register_ = Json::enumValue<Register>(o, "register");
    e.registerNoteZh = Json::string(o, "registerNoteZh");
    e.examples = Json::objectList<Example>(Json::array(o, "examples"), "examples");
    e.createdAt = Json::date(o, "createdAt");
    e.lookupCount = Json::integer(o, "lookupCount");
    e.lastLookupAt = Json::optionalDate(o, "lastLookupAt");
    if (auto notes = Json::optionalArray(o, "notes"))
        e.notes = Json::objectList<AINote>(*notes, "notes");
    if (auto inflections = Json::optionalObject(o, "inflections"))
        e.inflections = stringMap(*inflections, "inflections");
    if (auto forms = Json::optionalArray(o, "forms"))
        e.forms = Json::objectList<FormRecord>(*forms, "forms");
    e.familyRoot = Json::optionalString(o, "familyRoot");
    if (auto affixes = Json::optionalArray(o, "affixes")) e.affixes = affixList(*affixes);
    if (auto review = Json::optionalObject(o, "review")) e.review = ReviewState::fromJson(*review);
    e.stage = Json::optionalEnumValue<Stage>(o, "stage");
    if (auto days = Json::optionalArray(o, "encounterDays"))
        e.encounterDays = Json::stringList(*days, "encounterDays");
    if (auto keys = Json::optionalArray(o, "sourceKeys"))
        e.sourceKeys = Json::stringList(*keys, "sourceKeys");
    e.wantToLearn = Json::optionalBoolean(o, "wantToLearn");
    e.restUntil = Json::optionalDate(o, "restUntil");
    e.mnemonic = Json::optionalString(o, "mnemonic");
    e.spellLevel = Json::optionalInteger(o, "spellLevel");
    e.spellPractice = Json::optionalBoolean(o, "spellPractice");
    e.lastSpelledAt = Json::optionalDate(o, "lastSpelledAt");
    e.stateAt = Json::optionalDate(o, "stateAt");
    return e;
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
