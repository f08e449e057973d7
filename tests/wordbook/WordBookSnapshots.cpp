#include "WordBookFixture.h"

#include "support/DarkPalette.h"
#include "support/LayoutCheck.h"
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
        addWord("reluctance", "不情愿").familyRoot = "luct";
        fillFullWord();
        WordEntry& longWord = addWord("internationalization", "国际化", Stage::learning);
        longWord.phonetic = "/ˌɪntərˌnæʃənələˈzeɪʃən/";
        longWord.register_ = Register::technical;
        longWord.review = ReviewState{};
        longWord.review->due = clock.now().addDays(3);
        longWord.examples.append(Example{QUuid::createUuid(),
                                         "Internationalization takes time.",
                                         "国际化需要时间。",
                                         "国际化",
                                         false,
                                         {},
                                         {},
                                         {},
                                         clock.now()});
        longWord.notes =
            QList<AINote>{note({}, "链接？", "https://example.org/" + QString(300, 'x'), {})};
        addWord(QString(100000, 'a'), "一个十万个字母的词");
        notes = {note("Nothing notwithstanding, the bridge was built in a year.",
                      "为什么这里用被动？",
                      "因为重点是 *桥*，不是建桥的人。`was built` 是一般过去时的被动。",
                      "尽管如此，这座桥还是在一年内建成了。"),
                 note("He ran home.", "ran 是什么形式？", "run 的过去式。", "")};
    }

    static AINote note(const QString& original, const QString& question, const QString& answer,
                       const QString& translation)
    {
        return AINote{QUuid::createUuid(),
                      question,
                      answer,
                      original,
                      translation,
                      QString("Firefox"),
                      QString("https://news.example.com/bridge"),
                      QString("The new bridge"),
                      QDateTime(QDate(2026, 2, 3), QTime(9, 0))};
    }

    void fillFullWord()
    {
        WordEntry& e = addWord("reluctant", "不情愿的；勉强的", Stage::learning);
        full = e.id;
        e.phonetic = "/rɪˈlʌktənt/";
        e.pos = "adj.";
        e.definitionEn = "unwilling and hesitant";
        e.register_ = Register::formal;
        e.registerNoteZh = "多用于书面语";
        e.lookupCount = 7;
        e.encounterDays = QStringList{"2026-01-02", "2026-01-09", "2026-02-01"};
        e.mnemonic = "re（反）+ luct（挣扎）：一直在挣扎，不情愿。";
        e.familyRoot = "luct";
        e.affixes = QList<Affix>{Affix::re};
        e.review = ReviewState{};
        e.review->due = clock.now().addDays(3);
        e.review->reps = 6;
        e.review->lapses = 5;
        e.inflections = QMap<QString, QString>{{"comparative", "more reluctant"},
                                               {"superlative", "most reluctant"}};
        e.forms = QList<FormRecord>{
            FormRecord{FormKind::base, "reluctant", clock.now(), 4, QString("She was reluctant.")}};
        const QList<std::tuple<const char*, const char*, const char*, bool>> examples{
            {"She was reluctant to leave the party early.", "她不愿意早早离开派对。", "不情愿的",
             false},
            {"He gave a reluctant smile.", "他勉强笑了笑。", "", true},
            {"Reluctant buyers waited for prices to fall.", "犹豫的买家在等降价。", "犹豫的",
             false}};
        for (const auto& [sentence, zh, meaning, generated] : examples)
            e.examples.append(Example{QUuid::createUuid(), QString::fromUtf8(sentence),
                                      QString::fromUtf8(zh), QString::fromUtf8(meaning), generated,
                                      QString("Firefox"), QString("https://news.example.com/a"),
                                      QString("Markets today"), clock.now().addDays(-3)});
        e.notes = QList<AINote>{
            note({}, "reluctant 和 unwilling 有什么区别？",
                 "**reluctant** 强调心里 *不情愿* 但可能还是会做；`unwilling` 更强调拒绝。", {}),
            note({}, "怎么记？", "想想 **re-** 加 *luct*（挣扎）。", {})};
    }
    QUuid full;

    void snapshot(const QString& name, QWidget& widget, bool dark)
    {
        QTest::qWait(20);
        EXPECT_EQ(test::layoutFaults(&widget), "") << name.toStdString();
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
        shown.noteList()->setCurrentIndex(shown.noteList()->model()->index(0, 0));
        snapshot("notes-selected", shown, dark);

        tabs->setCurrentIndex(0);
        shown.resize(820, 1500);
        shown.state().setSelection(full);
        QTest::qWait(20);
        snapshot("word-full", shown, dark);
        shown.state().setSelection(words.at(6).id);
        QTest::qWait(20);
        snapshot("word-bare", shown, dark);
        shown.resize(WordBookWindow::kInitialSize);
        shown.state().setSelection(words.at(words.size() - 2).id);
        snapshot("word-long", shown, dark);
        shown.state().setSelection(words.last().id);
        snapshot("word-100000-letters", shown, dark);
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
