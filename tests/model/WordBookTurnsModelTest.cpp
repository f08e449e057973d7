// Several Glossivo processes taking turns at one data folder, driven by seeded random steps and
// checked against a small model of what README.md's "Data folder" promises. Three word books
// stand for three processes; the test itself is a fourth, which holds the lock for a while and
// replaces documents one at a time, as another process's sync does; writes of chosen documents
// fail for a while, as on a full disk. Once everything is written, the files must hold every
// step's effect exactly once. A failing seed prints its shortest failing sequence of steps.
//   GLOSSIVO_MODEL_SEEDS=5000   runs that many seeds (40 by default)
//   GLOSSIVO_MODEL_SEED=17      runs seed 17 alone
#include "WordBookFixture.h"

#include "model/AtomicFile.h"
#include "model/DayKey.h"
#include "model/FolderLock.h"
#include "model/HeadwordKey.h"
#include "model/JsonDocumentReader.h"
#include "model/JsonFields.h"
#include "model/LearningLog.h"
#include "model/WordStore.h"
#include "support/DataFolder.h"
#include "support/FakeClock.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QTimeZone>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <map>
#include <memory>
#include <random>

using namespace glossivo;
using namespace std::chrono_literals;

namespace {

const QStringList kWords{"harbor", "ferry", "patch", "cove"};
const QStringList kDocuments{"words.json", "deleted.json", "review-stats.json",
                             "learning-log.jsonl"};
constexpr int kStores = 3;

// Flushes of these documents fail as on a full disk; the others are skipped, for speed.
QSet<QString> blocked;
int flush(int fd)
{
    const QString name =
        QFileInfo(QFile::symLinkTarget(QStringLiteral("/proc/self/fd/%1").arg(fd))).fileName();
    for (const QString& document : std::as_const(blocked))
        if (name == document || name.startsWith(document + ".tmp-")) return errno = ENOSPC, -1;
    return 0;
}

// A store's steps, then the other process's and the failing writes.
// clang-format off
enum class Kind { save, lookup, review, startLearning, rest, wantToLearn, fillSlots, addSpelling,
                  setSpelling, spell, deleteWord, sync, refresh,
                  holdLock, releaseLock, otherAdds, otherDeletes, otherReviews, block, unblock,
                  midnight, restart };
const char* const kVerbs[] = {"saves", "looks up", "reviews", "starts learning", "rests",
                              "wants to learn", "fills the slots", "adds to the spelling list",
                              "sets the spelling list of", "spells", "deletes", "syncs",
                              "refreshes"};
// clang-format on

// A step; `a` and `b` choose its word, id, document or variant when it runs, so that a sequence
// with steps left out still runs.
struct Op {
    Kind kind;
    int store, a, b;
};

std::vector<Op> generate(unsigned seed)
{
    static const std::pair<Kind, int> weights[] = {
        {Kind::save, 14},         {Kind::lookup, 8},       {Kind::review, 9},
        {Kind::startLearning, 2}, {Kind::rest, 2},         {Kind::wantToLearn, 2},
        {Kind::fillSlots, 2},     {Kind::addSpelling, 3},  {Kind::setSpelling, 2},
        {Kind::spell, 2},         {Kind::deleteWord, 11},  {Kind::sync, 4},
        {Kind::refresh, 6},       {Kind::holdLock, 6},     {Kind::releaseLock, 8},
        {Kind::otherAdds, 3},     {Kind::otherDeletes, 2}, {Kind::otherReviews, 2},
        {Kind::block, 4},         {Kind::unblock, 4},      {Kind::midnight, 2},
        {Kind::restart, 2}};
    std::mt19937 random(seed);
    std::vector<Op> ops(40);
    for (Op& op : ops) {
        int pick = int(random() % 100); // the weights add up to 100
        for (const auto& [kind, weight] : weights)
            if ((pick -= weight) < 0) {
                op.kind = kind;
                break;
            }
        op = {op.kind, int(random() % kStores), int(random() % 1000), int(random() % 1000)};
    }
    return ops;
}

// The model follows what decides the documents' end: which words live, under which id, with
// how many lookups and examples, the day's reviews and new words, and the log lines of each step.
// A step that acts on a word acts when the store shows the word (after its turn took in what the
// others wrote), on the word kept when the store's copy was folded into another. What it does
// not follow (stages, flags, spelling levels) is left to the unit tests; where a step's lines
// depend on it, the model takes what the store reports (how many words joined, whether a word
// graduated) or allows a range (a word already on the spelling list logs nothing when added).
//
// What the model knows of a word saved anew (or added by another process or device), by id.
struct Word {
    QString headword;
    QUuid keptAs;         // the word it was folded into; its own id while it was not
    int lookups = 1;      // what it adds to lookupCount: its save and every lookup
    int examples = 0;     // what it adds to the examples
    bool landed = false;  // it reached words.json
    bool deleted = false; // a delete acted on it: it must not survive
    bool gone = false;    // its deletion reached words.json
};

// What the model knows of a store: the words it shows, and its changes of words.json not on disk
// yet (words saved anew, words deleted).
struct Process {
    QSet<QUuid> shows, fresh, deleting;
    QList<QUuid> seen; // every id it ever showed, for steps on stale ids
};

QString number(qsizetype value)
{
    return QString::number(value);
}

Explanation explained(const QString& headword, const std::optional<QString>& sentence = {})
{
    Explanation explanation;
    explanation.headword = headword;
    explanation.meaningZh = QStringLiteral("意思");
    explanation.sentence = sentence;
    return explanation;
}

// One sequence of steps, run over a fresh data folder, then checked.
class Trial {
public:
    explicit Trial(const std::vector<Op>& ops)
    {
        config.learningSlots = 1000; // no word leaves its slot, which the model does not follow
        for (int i = 0; i < kStores; ++i)
            stores.push_back(newStore());
        for (const Op& op : ops) {
            clock.advance(1000);
            const QString document = kDocuments[op.a % kDocuments.size()];
            if (op.kind == Kind::block || op.kind == Kind::unblock) {
                op.kind == Kind::block ? void(blocked.insert(document))
                                       : void(blocked.remove(document));
                steps.append("writes of " + document +
                             (op.kind == Kind::block ? " fail" : " work"));
            } else if (op.kind == Kind::midnight) {
                // A new day: today's counters start again.
                for (const QString today = DayKey::of(clock.now());
                     DayKey::of(clock.now()) == today;)
                    clock.advance(3600 * 1000);
                reviewed = newLearned = 0;
                steps.append("a new day begins");
            } else if (op.kind == Kind::restart && stores[op.store]->isSaved()) {
                // The process ends and starts again: it reads what is on disk, even during another
                // process's turn.
                stores[op.store] = newStore();
                processes[op.store] = Process();
                takeIn(processes[op.store]);
                steps.append(QChar('A' + op.store) + QStringLiteral(" starts again"));
            } else if (op.kind >= Kind::holdLock && op.kind <= Kind::otherReviews) {
                otherStep(op);
            } else if (op.kind < Kind::holdLock) {
                storeStep(op);
            }
        }
        recover();
        check();
    }

