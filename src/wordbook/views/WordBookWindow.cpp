#include "wordbook/views/WordBookWindow.h"

#include "model/WordStore.h"
#include "ui/DesignSize.h"
#include "ui/Glyphs.h"
#include "ui/SystemColors.h"
#include "wordbook/CatalogueModel.h"
#include "wordbook/NoteListModel.h"
#include "wordbook/StageActions.h"
#include "wordbook/StageTitles.h"
#include "wordbook/WordListModel.h"
#include "wordbook/WordSearch.h"
#include "wordbook/views/AffixDetail.h"
#include "wordbook/views/CatalogueRowDelegate.h"
#include "wordbook/views/DetailParts.h"
#include "wordbook/views/GrammarDetail.h"
#include "wordbook/views/NoteRowDelegate.h"
#include "wordbook/views/NoteView.h"
#include "wordbook/views/WordBookStyle.h"
#include "wordbook/views/WordDetail.h"
#include "wordbook/views/WordRowDelegate.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QStackedWidget>
#include <QTabBar>
#include <QToolBar>
#include <QVBoxLayout>

namespace glossivo {

namespace {

using Tab = WordBookState::Tab;

constexpr int kSidebarMinimum = 220;
constexpr int kSidebarDefault = 260;

// A widget padded by the given margins, for the rows of the sidebar.
QWidget* padded(QWidget* inner, int left, int top, int right, int bottom)
{
    auto* box = new QWidget;
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(left, top, right, bottom);
    layout->addWidget(inner);
    return box;
}

QLabel* secondaryText(const QString& text, qreal size, const char* name)
{
    auto* label = new QLabel(text);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    label->setFont(DesignSize::font(label->font(), size));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, WordBookStyle::secondary(palette));
    label->setPalette(palette);
    label->setAccessibleName(text);
    return label;
}

void configureList(QListView* list)
{
    list->setFrameShape(QFrame::NoFrame);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->viewport()->setAutoFillBackground(false);
}

} // namespace

WordBookWindow::WordBookWindow(WordStore& store, WordBookState::ConfigSource config,
                               const Clock& clock, Actions actions, QWidget* parent)
    : QMainWindow(parent), m_state(store, std::move(config), clock), m_actions(std::move(actions))
{
    setObjectName(QStringLiteral("wordBookWindow"));
    setWindowTitle(QStringLiteral("生词本"));
    setAccessibleName(QStringLiteral("生词本"));
    setContextMenuPolicy(Qt::NoContextMenu);

    QToolBar* toolbar = addToolBar(QStringLiteral("工具栏"));
    toolbar->setMovable(false);
    toolbar->setFloatable(false);
    toolbar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    // At the trailing end, where the empty word list's hint points.
    auto* spacer = new QWidget(toolbar);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    toolbar->addWidget(spacer);
    QAction* addWord = m_addWord =
        toolbar->addAction(glyphIcon(Glyph::plus, palette().color(QPalette::ButtonText), 14),
                           QStringLiteral("添加生词"));
    addWord->setObjectName(QStringLiteral("addWordAction"));
    addWord->setToolTip(QStringLiteral("手动添加生词"));
    connect(addWord, &QAction::triggered, this, [this] {
        if (m_actions.showAddWord) m_actions.showAddWord();
    });

    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    m_writeError = new QLabel(central);
    m_writeError->setObjectName(QStringLiteral("writeErrorLabel"));
    m_writeError->setTextFormat(Qt::PlainText);
    m_writeError->setWordWrap(true);
    m_writeError->setContentsMargins(14, 8, 14, 8);
    QPalette errorPalette = m_writeError->palette();
    errorPalette.setColor(QPalette::WindowText, systemColor(SystemColor::red, errorPalette));
    m_writeError->setPalette(errorPalette);
    m_writeError->hide();
    column->addWidget(m_writeError);

    auto* split = new QSplitter(Qt::Horizontal, central);
    split->setObjectName(QStringLiteral("wordBookSplit"));
    split->setChildrenCollapsible(false);
    QWidget* sidebar = buildSidebar();
    sidebar->setMinimumWidth(kSidebarMinimum);
    split->addWidget(sidebar);
    m_detail = new QStackedWidget(split);
    m_detail->setObjectName(QStringLiteral("detail"));
    m_placeholder = secondaryText({}, WordBookStyle::kBody, "placeholder");
    m_placeholder->setAlignment(Qt::AlignCenter);
    m_detail->addWidget(m_placeholder);
    split->addWidget(m_detail);
    split->setStretchFactor(1, 1);
    split->setSizes({kSidebarDefault, kInitialSize.width() - kSidebarDefault});
    column->addWidget(split, 1);
    setCentralWidget(central);

    connect(&m_state, &WordBookState::storeChanged, this, &WordBookWindow::refresh);
    connect(&m_state, &WordBookState::searchChanged, this, [this] {
        selectListedWord();
        m_noteModel->refresh();
        selectListedNote();
        // The grammar pane narrows its sentences by the search; the other panes ignore it.
        if (m_state.tab() == Tab::grammar) showDetail();
    });
    connect(&m_state, &WordBookState::stageFilterChanged, this, &WordBookWindow::selectListedWord);
    connect(&m_state, &WordBookState::tabChanged, this, &WordBookWindow::showTab);
    connect(&m_state, &WordBookState::selectionChanged, this, [this] {
        selectListedWord();
        selectListedNote();
        showDetail();
    });
    resize(kInitialSize);
    refresh();
    showTab();
}

