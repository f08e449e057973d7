#pragma once

#include "ai/LookupResult.h"
#include "model/AppConfig.h"
#include "model/WordEntry.h"

#include <QCoro/QCoroTask>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>

namespace glossivo {

class WordStore;

// The add-word window without its widgets: a word or a Chinese query typed by hand, perhaps with
// the sentence it was met in, the AI's answer, and saving it or adding it to spelling practice.
// A lookup here records nothing in the word book; only save() and addSpelling() write.
class AddWordState : public QObject {
    Q_OBJECT

public:
    // Read when a lookup starts, so that a key entered meanwhile applies to the next one.
    using ConfigSource = std::function<AppConfig()>;

    AddWordState(WordStore& words, ConfigSource config, QObject* parent = nullptr);

    const QString& word() const { return m_word; }
    const QString& sentence() const { return m_sentence; }
    bool showSentence() const { return m_showSentence; }
    const std::optional<LookupResult>& result() const { return m_result; }
    // The trimmed query of the last lookup started.
    const QString& asked() const { return m_asked; }
    // The last failure; empty for none.
    const QString& error() const { return m_error; }
    bool loading() const { return m_loading; }
    // The confirmation of the last save or add to spelling practice; empty for none.
    const QString& lastSaved() const { return m_lastSaved; }
    // The last save or add to spelling practice waits for another Glossivo process's turn to
    // end; the answer stays shown until it is on disk.
    bool waiting() const { return m_waiting; }

    // The query button is usable: the word holds more than spaces and tabs, and nothing runs.
    bool canLookUp() const;
    // The word-book entry of the shown answer's headword, as the word book holds it now; none
    // while that word is not on disk.
    std::optional<WordEntry> existing() const;
    // The shown answer's word is already on the spelling list, on disk.
    bool inSpellPractice() const;

    // What the user typed; the fields report every change.
    void setWord(const QString& word);
    void setSentence(const QString& sentence);
    void revealSentence();

    // Looks the query up: explained in the sentence when one was given and the query has no
    // Chinese character, else as a dictionary query. Nothing for a blank query or while a
    // lookup runs.
    void lookup(const QString& query);
    void lookupWord() { lookup(m_word); }
    // Saves the shown answer with the page source "手动添加". The form empties once the save is
    // on disk, which may be a moment later when another process has its turn; a save that did
    // not reach the disk is reported as an error and leaves everything in place for another try,
    // and is confirmed should the word book's own later try write it.
    void save();
    // Puts the shown answer's word on the spelling list (saving it first when it is new).
    void addSpelling();
    // Empties the form for the next word; the confirmation stays.
    void reset();

    static constexpr const char* kManualSource = "手动添加";

Q_SIGNALS:
    // The fields, the flags or the messages changed.
    void changed();
    // The shown answer changed, or the word book did while one is shown (its entry may have),
    // or its save started or stopped waiting.
    void resultChanged();
    // The word field should take the keyboard focus.
    void wordFocusRequested();

private:
    QCoro::Task<> run(QString query, QString sentence, AppConfig config);
    // Confirms the write of the shown answer once it is on disk, waits for it while another
    // process's turn holds it back, or reports that it failed.
    // By value: the waiting save's own confirmation goes once it is settled.
    void settle(QString confirmation);
    void confirm(const QString& confirmation);

    WordStore& m_words;
    ConfigSource m_config;
    QString m_word;
    QString m_sentence;
    bool m_showSentence = false;
    std::optional<LookupResult> m_result;
    QString m_asked;
    QString m_error;
    bool m_loading = false;
    QString m_lastSaved;
    // The last save while it is not on disk (waiting, or failed and tried again by the word
    // book): its confirmation, and the fields as they were, which the confirmation empties only
    // when nothing was typed into them since.
    struct Unconfirmed {
        QString confirmation;
        QString word;
        QString sentence;
    };
    std::optional<Unconfirmed> m_unconfirmed;
    bool m_waiting = false;
};

} // namespace glossivo