    QStringList steps;    // what each step did
    QStringList failures; // "what failed: details"

private:
    void storeStep(const Op& op)
    {
        WordStore& store = *stores[op.store];
        Process& p = processes[op.store];
        const QString word = kWords[op.a % kWords.size()];
        const QList<QUuid> current = ids(store.entries());
        const QList<QUuid>& from = op.b % 2 ? p.seen : current;
        const QUuid id = from.isEmpty() ? QUuid() : from[op.a % from.size()];
        const Rating rating = Rating((op.b / 2) % 4 + 1);
        const int variant = (op.b / 2) % 4;
        const bool byId = op.kind != Kind::save && op.kind != Kind::lookup &&
                          op.kind != Kind::addSpelling && op.kind != Kind::fillSlots &&
                          op.kind < Kind::sync;
        if (byId && id.isNull()) return;
        const QString idText = name(id) + (current.contains(id) ? "" : " (stale)");
        QString text = QStringLiteral("%1 %2 %3")
                           .arg(QChar('A' + op.store), kVerbs[int(op.kind)], byId ? idText : word);
        if (op.kind == Kind::fillSlots || op.kind >= Kind::sync) text = text.section(' ', 0, -2);

        // A turn that has the lock first takes in what the others wrote. An operation on a word
        // whose copy was folded into another acts on the word kept.
        const bool hasTurn = !lock;
        if (hasTurn) takeIn(p);
        const QUuid target = kept(id);
        const bool found = p.shows.contains(target);
        const QString head = words.value(target).headword;
        const std::optional<QUuid> shown = showing(p, word);
        switch (op.kind) {
        case Kind::save: {
            const QString sentence = QStringLiteral("A %1 at step %2.").arg(word).arg(steps.size());
            const QUuid saved = store.save(explained(word, sentence), {}).entry.id;
            shown ? void(++words[*shown].examples) : added(p, saved, word, 1);
            text += shown ? "" : " anew";
            break;
        }
        case Kind::lookup:
            store.recordLookup(explained(word), {});
            if (shown) ++words[*shown].lookups, expect("lookup " + word);
            break;
        case Kind::review: {
            const ReviewOutcome outcome = store.applyReview(id, rating, QStringLiteral("review"));
            if (found) {
                ++reviewed;
                expect("review " + head);
                if (outcome == ReviewOutcome::graduated) expect("graduate " + head);
                if (outcome == ReviewOutcome::becameLeech) expect("leech " + head);
            }
            text += ' ' + ratingName(rating);
            break;
        }
        case Kind::startLearning:
            if (store.startLearning(id) && found) expect("join");
            break;
        case Kind::rest:
            store.rest(id, 1 + variant);
            if (found) expect("rest " + head);
            break;
        case Kind::wantToLearn:
            store.setWantToLearn(id, variant == 0);
            break;
        case Kind::fillSlots: {
            const int joined = store.fillSlots(variant);
            expect("join", joined);
            newLearned += joined;
            text += QStringLiteral(": %1 joined").arg(joined);
            break;
        }
        case Kind::addSpelling: {
            const QUuid saved = store.addSpellPractice(explained(word)).id;
            if (shown)
                expect("spell-add " + word, 0, 1); // whether it was on the list is not modelled
            else
                added(p, saved, word, 0), expect("spell-add " + word);
            break;
        }
        case Kind::setSpelling:
            store.setSpellPractice(id, variant != 0);
            if (found) expect((variant != 0 ? "spell-add " : "spell-remove ") + head);
            text += variant != 0 ? " (on)" : " (off)";
            break;
        case Kind::spell:
            store.applySpelling(id, rating);
            if (found) expect("spell " + head);
            break;
        case Kind::deleteWord:
            store.deleteWord(id);
            tombstones.append(target); // a folded id buries the word kept, also when gone
            if (found) forget(p, target);
            break;
        case Kind::sync:
            text += sync(store, p, word, variant, op.a);
            break;
        default:
            store.refresh();
        }
        if (hasTurn && !store.failedDocuments().contains("words.json")) land(p);
        steps.append(text + (hasTurn ? "" : " [held back]"));

        const QList<QUuid> after = ids(store.entries());
        if (QSet<QUuid>(after.begin(), after.end()) != p.shows)
            fail(QStringLiteral("what a store shows: %1 shows %2, the model %3")
                     .arg(QChar('A' + op.store), names(after), names(p.shows.values())));
        for (const QUuid& shownId : after)
            if (!p.seen.contains(shownId)) p.seen.append(shownId);
    }

