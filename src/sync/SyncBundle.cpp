#include "sync/SyncBundle.h"

#include "model/JsonFields.h"
#include "sync/CanonicalJson.h"

#include <QCryptographicHash>
#include <QJsonDocument>

#include <algorithm>

namespace glossivo {

namespace {

template <class T> QList<T> recordList(const QJsonObject& object, const char* key)
{
    if (auto array = Json::optionalArray(object, key)) return Json::objectList<T>(*array, key);
    return {};
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

QStringList logLines(const QJsonObject& object)
{
    QStringList lines;
    if (auto array = Json::optionalArray(object, "log")) lines = Json::stringList(*array, "log");
    lines.removeIf(holdsLineBreak);
    return lines;
}

std::optional<StudySettings> tolerantSettings(const QJsonObject& object)
{
    try {
        if (auto settings = Json::optionalObject(object, "settings"))
            return StudySettings::fromJson(*settings);
    } catch (const JsonError&) {
    }
    return std::nullopt;
}

} // namespace

SyncBundle SyncBundle::fromJson(const QJsonObject& object)
{
    SyncBundle bundle;
    bundle.format = Json::optionalInteger(object, "format").value_or(1);
    bundle.words = recordList<WordEntry>(object, "words");
    bundle.notes = recordList<AINote>(object, "notes");
    bundle.grammar = recordList<GrammarEncounter>(object, "grammar");
    bundle.affixes = recordList<AffixEncounter>(object, "affixes");
    bundle.deleted = recordList<Tombstone>(object, "deleted");
    bundle.log = logLines(object);
    if (auto stats = Json::optionalObject(object, "stats"))
        bundle.stats = ReviewStats::fromJson(*stats);
    bundle.settings = tolerantSettings(object);
    return bundle;
}

SyncBundle SyncBundle::parse(const QByteArray& json)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError)
        throw JsonError("sync document: " + error.errorString().toStdString());
    if (!document.isObject()) throw JsonError("sync document: expected an object");
    return fromJson(document.object());
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
