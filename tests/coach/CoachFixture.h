#pragma once

#include "coach/CoachFacts.h"
#include "model/JsonFields.h"
#include "model/LearningLog.h"
#include "model/WordStore.h"
#include "support/DataFolder.h"
#include "support/FakeClock.h"

#include <QFile>
#include <QJsonDocument>
#include <QTimeZone>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

// Failures show texts as text.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace glossivo::testing {

// A word book, a learning log and a configuration the test edits, over a fresh data folder,
// with a standing clock. The tests run in Shanghai (UTC+8).
class CoachFixture : public ::testing::Test {
protected:
    static const QTimeZone& shanghai()
    {
        static const QTimeZone zone("Asia/Shanghai");
        return zone;
    }

    // A local time in October 2026 (or another month).
    static QDateTime local(int day, int hour, int minute = 0, int month = 10)
    {
        return QDateTime(QDate(2026, month, day), QTime(hour, minute), shanghai());
    }

    // Wednesday 2026-10-07, 21:30 local.
    static QDateTime evening() { return local(7, 21, 30); }

    // Opens the word book over these words (and whatever else the folder holds).
    WordStore& openBook(const QList<WordEntry>& words)
    {
        folder.write(QStringLiteral("words.json"), QJsonDocument(Json::toArray(words)).toJson());
        return openFolder();
    }

    // Opens the word book over what the folder holds.
    WordStore& openFolder()
    {
        facts.reset();
        store = std::make_unique<WordStore>(folder.paths(), clock, [this] { return config; });
        log = std::make_unique<LearningLog>(folder.paths().log(), clock);
        facts = std::make_unique<CoachFacts>(
            *store, *log, [this] { return config; }, clock);
        return *store;
    }

    void logLine(const QString& line) const
    {
        QFile file(folder.paths().log());
        ASSERT_TRUE(file.open(QIODevice::Append));
        file.write(line.toUtf8() + '\n');
    }

    void logEvent(const QDateTime& time, const QString& kind, const QString& word,
                  const std::optional<QString>& detail = std::nullopt) const
    {
        logLine(LearningLog::Event{time, kind, word, detail}.toLine());
    }

    WordEntry word(const QString& headword, const QString& meaning = QStringLiteral("意思")) const
    {
        WordEntry entry;
        entry.id = QUuid::createUuid();
        entry.headword = headword;
        entry.pos = QStringLiteral("n.");
        entry.meaningZh = meaning;
        entry.createdAt = clock.now().addDays(-20);
        entry.lookupCount = 1;
        entry.lastLookupAt = entry.createdAt;
        return entry;
    }

    static ReviewState review(int reps, int lapses, double stability, const QDateTime& due)
    {
        return ReviewState{stability, 5, due, due.addDays(-3), reps, lapses, 2};
    }

    static Example example(const QString& sentence, bool generated = false)
    {
        Example made;
        made.id = QUuid::createUuid();
        made.sentence = sentence;
        made.isGenerated = generated;
        made.addedAt = QDateTime(QDate(2026, 10, 1), QTime(0, 0), QTimeZone::utc());
        return made;
    }

    QString build() const { return facts->build(clock.now()); }

    DataFolder folder;
    FakeClock clock{evening()};
    AppConfig config;
    std::unique_ptr<WordStore> store;
    std::unique_ptr<LearningLog> log;
    std::unique_ptr<CoachFacts> facts;
};

} // namespace glossivo::testing