    // A sync of the store's device: its documents as another device changed them, taken back
    // whole in the same turn.
    QString sync(WordStore& store, Process& p, const QString& word, int variant, int pick)
    {
        const WordStore::Turn turn(store);
        SyncBundle bundle = store.snapshot();
        QString text;
        if (variant == 1 && !showing(p, word) && !store.index(word)) {
            const WordEntry entry = newWord(word);
            bundle.words.prepend(entry);
            deviceLines.append(LearningLog::Event{clock.now(), "save", word, {}}.toLine());
            added(p, entry.id, word, 0);
            text = ": another device added " + word;
        } else if (variant == 2 && !bundle.words.isEmpty()) {
            const WordEntry removed = bundle.words.takeAt(pick % bundle.words.size());
            bundle.deleted.append({Json::uuidText(removed.id), clock.now()});
            tombstones.append(removed.id);
            forget(p, kept(removed.id));
            text = ": another device deleted " + name(removed.id);
        } else if (variant == 3 && !bundle.words.isEmpty()) {
            WordEntry& met = bundle.words[pick % bundle.words.size()];
            ++met.lookupCount;
            ++words[kept(met.id)].lookups;
            deviceLines.append(
                LearningLog::Event{clock.now(), "lookup", met.headword, {}}.toLine());
            expect("lookup " + met.headword);
            if (bundle.stats && bundle.stats->day == DayKey::of(clock.now()))
                ++bundle.stats->reviewed, ++reviewed;
            text = ": another device looked up and reviewed " + name(met.id);
        }
        // The server keeps the other device's lines: every merge brings them.
        for (const QString& line : std::as_const(deviceLines))
            if (!bundle.log.contains(line)) bundle.log.append(line);
        store.applySync(bundle);
        return text;
    }

