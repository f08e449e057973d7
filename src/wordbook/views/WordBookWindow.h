#pragma once

#include "wordbook/WordBookState.h"
#include "wordbook/views/PaneViews.h"

#include <QMainWindow>

#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QListView;
class QMenu;
class QStackedWidget;
class QTabBar;

namespace glossivo {

class CatalogueModel;
class NoteListModel;
class WordListModel;

// The word-book window "生词本": a sidebar with the search field, the tab picker (words,
// grammar, affixes, notes) and the tab's list, beside the detail of the tab's selection. It
// observes only the word book and changes it only through the word book's operations; a change
// that could not be written shows its error at the top instead of looking done.
class WordBookWindow : public QMainWindow {
    Q_OBJECT

public:
    struct Actions {
        std::function<void()> showAddWord;
        PaneViews views;
    };

    WordBookWindow(WordStore& store, WordBookState::ConfigSource config, const Clock& clock,
                   Actions actions, QWidget* parent = nullptr);

    static constexpr QSize kInitialSize{760, 520};

    WordBookState& state() { return m_state; }
    QListView* wordList() const { return m_wordList; }
    WordListModel* wordModel() const { return m_wordModel; }
    QListView* noteList() const { return m_noteList; }

    // The context menu of a listed word: its stage actions, a divider, "删除". The caller
    // shows it; it deletes itself when closed.
    QMenu* wordMenu(const QUuid& id);

protected:
    void changeEvent(QEvent* event) override;

private:
    QWidget* buildSidebar();
    QWidget* buildWordsPage();
    QListView* buildCatalogueList(CatalogueModel* model, const char* name);
    QWidget* buildNotesPage();
    QWidget* notePane(const AINote& note);
    void showTab();
    void showDetail();
    void refresh();
    void selectListedWord();
    void selectListedNote();
    void showWordMenu(const QPoint& position);

    WordBookState m_state;
    Actions m_actions;
    QLabel* m_writeError = nullptr;
    QLineEdit* m_search = nullptr;
    QTabBar* m_tabs = nullptr;
    QStackedWidget* m_lists = nullptr;
    QComboBox* m_stageFilter = nullptr;
    QLabel* m_wordHeader = nullptr;
    QLabel* m_emptyHint = nullptr;
    QListView* m_wordList = nullptr;
    WordListModel* m_wordModel = nullptr;
    CatalogueModel* m_grammarModel = nullptr;
    CatalogueModel* m_affixModel = nullptr;
    QListView* m_grammarList = nullptr;
    QListView* m_affixList = nullptr;
    NoteListModel* m_noteModel = nullptr;
    QListView* m_noteList = nullptr;
    QLabel* m_noteHint = nullptr;
    QStackedWidget* m_detail = nullptr;
    // What the shown pane stands for, so that the pane built again after a change of the word
    // book keeps its scroll position and the focus.
    QString m_paneKey;
    QLabel* m_placeholder = nullptr;
    QAction* m_addWord = nullptr;
    bool m_syncingSelection = false;
};

} // namespace glossivo