QWidget* WordBookWindow::buildSidebar()
{
    auto* sidebar = new QWidget;
    sidebar->setObjectName(QStringLiteral("sidebar"));
    auto* stack = new QVBoxLayout(sidebar);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(0);

    m_search = new QLineEdit(sidebar);
    m_search->setObjectName(QStringLiteral("searchField"));
    m_search->setClearButtonEnabled(true);
    m_search->setAccessibleName(QStringLiteral("搜索"));
    connect(m_search, &QLineEdit::textChanged, &m_state, &WordBookState::setSearch);
    stack->addWidget(padded(m_search, 10, 8, 10, 0));

    m_tabs = new QTabBar(sidebar);
    m_tabs->setObjectName(QStringLiteral("tabPicker"));
    m_tabs->setAccessibleName(QStringLiteral("标签页"));
    m_tabs->setExpanding(true);
    m_tabs->setDrawBase(false);
    for (const char* title : {"生词", "语法", "词缀", "笔记"})
        m_tabs->addTab(QString::fromUtf8(title));
    connect(m_tabs, &QTabBar::currentChanged, this,
            [this](int index) { m_state.setTab(Tab(index)); });
    stack->addWidget(padded(m_tabs, 10, 6, 10, 6));

    m_lists = new QStackedWidget(sidebar);
    m_lists->addWidget(buildWordsPage());
    m_grammarModel = new CatalogueModel(CatalogueModel::Kind::grammar, m_state.store(), this);
    m_grammarList = buildCatalogueList(m_grammarModel, "grammarList");
    m_lists->addWidget(m_grammarList);
    m_affixModel = new CatalogueModel(CatalogueModel::Kind::affixes, m_state.store(), this);
    m_affixList = buildCatalogueList(m_affixModel, "affixList");
    m_lists->addWidget(m_affixList);
    m_lists->addWidget(buildNotesPage());
    stack->addWidget(m_lists, 1);
    return sidebar;
}

