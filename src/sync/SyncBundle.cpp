#include "sync/SyncBundle.h"

#include "model/JsonDocumentReader.h"
#include "model/JsonFields.h"
#include "sync/CanonicalJson.h"

#include <QCryptographicHash>
#include <QJsonDocument>

#include <algorithm>

namespace glossivo {

namespace {

template <class T> QList<T> recordList(const JsonObjectReader& object, const char* key)
{
    return object.optionalObjectList<T>(key).value_or(QList<T>());
}

// Every character at which a text reader may start a new line, not only the line feed.
bool holdsLineBreak(const QString& line)
{
    return std::any_of(line.begin(), line.end(), [](QChar c) {
        switch (c.unicode()) {
        case u'\n':
        case u'\r':
        case u'\v':
        case u'\f':
        case 0x0085:
        case 0x2028:
        case 0x2029:
            return true;
        default:
            return false;
        }
    });
}

QStringList logLines(const JsonObjectReader& object)
{
    QStringList lines = object.optionalStringList("log").value_or(QStringList());
    lines.removeIf(holdsLineBreak);
    return lines;
}

std::optional<StudySettings> tolerantSettings(const JsonObjectReader& object)
{
    try {
        if (auto settings = object.optionalQJsonObject("settings"))
            return StudySettings::fromJson(*settings);
    } catch (const JsonError&) {
    }
    return std::nullopt;
}

SyncBundle decode(const JsonObjectReader& object)
{
    SyncBundle bundle;
    bundle.format = object.optionalInteger("format").value_or(1);
    bundle.words = recordList<WordEntry>(object, "words");
    bundle.notes = recordList<AINote>(object, "notes");
    bundle.grammar = recordList<GrammarEncounter>(object, "grammar");
    bundle.affixes = recordList<AffixEncounter>(object, "affixes");
    bundle.deleted = recordList<Tombstone>(object, "deleted");
    bundle.log = logLines(object);
    if (auto stats = object.optionalObject("stats")) bundle.stats = ReviewStats::fromJson(*stats);
    bundle.settings = tolerantSettings(object);
    return bundle;
}

} // namespace

SyncBundle SyncBundle::fromJson(const QJsonObject& object)
{
    return parse(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

SyncBundle SyncBundle::parse(const QByteArray& json)
{
    std::optional<JsonDocumentReader> document;
    try {
        document.emplace(json);
    } catch (const JsonError& error) {
        throw JsonError(std::string("sync document: ") + error.what());
    }
    if (!document->isObject()) throw JsonError("sync document: expected an object");
    return decode(document->object());
}

QJsonObject SyncBundle::toJson() const
{
    QJsonObject object{{QStringLiteral("format"), format},
                       {QStringLiteral("words"), Json::toArray(words)},
                       {QStringLiteral("notes"), Json::toArray(notes)},
                       {QStringLiteral("grammar"), Json::toArray(grammar)},
                       {QStringLiteral("affixes"), Json::toArray(affixes)},
                       {QStringLiteral("deleted"), Json::toArray(deleted)},
                       {QStringLiteral("log"), Json::toArray(log)}};
    if (stats) object.insert(QStringLiteral("stats"), stats->toJson());
    if (settings) object.insert(QStringLiteral("settings"), settings->toJson());
    return object;
}

QByteArray SyncBundle::json() const
{
    return CanonicalJson::write(toJson()).value_or(QByteArray());
}

SyncBundle SyncBundle::normalized() const
{
    const QByteArray bytes = json();
    if (bytes.isEmpty()) return *this;
    try {
        return parse(bytes);
    } catch (const JsonError&) {
        return *this;
    }
}

QString SyncBundle::hash() const
{
    return hashOf(json());
}

QString SyncBundle::hashOf(const QByteArray& json)
{
    return QString::fromLatin1(QCryptographicHash::hash(json, QCryptographicHash::Sha256).toHex());
}

} // namespace glossivo