    // A turn's start: the words the store saved anew meanwhile fold into one that another saved
    // under the same headword (the disk's is kept); it shows what is on disk, with its own
    // changes on top.
    void takeIn(Process& p)
    {
        for (const QUuid& r : QSet<QUuid>(p.fresh))
            if (const auto q = onDisk(words[r].headword); q && !p.deleting.contains(*q)) {
                words[r].keptAs = *q;
                p.fresh.remove(r);
            }
        p.shows = p.fresh;
        for (auto it = words.cbegin(); it != words.cend(); ++it)
            if (it->landed && !it->gone && !p.deleting.contains(it.key())) p.shows.insert(it.key());
    }

    // The store's words.json reached the disk.
    void land(Process& p)
    {
        for (const QUuid& r : std::as_const(p.fresh))
            words[r].landed = true;
        for (const QUuid& g : std::as_const(p.deleting))
            words[g].gone = true;
        p.fresh.clear();
        p.deleting.clear();
    }

    std::optional<QUuid> onDisk(const QString& word) const
    {
        for (auto it = words.cbegin(); it != words.cend(); ++it)
            if (it->landed && !it->gone && it->headword == word) return it.key();
        return std::nullopt;
    }

    std::optional<QUuid> showing(const Process& p, const QString& word) const
    {
        for (const QUuid& id : p.shows)
            if (words.value(id).headword == word) return id;
        return std::nullopt;
    }

    QUuid kept(QUuid id) const
    {
        while (words.contains(id) && words[id].keptAs != id)
            id = words[id].keptAs;
        return id;
    }

    void added(Process& p, const QUuid& id, const QString& word, int examples)
    {
        words.insert(id, Word{word, id, 1, examples});
        p.fresh.insert(id);
        p.shows.insert(id);
        expect("save " + word);
    }

    void forget(Process& p, const QUuid& id)
    {
        if (!p.shows.remove(id)) return;
        if (!p.fresh.remove(id)) p.deleting.insert(id);
        words[id].deleted = true;
    }

