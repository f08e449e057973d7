#pragma once

#include "sync/SyncBundle.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTimeZone>

#include <stdexcept>

// Samples name only the fields they set, with designated initializers; every other field keeps
// its default on purpose.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace glossivo::testing {

// "0A" -> 00000000-0000-0000-0000-00000000000A, the ids of the merge samples.
inline QUuid sampleId(const char* suffix)
{
    return QUuid::fromString(QLatin1String("00000000-0000-0000-0000-0000000000") +
                             QLatin1String(suffix));
}

// Noon UTC of a day in October 2026, the time of every merge sample.
inline QDateTime oct(int day, int hour = 12)
{
    return QDateTime(QDate(2026, 10, day), QTime(hour, 0), QTimeZone::utc());
}

inline WordEntry sampleWord(const char* id, const QString& headword, int createdDay)
{
    return {.id = sampleId(id),
            .headword = headword,
            .meaningZh = headword + QStringLiteral("的意思"),
            .createdAt = oct(createdDay),
            .lookupCount = 1,
            .lastLookupAt = oct(createdDay)};
}

inline Example sampleExample(const char* id, const QString& sentence, int day)
{
    return {.id = sampleId(id), .sentence = sentence, .addedAt = oct(day)};
}

inline SyncBundle bundleOf(QList<WordEntry> words, QList<Tombstone> deleted = {})
{
    SyncBundle bundle;
    bundle.words = std::move(words);
    bundle.deleted = std::move(deleted);
    return bundle;
}

inline SyncBundle readFixture(const char* name)
{
    // The compiler may name this file relative to the build folder; the tests run elsewhere.
    QFile file(QStringLiteral(QT_TESTCASE_SOURCEDIR "/sync/fixtures/") + QString::fromUtf8(name));
    if (!file.open(QIODevice::ReadOnly)) throw std::runtime_error("missing fixture");
    return SyncBundle::parse(file.readAll());
}

} // namespace glossivo::testing
