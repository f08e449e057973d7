#include "ProgramRun.h"

#include "model/JsonFields.h"
#include "model/WordEntry.h"
#include "support/DataFolder.h"

#include <QJsonDocument>
#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace glossivo;
using glossivo::testing::DataFolder;
using glossivo::testing::ProgramOutcome;

namespace {

const QString kReviewRules = QStringLiteral("拼写等级 0：拼·看一眼再写 答案=run 提示=-\n"
                                            "拼写等级 1：拼·补字母 答案=run 提示=r_n\n"
                                            "拼写等级 2：拼·按块拼 答案=run 提示=r_n\n"
                                            "拼写等级 3：拼·完整拼写 答案=ran 提示=He ____ home "
                                            "yesterday.\n"
                                            "拼写等级 4：听·听写 答案=run 提示=-\n"
                                            "俚语能考拼写吗：false\n"
                                            "  输入「ran」→ good \n"
                                            "  输入「Ran.」→ good \n"
                                            "  输入「run」→ hard 意思对了！不过这里要用 run "
                                            "的过去式：ran\n"
                                            "  输入「rann」→ again 跟着打一遍，手会记住它\n"
                                            "  输入「walk」→ again 跟着打一遍，手会记住它\n"
                                            "  输入「」→ again 没关系，跟着打一遍就好\n");

// The priorities depend on the time of day; their order and the rest of each line do not.
void expectPriorities(const QStringList& lines)
{
    const QRegularExpression line(
        QStringLiteral("^优先级 (\\w+)：(\\d+\\.\\d)（查 (\\d+) 次，(\\d+) 天）$"));
    const QStringList words{"kubectl", "reluctant", "whatever"};
    const QStringList lookups{"15", "3", "1"};
    const QStringList days{"1", "3", "1"};
    QList<double> values;
    ASSERT_EQ(lines.size(), 3);
    for (qsizetype i = 0; i < 3; ++i) {
        const QRegularExpressionMatch match = line.match(lines[i]);
        ASSERT_TRUE(match.hasMatch()) << lines[i].toStdString();
        EXPECT_EQ(match.captured(1), words[i]);
        EXPECT_EQ(match.captured(3), lookups[i]);
        EXPECT_EQ(match.captured(4), days[i]);
        values.append(match.captured(2).toDouble());
    }
    EXPECT_LT(values[0], values[1]);
    EXPECT_GE(values[2], 1000);
}

ProgramOutcome review(const DataFolder& folder)
{
    return runIn(folder, {"--selftest-review"});
}

WordEntry saved(const QString& headword, bool wanted = false)
{
    WordEntry entry;
    entry.id = QUuid::createUuid();
    entry.headword = headword;
    entry.meaningZh = QStringLiteral("意思");
    entry.createdAt = QDateTime::currentDateTimeUtc().addDays(-2);
    entry.lookupCount = 1;
    if (wanted) entry.wantToLearn = true;
    return entry;
}

} // namespace

TEST(ReviewReportModes, ReviewPrintsTheRulesAndAnEmptyWordBookWithoutWritingAnything)
{
    const DataFolder folder;
    const ProgramOutcome outcome = review(folder);
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.err, "");
    QStringList lines = outcome.out.split(u'\n');
    ASSERT_EQ(lines.size(), 17);
    EXPECT_EQ(lines.mid(0, 12).join(u'\n') + u'\n', kReviewRules);
    expectPriorities(lines.mid(12, 3));
    EXPECT_EQ(lines.mid(15), (QStringList{"你的生词本：0 个词；排在最前面的：", ""}));
    EXPECT_TRUE(folder.files().isEmpty());
}

// Equal priorities keep the word book's order; the list stops at eight names.
TEST(ReviewReportModes, ReviewShowsTheTopOfTheRealWordBookInPriorityOrder)
{
    const DataFolder folder;
    QList<WordEntry> words;
    for (const char* headword : {"ferry", "harbour", "island", "jetty", "kayak", "lagoon", "marina",
                                 "narrows", "oar", "pier"})
        words.append(saved(QString::fromLatin1(headword)));
    words.append(saved("quay", true));
    const QByteArray document = QJsonDocument(Json::toArray(words)).toJson();
    folder.write("words.json", document);

    const ProgramOutcome outcome = review(folder);
    EXPECT_EQ(outcome.status, 0);
    EXPECT_TRUE(outcome.out.startsWith(kReviewRules));
    EXPECT_TRUE(outcome.out.endsWith(QStringLiteral(
        "你的生词本：11 个词；排在最前面的：quay, ferry, harbour, island, jetty, kayak, lagoon, "
        "marina\n")));
    EXPECT_EQ(folder.read("words.json"), document);
    EXPECT_EQ(folder.files(), QStringList{"words.json"});
}

// The grading of typed names counts capitals, crossed neighbours and missing letters.
TEST(ReviewReportModes, SpellPracticePrintsThreeNamesAtEveryLevelAndEightGrades)
{
    const DataFolder folder;
    const ProgramOutcome outcome = runIn(folder, {"--selftest-spellpractice"});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(
        outcome.out + outcome.err,
        QStringLiteral(
            "Claude 等级 0：拼·看一眼再写 答案=Claude 提示=-\n"
            "Claude 等级 1：拼·补字母 答案=Claude 提示=Cla_d_\n"
            "Claude 等级 2：拼·按块拼 答案=Claude 提示=Cla_d_\n"
            "Claude 等级 3：拼·完整拼写 答案=Claude 提示=I asked ______ to fix my code.\n"
            "Claude 等级 4：听·听写 答案=Claude 提示=-\n"
            "Yellow Submarine 等级 0：拼·看一眼再写 答案=Yellow Submarine 提示=-\n"
            "Yellow Submarine 等级 1：拼·补字母 答案=Yellow Submarine 提示=Yell_w Subm_rine\n"
            "Yellow Submarine 等级 2：拼·按块拼 答案=Yellow Submarine 提示=Yellow · _________\n"
            "Yellow Submarine 等级 3：拼·完整拼写 答案=Yellow Submarine "
            "提示=________________ is my favourite Beatles song.\n"
            "Yellow Submarine 等级 4：听·听写 答案=Yellow Submarine 提示=-\n"
            "Hotel California 等级 0：拼·看一眼再写 答案=Hotel California 提示=-\n"
            "Hotel California 等级 1：拼·补字母 答案=Hotel California 提示=Hotel C_lif_rnia\n"
            "Hotel California 等级 2：拼·按块拼 答案=Hotel California 提示=Hotel · __________\n"
            "Hotel California 等级 3：拼·完整拼写 答案=Hotel California 提示=We sang "
            "________________ all the way on our road trip.\n"
            "Hotel California 等级 4：听·听写 答案=Hotel California 提示=-\n"
            "打 \"Claude\" → good \n"
            "打 \"claude\" → good 注意大写：Claude\n"
            "打 \"Cluade\" → hard 有两个字母顺序反了：Claude\n"
            "打 \"Claud\" → hard 差一个字母\n"
            "打 \"\" → again 没关系，跟着打一遍就好\n"
            "打 \"Hotel California\" → good \n"
            "打 \"hotel california\" → good 注意大写：Hotel California\n"
            "打 \"Hotel Califomia\" → again 跟着打一遍，手会记住它\n"));
    EXPECT_TRUE(folder.files().isEmpty());
}