QWidget* WordBookWindow::buildWordsPage()
{
    auto* page = new QWidget;
    auto* stack = new QVBoxLayout(page);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(0);

    m_stageFilter = new QComboBox(page);
    m_stageFilter->setObjectName(QStringLiteral("stageFilter"));
    m_stageFilter->setAccessibleName(QStringLiteral("阶段"));
    m_stageFilter->addItem(QStringLiteral("全部"), -1);
    for (DisplayStage stage : allCases<DisplayStage>())
        m_stageFilter->addItem(stageTitle(stage), int(stage));
    connect(m_stageFilter, &QComboBox::currentIndexChanged, this, [this] {
        const int stage = m_stageFilter->currentData().toInt();
        m_state.setStageFilter(stage < 0 ? std::nullopt
                                         : std::optional<DisplayStage>(DisplayStage(stage)));
    });
    stack->addWidget(padded(m_stageFilter, 10, 0, 10, 4));

    m_wordHeader = secondaryText({}, WordBookStyle::kCaption, "wordHeader");
    stack->addWidget(padded(m_wordHeader, 14, 0, 14, 2));

    m_wordModel = new WordListModel(m_state, this);
    m_wordList = new QListView(page);
    m_wordList->setObjectName(QStringLiteral("wordList"));
    m_wordList->setAccessibleName(QStringLiteral("生词"));
    configureList(m_wordList);
    // Rows of one height: tens of thousands of words lay out without measuring each.
    m_wordList->setUniformItemSizes(true);
    m_wordList->setItemDelegate(new WordRowDelegate(m_wordList));
    m_wordList->setModel(m_wordModel);
    m_wordList->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_wordList, &QListView::customContextMenuRequested, this,
            &WordBookWindow::showWordMenu);
    connect(m_wordList->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection& selected) {
                // Only the user's choice moves the selection: a row that the search hides
                // leaves the word selected.
                if (m_syncingSelection || selected.indexes().isEmpty()) return;
                m_state.setSelection(m_wordModel->id(selected.indexes().first().row()));
            });

    m_emptyHint = secondaryText(QStringLiteral("还没有保存的词。\n去网页上划一个英文单词试试，\n"
                                               "或者点右上角的 + 手动添加。"),
                                WordBookStyle::kBody, "emptyHint");
    m_emptyHint->setAlignment(Qt::AlignCenter);
    m_emptyHint->setAttribute(Qt::WA_TransparentForMouseEvents);
    auto* overlay = new QGridLayout;
    overlay->addWidget(m_wordList, 0, 0);
    overlay->addWidget(m_emptyHint, 0, 0, Qt::AlignCenter);
    stack->addLayout(overlay, 1);
    return page;
}

QListView* WordBookWindow::buildCatalogueList(CatalogueModel* model, const char* name)
{
    auto* list = new QListView;
    list->setObjectName(QLatin1String(name));
    list->setAccessibleName(model->kind() == CatalogueModel::Kind::grammar
                                ? QStringLiteral("语法点")
                                : QStringLiteral("词缀"));
    configureList(list);
    list->setItemDelegate(new CatalogueRowDelegate(list));
    list->setModel(model);
    connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this, model](const QItemSelection& selected) {
                if (selected.indexes().isEmpty()) return;
                const auto item = model->catalogueCase(selected.indexes().first().row());
                if (!item) return;
                if (model->kind() == CatalogueModel::Kind::grammar)
                    m_state.setGrammarSelection(GrammarPoint(*item));
                else
                    m_state.setAffixSelection(Affix(*item));
            });
    return list;
}

QWidget* WordBookWindow::buildNotesPage()
{
    m_noteModel = new NoteListModel(m_state, this);
    m_noteList = new QListView;
    m_noteList->setObjectName(QStringLiteral("noteList"));
    m_noteList->setAccessibleName(QStringLiteral("笔记"));
    configureList(m_noteList);
    // Rows are measured at the list's width: a wider list puts more of a passage on a line.
    m_noteList->setResizeMode(QListView::Adjust);
    m_noteList->setItemDelegate(new NoteRowDelegate(m_noteList));
    m_noteList->setModel(m_noteModel);
    m_noteList->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_noteList, &QListView::customContextMenuRequested, this, [this](const QPoint& at) {
        const QModelIndex index = m_noteList->indexAt(at);
        if (!index.isValid()) return;
        auto* menu = new QMenu(this);
        menu->setObjectName(QStringLiteral("noteMenu"));
        menu->setAttribute(Qt::WA_DeleteOnClose);
        QAction* remove =
            menu->addAction(glyphIcon(Glyph::trash, systemColor(SystemColor::red, palette()), 14),
                            QStringLiteral("删除"));
        remove->setObjectName(QStringLiteral("deleteNoteAction"));
        const QUuid id = m_noteModel->id(index.row());
        connect(remove, &QAction::triggered, this,
                [this, id] { m_state.store().deleteSentenceNote(id); });
        menu->popup(m_noteList->viewport()->mapToGlobal(at));
    });
    connect(m_noteList->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection& selected) {
                if (m_syncingSelection || selected.indexes().isEmpty()) return;
                m_state.setNoteSelection(m_noteModel->id(selected.indexes().first().row()));
            });

    m_noteHint = secondaryText(QStringLiteral("还没有句子笔记。\n框选翻译后点「为什么这么用？」，\n"
                                              "觉得解释有用就点「存为句子笔记」。"),
                               WordBookStyle::kBody, "noteHint");
    m_noteHint->setAlignment(Qt::AlignCenter);
    m_noteHint->setAttribute(Qt::WA_TransparentForMouseEvents);
    auto* page = new QWidget;
    auto* overlay = new QGridLayout(page);
    overlay->setContentsMargins(0, 0, 0, 0);
    overlay->addWidget(m_noteList, 0, 0);
    overlay->addWidget(m_noteHint, 0, 0, Qt::AlignCenter);
    return page;
}

