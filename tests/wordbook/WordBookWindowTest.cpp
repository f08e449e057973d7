#include "WordBookFixture.h"

#include "model/Explanation.h"
#include "wordbook/NoteListModel.h"
#include "wordbook/views/GrammarDetail.h"
#include "wordbook/views/NoteView.h"
#include "wordbook/views/WordDetail.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTabBar>
#include <QTextEdit>
#include <QToolButton>

namespace glossivo {
namespace {

using testing::WordBookFixture;

QString placeholder(WordBookWindow& window)
{
    auto* detail = window.findChild<QStackedWidget*>("detail");
    auto* label = qobject_cast<QLabel*>(detail->currentWidget());
    return label ? label->text() : QString();
}

QString text(WordBookWindow& window, const char* name)
{
    auto* label = window.findChild<QLabel*>(name);
    return label && label->isVisibleTo(&window) ? label->text() : QString();
}

void choose(QMenu* menu, const QString& title)
{
    for (QAction* action : menu->actions())
        if (action->text() == title) action->trigger();
    delete menu;
}

using WordBookWindowTest = WordBookFixture;

TEST_F(WordBookWindowTest, OpensOnTheWordsTabAndEachTabKeepsItsTextsAndSelection)
{
    WordBookWindow& shown = open();
    EXPECT_EQ(shown.windowTitle(), "生词本");
    EXPECT_EQ(text(shown, "wordHeader"), "在学 0/30 · 共 0 个");
    EXPECT_TRUE(text(shown, "emptyHint").startsWith("还没有保存的词。"));
    EXPECT_EQ(shown.findChild<QComboBox*>("stageFilter")->currentText(), "全部");
    EXPECT_EQ(placeholder(shown), "选一个词查看详情");

    auto* tabs = shown.findChild<QTabBar*>("tabPicker");
    auto* search = shown.findChild<QLineEdit*>("searchField");
    QTest::keyClicks(search, "ing");
    struct Step {
        int tab;
        QString prompt, placeholder;
    } steps[] = {{3, "搜索笔记", "选一条笔记查看"},
                 {1, "搜索单词或中文", "选一个语法点查看"},
                 {2, "搜索单词或中文", "选一个词缀查看"},
                 {0, "搜索单词或中文", "选一个词查看详情"}};
    for (const Step& step : steps) {
        tabs->setCurrentIndex(step.tab);
        EXPECT_EQ(search->placeholderText(), step.prompt);
        EXPECT_EQ(placeholder(shown), step.placeholder);
        EXPECT_EQ(search->text(), "ing");
    }
    // A grammar point chosen stays chosen across a visit of another tab.
    tabs->setCurrentIndex(1);
    auto* grammarList = shown.findChild<QListView*>("grammarList");
    grammarList->setCurrentIndex(grammarList->model()->index(8, 0));
    ASSERT_NE(shown.findChild<GrammarDetail*>(), nullptr);
    tabs->setCurrentIndex(2);
    tabs->setCurrentIndex(1);
    EXPECT_NE(shown.findChild<GrammarDetail*>(), nullptr);
    EXPECT_EQ(shown.state().grammarSelection(), GrammarPoint::passive);

    shown.findChild<QAction*>("addWordAction")->trigger();
    EXPECT_EQ(addWordOpened, 1);
}

TEST_F(WordBookWindowTest, AChangeOfTheWordBookKeepsTheSelectionTheScrollAndTheSearch)
{
    for (int i = 0; i < 400; ++i)
        addWord(QStringLiteral("word%1").arg(i, 3, 10, QChar('0')), QStringLiteral("词"));
    const QUuid last = addWord("zebra", "斑马").id;
    WordBookWindow& shown = open();
    shown.show();
    QTest::keyClicks(shown.findChild<QLineEdit*>("searchField"), "word1");
    ASSERT_EQ(listed().size(), 100);
    QListView* list = shown.wordList();
    list->setCurrentIndex(list->model()->index(60, 0));
    const QUuid chosen = shown.state().selection().value();
    list->scrollTo(list->currentIndex(), QAbstractItemView::PositionAtTop);
    const int scroll = list->verticalScrollBar()->value();
    ASSERT_GT(scroll, 0);

    Explanation lookup;
    lookup.headword = "zebra";
    store->recordLookup(lookup, {});
    store->deleteWord(words.at(110).id); // above the chosen row
    settle();
    EXPECT_EQ(listed().size(), 99);
    EXPECT_EQ(shown.findChild<QLineEdit*>("searchField")->text(), "word1");
    EXPECT_EQ(list->currentIndex().data(WordListModel::IdRole).toUuid(), chosen);
    EXPECT_EQ(list->selectionModel()->selectedIndexes().size(), 1);
    EXPECT_EQ(list->verticalScrollBar()->value(), scroll);

    // A search that hides the chosen word leaves it chosen; it is highlighted again once shown.
    QTest::keyClicks(shown.findChild<QLineEdit*>("searchField"), "x");
    EXPECT_EQ(listed(), QStringList());
    EXPECT_EQ(shown.state().selection(), chosen);
    shown.findChild<QLineEdit*>("searchField")->clear();
    EXPECT_EQ(list->currentIndex().data(WordListModel::IdRole).toUuid(), chosen);
    EXPECT_NE(last, chosen);
}

TEST_F(WordBookWindowTest, TheContextMenuMovesAndDeletesAWordAndAFailedWriteIsShown)
{
    const QUuid run = addWord("run", "跑").id;
    const QUuid rest = addWord("rest", "休息", Stage::learning).id;
    WordBookWindow& shown = open();
    shown.wordList()->setCurrentIndex(shown.wordModel()->index(0));
    EXPECT_EQ(shown.state().selection(), run);

    choose(shown.wordMenu(rest), "先休息一周（让出名额）");
    settle();
    EXPECT_EQ(store->entries().at(1).stage, Stage::resting);
    EXPECT_EQ(text(shown, "wordHeader"), "在学 0/30 · 共 2 个");

    choose(shown.wordMenu(run), "删除");
    settle();
    EXPECT_EQ(listed(), QStringList{"rest"});
    EXPECT_EQ(placeholder(shown), "选一个词查看详情");
    EXPECT_TRUE(folder.read("deleted.json")
                    .contains(run.toString(QUuid::WithoutBraces).toUpper().toUtf8()));
    EXPECT_EQ(text(shown, "writeErrorLabel"), QString());

    // A folder in the document's place refuses the write: the window says so, the change stays.
    QFile::remove(folder.path("words.json"));
    ASSERT_TRUE(QDir(folder.path({})).mkdir("words.json"));
    choose(shown.wordMenu(rest), "加入常拼（多练拼写）");
    settle();
    EXPECT_TRUE(text(shown, "writeErrorLabel").startsWith("没能保存 words.json："));
    EXPECT_EQ(store->entries().at(0).spellPractice, true);
    ASSERT_TRUE(QDir(folder.path({})).rmdir("words.json"));
    choose(shown.wordMenu(rest), "移出常拼");
    settle();
    EXPECT_EQ(text(shown, "writeErrorLabel"), QString());
}

TEST_F(WordBookWindowTest, TheGrammarPaneFollowsTheSearchAndItsDeletes)
{
    addGrammar(GrammarPoint::passive, "build", "built", "It was built in 1990.");
    const QUuid sold = addGrammar(GrammarPoint::passive, "sell", "sold", "The house was sold.").id;
    addGrammar(GrammarPoint::plural, "house", "houses", "Two houses.");
    WordBookWindow& shown = open();
    shown.findChild<QTabBar*>("tabPicker")->setCurrentIndex(1);
    auto* list = shown.findChild<QListView*>("grammarList");
    EXPECT_EQ(list->model()->index(0, 0).data().toString(), "已解锁 2/16");
    list->setCurrentIndex(list->model()->index(1 + int(GrammarPoint::passive), 0));
    const auto labels = [&] {
        QStringList texts;
        for (QLabel* label : shown.findChild<GrammarDetail*>()->findChildren<QLabel*>())
            texts.append(label->text());
        return texts;
    };
    EXPECT_TRUE(labels().contains("遇到 2 次"));
    QTest::keyClicks(shown.findChild<QLineEdit*>("searchField"), " HOUSE ");
    EXPECT_TRUE(labels().contains("遇到 1 次"));
    EXPECT_EQ(list->model()->index(0, 0).data().toString(), "已解锁 2/16");

    shown.findChild<GrammarDetail*>()->findChild<QToolButton*>("deleteRecordButton")->click();
    settle();
    EXPECT_TRUE(labels().contains("还没解锁"));
    EXPECT_TRUE(folder.read("deleted.json")
                    .contains(sold.toString(QUuid::WithoutBraces).toUpper().toUtf8()));
    shown.findChild<QLineEdit*>("searchField")->clear();
    EXPECT_TRUE(labels().contains("遇到 1 次"));
}

TEST_F(WordBookWindowTest, APointMetInManySentencesShowsThemAsTheReaderScrolls)
{
    for (int i = 0; i < 90; ++i)
        addGrammar(GrammarPoint::plural, "house", "houses", QStringLiteral("Houses %1.").arg(i));
    WordBookWindow& shown = open();
    shown.state().setTab(WordBookState::Tab::grammar);
    shown.state().setGrammarSelection(GrammarPoint::plural);
    auto* pane = shown.findChild<GrammarDetail*>();
    const auto cards = [&] {
        return pane->findChildren<QToolButton*>("deleteRecordButton").size();
    };
    EXPECT_EQ(cards(), 40);
    QScrollBar* bar = pane->findChild<QScrollArea*>()->verticalScrollBar();
    for (int i = 0; i < 5 && cards() < 90; ++i) {
        QCoreApplication::processEvents();
        bar->setValue(bar->maximum());
    }
    EXPECT_EQ(cards(), 90);
}

QStringList labelTexts(QWidget* pane)
{
    QStringList texts;
    for (QLabel* label : pane->findChildren<QLabel*>())
        texts.append(label->text());
    return texts;
}

AINote aiNote(const QString& question, const QString& answer, const QString& original = {})
{
    AINote note;
    note.id = QUuid::createUuid();
    note.question = question;
    note.answer = answer;
    note.original = original;
    return note;
}

TEST_F(WordBookWindowTest, EveryPaneKeepsItsPlaceAndTheFocusWhenTheWordBookChanges)
{
    for (int i = 0; i < 30; ++i) {
        addGrammar(GrammarPoint::plural, "house", "houses", QStringLiteral("Houses %1.").arg(i));
        addAffix(Affix::re, "rerun", "run", QStringLiteral("They rerun show %1.").arg(i));
    }
    notes = {aiNote("为什么？", QStringList(60, QStringLiteral("一行解释。")).join('\n'))};
    addWord("zebra", "斑马");
    WordBookWindow& shown = open();
    shown.resize(760, 360);
    shown.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&shown));
    const QList<std::pair<WordBookState::Tab, std::function<void()>>> panes{
        {WordBookState::Tab::grammar,
         [&] { shown.state().setGrammarSelection(GrammarPoint::plural); }},
        {WordBookState::Tab::affixes, [&] { shown.state().setAffixSelection(Affix::re); }},
        {WordBookState::Tab::notes, [&] { shown.state().setNoteSelection(notes.first().id); }},
    };
    auto* detail = shown.findChild<QStackedWidget*>("detail");
    const auto scroll = [&] {
        auto* area = qobject_cast<QScrollArea*>(detail->currentWidget());
        return area ? area : detail->currentWidget()->findChild<QScrollArea*>();
    };
    for (const auto& [tab, select] : panes) {
        SCOPED_TRACE(int(tab));
        shown.state().setTab(tab);
        select();
        settle();
        scroll()->verticalScrollBar()->setValue(150);
        scroll()->setFocus();
        Explanation lookup;
        lookup.headword = "zebra";
        store->recordLookup(lookup, {});
        settle();
        EXPECT_EQ(scroll()->verticalScrollBar()->value(), 150);
        EXPECT_EQ(QApplication::focusWidget(), scroll());
    }
}

