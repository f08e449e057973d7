#include "sync/SyncBundle.h"

#include "model/JsonDocumentReader.h"
#include "model/JsonFields.h"
#include "sync/CanonicalJson.h"
#include "sync/CanonicalWordTexts.h"
#include "sync/Sha256.h"

#include <QJsonDocument>

#include <algorithm>
#include <cctype>
#include <cstring>
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

// Where the string opened before `from` ends: its closing quote, one not escaped.
const char* closingQuote(const char* from, const char* end)
{
    for (const char* at = from;;) {
        const char* quote = static_cast<const char*>(std::memchr(at, '"', size_t(end - at)));
        if (!quote) return nullptr;
        qsizetype slashes = 0;
        for (const char* before = quote; before > from && before[-1] == '\\'; --before)
            ++slashes;
        if (slashes % 2 == 0) return quote;
        at = quote + 1;
    }
}

// The text of each object in the document's top-level "words" array, pointing into the
// document, which the reader has found well-formed. None when the array is not found once with
// that plain key, or holds anything but objects.
std::optional<QByteArrayList> wordTextsOf(const QByteArray& json)
{
    const char* const end = json.constData() + json.size();
    std::optional<QByteArrayList> texts;
    QByteArrayView lastKey; // the last string closed at the top level
    int depth = 0;
    bool inWords = false;
    const char* element = nullptr;
    for (const char* at = json.constData(); at < end; ++at) {
        switch (*at) {
        case '"': {
            const char* quote = closingQuote(at + 1, end);
            if (!quote) return std::nullopt;
            if (depth == 1) lastKey = QByteArrayView(at + 1, quote - at - 1);
            at = quote;
            break;
        }
        case '{':
        case '[':
            if (depth == 1 && *at == '[' && lastKey == "words") {
                if (texts) return std::nullopt;
                texts.emplace();
                inWords = true;
            } else if (inWords && depth == 2) {
                if (*at != '{') return std::nullopt;
                element = at;
            }
            ++depth;
            break;
        case '}':
        case ']':
            --depth;
            if (inWords && depth == 2)
                texts->append(QByteArray::fromRawData(element, at + 1 - element));
            else if (inWords && depth == 1)
                inWords = false;
            break;
        default:
            if (inWords && depth == 2 && *at != ',' && !std::isspace(uchar(*at)))
                return std::nullopt;
            break;
        }
    }
    return texts;
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

SyncBundle SyncBundle::parse(const QByteArray& json, WordTexts& texts)
{
    SyncBundle bundle = parse(json);
    std::optional<QByteArrayList> found = wordTextsOf(json);
    if (found && found->size() == bundle.words.size())
        texts = {json, std::move(*found)};
    else
        texts = {};
    return bundle;
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
    return text(WordTexts());
}

std::optional<SyncBundle::Text> SyncBundle::text(const WordTexts& known) const
{
    std::optional<QByteArray> head = CanonicalJson::write(withoutWords(*this).toJson());
    if (!head) return std::nullopt;
    Q_ASSERT(head->endsWith("[]}"));
    head->chop(2);
    if (!known.canonical || known.texts.size() != words.size())
        return Text{std::move(*head), CanonicalWordTexts::shared().texts(words)};
    QByteArrayList texts = known.texts;
    QList<WordEntry> unknown;
    for (qsizetype i = 0; i < words.size(); ++i)
        if (texts[i].isEmpty()) unknown.append(words[i]);
    const QByteArrayList found = CanonicalWordTexts::shared().texts(unknown);
    for (qsizetype i = 0, k = 0; i < words.size(); ++i)
        if (texts[i].isEmpty()) texts[i] = found[k++];
    return Text{std::move(*head), std::move(texts)};
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
    WordTexts texts;
    return normalized(texts);
}

SyncBundle SyncBundle::normalized(WordTexts& texts) const
{
    texts = {};
    const std::optional<QByteArray> head = CanonicalJson::write(withoutWords(*this).toJson());
    if (!head) return *this;
    QByteArrayList wordTexts;
    std::optional<QList<WordEntry>> normalizedWords =
        CanonicalWordTexts::shared().normalized(words, &wordTexts);
    if (!normalizedWords) return *this;
    try {
        SyncBundle result = parse(*head);
        result.words = std::move(*normalizedWords);
        texts.texts = std::move(wordTexts);
        texts.canonical = true;
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
