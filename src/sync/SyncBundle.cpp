#include "sync/SyncBundle.h"

#include "model/JsonDocumentReader.h"
#include "model/JsonFields.h"
#include "sync/CanonicalJson.h"
#include "sync/CanonicalWordTexts.h"
#include "sync/Sha256.h"

#include <QJsonDocument>

#include <algorithm>
#include <future>

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

SyncBundle withoutWords(const SyncBundle& bundle)
{
    SyncBundle rest = bundle;
    rest.words.clear();
    return rest;
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

QByteArray SyncBundle::Text::joined() const
{
    qsizetype size = head.size() + words.size() + 2;
    for (const QByteArray& word : words)
        size += word.size();
    QByteArray text;
    text.reserve(size);
    text.append(head);
    for (qsizetype i = 0; i < words.size(); ++i) {
        if (i > 0) text.append(',');
        text.append(words[i]);
    }
    text.append(tail);
    return text;
}

QString SyncBundle::Text::hash() const
{
    Sha256 hash;
    hash.add(head);
    for (qsizetype i = 0; i < words.size(); ++i) {
        if (i > 0) hash.add(",");
        hash.add(words[i]);
    }
    hash.add(tail);
    return hash.hex();
}

SyncBundle::HashedText SyncBundle::Text::hashed() const
{
    // The pieces stay unchanged while both threads read them.
    std::future<QString> hash = std::async(std::launch::async, [this] { return this->hash(); });
    QByteArray text = joined();
    return {std::move(text), hash.get()};
}

bool SyncBundle::Text::operator==(const Text& other) const
{
    if (head != other.head || words.size() != other.words.size()) return false;
    // A word's kept text is shared by every document that holds the word unchanged.
    for (qsizetype i = 0; i < words.size(); ++i)
        if (words[i].constData() != other.words[i].constData() && words[i] != other.words[i])
            return false;
    return true;
}

std::optional<SyncBundle::Text> SyncBundle::text() const
{
    std::optional<QByteArray> head = CanonicalJson::write(withoutWords(*this).toJson());
    if (!head) return std::nullopt;
    Q_ASSERT(head->endsWith("[]}"));
    head->chop(2);
    return Text{std::move(*head), CanonicalWordTexts::shared().texts(words)};
}

QByteArray SyncBundle::json() const
{
    const std::optional<Text> parts = text();
    return parts ? parts->joined() : QByteArray();
}

SyncBundle::HashedText SyncBundle::hashedJson() const
{
    const std::optional<Text> parts = text();
    return parts ? parts->hashed() : HashedText();
}

SyncBundle SyncBundle::normalized() const
{
    const std::optional<QByteArray> head = CanonicalJson::write(withoutWords(*this).toJson());
    if (!head) return *this;
    std::optional<QList<WordEntry>> normalizedWords =
        CanonicalWordTexts::shared().normalized(words);
    if (!normalizedWords) return *this;
    try {
        SyncBundle result = parse(*head);
        result.words = std::move(*normalizedWords);
        return result;
    } catch (const JsonError&) {
        return *this;
    }
}

QString SyncBundle::hash() const
{
    const std::optional<Text> parts = text();
    return parts ? parts->hash() : hashOf(QByteArray());
}

QString SyncBundle::hashOf(const QByteArray& json)
{
    return Sha256::hexOf(json);
}

} // namespace glossivo
