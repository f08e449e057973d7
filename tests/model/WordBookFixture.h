#pragma once

#include "model/JsonFields.h"
#include "model/LearningLog.h"
#include "model/WordStore.h"
#include "support/DataFolder.h"
#include "support/FakeClock.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTimeZone>

#include <gtest/gtest.h>

#include <memory>

namespace glossivo::testing {

// A word as a save made it at that time.
inline WordEntry savedWord(const QString& headword, const QDateTime& at)
{
    WordEntry entry;
    entry.id = QUuid::createUuid();
    entry.headword = headword;
    entry.meaningZh = QStringLiteral("意思");
    entry.createdAt = at;
    entry.lookupCount = 1;
    entry.lastLookupAt = at;
    return entry;
}

// A word book over a fresh data folder, a standing clock and a configuration the test edits.
class WordBookFixture : public ::testing::Test {
protected:
    // 2026-10-07 12:00 in Shanghai, where the tests run.
    static QDateTime noon() { return QDateTime(QDate(2026, 10, 7), QTime(4, 0), QTimeZone::utc()); }

    static constexpr qint64 kDay = 86400;

    // A word as the AI explained it, met in the sentence when one is given.
    static Explanation explained(const QString& headword, const QString& sentence = QString())
    {
        Explanation explanation;
        explanation.headword = headword;
        explanation.meaningZh = QStringLiteral("意思");
        if (!sentence.isNull()) explanation.sentence = sentence;
        return explanation;
    }

    WordStore& open()
    {
        store.reset();
        store = std::make_unique<WordStore>(folder.paths(), clock, [this] { return config; });
        return *store;
    }

    // Stores the words as "words.json" and opens the word book over them.
    WordStore& open(const QList<WordEntry>& words)
    {
        folder.write(QStringLiteral("words.json"), QJsonDocument(Json::toArray(words)).toJson());
        return open();
    }

    // Another Glossivo process over the same data folder (the tray program beside a command-line
    // mode): each store opens the lock file on its own, so they exclude each other as two
    // processes do.
    std::unique_ptr<WordStore> other()
    {
        return std::make_unique<WordStore>(folder.paths(), clock, [this] { return config; });
    }

    static QStringList headwords(const QList<WordEntry>& words)
    {
        QStringList names;
        for (const WordEntry& entry : words)
            names.append(entry.headword);
        names.sort();
        return names;
    }

    WordEntry word(const QString& headword) const { return savedWord(headword, clock.now()); }

    WordEntry learning(const QString& headword) const
    {
        WordEntry entry = word(headword);
        entry.stage = Stage::learning;
        return entry;
    }

    QList<LearningLog::Event> events() const
    {
        QList<LearningLog::Event> decoded;
        for (const QString& line :
             LearningLog(folder.path(QStringLiteral("learning-log.jsonl")), clock).readLines())
            decoded.append(LearningLog::Event::fromLine(line).value());
        return decoded;
    }

    // "kind" or "kind detail" of every logged event, in order.
    QStringList logged() const
    {
        QStringList lines;
        for (const auto& event : events())
            lines.append(event.detail ? event.kind + u' ' + *event.detail : event.kind);
        return lines;
    }

    QList<WordEntry> wordsOnDisk() const
    {
        const auto document = QJsonDocument::fromJson(folder.read(QStringLiteral("words.json")));
        return Json::objectList<WordEntry>(document.array(), "words");
    }

    const WordEntry& entry(const QUuid& id) const
    {
        for (const WordEntry& e : store->entries())
            if (e.id == id) return e;
        throw std::runtime_error("no such word");
    }

    DataFolder folder;
    FakeClock clock{noon()};
    AppConfig config;
    std::unique_ptr<WordStore> store;
};

} // namespace glossivo::testing