    // The test's own turns, as another process's: it holds the lock and replaces documents one
    // at a time while the stores' steps go on; its tombstones are written last, as its turn ends.
    void otherStep(const Op& op)
    {
        if (op.kind == Kind::releaseLock) return releaseLock();
        if (!lock) {
            lock = std::make_unique<FolderLock>(folder.paths().wordBookLock());
            if (lock->acquire(0ms) != FolderLock::State::held) fail("lock: another turn has it");
            steps.append("another process takes its turn");
        }
        QList<WordEntry> list = read<WordEntry>("words.json");
        const QString word = kWords[op.a % kWords.size()];
        if (op.kind == Kind::otherAdds && !onDisk(word) &&
            std::none_of(list.begin(), list.end(),
                         [&](const WordEntry& e) { return HeadwordKey::of(e.headword) == word; })) {
            const WordEntry entry = newWord(word);
            list.prepend(entry);
            replace("words.json", QJsonDocument(Json::toArray(list)));
            words.insert(entry.id, Word{word, entry.id, 1, 0, true});
            appendLine("save", word);
            steps.append("another process saves " + name(entry.id));
        } else if (op.kind == Kind::otherDeletes && !list.isEmpty()) {
            const WordEntry removed = list.takeAt(op.a % list.size());
            replace("words.json", QJsonDocument(Json::toArray(list)));
            otherTombstones.append({Json::uuidText(removed.id), clock.now()});
            tombstones.append(removed.id);
            words[kept(removed.id)].deleted = words[kept(removed.id)].gone = true;
            steps.append("another process deletes " + name(removed.id));
        } else if (op.kind == Kind::otherReviews) {
            ReviewStats stats = readStats();
            ++stats.reviewed;
            replace("review-stats.json", QJsonDocument(stats.toJson()));
            appendLine("review", "(another process)");
            ++reviewed;
            steps.append("another process counts a review");
        }
    }

    void releaseLock()
    {
        if (!lock) return;
        QList<Tombstone> list = read<Tombstone>("deleted.json");
        for (const Tombstone& tombstone : std::as_const(otherTombstones))
            if (std::none_of(list.begin(), list.end(),
                             [&](const Tombstone& t) { return t.id == tombstone.id; }))
                list.append(tombstone);
        if (!otherTombstones.isEmpty()) replace("deleted.json", QJsonDocument(Json::toArray(list)));
        otherTombstones.clear();
        lock.reset();
        steps.append("another process ends its turn");
    }

    void replace(const QString& name, const QJsonDocument& document)
    {
        folder.write(name + ".other", document.toJson());
        std::rename(QFile::encodeName(folder.path(name + ".other")).constData(),
                    QFile::encodeName(folder.path(name)).constData());
    }

    void appendLine(const QString& kind, const QString& word)
    {
        QFile log(folder.path("learning-log.jsonl"));
        if (log.open(QIODevice::Append))
            log.write((LearningLog::Event{clock.now(), kind, word, {}}.toLine() + '\n').toUtf8());
        expect(kind + ' ' + word);
    }

    // Everything is written once the other process's turn is over, no write fails and each
    // store had a turn of its own.
    void recover()
    {
        releaseLock();
        blocked.clear();
        for (int round = 0; round < 3; ++round)
            for (int i = 0; i < kStores; ++i)
                if (!stores[i]->isSaved()) {
                    takeIn(processes[i]);
                    stores[i]->writeHeldBack(0ms);
                    if (!stores[i]->failedDocuments().contains("words.json")) land(processes[i]);
                }
        for (int i = 0; i < kStores; ++i)
            if (!stores[i]->isSaved())
                fail(QStringLiteral("not saved: %1 %2")
                         .arg(QChar('A' + i), stores[i]->failedDocuments().join(' ')));
    }

