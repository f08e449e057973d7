#pragma once

#include "model/AppConfig.h"
#include "model/Clock.h"
#include "model/Example.h"
#include "model/LearningLog.h"
#include "model/WordEntry.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <functional>
#include <optional>

namespace glossivo {

class WordStore;

// The learning record: the plain-text Chinese account of the word book and the learning log
// that the coach sends along with every request. Built afresh at each call from what the stores
// hold then; it reads and never changes them. No text field of the configuration is read, and
// the configuration's secrets are masked should the learner's own texts hold one.
class CoachFacts {
public:
    using ConfigSource = std::function<AppConfig()>;

    // The clock only tells which day today's counters belong to; every other day follows the
    // moment a caller passes.
    CoachFacts(const WordStore& store, LearningLog& log, ConfigSource config, const Clock& clock);

    // The record over the process's word book, learning log and configuration.
    static CoachFacts& shared();

    // Up to sixteen blocks, in a fixed order, joined by line breaks.
    QString build(const QDateTime& now) const;
    // One line per word reviewed, spelled, graduated, made a leech or rested on now's day, in
    // word order; empty when there is none.
    QString todayReview(const QDateTime& now) const;
    // How many questions a review round started now would ask, from the current state alone.
    int todayQuestionCount(const QDateTime& now) const;
    // Every readable event of the learning log, in file order; damaged lines are skipped.
    QList<LearningLog::Event> events() const;

    // The example that stands for the word: the first one the learner met, else the first one.
    static std::optional<Example> sentence(const WordEntry& entry);

private:
    const WordStore& m_store;
    LearningLog& m_log;
    ConfigSource m_config;
    const Clock& m_clock;
};

} // namespace glossivo
