#pragma once

#include "model/AppPaths.h"
#include "model/Clock.h"
#include "model/DocumentFile.h"
#include "model/JsonFields.h"
#include "model/WordEntry.h"

#include <QFile>
#include <QJsonDocument>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimeZone>

#include <unistd.h>

namespace glossivo::bench {

// A word book that looks like a year of real use: two or three examples a word with sources,
// FSRS state on most words, forms, affixes and encounter days.
inline QList<WordEntry> generateWords(int count, quint32 seed = 7)
{
    QRandomGenerator random(seed);
    const QDateTime start(QDate(2025, 10, 1), QTime(8, 0), QTimeZone::utc());
    const QString sentence = QStringLiteral(
        "The maintainers were reluctant to merge the patch until the benchmarks showed a clear "
        "improvement on large inputs, word %1.");
    QList<WordEntry> words;
    words.reserve(count);
    for (int i = 0; i < count; ++i) {
        const QDateTime created = start.addSecs(qint64(i) * 1500);
        WordEntry e;
        e.id = QUuid::createUuid();
        e.headword = QStringLiteral("word%1").arg(i);
        e.phonetic = QStringLiteral("/wɜːd/");
        e.pos = QStringLiteral("adj.");
        e.meaningZh = QStringLiteral("不情愿的；勉强的");
        e.definitionEn = QStringLiteral("unwilling and hesitant to do something");
        e.registerNoteZh = QStringLiteral("中性，日常和书面都常用");
        const int exampleCount = 1 + int(random.bounded(3));
        for (int k = 0; k < exampleCount; ++k)
            // Each its own sentence: a word never gains a sentence it already holds.
            e.examples.append(Example{
                QUuid::createUuid(),
                sentence.arg(QStringLiteral("%1, sentence %2").arg(i).arg(k + 1)),
                QStringLiteral("维护者们在基准测试显示出明显改进之前不愿合并这个补丁。"),
                QStringLiteral("不情愿的"), k > 0, QStringLiteral("Firefox"),
                QStringLiteral("https://github.com/example/project/pull/%1").arg(i),
                QStringLiteral("Pull request #%1 · example/project").arg(i), created.addDays(k)});
        e.createdAt = created;
        e.lookupCount = 1 + int(random.bounded(6));
        e.lastLookupAt = created.addDays(3);
        e.inflections =
            QMap<QString, QString>{{QStringLiteral("comparative"), QStringLiteral("more x")}};
        e.forms =
            QList<FormRecord>{FormRecord{FormKind::base, e.headword, created, 2, sentence.arg(i)}};
        e.affixes = QList<Affix>{Affix::re};
        if (random.bounded(10) < 8) {
            e.review = ReviewState{1.0 + random.bounded(60.0),
                                   1.0 + random.bounded(9.0),
                                   created.addDays(5),
                                   created.addDays(2),
                                   3,
                                   1,
                                   2};
            e.stage = random.bounded(2) ? Stage::learning : Stage::mastered;
        }
        e.encounterDays = QStringList{created.date().toString(Qt::ISODate)};
        e.sourceKeys = QStringList{QStringLiteral("github.com")};
        e.spellLevel = int(random.bounded(5));
        words.append(e);
    }
    return words;
}

inline QByteArray encodeWords(const QList<WordEntry>& words)
{
    return QJsonDocument(Json::toArray(words)).toJson(QJsonDocument::Indented);
}

// A folder holding a generated words.json of the benchmark's size.
struct WordBookFolder {
    explicit WordBookFolder(int count) : paths(dir.path())
    {
        DocumentFile(paths.words()).write(encodeWords(generateWords(count)));
    }

    QTemporaryDir dir;
    AppPaths paths;
};

// The process's resident memory now.
// The word book after a year of use as learning sees it: thirty reviewed words being learnt and
// the reviewed rest mastered (on the spelling list too when asked), the others seen.
inline QList<WordEntry> yearOfLearning(int count, bool spelling = false)
{
    QList<WordEntry> words = generateWords(count);
    int learning = 0;
    for (WordEntry& entry : words) {
        if (!entry.review) {
            entry.stage.reset();
            continue;
        }
        entry.stage = learning++ < 30 ? Stage::learning : Stage::mastered;
        if (spelling) entry.spellPractice = true;
    }
    return words;
}

// Moves on by a day whenever told, so that every round finds words due and a fresh day.
class SteppingClock final : public Clock {
public:
    QDateTime now() const override { return m_now; }
    void nextDay() { m_now = m_now.addDays(1); }

private:
    QDateTime m_now = QDateTime::currentDateTimeUtc();
};

inline double residentMegabytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly)) return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    if (fields.size() < 2) return 0;
    return fields[1].toDouble() * double(::sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

} // namespace glossivo::bench