QWidget* WordBookWindow::notePane(const AINote& note)
{
    QVBoxLayout* stack = nullptr;
    QScrollArea* pane = DetailParts::scrollingPane(nullptr, stack);
    pane->setObjectName(QStringLiteral("noteDetail"));
    const QUuid id = note.id;
    stack->addWidget(new NoteView(
        note, true, [this, id] { m_state.store().deleteSentenceNote(id); }, m_actions.views,
        stack->parentWidget()));
    return pane;
}

void WordBookWindow::showTab()
{
    const Tab tab = m_state.tab();
    m_tabs->setCurrentIndex(int(tab));
    m_lists->setCurrentIndex(int(tab));
    m_search->setPlaceholderText(m_state.searchPrompt());
    showDetail();
}

// The scroll view of a pane, and the controls in it that can take the focus, in order.
QScrollArea* paneScroll(QWidget* pane)
{
    if (auto* scroll = qobject_cast<QScrollArea*>(pane)) return scroll;
    return pane->findChild<QScrollArea*>();
}

QList<QWidget*> focusables(QWidget* pane)
{
    QList<QWidget*> found;
    for (QWidget* child : QList<QWidget*>{pane} + pane->findChildren<QWidget*>())
        if (child->focusPolicy() != Qt::NoFocus) found.append(child);
    return found;
}

void WordBookWindow::showDetail()
{
    // The same pane built again comes back where the reader left it: scrolled as it was, and
    // with the focus where it was rather than in the search field.
    int keptScroll = 0;
    qsizetype keptFocus = -1;
    if (m_detail->count() > 1) {
        QWidget* shown = m_detail->widget(1);
        if (QScrollArea* scroll = paneScroll(shown))
            keptScroll = scroll->verticalScrollBar()->value();
        QWidget* focus = QApplication::focusWidget();
        if (focus && shown->isAncestorOf(focus)) keptFocus = focusables(shown).indexOf(focus);
    }
    const QString shownKey = m_paneKey;
    m_paneKey.clear();
    while (m_detail->count() > 1) {
        QWidget* old = m_detail->widget(1);
        m_detail->removeWidget(old);
        // Later, as a click in the old pane may be what led here.
        old->setParent(nullptr);
        old->deleteLater();
    }
    QWidget* pane = nullptr;
    const Tab tab = m_state.tab();
    if (tab == Tab::grammar && m_state.grammarSelection()) {
        pane = new GrammarDetail(*m_state.grammarSelection(), WordSearch::query(m_state.search()),
                                 m_state.store(), m_actions.views.source);
        m_paneKey = QStringLiteral("grammar %1").arg(int(*m_state.grammarSelection()));
    }
    if (tab == Tab::affixes && m_state.affixSelection()) {
        pane = new AffixDetail(*m_state.affixSelection(), m_state.store());
        m_paneKey = QStringLiteral("affix %1").arg(int(*m_state.affixSelection()));
    }
    if (tab == Tab::words)
        if (const std::optional<WordEntry> word = m_state.selectedWord()) {
            pane = new WordDetail(*word, m_state.store(), m_state.config(), m_state.now(),
                                  m_actions.views);
            m_paneKey = QStringLiteral("word ") + word->id.toString();
        }
    if (tab == Tab::notes)
        if (const std::optional<AINote> note = m_state.selectedNote()) {
            pane = notePane(*note);
            m_paneKey = QStringLiteral("note ") + note->id.toString();
        }
    if (pane) {
        m_detail->addWidget(pane);
        m_detail->setCurrentWidget(pane);
        const bool same = m_paneKey == shownKey;
        if (QScrollArea* scroll = paneScroll(pane); scroll && same)
            DetailParts::scrollTo(scroll, keptScroll);
        if (keptFocus >= 0) {
            const QList<QWidget*> controls = focusables(pane);
            QWidget* scroll = paneScroll(pane);
            (same && keptFocus < controls.size() ? controls.at(keptFocus)
             : scroll                            ? scroll
                                                 : pane)
                ->setFocus(Qt::OtherFocusReason);
        }
    } else {
        m_placeholder->setText(m_state.placeholder());
        m_placeholder->setAccessibleName(m_state.placeholder());
        m_detail->setCurrentWidget(m_placeholder);
    }
}

