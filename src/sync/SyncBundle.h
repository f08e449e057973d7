#pragma once

#include "model/AINote.h"
#include "model/AffixEncounter.h"
#include "model/GrammarEncounter.h"
#include "model/ReviewStats.h"
#include "model/StudySettings.h"
#include "model/Tombstone.h"
#include "model/WordEntry.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QJsonObject>
#include <QList>
#include <QStringList>

#include <optional>

namespace glossivo {

// The whole word book of one user as one document: what devices exchange through the sync
// server. Its canonical bytes (json()) are the upload body, and its hash() is how devices tell
// whether two documents are the same, so equal content must always give equal bytes.
struct SyncBundle {
    int format = 1;
    QList<WordEntry> words;
    QList<AINote> notes; // the sentence notes, not those attached to a word
    QList<GrammarEncounter> grammar;
    QList<AffixEncounter> affixes;
    QList<Tombstone> deleted;
    QStringList log; // learning-log lines, each the text of one JSON object
    std::optional<ReviewStats> stats;
    std::optional<StudySettings> settings;

    // Every key may be missing or null. A malformed "settings" is dropped on its own, since a
    // peer may know study values this device does not; anything else malformed is a JsonError.
    // A log line holding a line break is dropped: written to the log file it would become
    // several lines.
    static SyncBundle fromJson(const QJsonObject& object);
    // The same from the bytes of a document; text that is not a JSON object is a JsonError.
    static SyncBundle parse(const QByteArray& json);

    // The text of each word of a bundle where it is known without encoding the word: as it
    // stood in a document read, or as kept for the word. Empty when it is not known; the texts
    // may point into `source`, which holds them.
    struct WordTexts {
        QByteArray source;
        QByteArrayList texts;
        // Whether each text is the canonical text of its word, as kept for it, rather than
        // what another device wrote.
        bool canonical = false;
    };
    // parse() that also hands back the text each word was read from.
    static SyncBundle parse(const QByteArray& json, WordTexts& texts);

    QJsonObject toJson() const;
    // The canonical text; empty when the document cannot be encoded.
    QByteArray json() const;
    struct HashedText {
        QByteArray json;
        QString hash;
    };
    // The canonical text in pieces: everything before the first word, then each word's text.
    // The words are most of the document and are kept encoded between passes; "words" sorts
    // last among the keys, so the rest of the document ends in "[]}" and the words go between
    // the brackets.
    struct Text {
        QByteArray head;
        QByteArrayList words;
        static constexpr char tail[] = "]}";

        QByteArray joined() const;
        QString hash() const;
        // The joined text with its hash, hashed on another thread while the text is put
        // together.
        HashedText hashed() const;
        // Whether the texts are the same bytes, as equal hashes tell, without hashing either.
        bool operator==(const Text& other) const;
    };
    // None when the document cannot be encoded.
    std::optional<Text> text() const;
    // The same, given the canonical texts of the words where they are known (empty where not),
    // which spares finding them again.
    std::optional<Text> text(const WordTexts& known) const;
    // The canonical text with its hash; both empty when the document cannot be encoded.
    HashedText hashedJson() const;
    // What another device reads from json(): dates lose their fraction of a second and an
    // unreadable settings object is gone. The document itself when its text does not read back.
    SyncBundle normalized() const;
    // The same with the canonical text of each normalized word.
    SyncBundle normalized(WordTexts& texts) const;
    // SHA-256 of json() in 64 lower-case hexadecimal digits.
    QString hash() const;
    // The same for text already made by json(), which spares encoding a large document twice.
    static QString hashOf(const QByteArray& json);

    bool operator==(const SyncBundle&) const = default;
};

} // namespace glossivo