TEST_F(WordBookWindowTest, TheWordPaneDeletesInPlaceAndFollowsTheWordBook)
{
    WordEntry& word = addWord("reluctant", "不情愿的");
    for (int i = 0; i < 9; ++i)
        word.examples.append(Example{QUuid::createUuid(),
                                     QStringLiteral("Sentence %1.").arg(i),
                                     "",
                                     "",
                                     false,
                                     {},
                                     {},
                                     {},
                                     {}});
    word.notes = QList<AINote>{aiNote("为什么？", "因为 **这样**")};
    const QUuid id = word.id;
    WordBookWindow& shown = open();
    shown.resize(760, 520);
    shown.state().setSelection(id);
    const auto pane = [&] { return shown.findChild<WordDetail*>(); };
    ASSERT_NE(pane(), nullptr);
    EXPECT_TRUE(labelTexts(pane()).contains("AI 解释"));

    // A delete far down the pane leaves the reader where they were.
    QScrollBar* bar = pane()->scrollArea()->verticalScrollBar();
    QCoreApplication::processEvents();
    bar->setValue(300);
    pane()->findChildren<QToolButton*>("deleteExampleButton").at(1)->click();
    settle();
    QTest::qWait(50);
    EXPECT_EQ(pane()->scrollArea()->verticalScrollBar()->value(), 300);
    EXPECT_EQ(store->entries().at(0).examples.size(), 8);

    // A lookup while the pane is open counts at once.
    Explanation met;
    met.headword = "reluctant";
    store->recordLookup(met, {});
    settle();
    EXPECT_TRUE(labelTexts(pane()).join('|').contains("查过 1 次"));

    // The last explanation gone, its group goes; a failed write is shown, not hidden.
    QFile::remove(folder.path("words.json"));
    ASSERT_TRUE(QDir(folder.path({})).mkdir("words.json"));
    pane()->findChild<QToolButton*>("deleteNoteButton")->click();
    settle();
    EXPECT_FALSE(labelTexts(pane()).contains("AI 解释"));
    EXPECT_TRUE(text(shown, "writeErrorLabel").startsWith("没能保存 words.json："));

    // A new desktop theme builds the pane again.
    const QPalette light = QApplication::palette();
    QApplication::setPalette(QPalette(Qt::darkGray));
    settle();
    EXPECT_NE(pane(), nullptr);
    QApplication::setPalette(light);
}

