#pragma once

#include "model/AppConfig.h"
#include "model/Clock.h"
#include "model/DisplayStage.h"
#include "model/GrammarPoint.h"
#include "model/WordEntry.h"

#include <QObject>
#include <QUuid>

#include <functional>
#include <optional>

namespace glossivo {

class WordStore;

// What the word-book window shows, without widgets: the tab, the one search text of all tabs,
// the stage filter and a selection per tab. It lives as long as the window, so closing and
// reopening keeps all of it. The window observes only the word book: `storeChanged` follows
// every change it publishes, and the configuration is read afresh at each redraw.
class WordBookState : public QObject {
    Q_OBJECT

public:
    enum class Tab { words, grammar, affixes, notes };
    using ConfigSource = std::function<AppConfig()>;

    WordBookState(WordStore& store, ConfigSource config, const Clock& clock,
                  QObject* parent = nullptr);

    WordStore& store() const { return m_store; }
    AppConfig config() const { return m_config(); }
    QDateTime now() const { return m_clock.now(); }

    Tab tab() const { return m_tab; }
    void setTab(Tab tab);
    const QString& search() const { return m_search; }
    void setSearch(const QString& search);
    std::optional<DisplayStage> stageFilter() const { return m_stageFilter; }
    void setStageFilter(std::optional<DisplayStage> stage);

    // Each tab keeps its own selection; switching tabs changes none of them. A selection that
    // the search or the filter hides, or whose item was deleted, stays until another is made.
    std::optional<QUuid> selection() const { return m_selection; }
    void setSelection(std::optional<QUuid> id);
    std::optional<GrammarPoint> grammarSelection() const { return m_grammarSelection; }
    void setGrammarSelection(std::optional<GrammarPoint> point);
    std::optional<Affix> affixSelection() const { return m_affixSelection; }
    void setAffixSelection(std::optional<Affix> affix);
    std::optional<QUuid> noteSelection() const { return m_noteSelection; }
    void setNoteSelection(std::optional<QUuid> id);

    // The selected word looked up in the whole word book, not only in the listed words.
    std::optional<WordEntry> selectedWord() const;
    // The selected sentence note, looked up in every note: the search may hide it from the list.
    std::optional<AINote> selectedNote() const;

    // Texts of the current tab.
    QString searchPrompt() const;
    QString placeholder() const;
    // "在学 N/M · 共 K 个": words in learning, the slots, every word of the book.
    QString wordHeader() const;
    // Why the word book's last change did not reach the disk; empty when everything is saved.
    QString writeError() const;

    void deleteWord(const QUuid& id);

Q_SIGNALS:
    void tabChanged();
    void searchChanged();
    void stageFilterChanged();
    void selectionChanged();
    // After the word book published a change (it says so before it changes).
    void storeChanged();

private:
    WordStore& m_store;
    ConfigSource m_config;
    const Clock& m_clock;
    Tab m_tab = Tab::words;
    QString m_search;
    std::optional<DisplayStage> m_stageFilter;
    std::optional<QUuid> m_selection;
    std::optional<GrammarPoint> m_grammarSelection;
    std::optional<Affix> m_affixSelection;
    std::optional<QUuid> m_noteSelection;
};

} // namespace glossivo