void WordBookWindow::refresh()
{
    const QString error = m_state.writeError();
    m_writeError->setText(error);
    m_writeError->setAccessibleName(error);
    m_writeError->setVisible(!error.isEmpty());
    const QString header = m_state.wordHeader();
    m_wordHeader->setText(header);
    m_wordHeader->setAccessibleName(header);
    // The hint is about the whole word book, not about what the search left.
    m_emptyHint->setVisible(m_state.store().entries().isEmpty());
    // Also about every note, not the ones the search left.
    m_noteHint->setVisible(m_state.store().sentenceNotes().isEmpty());
    m_grammarModel->refresh();
    m_affixModel->refresh();
    m_noteModel->refresh();
    selectListedWord();
    selectListedNote();
    // Every pane follows the word book: a lookup recorded while a word is shown counts at once.
    showDetail();
}

// The selected word is highlighted whenever it is listed, also after a search or filter had
// hidden it.
void WordBookWindow::selectListedWord()
{
    const auto selected = m_state.selection();
    const auto row = selected ? m_wordModel->row(*selected) : std::nullopt;
    const QModelIndex index = row ? m_wordModel->index(*row) : QModelIndex();
    if (!index.isValid() || m_wordList->selectionModel()->isSelected(index)) return;
    m_syncingSelection = true;
    m_wordList->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    m_syncingSelection = false;
}

void WordBookWindow::selectListedNote()
{
    const auto selected = m_state.noteSelection();
    const auto row = selected ? m_noteModel->row(*selected) : std::nullopt;
    const QModelIndex index = row ? m_noteModel->index(*row) : QModelIndex();
    if (!index.isValid() || m_noteList->selectionModel()->isSelected(index)) return;
    m_syncingSelection = true;
    m_noteList->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    m_syncingSelection = false;
}

QMenu* WordBookWindow::wordMenu(const QUuid& id)
{
    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("wordMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    WordStore& store = m_state.store();
    for (const WordEntry& entry : store.entries()) {
        if (entry.id != id) continue;
        for (const StageAction& item : stageActions(entry, store, m_state.config().learningSlots)) {
            QAction* action = menu->addAction(item.title);
            action->setEnabled(item.enabled);
            connect(action, &QAction::triggered, this, item.run);
        }
        break;
    }
    menu->addSeparator();
    QAction* remove =
        menu->addAction(glyphIcon(Glyph::trash, systemColor(SystemColor::red, palette()), 14),
                        QStringLiteral("删除"));
    remove->setObjectName(QStringLiteral("deleteWordAction"));
    // At once, without asking, as every delete of the window.
    connect(remove, &QAction::triggered, this, [this, id] { m_state.deleteWord(id); });
    return menu;
}

void WordBookWindow::showWordMenu(const QPoint& position)
{
    const QModelIndex index = m_wordList->indexAt(position);
    if (!index.isValid()) return;
    wordMenu(m_wordModel->id(index.row()))->popup(m_wordList->viewport()->mapToGlobal(position));
}

// The panes take their colours when they are built: a new desktop theme builds them again.
void WordBookWindow::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::PaletteChange || !m_detail) return;
    m_addWord->setIcon(glyphIcon(Glyph::plus, palette().color(QPalette::ButtonText), 14));
    showDetail();
}

} // namespace glossivo
