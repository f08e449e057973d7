#pragma once

#include "sync/SyncBundle.h"

#include <QCoro/QCoroTask>
#include <QString>
#include <QTextStream>

#include <functional>

namespace glossivo {

class ConfigStore;
class WordStore;
struct AppConfig;

// The command-line self-tests: they drive the real code on fixed samples and write plain-text
// reports, one item per line; checks begin their verdict line with "OK " or "FAIL ".
namespace SelfTest {

// How the configuration reader treats an old file and one with a damaged key name.
void runConfig(QTextStream& out);

// Whether changes of the study values are time-stamped, strictly later each time, and written.
// It changes the configuration for good, so it refuses to run unless GLOSSIVO_DATA_DIR names a
// throw-away data folder. A configuration that cannot be written is printed and fails it.
bool runStudyStamp(QTextStream& out);
// The same check over the given store and the file it writes.
bool checkStudyStamp(ConfigStore& store, const QString& configPath, QTextStream& out);

// The menu-bar word's title, wrapping and highlighting on fixed samples.
void runMenuBar(QTextStream& out);

// The scheduler's intervals, stability, difficulty and level for four answer sequences.
void runFSRS(QTextStream& out);

// Syllables, letter pattern and chunk pattern of eight words and phrases.
void runSpelling(QTextStream& out);

// The spelling questions of one verb at every level, the slang rule, the grading of six typed
// answers, the priority of three sample words and the top of the real word book, which it only
// reads.
void runReview(QTextStream& out);

// The spelling questions of three names at every level and the grading of eight typed answers.
void runSpellPractice(QTextStream& out);

// The merge rules on two fixed documents of one word book, one line per rule; true when every
// rule held.
bool runMerge(QTextStream& out);
using Merge = std::function<SyncBundle(const SyncBundle&, const SyncBundle&)>;
// The same report over the given merge.
bool checkMerge(const Merge& merge, QTextStream& out);

// The learning record and today's review list as the coach would send them, and whether the
// record keeps the configuration's secrets out.
void runCoach(QTextStream& out);
// The same report over a given record and review list.
void reportCoach(const QString& record, const QString& todayReview, const AppConfig& config,
                 QTextStream& out);

// The self-tests that ask the AI service, with the key and address of the current
// configuration. Every failure becomes a printed line; they never throw.

// Dictionary lookups of a misspelt title, a Chinese word and a name.
QCoro::Task<> runLookup(QTextStream& out);
// One streamed answer: how many pieces came and the answer they make.
QCoro::Task<> runAsk(QTextStream& out);
// Today's daily brief from the coach, streamed, and its length.
QCoro::Task<> runCoachAI(QTextStream& out);
// Seven words explained in their sentences: forms, grammar, example, root and affixes.
QCoro::Task<> runExplain(QTextStream& out);

// Looks up each of the words (separated by "|") and puts it on the spelling list, saving it
// first when it is new; one line per word, which says what the disk holds once the last write
// is done (a later word's write may save an earlier word whose own write failed). A reply
// without a headword is reported as unreadable and saves nothing. False when any word was not
// added (its lookup failed) or a change is not on disk.
QCoro::Task<bool> addSpelling(QString words, QTextStream& out);
// The same over the given word book and configuration.
QCoro::Task<bool> addSpelling(WordStore& store, AppConfig config, QString words, QTextStream& out);

} // namespace SelfTest
} // namespace glossivo