TEST_F(WordBookWindowTest, TheNotesTabFiltersShowsAndDeletesNotes)
{
    notes = {aiNote("为什么用被动？", "被动语态", "The bridge was built."),
             aiNote("ran 是什么？", "过去式", "He ran home.")};
    WordBookWindow& shown = open();
    shown.state().setTab(WordBookState::Tab::notes);
    EXPECT_FALSE(shown.findChild<QLabel*>("noteHint")->isVisible());
    QListView* list = shown.noteList();
    ASSERT_EQ(list->model()->rowCount(), 2);
    list->setCurrentIndex(list->model()->index(0, 0));
    ASSERT_NE(shown.findChild<NoteView*>(), nullptr);
    EXPECT_TRUE(labelTexts(shown.findChild<NoteView*>()).contains("The bridge was built."));

    // The search hides the selected note from the list, not from the pane.
    QTest::keyClicks(shown.findChild<QLineEdit*>("searchField"), " RAN ");
    EXPECT_EQ(list->model()->rowCount(), 1);
    ASSERT_NE(shown.findChild<NoteView*>(), nullptr);

    shown.findChild<NoteView*>()->findChild<QToolButton*>("deleteNoteButton")->click();
    settle();
    EXPECT_EQ(placeholder(shown), "选一条笔记查看");
    EXPECT_EQ(store->sentenceNotes().size(), 1);
    store->deleteSentenceNote(store->sentenceNotes().at(0).id);
    settle();
    EXPECT_TRUE(shown.findChild<QLabel*>("noteHint")->isVisible());
}

} // namespace
} // namespace glossivo

