#include "WordBookFixture.h"

#include "support/DarkPalette.h"
#include "support/Snapshots.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QTabBar>

namespace glossivo {
namespace {

class WordBookSnapshots : public testing::WordBookFixture {
protected:
    void fill()
    {
        addWord("reluctant", "不情愿的；勉强的", Stage::learning).wantToLearn = true;
        WordEntry& run = addWord("run", "跑；运行；经营");
        run.spellPractice = true;
        run.register_ = Register::casual;
        run.notes = QList<AINote>{AINote{}};
        addWord("photosynthesis", "光合作用", Stage::mastered).register_ = Register::technical;
        addWord("ferry", "渡船", Stage::resting);
        addWord("gonna", "要（going to 的口语缩写）").register_ = Register::slang;
        addWord("notwithstanding", "尽管；虽然", std::nullopt).createdAt = clock.now().addDays(-90);
        addWord("rerun", "重播；重新运行");
        addGrammar(GrammarPoint::passive, "build", "built", "The bridge was built in 1990.")
            .sentenceZh = "这座桥建于 1990 年。";
        GrammarEncounter& sold =
            addGrammar(GrammarPoint::passive, "sell", "sold", "The house was sold last week.");
        sold.noteZh = "was + 过去分词，表示被动。";
        sold.sourceApp = "Firefox";
        sold.sourceURL = "https://news.example.com/a";
        addGrammar(GrammarPoint::pastSimple, "run", "ran", "She ran all the way home.");
        addAffix(Affix::re, "rerun", "run", "They rerun the show every summer.");
        addAffix(Affix::re, "rewrite", "Write");
        addAffix(Affix::tion, "information", "inform", "");
    }

    void snapshot(const QString& name, QWidget& widget, bool dark)
    {
        const QImage image = widget.grab().toImage();
        EXPECT_GT(test::colourCount(image), 8) << name.toStdString();
        const QString file = test::snapshotFolder(QStringLiteral("wordbook")) + u'/' + name +
                             (dark ? "-dark" : "") + ".png";
        EXPECT_TRUE(image.save(file)) << file.toStdString();
    }

    void everyState(bool dark)
    {
        const QPalette light = QApplication::palette();
        if (dark) QApplication::setPalette(testing::darkPalette());
        {
            WordBookWindow& empty = open();
            snapshot("words-empty", empty, dark);
        }
        fill();
        WordBookWindow& shown = open();
        snapshot("words", shown, dark);
        shown.wordList()->setCurrentIndex(shown.wordModel()->index(1));
        snapshot("words-selected", shown, dark);

        QMenu* menu = shown.wordMenu(words.at(5).id);
        menu->popup(QPoint(0, 0));
        QTest::qWait(50);
        snapshot("menu", *menu, dark);
        delete menu;

        auto* search = shown.findChild<QLineEdit*>("searchField");
        search->setText("qqq");
        snapshot("search-nothing", shown, dark);
        search->clear();

        auto* tabs = shown.findChild<QTabBar*>("tabPicker");
        tabs->setCurrentIndex(1);
        snapshot("grammar", shown, dark);
        auto* grammarList = shown.findChild<QListView*>("grammarList");
        grammarList->setCurrentIndex(
            grammarList->model()->index(1 + int(GrammarPoint::passive), 0));
        snapshot("grammar-selected", shown, dark);
        grammarList->setCurrentIndex(grammarList->model()->index(1 + int(GrammarPoint::future), 0));
        snapshot("grammar-locked", shown, dark);

        tabs->setCurrentIndex(2);
        snapshot("affixes", shown, dark);
        auto* affixList = shown.findChild<QListView*>("affixList");
        affixList->setCurrentIndex(affixList->model()->index(1 + int(Affix::re), 0));
        snapshot("affixes-selected", shown, dark);

        tabs->setCurrentIndex(3);
        snapshot("notes", shown, dark);
        window.reset();
        QApplication::setPalette(light);
    }
};

TEST_F(WordBookSnapshots, EveryTabLight)
{
    everyState(false);
}

TEST_F(WordBookSnapshots, EveryTabDark)
{
    everyState(true);
}

} // namespace
} // namespace glossivo
