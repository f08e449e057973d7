#include "WordBookFixture.h"

#include "model/Affix.h"
#include "ui/SystemColors.h"
#include "wordbook/CatalogueModel.h"
#include "wordbook/views/WordDetail.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QTabBar>
#include <QToolButton>

namespace glossivo {
namespace {

// The word list, its menus, the affix tab and the window's state, as the learner meets them.
class WordBookBehaviourTest : public testing::WordBookFixture {
protected:
    // Whether the row, as the list paints it, shows this colour anywhere.
    bool paints(int row, SystemColor colour) const
    {
        QListView* list = window->wordList();
        const QColor wanted = systemColor(colour, list->palette());
        const QImage image =
            list->viewport()->grab(list->visualRect(list->model()->index(row, 0))).toImage();
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor seen = image.pixelColor(x, y);
                if (std::abs(seen.red() - wanted.red()) + std::abs(seen.green() - wanted.green()) +
                        std::abs(seen.blue() - wanted.blue()) <
                    24)
                    return true;
            }
        return false;
    }

    QStringList labels(QWidget* pane) const
    {
        QStringList texts;
        for (const QLabel* label : pane->findChildren<QLabel*>())
            texts.append(label->text());
        return texts;
    }

    static QStringList titles(const QMenu* menu)
    {
        QStringList texts;
        for (const QAction* action : menu->actions())
            if (!action->isSeparator()) texts.append(action->text());
        return texts;
    }
};

TEST_F(WordBookBehaviourTest, EachRowShowsItsStageAndMarksAndNamesThem)
{
    addWord("alpha", "甲", Stage::learning);
    addWord("beta", "乙").wantToLearn = true;
    WordEntry& gamma = addWord("gamma", "丙", Stage::mastered);
    gamma.spellPractice = true;
    gamma.register_ = Register::formal;
    AINote note;
    note.id = QUuid::createUuid();
    note.question = QStringLiteral("为什么？");
    note.answer = QStringLiteral("因为。");
    note.addedAt = clock.now();
    gamma.notes = QList<AINote>{note};
    addWord("delta", "丁", Stage::resting).restUntil = clock.now().addDays(3);
    open();
    struct Row {
        QString accessible;
        bool orange, yellow, spell, notes;
        Register register_;
    };
    const QList<Row> rows{{"alpha，在学，甲", true, false, false, false, Register::neutral},
                          {"beta，见过，乙", false, true, false, false, Register::neutral},
                          {"gamma，掌握，丙", false, false, true, true, Register::formal},
                          {"delta，休息，丁", false, false, false, false, Register::neutral}};
    ASSERT_EQ(window->wordModel()->rowCount(), rows.size());
    for (int i = 0; i < rows.size(); ++i) {
        const Row& row = rows[i];
        SCOPED_TRACE(row.accessible.toStdString());
        const QModelIndex index = window->wordModel()->index(i);
        EXPECT_EQ(index.data(Qt::AccessibleTextRole).toString(), row.accessible);
        EXPECT_EQ(index.data(Qt::ToolTipRole).toString(), row.accessible.section(u'，', 1, 1));
        EXPECT_EQ(paints(i, SystemColor::orange), row.orange);
        EXPECT_EQ(paints(i, SystemColor::yellow), row.yellow);
        EXPECT_EQ(index.data(WordListModel::SpellRole).toBool(), row.spell);
        EXPECT_EQ(index.data(WordListModel::NotesRole).toBool(), row.notes);
        EXPECT_EQ(Register(index.data(WordListModel::RegisterRole).toInt()), row.register_);
    }

    // The same words after a change of one's flags: the list is told to paint the row again.
    QSignalSpy repainted(window->wordModel(), &QAbstractItemModel::dataChanged);
    store->setWantToLearn(words.at(1).id, false);
    settle();
    ASSERT_FALSE(repainted.isEmpty());
    EXPECT_LE(repainted.last().at(0).toModelIndex().row(), 1);
    EXPECT_GE(repainted.last().at(1).toModelIndex().row(), 1);
    EXPECT_FALSE(paints(1, SystemColor::yellow));
}

TEST_F(WordBookBehaviourTest, EachStageOfTheFilterListsTheWordsOfThatStage)
{
    addWord("alpha", "甲", Stage::learning);
    addWord("beta", "乙");
    addWord("gamma", "丙", Stage::mastered);
    open();
    auto* filter = window->findChild<QComboBox*>("stageFilter");
    ASSERT_EQ(filter->count(), 1 + int(enumCount<DisplayStage>()));
    int listedInAll = 0;
    for (int item = 1; item < filter->count(); ++item) {
        filter->setCurrentIndex(item);
        const WordListModel* model = window->wordModel();
        for (int row = 0; row < model->rowCount(); ++row)
            EXPECT_EQ(model->index(row).data(Qt::ToolTipRole).toString(), filter->currentText());
        listedInAll += model->rowCount();
    }
    EXPECT_EQ(listedInAll, 3);
    filter->setCurrentIndex(0);
    EXPECT_EQ(listed(), (QStringList{"alpha", "beta", "gamma"}));
}

TEST_F(WordBookBehaviourTest, TheAdjustMenuHoldsTheWordMenusStageItemsAndRunsThem)
{
    const QUuid id = addWord("beta", "乙").id;
    open();
    window->state().setSelection(id);
    const auto adjust = [this] {
        return window->findChild<WordDetail*>()->findChild<QToolButton*>("adjustStageButton");
    };
    ASSERT_NE(adjust(), nullptr);
    QStringList stageItems = titles(window->wordMenu(id));
    stageItems.removeLast(); // "删除"
    EXPECT_EQ(titles(adjust()->menu()), stageItems);
    for (QAction* action : adjust()->menu()->actions())
        if (action->text() == QStringLiteral("现在就开始学")) action->trigger();
    settle();
    EXPECT_EQ(store->entries().at(0).stage, Stage::learning);
    EXPECT_EQ(window->findChild<WordDetail*>()->findChild<QWidget*>("stageLabel")->accessibleName(),
              QStringLiteral("在学"));
}

TEST_F(WordBookBehaviourTest, TheNoteRowsMenuDeletesThatNote)
{
    for (const char* question : {"一？", "二？"}) {
        AINote note;
        note.id = QUuid::createUuid();
        note.question = QString::fromUtf8(question);
        note.answer = QStringLiteral("答");
        note.original = QStringLiteral("A sentence.");
        note.addedAt = clock.now();
        notes.append(note);
    }
    open();
    window->state().setTab(WordBookState::Tab::notes);
    QListView* list = window->noteList();
    Q_EMIT list->customContextMenuRequested(list->visualRect(list->model()->index(1, 0)).center());
    auto* menu = window->findChild<QMenu*>("noteMenu");
    ASSERT_NE(menu, nullptr);
    auto* remove = menu->findChild<QAction*>("deleteNoteAction");
    ASSERT_NE(remove, nullptr);
    EXPECT_EQ(remove->text(), QStringLiteral("删除"));
    remove->trigger();
    menu->close();
    settle();
    ASSERT_EQ(store->sentenceNotes().size(), 1);
    EXPECT_EQ(store->sentenceNotes().at(0).id, notes.at(0).id);
}

TEST_F(WordBookBehaviourTest, TheAffixTabListsPrefixesThenSuffixesWithTheirCountsAndDetail)
{
    addAffix(Affix::un, "unhappy", "happy");
    addAffix(Affix::un, "undo");
    addAffix(Affix::ness, "kindness", "kind");
    open();
    window->state().setTab(WordBookState::Tab::affixes);
    auto* list = window->findChild<QListView*>("affixList");
    const QAbstractItemModel* model = list->model();
    QStringList headers;
    QList<Affix> listedAffixes;
    int lastPrefix = -1;
    for (int row = 0; row < model->rowCount(); ++row) {
        const QModelIndex index = model->index(row, 0);
        if (index.data(CatalogueModel::HeaderRole).toBool()) {
            headers.append(index.data().toString());
            EXPECT_FALSE(index.flags() & Qt::ItemIsSelectable);
            continue;
        }
        const auto affix = Affix(index.data(CatalogueModel::CaseRole).toInt());
        listedAffixes.append(affix);
        EXPECT_EQ(isPrefix(affix), headers.size() == 1) << row;
        if (isPrefix(affix)) lastPrefix = row;
        EXPECT_EQ(index.data().toString(), affixPromptForm(affix));
        EXPECT_EQ(index.data(CatalogueModel::CountRole).toInt(),
                  affix == Affix::un ? 2 : int(affix == Affix::ness));
    }
    EXPECT_EQ(headers, (QStringList{"已解锁 2/30 · 前缀", "后缀"}));
    const auto all = allCases<Affix>();
    EXPECT_EQ(listedAffixes, QList<Affix>(all.begin(), all.end()));

    list->setCurrentIndex(model->index(1 + int(Affix::un), 0));
    EXPECT_TRUE(labels(window->findChild<QWidget*>("affixDetail"))
                    .contains(QStringLiteral("在 2 个词里遇到")));
    list->setCurrentIndex(model->index(lastPrefix, 0));
    EXPECT_EQ(window->state().affixSelection(), Affix::inter);
    const QStringList detail = labels(window->findChild<QWidget*>("affixDetail"));
    EXPECT_TRUE(detail.contains(QStringLiteral("前缀")));
    EXPECT_TRUE(detail.contains(QStringLiteral("还没解锁")));
}

TEST_F(WordBookBehaviourTest, ClosingAndReopeningKeepsTabSearchFilterAndSelection)
{
    const QUuid id = addWord("alpha", "甲", Stage::learning).id;
    addWord("beta", "乙");
    open();
    QTest::keyClicks(window->findChild<QLineEdit*>("searchField"), "a");
    auto* filter = window->findChild<QComboBox*>("stageFilter");
    filter->setCurrentIndex(filter->findText("在学"));
    window->wordList()->setCurrentIndex(window->wordModel()->index(0));
    window->findChild<QTabBar*>("tabPicker")->setCurrentIndex(2);
    window->close();
    window->show();
    EXPECT_EQ(window->findChild<QTabBar*>("tabPicker")->currentIndex(), 2);
    EXPECT_EQ(window->findChild<QLineEdit*>("searchField")->text(), "a");
    window->findChild<QTabBar*>("tabPicker")->setCurrentIndex(0);
    EXPECT_EQ(window->findChild<QComboBox*>("stageFilter")->currentText(), "在学");
    EXPECT_EQ(listed(), QStringList{"alpha"});
    EXPECT_EQ(window->wordList()->currentIndex().data(WordListModel::IdRole).toUuid(), id);
    EXPECT_NE(window->findChild<WordDetail*>(), nullptr);
}

} // namespace
} // namespace glossivo