    void check()
    {
        // Each word alive in the model is in words.json once, under the id kept, with every
        // save, lookup and example of the copies folded into it; no other word is.
        const QList<WordEntry> onDisk = read<WordEntry>("words.json");
        QHash<QUuid, std::pair<int, int>> sums; // lookups, examples
        for (auto it = words.cbegin(); it != words.cend(); ++it) {
            sums[kept(it.key())].first += it->lookups;
            sums[kept(it.key())].second += it->examples;
        }
        QSet<QUuid> ids;
        QSet<QString> headwords;
        for (const WordEntry& entry : onDisk) {
            const auto [lookups, examples] = sums.value(entry.id);
            if (ids.contains(entry.id) || headwords.contains(HeadwordKey::of(entry.headword)))
                fail("a word twice in words.json: " + name(entry.id));
            ids.insert(entry.id);
            headwords.insert(HeadwordKey::of(entry.headword));
            if (!words.contains(entry.id) || kept(entry.id) != entry.id)
                fail("a word in words.json under an id not kept: " + name(entry.id));
            else if (words[entry.id].deleted)
                fail("a deleted word in words.json: " + name(entry.id));
            else if (entry.lookupCount != lookups || entry.examples.size() != examples)
                fail(QStringLiteral("lookups or examples: %1 has %2 and %3, the model %4 and %5")
                         .arg(name(entry.id), number(entry.lookupCount),
                              number(entry.examples.size()), number(lookups), number(examples)));
        }
        for (auto it = words.cbegin(); it != words.cend(); ++it)
            if (kept(it.key()) == it.key() && !it->deleted && !ids.contains(it.key()))
                fail("a word lost: " + name(it.key()));

        // A tombstone for every delete, once; none for a word that is kept.
        std::map<QString, int> buried;
        for (const Tombstone& tombstone : read<Tombstone>("deleted.json"))
            ++buried[tombstone.id];
        for (const auto& [id, count] : buried)
            if (count > 1)
                fail(QStringLiteral("a tombstone twice: %1 %2 times").arg(id.left(4)).arg(count));
        for (const QUuid& id : std::as_const(tombstones))
            if (!buried.count(Json::uuidText(id))) fail("a tombstone missing: " + name(id));
        for (const WordEntry& entry : onDisk)
            if (buried.count(Json::uuidText(entry.id)))
                fail("a buried word kept: " + name(entry.id));

        const ReviewStats stats = readStats();
        if (stats.reviewed != reviewed || stats.newLearned != newLearned)
            fail(QStringLiteral("review-stats.json: reviewed %1, newLearned %2; the model %3, %4")
                     .arg(number(stats.reviewed), number(stats.newLearned), number(reviewed),
                          number(newLearned)));

        // Each step's learning-log lines, once; which words joined is not modelled.
        std::map<QString, int> lines;
        for (const QString& line :
             LearningLog(folder.path("learning-log.jsonl"), clock).readLines()) {
            const auto event = LearningLog::Event::fromLine(line);
            if (!event)
                fail("unreadable: a learning-log line " + line);
            else
                ++lines[event->kind == "join" ? event->kind : event->kind + ' ' + event->word];
        }
        for (const auto& [key, count] : lines)
            expected.try_emplace(key, 0, 0);
        for (const auto& [key, range] : expected)
            if (lines[key] < range.first || lines[key] > range.second)
                fail(QStringLiteral("the learning log: \"%1\" %2 times, the model %3")
                         .arg(key, number(lines[key]),
                              range.first == range.second
                                  ? number(range.first)
                                  : number(range.first) + " to " + number(range.second)));
    }

    template <class T> QList<T> read(const QString& name)
    {
        try {
            if (folder.exists(name))
                return JsonDocumentReader(folder.read(name)).objectList<T>("element");
        } catch (const JsonError&) {
            fail("unreadable: " + name);
        }
        return {};
    }

    // Today's counters on disk: none in a file of another day.
    ReviewStats readStats()
    {
        const ReviewStats none{DayKey::of(clock.now()), 0, 0};
        try {
            if (folder.exists("review-stats.json")) {
                const ReviewStats stats = ReviewStats::fromJson(
                    JsonDocumentReader(folder.read("review-stats.json")).object());
                return stats.day == none.day ? stats : none;
            }
        } catch (const JsonError&) {
            fail("unreadable: review-stats.json");
        }
        return none;
    }

    std::unique_ptr<WordStore> newStore()
    {
        auto store = std::make_unique<WordStore>(folder.paths(), clock, [this] { return config; });
        // No patience, so that failedDocuments() names every document not written.
        store->setLockWait(0ms, 0ms);
        return store;
    }

    WordEntry newWord(const QString& word) const
    {
        return glossivo::testing::savedWord(word, clock.now());
    }

    static QList<QUuid> ids(const QList<WordEntry>& entries)
    {
        QList<QUuid> list;
        for (const WordEntry& entry : entries)
            list.append(entry.id);
        return list;
    }

    // "harbor#1A2B": the headword and the start of the id.
    QString name(const QUuid& id) const
    {
        return words.value(id).headword + '#' + Json::uuidText(id).left(4);
    }

