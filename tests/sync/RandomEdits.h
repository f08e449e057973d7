#pragma once

#include "SyncSamples.h"

#include "model/IsoDate.h"
#include "model/JsonFields.h"

#include <array>
#include <random>

namespace glossivo::testing {

// Random edits of a device's word book, as a user makes them: new words, lookups, examples,
// reviews, spelling, deletions, notes, log lines, counters and study settings. Left out are
// concurrent edits that the merge settles in favour of its first argument, since each device
// then keeps its own copy: source keys and form kinds added to a saved word, and texts edited
// after saving.
class RandomEdits {
public:
    explicit RandomEdits(unsigned seed) : m_random(seed) {}

    int pick(qsizetype count) { return std::uniform_int_distribution<int>(0, count - 1)(m_random); }
    std::mt19937& random() { return m_random; }

    // One edit at the given step; no two edits of any device share a time.
    void edit(SyncBundle& doc, int device, int step)
    {
        const QDateTime now = oct(1).addSecs(step * 10 + device); // no two edits share a time
        const QString sentence = any({"I run.", "Run!", "An apple a day."});
        if (doc.words.isEmpty() || pick(6) == 0) {
            WordEntry word =
                sampleWord("00", any({"run", "Run ", "apple", "Apple", "cat", "dog"}), 1);
            word.id = newId();
            word.createdAt = now;
            word.phonetic = any({"", "/rʌn/"});
            word.meaningZh = any({"", "跑"});
            word.examples = {{.id = newId(), .sentence = sentence, .addedAt = now}};
            word.sourceKeys = QStringList{any({"a.org", "b.org"})};
            word.forms = QList<FormRecord>{{FormKind::base, word.headword, now, 1, {}}};
            doc.words.append(word);
            return;
        }
        WordEntry& word = doc.words[pick(doc.words.size())];
        switch (pick(8)) {
        case 0:
            word.lookupCount += 1;
            word.lastLookupAt = now;
            word.encounterDays = word.encounterDays.value_or(QStringList())
                                 << now.addDays(pick(3)).toString("yyyy-MM-dd");
            (*word.forms)[0].count += 1;
            break;
        case 1:
            word.examples.append({.id = newId(), .sentence = sentence, .addedAt = now});
            break;
        case 2:
            word.review = ReviewState{pick(50) / 7.0,
                                      5,
                                      now.addDays(3),
                                      now,
                                      word.review ? word.review->reps + 1 : 1,
                                      0,
                                      0};
            word.stage = std::array{Stage::learning, Stage::mastered, Stage::resting}[pick(3)];
            word.wantToLearn = pick(2) == 0;
            word.stateAt = now;
            break;
        case 3:
            word.spellLevel = pick(5);
            word.lastSpelledAt = now;
            break;
        case 4:
            doc.deleted.append({Json::uuidText(word.id), now});
            doc.words.removeAt(doc.words.indexOf(word));
            break;
        case 5:
            if (!word.examples.isEmpty())
                doc.deleted.append({Json::uuidText(word.examples.takeFirst().id), now});
            break;
        case 6:
            doc.grammar.append({.id = newId(), .sentence = sentence, .addedAt = now});
            doc.affixes.append({.id = newId(), .headword = any({"Undo", "undo"}), .addedAt = now});
            doc.notes.append({.id = newId(), .question = sentence, .addedAt = now});
            break;
        default:
            doc.log.append(QStringLiteral(R"({"kind":"lookup","time":"%1","word":"%2"})")
                               .arg(IsoDate::format(now), word.headword));
            doc.stats = ReviewStats{any({"2026-10-07", "2026-10-08"}), pick(20), pick(5)};
            doc.settings = StudySettings{.learningSlots = pick(40), .changedAt = now};
            break;
        }
    }

private:
    QString any(QStringList choices) { return choices[pick(choices.size())]; }
    QUuid newId() { return QUuid(m_random(), m_random(), m_random(), 1, 2, 3, 4, 5, 6, 7, 8); }

    std::mt19937 m_random;
};

} // namespace glossivo::testing
