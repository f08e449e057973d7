#include "sync/CanonicalWordText.h"

#include "model/IsoDate.h"
#include "model/JsonFields.h"
#include "model/TextOrder.h"
#include "sync/CanonicalWriter.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace glossivo::CanonicalWordText {

namespace {

// The members of one object. Each record below names its keys in ascending code-point order,
// as the canonical form sorts them, and names an optional key only when it has a value.
class Members {
public:
    explicit Members(CanonicalWriter& out) : m_out(out) { m_out.raw("{"); }
    Members(const Members&) = delete;
    Members& operator=(const Members&) = delete;
    ~Members() { m_out.raw("}"); }

    // Writes the key; the caller then writes its value.
    CanonicalWriter& operator[](std::string_view key)
    {
        m_out.raw(m_first ? "\"" : ",\"");
        m_first = false;
        m_out.raw(key);
        m_out.raw("\":");
        return m_out;
    }

private:
    CanonicalWriter& m_out;
    bool m_first = true;
};

// Declared before the templates that call them, which find them by name only.
void write(CanonicalWriter& out, const Example& example);
void write(CanonicalWriter& out, const AINote& note);
void write(CanonicalWriter& out, const FormRecord& record);
void write(CanonicalWriter& out, const ReviewState& review);
void write(CanonicalWriter& out, const QMap<QString, QString>& map);
template <class T> void write(CanonicalWriter& out, const QList<T>& list);

void write(CanonicalWriter& out, const QString& text)
{
    out.string(text);
}

void write(CanonicalWriter& out, const QDateTime& date)
{
    out.string(IsoDate::format(date));
}

void write(CanonicalWriter& out, const QUuid& id)
{
    out.string(Json::uuidText(id));
}

void write(CanonicalWriter& out, int number)
{
    out.number(number);
}

void write(CanonicalWriter& out, bool value)
{
    out.boolean(value);
}

void write(CanonicalWriter& out, Affix affix)
{
    out.string(rawValue(affix));
}

template <class T>
void optional(Members& members, std::string_view key, const std::optional<T>& value)
{
    if (value) write(members[key], *value);
}

template <class T> void write(CanonicalWriter& out, const QList<T>& list)
{
    out.raw("[");
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (i > 0) out.raw(",");
        write(out, list[i]);
    }
    out.raw("]");
}

void write(CanonicalWriter& out, const Example& example)
{
    Members members(out);
    write(members["addedAt"], example.addedAt);
    write(members["id"], example.id);
    write(members["isGenerated"], example.isGenerated);
    write(members["meaningZh"], example.meaningZh);
    write(members["sentence"], example.sentence);
    write(members["sentenceZh"], example.sentenceZh);
    optional(members, "sourceApp", example.sourceApp);
    optional(members, "sourceTitle", example.sourceTitle);
    optional(members, "sourceURL", example.sourceURL);
}

void write(CanonicalWriter& out, const AINote& note)
{
    Members members(out);
    write(members["addedAt"], note.addedAt);
    write(members["answer"], note.answer);
    write(members["id"], note.id);
    write(members["original"], note.original);
    write(members["question"], note.question);
    optional(members, "sourceApp", note.sourceApp);
    optional(members, "sourceTitle", note.sourceTitle);
    optional(members, "sourceURL", note.sourceURL);
    optional(members, "translation", note.translation);
}

void write(CanonicalWriter& out, const FormRecord& record)
{
    Members members(out);
    write(members["count"], record.count);
    write(members["firstSeenAt"], record.firstSeenAt);
    write(members["form"], record.form);
    write(members["kind"], rawValue(record.kind));
    optional(members, "sentence", record.sentence);
}

// As Json::putNumber writes it.
void writeFinite(CanonicalWriter& out, double number)
{
    out.number(std::isfinite(number) ? number : 0.0);
}

void write(CanonicalWriter& out, const ReviewState& review)
{
    Members members(out);
    writeFinite(members["difficulty"], review.difficulty);
    write(members["due"], review.due);
    write(members["lapses"], review.lapses);
    write(members["lastReview"], review.lastReview);
    write(members["level"], review.level);
    write(members["reps"], review.reps);
    writeFinite(members["stability"], review.stability);
}

// A map's keys are any text: they are sorted here by code point, which for text beyond the
// Basic Multilingual Plane is not the map's own order.
void write(CanonicalWriter& out, const QMap<QString, QString>& map)
{
    std::vector<QMap<QString, QString>::const_iterator> entries;
    entries.reserve(size_t(map.size()));
    for (auto it = map.cbegin(); it != map.cend(); ++it)
        entries.push_back(it);
    const auto keyLess = [](const auto& left, const auto& right) {
        return TextOrder::codePointLess(left.key(), right.key());
    };
    if (!std::is_sorted(entries.begin(), entries.end(), keyLess))
        std::sort(entries.begin(), entries.end(), keyLess);
    out.raw("{");
    for (size_t i = 0; i < entries.size(); ++i) {
        if (i > 0) out.raw(",");
        out.string(entries[i].key());
        out.raw(":");
        out.string(entries[i].value());
    }
    out.raw("}");
}

} // namespace

QByteArray of(const WordEntry& word)
{
    CanonicalWriter out;
    {
        Members members(out);
        optional(members, "affixes", word.affixes);
        write(members["createdAt"], word.createdAt);
        write(members["definitionEn"], word.definitionEn);
        optional(members, "encounterDays", word.encounterDays);
        write(members["examples"], word.examples);
        optional(members, "familyRoot", word.familyRoot);
        optional(members, "forms", word.forms);
        write(members["headword"], word.headword);
        write(members["id"], word.id);
        optional(members, "inflections", word.inflections);
        optional(members, "lastLookupAt", word.lastLookupAt);
        optional(members, "lastSpelledAt", word.lastSpelledAt);
        write(members["lookupCount"], word.lookupCount);
        write(members["meaningZh"], word.meaningZh);
        optional(members, "mnemonic", word.mnemonic);
        optional(members, "notes", word.notes);
        write(members["phonetic"], word.phonetic);
        write(members["pos"], word.pos);
        write(members["register"], rawValue(word.register_));
        write(members["registerNoteZh"], word.registerNoteZh);
        optional(members, "restUntil", word.restUntil);
        optional(members, "review", word.review);
        optional(members, "sourceKeys", word.sourceKeys);
        optional(members, "spellLevel", word.spellLevel);
        optional(members, "spellPractice", word.spellPractice);
        if (word.stage) write(members["stage"], rawValue(*word.stage));
        optional(members, "stateAt", word.stateAt);
        optional(members, "wantToLearn", word.wantToLearn);
    }
    return out.take();
}

} // namespace glossivo::CanonicalWordText
