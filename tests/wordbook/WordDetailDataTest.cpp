#include "wordbook/WordDetailData.h"

#include <QTimeZone>

#include <gtest/gtest.h>

#include <functional>

namespace glossivo {
namespace {

const QDateTime kNow = QDateTime(QDate(2026, 3, 10), QTime(12, 0), QTimeZone::utc());

WordEntry word(const QString& headword)
{
    WordEntry entry;
    entry.id = QUuid::createUuid();
    entry.headword = headword;
    entry.pos = "adj.";
    entry.meaningZh = "不情愿的";
    entry.createdAt = kNow;
    entry.lastLookupAt = kNow;
    return entry;
}

Example example(const QString& meaning, bool generated)
{
    return Example{QUuid::createUuid(), "s", "z", meaning, generated, {}, {}, {}, kNow};
}

// Everything the pane would show, one fact a line, dates written as "D".
QStringList facts(const WordDetailData& data)
{
    QStringList lines{"meaning " + data.meaning,
                      "notes " + data.meaningNotes.join('|'),
                      "counts " + data.counts,
                      "stage " + data.stageBar.title,
                      "due " + data.stageBar.due,
                      data.stageBar.leech ? "leech" : "no leech",
                      data.mnemonic ? "tip " + *data.mnemonic : "no tip",
                      "forms " + data.formCount};
    for (const FormTileData& tile : data.forms)
        lines.append("tile " + QStringList{tile.name, tile.form, tile.count, tile.help}.join('|'));
    lines.append(data.family.shown ? "family " + data.family.root : "no family");
    lines.append("affixes " + data.family.affixes.join('|'));
    for (const FamilyMemberData& member : data.family.members)
        lines.append("member " + member.headword);
    lines.append("empty " + data.family.emptyText);
    for (const ExampleData& example : data.examples)
        lines.append("caption " + example.caption);
    return lines.join('\n')
        .replace(shortDate(kNow), "D")
        .replace(shortDate(kNow.addDays(2)), "D2")
        .split('\n');
}

TEST(WordDetailData, ShowsWhatTheWordBookKnowsOfTheWord)
{
    struct Case {
        std::function<void(WordEntry&)> change;
        QList<WordEntry> members;
        QStringList expected;
    };
    const QList<Case> cases{
        {{},
         {},
         {"meaning adj. 不情愿的", "counts 查过 0 次 · 在 1 天里遇到 · D 保存", "stage 见过",
          "due ", "no leech", "no tip", "forms ", "no family"}},
        {[](WordEntry& e) {
             e.pos.clear();
             e.definitionEn = "unwilling";
             e.registerNoteZh = "书面";
             e.mnemonic = "";
         },
         {},
         {"meaning 不情愿的", "notes unwilling|书面", "tip "}},
        {[](WordEntry& e) {
             e.examples = {example("", false), example("", true), example("勉强", false)};
         },
         {},
         {"caption  · D", "caption  · AI 例句 · D", "caption 勉强 · D"}},
        {[](WordEntry& e) {
             e.stage = Stage::learning;
             e.review = ReviewState{0, 0, kNow.addDays(2), {}, 3, 4, 0};
         },
         {},
         {"stage 在学", "due 下次复习：D2 · 复习过 3 次", "leech"}},
        {[](WordEntry& e) {
             e.stage = Stage::resting;
             e.restUntil = kNow.addDays(5);
             e.review = ReviewState{0, 0, kNow, {}, 0, 3, 0};
         },
         {},
         {"stage 休息", "due ", "no leech"}},
        {[](WordEntry& e) {
             e.inflections = QMap<QString, QString>{{"base", "run"},
                                                    {"ing", "running"},
                                                    {"past", "ran"},
                                                    {"plural", "runs"},
                                                    {"pastParticiple", "run"}};
             e.forms = QList<FormRecord>{{FormKind::ing, "running", kNow, 2, "I was running."},
                                         {FormKind::past, "ran", kNow, 1, std::nullopt}};
         },
         {},
         {"forms 2/5", "tile 原形|||在句子里遇到这种形式就会解锁",
          "tile -ing 形式|running|遇到 2 次|I was running.",
          "tile 过去式|ran|遇到 1 次|在句子里遇到这种形式就会解锁"}},
        {[](WordEntry& e) {
             e.familyRoot = "RELUCTANT";
             e.affixes = QList<Affix>{Affix::re, Affix::tion};
         },
         {},
         {"family ", "affixes re- 再、重新|-tion 把动词变成名词（动作或结果）",
          "empty 生词本里还没有同一家的词。遇到 reluctant 家族的其他词并保存，就会出现在这里。"}},
        {[](WordEntry& e) { e.familyRoot = "luct"; },
         {word("reluctance")},
         {"family 词根 luct", "member reluctance",
          "empty 生词本里还没有同一家的词。遇到 luct "
          "家族的其他词并保存，就会出现在这里。"}},
        {[](WordEntry& e) { e.familyRoot = ""; }, {}, {"no family"}},
    };
    for (const Case& c : cases) {
        WordEntry entry = word("reluctant");
        if (c.change) c.change(entry);
        const QStringList shown = facts(wordDetailData(entry, c.members, AppConfig{}, kNow));
        for (const QString& fact : c.expected)
            EXPECT_TRUE(shown.contains(fact)) << fact.toStdString() << "\nin:\n"
                                              << shown.join('\n').toStdString();
    }
}

TEST(WordDetailData, FiltersSentenceNotesByPassageAndAnswer)
{
    const auto note = [](const char* original, const char* answer) {
        return AINote{QUuid::createUuid(),
                      "为什么这么用？",
                      QString::fromUtf8(answer),
                      QString::fromUtf8(original),
                      QString("只在翻译里"),
                      {},
                      {},
                      {},
                      kNow};
    };
    const QList<AINote> notes{note("The Bridge was built.", "被动语态"),
                              note("He ran.", "过去式 ran")};
    const QList<std::pair<QString, qsizetype>> cases{
        {"   ", 2}, {"\u3000BRIDGE\t", 1}, {"RAN", 1}, {"被动", 1}, {"为什么", 0}, {"只在翻译", 0}};
    for (const auto& [search, count] : cases)
        EXPECT_EQ(filteredNotes(notes, search).size(), count) << search.toStdString();
}

TEST(WordDetailData, WritesDatesInChineseWhateverTheLocale)
{
    const QLocale before;
    for (const QLocale& locale : {QLocale::c(), QLocale(QLocale::English, QLocale::UnitedKingdom),
                                  QLocale(QLocale::Chinese, QLocale::China)}) {
        QLocale::setDefault(locale);
        EXPECT_EQ(shortDate(kNow.addDays(-5)), QStringLiteral("2026年3月5日"));
    }
    QLocale::setDefault(before);
}

} // namespace
} // namespace glossivo