namespace glossivo {
namespace {

// A headword, a sentence or an AI note from outside cannot turn the text around it over:
// "rtl\u202Eevil" shows as "rtlevil" in the lists and in the panes.
TEST_F(WordBookWindowTest, BidirectionalControlsReorderNothingInTheListsOrThePanes)
{
    const QString evil = QStringLiteral("rtl") + QChar(0x202E) + QStringLiteral("evil");
    WordEntry& word = addWord(evil, evil + QChar(0x2066));
    word.examples.append(Example{QUuid::createUuid(),
                                 evil,
                                 evil,
                                 {},
                                 false,
                                 evil,
                                 QStringLiteral("https://e.example/"),
                                 evil,
                                 clock.now()});
    word.notes = QList<AINote>{aiNote(evil, QStringLiteral("**") + evil + QStringLiteral("**"))};
    notes = {aiNote(evil, evil, evil)};
    WordBookWindow& shown = open();
    EXPECT_EQ(listed(), QStringList{"rtlevil"});
    EXPECT_EQ(shown.wordModel()->index(0).data(WordListModel::MeaningRole), "rtlevil");
    shown.state().setSelection(word.id);
    QStringList texts = labelTexts(shown.findChild<WordDetail*>());
    for (const QTextEdit* view : shown.findChildren<QTextEdit*>())
        texts.append(view->toPlainText());
    EXPECT_TRUE(texts.contains("rtlevil"));
    for (const QString& text : texts)
        EXPECT_FALSE(text.contains(QChar(0x202E)) || text.contains(QChar(0x2066)))
            << text.toStdString();

    shown.state().setTab(WordBookState::Tab::notes);
    const QModelIndex note = shown.noteList()->model()->index(0, 0);
    EXPECT_EQ(note.data(), "rtlevil");
    EXPECT_EQ(note.data(NoteListModel::QuestionRole), "rtlevil");
}

} // namespace
} // namespace glossivo