    QString names(QList<QUuid> list) const
    {
        QStringList texts;
        for (const QUuid& id : list)
            texts.append(name(id));
        texts.sort();
        return '[' + texts.join(", ") + ']';
    }

    void expect(const QString& line, int least = 1, int most = -1)
    {
        expected[line].first += least;
        expected[line].second += most < 0 ? least : most;
    }

    void fail(const QString& failure) { failures.append(failure); }

    glossivo::testing::DataFolder folder;
    glossivo::testing::FakeClock clock{
        QDateTime(QDate(2026, 10, 7), QTime(4, 0), QTimeZone::utc())};
    AppConfig config;
    std::vector<std::unique_ptr<WordStore>> stores;
    std::unique_ptr<FolderLock> lock; // the other process's turn
    QList<Tombstone> otherTombstones; // its deletions, written as its turn ends
    QStringList deviceLines;          // learning-log lines that another device synced

    // The model.
    QHash<QUuid, Word> words;
    Process processes[kStores];
    QList<QUuid> tombstones; // of every delete: the word kept when it acted on one
    int reviewed = 0, newLearned = 0;
    std::map<QString, std::pair<int, int>> expected; // log line -> least and most times
};

// The kinds of failure of a sequence ("a tombstone twice", ...).
QStringList kindsOfFailure(const std::vector<Op>& ops)
{
    QStringList kinds;
    for (const QString& failure : Trial(ops).failures)
        kinds.append(failure.section(':', 0, 0));
    kinds.removeDuplicates();
    return kinds;
}

// The sequence without every step that the failure does not need: runs of steps left out,
// halving their length, then single steps until none can go.
std::vector<Op> shrink(std::vector<Op> ops, const QString& kind)
{
    for (std::size_t chunk = std::max<std::size_t>(ops.size() / 2, 1);;
         chunk = std::max<std::size_t>(chunk / 2, 1)) {
        bool shorter = false;
        for (std::size_t at = 0; at < ops.size();) {
            std::vector<Op> without = ops;
            without.erase(without.begin() + at, without.begin() + std::min(at + chunk, ops.size()));
            if (kindsOfFailure(without).contains(kind))
                ops = without, shorter = true;
            else
                at += chunk;
        }
        if (chunk == 1 && !shorter) return ops;
    }
}

} // namespace

TEST(WordBookTurnsModelTest, everyStepOfSeveralProcessesIsOnDiskOnce)
{
    AtomicFile::setSyncCall(flush);
    const std::shared_ptr<void> restore(nullptr, [](void*) { AtomicFile::setSyncCall(nullptr); });
    std::vector<unsigned> seeds;
    const int count = qEnvironmentVariableIntValue("GLOSSIVO_MODEL_SEEDS");
    for (int seed = 1; seed <= (count > 0 ? count : 40); ++seed)
        seeds.push_back(seed);
    if (qEnvironmentVariableIsSet("GLOSSIVO_MODEL_SEED"))
        seeds = {unsigned(qEnvironmentVariableIntValue("GLOSSIVO_MODEL_SEED"))};

    // Seeds by the kind of their first failure, the shortest sequence of the first of each.
    std::map<QString, QStringList> failing;
    for (const unsigned seed : seeds)
        if (const QStringList kinds = kindsOfFailure(generate(seed)); !kinds.isEmpty())
            failing[kinds.first()].append(QString::number(seed));
    for (const auto& [kind, bad] : failing) {
        const Trial trial(shrink(generate(bad.first().toUInt()), kind));
        QString report =
            QStringLiteral("%1: %2 of %3 seeds (%4)\nseed %5 at its shortest:\n")
                .arg(kind, number(bad.size()), number(seeds.size()), bad.join(' '), bad.first());
        for (int i = 0; i < trial.steps.size(); ++i)
            report += QStringLiteral("  %1. %2\n").arg(i + 1).arg(trial.steps[i]);
        ADD_FAILURE() << qPrintable(report + "fails with:\n  " + trial.failures.join("\n  "));
    }
}
